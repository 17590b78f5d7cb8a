// SPDX-License-Identifier: MIT
#pragma once

#include "VersionBlock.h"

#include <optional>
#include <string>
#include <string_view>

// The readable description of a version block that the build turns into the block itself.
// UTF-8 text, one item a line; blank lines and lines starting with '#' or ';' are ignored:
//
//   [fixed]                      the fixed part; without it the block has none
//   FileVersion = 1.0.0.17       versions as four numbers 0..65535
//   ProductVersion = 1.0.0.17
//   FileFlagsMask = 0x3F         32-bit numbers, decimal or 0x hexadecimal:
//   FileFlags = 0                  FileFlagsMask, FileFlags, FileOS, FileType, FileSubtype;
//   FileDate = 0                   FileDate is 64-bit; fields left out are 0
//
//   [strings 041904E3]           a string table: language and code page as eight hex digits
//   CompanyName = Korvessa       entries in the block's order; the value is the rest of the
//   InternalName =               line without surrounding blanks, and may be empty
//
//   [translation]
//   0x0419 0x04E3                language and code page, 16-bit each
namespace versioninfo {

struct DescriptionError
{
    int line = 0; // from 1; 0 when the error concerns the whole text
    std::string message;
};

// The block described, or nullopt and the first error found.
std::optional<VersionBlock> parseVersionDescription(std::string_view text, DescriptionError *error = nullptr);

} // namespace versioninfo
