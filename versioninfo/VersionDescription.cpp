// SPDX-License-Identifier: MIT
#include "VersionDescription.h"

#include <charconv>
#include <cstdint>
#include <set>

namespace versioninfo {

namespace {

constexpr std::string_view kBlanks = " \t";

std::string_view trimmed(std::string_view s)
{
    const std::size_t first = s.find_first_not_of(kBlanks);
    if (first == std::string_view::npos)
        return {};
    return s.substr(first, s.find_last_not_of(kBlanks) - first + 1);
}

// Strict UTF-8: no overlong forms, no surrogates, nothing beyond U+10FFFF.
std::optional<std::u16string> fromUtf8(std::string_view s)
{
    std::u16string out;
    std::size_t i = 0;
    while (i < s.size()) {
        const unsigned char lead = static_cast<unsigned char>(s[i]);
        char32_t cp = 0;
        std::size_t extra = 0;
        char32_t least = 0;
        if (lead < 0x80) {
            cp = lead;
        } else if ((lead & 0xE0) == 0xC0) {
            cp = lead & 0x1F;
            extra = 1;
            least = 0x80;
        } else if ((lead & 0xF0) == 0xE0) {
            cp = lead & 0x0F;
            extra = 2;
            least = 0x800;
        } else if ((lead & 0xF8) == 0xF0) {
            cp = lead & 0x07;
            extra = 3;
            least = 0x10000;
        } else {
            return std::nullopt;
        }
        if (s.size() - i - 1 < extra)
            return std::nullopt;
        for (std::size_t k = 1; k <= extra; ++k) {
            const unsigned char c = static_cast<unsigned char>(s[i + k]);
            if ((c & 0xC0) != 0x80)
                return std::nullopt;
            cp = (cp << 6) | (c & 0x3F);
        }
        if (cp < least || cp > 0x10FFFF || (cp >= 0xD800 && cp <= 0xDFFF))
            return std::nullopt;
        if (cp >= 0x10000) {
            cp -= 0x10000;
            out.push_back(char16_t(0xD800 + (cp >> 10)));
            out.push_back(char16_t(0xDC00 + (cp & 0x3FF)));
        } else {
            out.push_back(char16_t(cp));
        }
        i += extra + 1;
    }
    return out;
}

// Decimal, or hexadecimal after "0x"; the whole text must be the number.
std::optional<std::uint64_t> number(std::string_view s, std::uint64_t max)
{
    int base = 10;
    if (s.size() > 2 && s[0] == '0' && (s[1] == 'x' || s[1] == 'X')) {
        s.remove_prefix(2);
        base = 16;
    }
    std::uint64_t value = 0;
    const auto [end, ec] = std::from_chars(s.data(), s.data() + s.size(), value, base);
    if (s.empty() || ec != std::errc() || end != s.data() + s.size() || value > max)
        return std::nullopt;
    return value;
}

// "a.b.c.d" into the format's two 32-bit halves.
std::optional<std::pair<std::uint32_t, std::uint32_t>> version(std::string_view s)
{
    std::uint32_t parts[4] = {};
    for (int i = 0; i < 4; ++i) {
        const std::size_t dot = i < 3 ? s.find('.') : s.size();
        if (dot == std::string_view::npos)
            return std::nullopt;
        const std::string_view part = s.substr(0, dot);
        if (part.empty() || part.find_first_not_of("0123456789") != std::string_view::npos)
            return std::nullopt;
        const std::optional<std::uint64_t> n = number(part, 0xFFFF);
        if (!n)
            return std::nullopt;
        parts[i] = std::uint32_t(*n);
        s.remove_prefix(i < 3 ? dot + 1 : dot);
    }
    return std::pair{(parts[0] << 16) | parts[1], (parts[2] << 16) | parts[3]};
}

bool isTableKey(std::string_view s)
{
    return s.size() == 8 && s.find_first_not_of("0123456789abcdefABCDEF") == std::string_view::npos;
}

class Parser
{
public:
    std::optional<VersionBlock> parse(std::string_view text)
    {
        int lineNo = 0;
        while (!text.empty()) {
            ++lineNo;
            FLine = lineNo;
            const std::size_t eol = text.find('\n');
            std::string_view line = text.substr(0, eol);
            text.remove_prefix(eol == std::string_view::npos ? text.size() : eol + 1);
            if (!line.empty() && line.back() == '\r')
                line.remove_suffix(1);
            line = trimmed(line);
            if (line.empty() || line.front() == '#' || line.front() == ';')
                continue;
            if (!(line.front() == '[' ? section(line) : item(line)))
                return std::nullopt;
        }
        return FBlock;
    }

    DescriptionError error;

private:
    enum class Section { None, Fixed, Strings, Translation };

    bool fail(std::string message)
    {
        error = {FLine, std::move(message)};
        return false;
    }

