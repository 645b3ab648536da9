// A skin folder as its author keeps it (one .ini description and its .bmp
// pictures), read and packed as the program will load it. `skintool` packs
// folders with it on the host, and the demo program packs the folder it is
// started on with it, so both refuse the same files with the same words.
//
// Platform-neutral.
#pragma once

#include <cstdint>
#include <filesystem>
#include <string>
#include <vector>

#include "skin/format/SkinCheck.h"
#include "skin/format/SkinReader.h"
#include "ui/core/SysUtils.h"

namespace skin {

// A folder that cannot be read or packed; the message names the file.
class ESkinFolderError : public ui::Exception {
public:
    using Exception::Exception;
};

struct TSkinFolderRead {
    TSkinFolder Files;
    std::vector<std::string> Skipped;  // what is neither .ini nor .bmp, as the folder names it
};

// The folder's one description and its bitmaps, by the names they have there
// (UTF-8); anything else is listed in Skipped. A folder that cannot be read,
// or that holds no or more than one description, raises ESkinFolderError.
TSkinFolderRead ReadSkinFolder(const std::filesystem::path& folder);

// The package's entries: the description first, so that a reader looking for
// ".ini" finds it before any bitmap, the bitmaps after it sorted by name,
// every name in lower case. Each file is read first as the program will read
// it (the description with the description reader, a bitmap with the BMP
// reader); one they refuse raises ESkinFolderError naming it.
std::vector<TSkinPackageEntry> SkinPackageEntries(const std::filesystem::path& folder, const TSkinFolder& files);

// The findings that are errors, one formatted line each.
std::vector<std::string> SkinErrors(const std::vector<TSkinFinding>& findings);

// The whole file; one that cannot be opened or read raises ESkinFolderError.
std::vector<std::uint8_t> ReadFileBytes(const std::filesystem::path& path);

// A path as UTF-8, for messages and folder names.
std::string PathText(const std::filesystem::path& path);

} // namespace skin
