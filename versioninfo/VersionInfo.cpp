// SPDX-License-Identifier: MIT
#include "VersionInfo.h"

#include "VersionBlock.h"

#include <cstring>
#include <optional>

#include <fcntl.h>
#include <gelf.h>
#include <libelf.h>
#include <sys/stat.h>
#include <unistd.h>

namespace versioninfo {

namespace {

// A block holds at least one node header, and its root's 16-bit length bounds it; allow the
// padding that aligns the section's end.
constexpr std::uint64_t kMinSectionSize = 6;
constexpr std::uint64_t kMaxSectionSize = kMaxBlockSize + 1;

bool libelfReady()
{
    static const bool ready = elf_version(EV_CURRENT) != EV_NONE;
    return ready;
}

// An ELF file opened for reading, closed on every path out.
class ElfFile
{
public:
    explicit ElfFile(const std::string &fileName)
    {
        // A path holding a zero would name another file than the one asked for.
        if (fileName.empty() || fileName.find('\0') != std::string::npos || !libelfReady())
            return;
        // Without O_NONBLOCK a FIFO would block the open until a writer comes.
        FFd = ::open(fileName.c_str(), O_RDONLY | O_CLOEXEC | O_NONBLOCK);
        if (FFd < 0)
            return;
        struct stat st {};
        if (::fstat(FFd, &st) != 0 || !S_ISREG(st.st_mode) || st.st_size <= 0)
            return;
        FFileSize = std::uint64_t(st.st_size);
        // ELF_C_READ reads what it needs with pread; a mapping would fault if the file shrank.
        FElf = elf_begin(FFd, ELF_C_READ, nullptr);
        if (FElf && elf_kind(FElf) != ELF_K_ELF) {
            elf_end(FElf);
            FElf = nullptr;
        }
    }

    ~ElfFile()
    {
        if (FElf)
            elf_end(FElf);
        if (FFd >= 0)
            ::close(FFd);
    }

    ElfFile(const ElfFile &) = delete;
    ElfFile &operator=(const ElfFile &) = delete;

    Elf *elf() const { return FElf; }

    // The header of section index when it is our version section and lies wholly inside the
    // file; libelf trusts the headers' offsets and sizes further than we do.
    std::optional<GElf_Shdr> versionSection(std::size_t index) const
    {
        std::size_t stringsIndex = 0;
        if (!FElf || elf_getshdrstrndx(FElf, &stringsIndex) != 0)
            return std::nullopt;
        Elf_Scn *scn = elf_getscn(FElf, index);
        GElf_Shdr header {};
        if (!scn || !gelf_getshdr(scn, &header))
            return std::nullopt;
        const char *name = elf_strptr(FElf, stringsIndex, header.sh_name);
        if (!name || std::strcmp(name, kVersionSectionName) != 0)
            return std::nullopt;
        if (header.sh_type != SHT_PROGBITS || (header.sh_flags & SHF_COMPRESSED) != 0)
            return std::nullopt;
        if (header.sh_size < kMinSectionSize || header.sh_size > kMaxSectionSize)
            return std::nullopt;
        if (header.sh_offset > FFileSize || header.sh_size > FFileSize - header.sh_offset)
            return std::nullopt;
        return header;
    }

    // The index of the first section named as ours, 0 (the null section) when there is none.
    std::size_t findVersionSection() const
    {
        std::size_t count = 0;
        if (!FElf || elf_getshdrnum(FElf, &count) != 0)
            return 0;
        for (std::size_t i = 1; i < count; ++i) {
            if (versionSection(i))
                return i;
        }
        return 0;
    }

private:
    int FFd = -1;
    std::uint64_t FFileSize = 0;
    Elf *FElf = nullptr;
};

} // namespace

std::uint32_t versionBlockSize(const std::string &fileName, std::uint32_t &handle)
{
    handle = 0;
    const ElfFile file(fileName);
    const std::size_t index = file.findVersionSection();
    if (index == 0 || index > UINT32_MAX)
        return 0;
    handle = std::uint32_t(index);
    return std::uint32_t(file.versionSection(index)->sh_size);
}

bool readVersionBlock(const std::string &fileName, std::uint32_t handle, std::uint32_t size, std::uint8_t *buffer)
{
    const ElfFile file(fileName);
    const std::optional<GElf_Shdr> header = file.versionSection(handle);
    // The file may have changed since the size query.
    if (!header || header->sh_size != size || !buffer)
        return false;
    Elf_Data *data = elf_rawdata(elf_getscn(file.elf(), handle), nullptr);
    if (!data || !data->d_buf || data->d_size != size)
        return false;
    std::memcpy(buffer, data->d_buf, size);
    return true;
}

TVersionInfo::TVersionInfo(std::string_view fileName)
    : FFileName(fileName)
{
    Load();
}

TVersionInfo::TVersionInfo(const char *fileName)
    : TVersionInfo(fileName ? std::string_view(fileName) : std::string_view())
{
}

TVersionInfo::~TVersionInfo() = default;

void TVersionInfo::Load()
{
    FValid = false;
    FSize = versionBlockSize(FFileName, FHandle);
    if (FSize == 0)
        return;
    // Filled whole by the read; an exception for want of memory goes on to the caller.
    FBuffer = std::make_unique_for_overwrite<std::uint8_t[]>(FSize);
    FValid = readVersionBlock(FFileName, FHandle, FSize, FBuffer.get())
        && parseVersionBlock(block()).has_value();
}

} // namespace versioninfo
