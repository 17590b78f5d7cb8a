// SPDX-License-Identifier: MIT
#include "VersionBlock.h"

#include <algorithm>
#include <array>

namespace versioninfo {

namespace {

// A node's header: length, value length, type, three 16-bit words.
constexpr std::size_t kHeaderSize = 6;
// wType: the value is binary data (value length in bytes) or text (in 16-bit characters).
constexpr std::uint16_t kBinary = 0;
constexpr std::uint16_t kText = 1;

constexpr std::u16string_view kRootKey = u"VS_VERSION_INFO";
constexpr std::u16string_view kStringFileInfoKey = u"StringFileInfo";
constexpr std::u16string_view kVarFileInfoKey = u"VarFileInfo";
constexpr std::u16string_view kTranslationKey = u"Translation";

// The fixed part's fields after its signature, in their order in the block, one 32-bit word each.
constexpr std::array<std::uint32_t FixedFileInfo::*, 12> kFixedFields = {
    &FixedFileInfo::strucVersion, &FixedFileInfo::fileVersionMS, &FixedFileInfo::fileVersionLS,
    &FixedFileInfo::productVersionMS, &FixedFileInfo::productVersionLS, &FixedFileInfo::fileFlagsMask,
    &FixedFileInfo::fileFlags, &FixedFileInfo::fileOS, &FixedFileInfo::fileType,
    &FixedFileInfo::fileSubtype, &FixedFileInfo::fileDateMS, &FixedFileInfo::fileDateLS,
};
static_assert(4 * (1 + kFixedFields.size()) == kFixedFileInfoSize);

// Offsets are aligned relative to the block's start, which the format places on a 32-bit
// boundary.
constexpr std::size_t align4(std::size_t offset)
{
    return (offset + 3) & ~std::size_t(3);
}

class Writer
{
public:
    const std::vector<std::uint8_t> &bytes() const { return FBytes; }
    bool ok() const { return FOk; }

    void word(std::uint16_t w)
    {
        FBytes.push_back(std::uint8_t(w & 0xFF));
        FBytes.push_back(std::uint8_t(w >> 8));
    }

    void dword(std::uint32_t d)
    {
        word(std::uint16_t(d & 0xFFFF));
        word(std::uint16_t(d >> 16));
    }

    void align() { FBytes.resize(align4(FBytes.size()), 0); }

    // Writes text with its terminating zero; a zero inside would end the text early for every
    // reader of the block.
    void text(std::u16string_view s)
    {
        if (s.find(u'\0') != std::u16string_view::npos)
            FOk = false;
        for (char16_t c : s)
            word(std::uint16_t(c));
        word(0);
    }

    // Starts a node at the next 32-bit boundary; its length is filled in by endNode().
    std::size_t beginNode(std::size_t valueLength, std::uint16_t type, std::u16string_view key)
    {
        align();
        const std::size_t start = FBytes.size();
        if (valueLength > 0xFFFF)
            FOk = false;
        word(0);
        word(std::uint16_t(valueLength));
        word(type);
        text(key);
        align();
        return start;
    }

    // A node's length runs to the end of its last child or value, without trailing padding.
    void endNode(std::size_t start)
    {
        const std::size_t length = FBytes.size() - start;
        if (length > kMaxBlockSize) {
            FOk = false;
            return;
        }
        FBytes[start] = std::uint8_t(length & 0xFF);
        FBytes[start + 1] = std::uint8_t(length >> 8);
    }

private:
    std::vector<std::uint8_t> FBytes;
    bool FOk = true;
};

struct Node
{
    std::size_t end = 0;        // one past the node's last byte
    std::uint16_t valueLength = 0;
    std::uint16_t type = 0;
    std::u16string key;
    std::size_t valueStart = 0; // at most end
};

class Reader
{
public:
    explicit Reader(std::span<const std::uint8_t> data)
        : FData(data)
    {
    }

    std::uint16_t word(std::size_t offset) const
    {
        return std::uint16_t(FData[offset] | (FData[offset + 1] << 8));
    }

    std::uint32_t dword(std::size_t offset) const
    {
        return std::uint32_t(word(offset)) | (std::uint32_t(word(offset + 2)) << 16);
    }

    // The node at offset, which must lie wholly before limit (itself within the data).
    std::optional<Node> node(std::size_t offset, std::size_t limit) const
    {
        if (offset > limit || limit - offset < kHeaderSize)
            return std::nullopt;
        const std::size_t length = word(offset);
        if (length < kHeaderSize || length > limit - offset)
            return std::nullopt;
        Node n;
        n.end = offset + length;
        n.valueLength = word(offset + 2);
        n.type = word(offset + 4);
        std::size_t at = offset + kHeaderSize;
        for (;;) {
            if (n.end - at < 2)
                return std::nullopt; // key without its terminating zero
            const char16_t c = char16_t(word(at));
            at += 2;
            if (c == u'\0')
                break;
            n.key.push_back(c);
        }
        n.valueStart = std::min(align4(at), n.end);
        return n;
    }

    // Where a node's children start, or nullopt when its value claims more than the node holds.
    std::optional<std::size_t> childrenStart(const Node &n) const
    {
        const std::size_t valueBytes = n.type == kText ? 2 * std::size_t(n.valueLength) : n.valueLength;
        if (valueBytes > n.end - n.valueStart)
            return std::nullopt;
        return std::min(align4(n.valueStart + valueBytes), n.end);
    }

