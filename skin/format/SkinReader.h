// The skin package: a set of named files (bitmaps and one description text)
// in one LZH-compressed block. Three layers:
//   SkinStream value   the 4-byte length L of what follows, then the
//                      compressed package (nothing when L <= 0);
//   compressed package the 4-byte unpacked length U, then the LZHUF code of
//                      the unpacked package (also the content of a skin file);
//   unpacked package   header (version, names length NL, two unused words), a
//                      reserved block whose size depends on the version, the
//                      names text (one name per line), one 4-byte size per
//                      name, then the entries' bytes in the order of the names.
// All integers are 32-bit signed little-endian.
#pragma once

#include "skin/format/LZH.h"
#include "ui/core/SysUtils.h"

#include <cstdint>
#include <span>
#include <string>
#include <string_view>
#include <vector>

namespace skin {

// A package whose layout is broken: a field runs past the data, a size or
// count is out of range. The message says which.
class ESkinPackageError : public ui::Exception {
public:
    using Exception::Exception;
};

// What the user is told about a package of an unknown format version.
inline constexpr const char* SOlderSkinFile = "This is Older Skin File\rPlease update to new version !";

inline constexpr int32_t SkinPackageVersion = 20000;  // the version the writer produces
inline constexpr int MaxSkinEntries = 1001;
inline constexpr size_t SkinPackageHeaderSize = 16;

// The largest skin file (a compressed package) worth reading: the decoder
// reads no more code than the largest unpacked package needs, and no symbol
// of its adaptive code is longer than 24 bits, so no code byte past three per
// unpacked byte is ever read.
inline constexpr uint64_t MaxSkinFileSize = 4 + 3 * static_cast<uint64_t>(MaxUnpackedSize);

struct TSkinPackageHeader {
    int32_t Version = 0;
    int32_t NamesLength = 0;
    int32_t Unused[2] = {0, 0};
};

// The size of the reserved block after the header, or -1 for an unknown version.
int ReservedBlockSize(int32_t version);

class TSkinReader {
public:
    // Unpacks a compressed package and reads it. Returns false, loading
    // nothing, when the format version is unknown: the caller then shows
    // SOlderSkinFile. A broken package raises ElzhException (from the
    // decompressor) or ESkinPackageError and also loads nothing.
    bool LoadPackage(std::span<const uint8_t> compressedPackage);

    // The same for a package that is already unpacked.
    bool LoadUnpacked(std::span<const uint8_t> package);

    const TSkinPackageHeader& Header() const { return header_; }
    // Entry names, lower case, in package order.
    const std::vector<std::string>& Names() const { return names_; }
    const std::vector<int32_t>& Sizes() const { return sizes_; }
    int Count() const { return static_cast<int>(names_.size()); }

    // Copies the first entry named `name` (compared after lower-casing it)
    // into `target`, which is cleared first and stays empty without a match.
    bool ExtractEntry(std::string_view name, std::vector<uint8_t>& target) const;

    // Copies the first entry whose name contains `fragment` (taken as given,
    // so it should be lower case) and sets `entryName`, which is left alone
    // without a match.
    bool ExtractEntryContaining(std::string_view fragment, std::vector<uint8_t>& target, std::string& entryName) const;

private:
    // Reads the layout of an unpacked package and, when it is good, keeps
    // the package itself: the entries are read from it in place.
    bool Adopt(std::vector<uint8_t> package);
    template <class Matches>
    bool ExtractFirst(Matches&& matches, std::vector<uint8_t>& target) const;

    TSkinPackageHeader header_;
    std::vector<std::string> names_;
    std::vector<int32_t> sizes_;
    std::vector<uint8_t> package_;  // the unpacked package
    size_t entriesOffset_ = 0;      // where the entries' bytes start in it
};

struct TSkinPackageEntry {
    std::string Name;
    std::vector<uint8_t> Data;
};

// An unpacked package of version 20000 holding `entries` in the given order,
// names as given, each line ended by CR LF. Raises ESkinPackageError for an
// empty name, a name with a line break or zero character, two names equal up
// to letter case, more than MaxSkinEntries entries, or a package above the
// decompressor's size limit.
std::vector<uint8_t> WriteSkinPackage(std::span<const TSkinPackageEntry> entries);

// The SkinStream value that holds `compressedPackage`.
std::vector<uint8_t> FrameSkinStream(std::span<const uint8_t> compressedPackage);

// The compressed package held in a SkinStream value; empty when the stored
// length is zero or negative. Raises ESkinPackageError when the value is not
// exactly the length word plus that many bytes.
std::span<const uint8_t> UnframeSkinStream(std::span<const uint8_t> value);

} // namespace skin