    bool section(std::string_view line)
    {
        if (line.back() != ']')
            return fail("a section header must end with ']'");
        const std::string_view name = trimmed(line.substr(1, line.size() - 2));
        FKeys.clear();
        if (name == "fixed") {
            if (FBlock.fixed)
                return fail("second [fixed] section");
            FBlock.fixed.emplace();
            FSection = Section::Fixed;
            return true;
        }
        if (name == "translation") {
            if (FSeenTranslation)
                return fail("second [translation] section");
            FSeenTranslation = true;
            FSection = Section::Translation;
            return true;
        }
        if (name == "strings" || (name.starts_with("strings") && kBlanks.find(name[7]) != std::string_view::npos)) {
            const std::string_view key = trimmed(name.substr(7));
            if (!isTableKey(key))
                return fail("a string table key is eight hexadecimal digits, not \"" + std::string(key) + '"');
            for (const StringTable &t : FBlock.stringTables) {
                if (std::u16string(key.begin(), key.end()) == t.key)
                    return fail("second string table \"" + std::string(key) + '"');
            }
            FBlock.stringTables.push_back({std::u16string(key.begin(), key.end()), {}});
            FSection = Section::Strings;
            return true;
        }
        return fail("unknown section [" + std::string(name) + ']');
    }

    bool item(std::string_view line)
    {
        switch (FSection) {
        case Section::None:
            return fail("an item before any section");
        case Section::Translation:
            return translation(line);
        case Section::Fixed:
        case Section::Strings:
            break;
        }
        const std::size_t eq = line.find('=');
        if (eq == std::string_view::npos)
            return fail("expected \"name = value\"");
        const std::string_view key = trimmed(line.substr(0, eq));
        const std::string_view value = trimmed(line.substr(eq + 1));
        if (key.empty())
            return fail("an entry without a name");
        if (!FKeys.insert(std::string(key)).second)
            return fail("second entry \"" + std::string(key) + "\" in this section");
        return FSection == Section::Fixed ? fixedField(key, value) : stringEntry(key, value);
    }

    bool fixedField(std::string_view key, std::string_view value)
    {
        FixedFileInfo &f = *FBlock.fixed;
        if (key == "FileVersion" || key == "ProductVersion") {
            const auto v = version(value);
            if (!v)
                return fail(std::string(key) + " must be four numbers 0..65535 joined by dots");
            (key == "FileVersion" ? f.fileVersionMS : f.productVersionMS) = v->first;
            (key == "FileVersion" ? f.fileVersionLS : f.productVersionLS) = v->second;
            return true;
        }
        if (key == "FileDate") {
            const std::optional<std::uint64_t> n = number(value, UINT64_MAX);
            if (!n)
                return fail("FileDate must be a 64-bit number");
            f.fileDateMS = std::uint32_t(*n >> 32);
            f.fileDateLS = std::uint32_t(*n);
            return true;
        }
        std::uint32_t *field = key == "FileFlagsMask" ? &f.fileFlagsMask
            : key == "FileFlags"                      ? &f.fileFlags
            : key == "FileOS"                         ? &f.fileOS
            : key == "FileType"                       ? &f.fileType
            : key == "FileSubtype"                    ? &f.fileSubtype
                                                      : nullptr;
        if (!field)
            return fail("unknown field \"" + std::string(key) + "\" of the fixed part");
        const std::optional<std::uint64_t> n = number(value, UINT32_MAX);
        if (!n)
            return fail(std::string(key) + " must be a 32-bit number");
        *field = std::uint32_t(*n);
        return true;
    }

    bool stringEntry(std::string_view key, std::string_view value)
    {
        const std::optional<std::u16string> k = fromUtf8(key);
        const std::optional<std::u16string> v = fromUtf8(value);
        if (!k || !v)
            return fail("text that is not UTF-8");
        FBlock.stringTables.back().entries.push_back({*k, *v});
        return true;
    }

    bool translation(std::string_view line)
    {
        const std::size_t gap = line.find_first_of(kBlanks);
        if (gap == std::string_view::npos)
            return fail("expected a language and a code page");
        const std::optional<std::uint64_t> language = number(line.substr(0, gap), 0xFFFF);
        const std::optional<std::uint64_t> codePage = number(trimmed(line.substr(gap)), 0xFFFF);
        if (!language || !codePage)
            return fail("a language and a code page are 16-bit numbers");
        FBlock.translations.push_back({std::uint16_t(*language), std::uint16_t(*codePage)});
        return true;
    }

    VersionBlock FBlock;
    Section FSection = Section::None;
    bool FSeenTranslation = false;
    std::set<std::string> FKeys; // names seen in the current section
    int FLine = 0;
};

} // namespace

std::optional<VersionBlock> parseVersionDescription(std::string_view text, DescriptionError *error)
{
    Parser parser;
    std::optional<VersionBlock> block = parser.parse(text);
    if (!block && error)
        *error = parser.error;
    return block;
}

} // namespace versioninfo
