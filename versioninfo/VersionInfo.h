// SPDX-License-Identifier: MIT
#pragma once

#include <cstdint>
#include <memory>
#include <span>
#include <string>
#include <string_view>

namespace versioninfo {

// Loads the version block of an executable file into memory, once, at construction, and records
// whether that succeeded. It never throws for a file it cannot use; only running out of memory
// for the buffer leaves the constructor with an exception.
class TVersionInfo
{
public:
    explicit TVersionInfo(std::string_view fileName);
    // A null pointer is taken as an empty path.
    explicit TVersionInfo(const char *fileName);
    ~TVersionInfo();

    TVersionInfo(const TVersionInfo &) = delete;
    TVersionInfo &operator=(const TVersionInfo &) = delete;

    const char *FileName() const { return FFileName.c_str(); }
    // True when the whole block was read and is a version block.
    bool Valid() const { return FValid; }
    // The block's size in bytes as the file reports it; 0 when the file has none.
    std::uint32_t size() const { return FSize; }
    // The raw block, size() bytes, or null when there was no block to read.
    const std::uint8_t *buffer() const { return FBuffer.get(); }
    std::span<const std::uint8_t> block() const
    {
        return FBuffer ? std::span<const std::uint8_t>(FBuffer.get(), FSize) : std::span<const std::uint8_t>();
    }

private:
    void Load();

    std::string FFileName;
    bool FValid = false;
    std::uint32_t FSize = 0;
    std::unique_ptr<std::uint8_t[]> FBuffer;
    std::uint32_t FHandle = 0; // the block's section index, from the size query to the read
};

// The two steps of loading, in the shape of the platform's version library: the size query
// finds the block and returns its size (0 when there is none) and a handle; the read takes the
// handle back and fills exactly size bytes, false when the file no longer holds that block.
// Both check every offset and size against the file, so a damaged file cannot make them read
// outside it.
std::uint32_t versionBlockSize(const std::string &fileName, std::uint32_t &handle);
bool readVersionBlock(const std::string &fileName, std::uint32_t handle, std::uint32_t size, std::uint8_t *buffer);

} // namespace versioninfo
