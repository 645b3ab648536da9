// The skin checker: everything in a skin folder (one description and its
// .bmp pictures) that the engine would read otherwise than its author meant,
// reported by file, line, section and key with what was expected. Errors
// are faults (a missing or unused picture, frames that do not divide a
// picture, margins wider than a frame, a keyed picture without the key
// colour or with colours one off it, values out of range, sections and keys
// the engine does not read); warnings are texts with too little contrast on
// the faces they are drawn on.
//
// Platform-neutral: `skintool check` and `skintool pack` run it on the host.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

namespace skin {

struct TSkinFinding {
    bool Warning = false;
    std::string File;     // the description or a picture, as named in the folder
    int Line = 0;         // in the description, from 1; 0: the file as a whole
    std::string Section;  // as written; empty when the finding has none
    std::string Key;      // as the table names it; empty when the finding has none
    std::string Message;
};

struct TSkinFolderFile {
    std::string Name;  // as in the folder
    std::vector<std::uint8_t> Bytes;
};

struct TSkinFolder {
    TSkinFolderFile Description;
    std::vector<TSkinFolderFile> Pictures;  // every .bmp file of the folder
};

// Every finding about the folder: those about the description in the order
// of its lines, then the unused pictures, then the contrast warnings.
std::vector<TSkinFinding> CheckSkin(const TSkinFolder& folder);

bool HasErrors(const std::vector<TSkinFinding>& findings);

// "file:line: [Section] Key: message", with "warning: " before it for a
// warning; the parts a finding lacks are left out.
std::string FormatFinding(const TSkinFinding& finding);

} // namespace skin
