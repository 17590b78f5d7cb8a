// SPDX-License-Identifier: MIT
#pragma once

#include <cstddef>
#include <cstdint>
#include <optional>
#include <span>
#include <string>
#include <vector>

// The version block in the layout of the Windows version resource (VS_VERSIONINFO): a tree of
// nodes, each a header of three 16-bit words (length, value length, type), a UTF-16LE key with
// its terminating zero, then the value and the children, each starting on a 32-bit boundary.
// All numbers are little-endian.
namespace versioninfo {

// The named section of an ELF executable that carries its version block.
inline constexpr char kVersionSectionName[] = ".numbrax.version";

inline constexpr std::uint32_t kFixedFileInfoSignature = 0xFEEF04BD;
inline constexpr std::uint32_t kFixedFileInfoStrucVersion = 0x00010000;
// VS_FIXEDFILEINFO: thirteen 32-bit words.
inline constexpr std::size_t kFixedFileInfoSize = 52;
// A node's length is a 16-bit word, and the root's length is the whole block's.
inline constexpr std::size_t kMaxBlockSize = 0xFFFF;

// VS_FIXEDFILEINFO without its signature, which is constant. Versions are split as the format
// splits them: the high word of the MS part is the first number of "a.b.c.d".
struct FixedFileInfo
{
    std::uint32_t strucVersion = kFixedFileInfoStrucVersion;
    std::uint32_t fileVersionMS = 0;
    std::uint32_t fileVersionLS = 0;
    std::uint32_t productVersionMS = 0;
    std::uint32_t productVersionLS = 0;
    std::uint32_t fileFlagsMask = 0;
    std::uint32_t fileFlags = 0;
    std::uint32_t fileOS = 0;
    std::uint32_t fileType = 0;
    std::uint32_t fileSubtype = 0;
    std::uint32_t fileDateMS = 0;
    std::uint32_t fileDateLS = 0;

    bool operator==(const FixedFileInfo &) const = default;
};

// Values of the fixed part that the Windows headers name.
inline constexpr std::uint32_t kFileOsWindows32 = 0x00000004; // VOS__WINDOWS32
inline constexpr std::uint32_t kFileTypeApp = 0x00000001;     // VFT_APP

struct StringEntry
{
    std::u16string key;
    std::u16string value;

    bool operator==(const StringEntry &) const = default;
};

// One table of StringFileInfo; its key is the language and code page as eight hex digits.
struct StringTable
{
    std::u16string key;
    std::vector<StringEntry> entries; // in the block's order

    bool operator==(const StringTable &) const = default;
};

// One pair of the Translation value of VarFileInfo.
struct Translation
{
    std::uint16_t language = 0;
    std::uint16_t codePage = 0;

    bool operator==(const Translation &) const = default;
};

struct VersionBlock
{
    std::optional<FixedFileInfo> fixed;
    std::vector<StringTable> stringTables;
    std::vector<Translation> translations;

    bool operator==(const VersionBlock &) const = default;
};

// Reads a block. Every length and offset is checked against the bytes given and against the
// node that holds it, so a damaged block yields nullopt rather than a read outside the data.
// Bytes after the root node's length are ignored; children of unknown keys are skipped.
std::optional<VersionBlock> parseVersionBlock(std::span<const std::uint8_t> data);

// Writes a block. Empty when the block would not fit the format: a node longer than its
// 16-bit length allows, or a key or value holding a zero character, which would end it early.
std::vector<std::uint8_t> encodeVersionBlock(const VersionBlock &block);

// "a.b.c.d" of a split version.
std::string versionText(std::uint32_t ms, std::uint32_t ls);

} // namespace versioninfo