    // Calls visit(child) for each child of n in order; false when a child is damaged or visit
    // refuses it. Fewer bytes than a header at the end are padding.
    template<typename Visit>
    bool children(const Node &n, Visit visit) const
    {
        const std::optional<std::size_t> start = childrenStart(n);
        if (!start)
            return false;
        std::size_t at = *start;
        while (n.end - at >= kHeaderSize) {
            const std::optional<Node> child = node(at, n.end);
            if (!child || !visit(*child))
                return false;
            at = std::min(align4(child->end), n.end);
        }
        return true;
    }

    // A string's value: its length counts 16-bit characters, usually with the terminating zero.
    // Writers disagree on that count, so the text ends at the first zero or at the node's end.
    std::u16string text(const Node &n) const
    {
        const std::size_t count = std::min<std::size_t>(n.valueLength, (n.end - n.valueStart) / 2);
        std::u16string s;
        for (std::size_t i = 0; i < count; ++i) {
            const char16_t c = char16_t(word(n.valueStart + 2 * i));
            if (c == u'\0')
                break;
            s.push_back(c);
        }
        return s;
    }

private:
    std::span<const std::uint8_t> FData;
};

bool readStringTable(const Reader &reader, const Node &n, VersionBlock &block)
{
    StringTable table;
    table.key = n.key;
    const bool ok = reader.children(n, [&](const Node &s) {
        table.entries.push_back({s.key, reader.text(s)});
        return true;
    });
    if (ok)
        block.stringTables.push_back(std::move(table));
    return ok;
}

bool readVarFileInfo(const Reader &reader, const Node &n, VersionBlock &block)
{
    return reader.children(n, [&](const Node &var) {
        if (var.key != kTranslationKey)
            return true;
        if (var.valueLength > var.end - var.valueStart)
            return false;
        for (std::size_t i = 0; i + 4 <= var.valueLength; i += 4)
            block.translations.push_back({reader.word(var.valueStart + i), reader.word(var.valueStart + i + 2)});
        return true;
    });
}

} // namespace

std::optional<VersionBlock> parseVersionBlock(std::span<const std::uint8_t> data)
{
    const Reader reader(data);
    const std::optional<Node> root = reader.node(0, data.size());
    if (!root || root->key != kRootKey)
        return std::nullopt;

    VersionBlock block;
    if (root->valueLength == kFixedFileInfoSize) {
        if (root->end - root->valueStart < kFixedFileInfoSize)
            return std::nullopt;
        const std::size_t v = root->valueStart;
        if (reader.dword(v) != kFixedFileInfoSignature)
            return std::nullopt;
        FixedFileInfo f;
        for (std::size_t i = 0; i < kFixedFields.size(); ++i)
            f.*kFixedFields[i] = reader.dword(v + 4 * (i + 1));
        block.fixed = f;
    } else if (root->valueLength != 0) {
        return std::nullopt;
    }

    const bool ok = reader.children(*root, [&](const Node &child) {
        if (child.key == kStringFileInfoKey)
            return reader.children(child, [&](const Node &table) { return readStringTable(reader, table, block); });
        if (child.key == kVarFileInfoKey)
            return readVarFileInfo(reader, child, block);
        return true;
    });
    if (!ok)
        return std::nullopt;
    return block;
}

std::vector<std::uint8_t> encodeVersionBlock(const VersionBlock &block)
{
    Writer w;
    const std::size_t root = w.beginNode(block.fixed ? kFixedFileInfoSize : 0, kBinary, kRootKey);
    if (const std::optional<FixedFileInfo> &f = block.fixed) {
        w.dword(kFixedFileInfoSignature);
        for (std::uint32_t FixedFileInfo::*field : kFixedFields)
            w.dword((*f).*field);
    }

    if (!block.stringTables.empty()) {
        const std::size_t info = w.beginNode(0, kText, kStringFileInfoKey);
        for (const StringTable &table : block.stringTables) {
            const std::size_t t = w.beginNode(0, kText, table.key);
            for (const StringEntry &entry : table.entries) {
                const std::size_t s = w.beginNode(entry.value.size() + 1, kText, entry.key);
                w.text(entry.value);
                w.endNode(s);
            }
            w.endNode(t);
        }
        w.endNode(info);
    }

    if (!block.translations.empty()) {
        const std::size_t info = w.beginNode(0, kText, kVarFileInfoKey);
        const std::size_t var = w.beginNode(4 * block.translations.size(), kBinary, kTranslationKey);
        for (const Translation &t : block.translations) {
            w.word(t.language);
            w.word(t.codePage);
        }
        w.endNode(var);
        w.endNode(info);
    }

    w.endNode(root);
    if (!w.ok())
        return {};
    return w.bytes();
}

std::string versionText(std::uint32_t ms, std::uint32_t ls)
{
    return std::to_string(ms >> 16) + '.' + std::to_string(ms & 0xFFFF) + '.' + std::to_string(ls >> 16) + '.'
        + std::to_string(ls & 0xFFFF);
}

} // namespace versioninfo
