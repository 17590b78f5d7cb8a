// SPDX-License-Identifier: MIT
// The version reader on arbitrary bytes: as a file it is pointed at, through the ELF section
// walk to the block, and as a version block of its own.
#include "VersionBlock.h"
#include "VersionInfo.h"

#include <cstdint>
#include <cstdlib>
#include <string>

#include <sys/mman.h>
#include <unistd.h>

using namespace versioninfo;

namespace {

// One file in memory, rewritten for each input. The reader opens it by its path, as it opens
// any file, and nothing touches the disk.
struct MemoryFile
{
    int fd = memfd_create("fuzz-input", MFD_CLOEXEC);
    std::string path = "/proc/self/fd/" + std::to_string(fd);
};

// A block that reads writes out again and reads back the same.
void checkRewrite(std::span<const std::uint8_t> bytes)
{
    const std::optional<VersionBlock> block = parseVersionBlock(bytes);
    if (!block)
        return;
    const std::vector<std::uint8_t> written = encodeVersionBlock(*block);
    if (!written.empty() && parseVersionBlock(written) != block)
        std::abort();
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t *data, std::size_t size)
{
    static const MemoryFile file;
    if (file.fd < 0 || ftruncate(file.fd, 0) != 0 || pwrite(file.fd, data, size, 0) != ssize_t(size))
        std::abort();

    const TVersionInfo info(file.path);
    // A buffer comes with its size, and a valid reader's buffer holds a block.
    if ((info.buffer() == nullptr) != (info.size() == 0) || (info.Valid() && !parseVersionBlock(info.block())))
        std::abort();
    checkRewrite(info.block());
    checkRewrite({data, size});
    return 0;
}
