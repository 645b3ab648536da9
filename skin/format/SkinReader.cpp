#include "skin/format/SkinReader.h"

#include "skin/format/LittleEndian.h"
#include "skin/format/LZH.h"
#include "skin/format/SkinText.h"

#include <algorithm>
#include <set>

namespace skin {

namespace {

std::string Bytes(size_t count)
{
    return std::to_string(count) + (count == 1 ? " byte" : " bytes");
}

[[noreturn]] void Refuse(const std::string& what)
{
    throw ESkinPackageError("Broken skin package: " + what);
}

// The parts of an unpacked package, each checked to lie inside the data.
struct PackageLayout {
    TSkinPackageHeader header;
    std::vector<std::string> names;
    std::vector<int32_t> sizes;
    size_t entriesOffset = 0;
};

// The names, lower-cased one at a time. The count is checked line by line,
// so a names text of millions of line breaks is refused after the first
// 1002 names rather than split whole first.
std::vector<std::string> ReadNames(std::span<const uint8_t> text)
{
    std::vector<std::string> names;
    ForEachTextLine(std::string_view(reinterpret_cast<const char*>(text.data()), text.size()),
                    [&names](std::string_view line) {
                        if (names.size() == static_cast<size_t>(MaxSkinEntries))
                            Refuse("it names more than the " + std::to_string(MaxSkinEntries) +
                                   " entries a package may hold");
                        names.push_back(AsciiLowerCase(line));
                    });
    return names;
}

std::vector<int32_t> ReadSizes(std::span<const uint8_t> table, size_t dataSize)
{
    std::vector<int32_t> sizes;
    uint64_t total = 0;
    for (size_t offset = 0; offset < table.size(); offset += 4) {
        const int32_t size = ReadInt32LE(table, offset);
        if (size < 0)
            Refuse("entry " + std::to_string(sizes.size() + 1) + " has a negative size");
        total += static_cast<uint32_t>(size);
        if (total > dataSize)
            Refuse("the entry sizes add up to more than the " + Bytes(dataSize) + " of entry data");
        sizes.push_back(size);
    }
    return sizes;
}

// Returns false for an unknown version.
bool ReadLayout(std::span<const uint8_t> package, PackageLayout& layout)
{
    if (package.size() < SkinPackageHeaderSize)
        Refuse("its " + Bytes(package.size()) + " cannot hold the header");
    TSkinPackageHeader& header = layout.header;
    header.Version = ReadInt32LE(package, 0);
    header.NamesLength = ReadInt32LE(package, 4);
    header.Unused[0] = ReadInt32LE(package, 8);
    header.Unused[1] = ReadInt32LE(package, 12);
    const int reserved = ReservedBlockSize(header.Version);
    if (reserved < 0)
        return false;

    std::span<const uint8_t> rest = package.subspan(SkinPackageHeaderSize);
    if (rest.size() < static_cast<size_t>(reserved))
        Refuse("its reserved block runs past the end");
    rest = rest.subspan(static_cast<size_t>(reserved));
    if (header.NamesLength < 0 || rest.size() < static_cast<size_t>(header.NamesLength))
        Refuse("its names text (" + std::to_string(header.NamesLength) + " bytes) runs past the end");
    layout.names = ReadNames(rest.first(static_cast<size_t>(header.NamesLength)));
    rest = rest.subspan(static_cast<size_t>(header.NamesLength));

    const size_t tableSize = 4 * layout.names.size();
    if (rest.size() < tableSize)
        Refuse("its table of " + std::to_string(layout.names.size()) + " entry sizes runs past the end");
    const size_t entryBytes = rest.size() - tableSize;
    layout.sizes = ReadSizes(rest.first(tableSize), entryBytes);
    layout.entriesOffset = package.size() - entryBytes;
    return true;
}

} // namespace

int ReservedBlockSize(int32_t version)
{
    switch (version) {
    case 20000: return 0;
    case 30000: return 256;
    case 40000: return 80;
    case 50000: return 48;
    default: return -1;
    }
}

bool TSkinReader::LoadPackage(std::span<const uint8_t> compressedPackage)
{
    return Adopt(UnpackLzhPackage(compressedPackage));
}

bool TSkinReader::LoadUnpacked(std::span<const uint8_t> package)
{
    return Adopt(std::vector<uint8_t>(package.begin(), package.end()));
}

bool TSkinReader::Adopt(std::vector<uint8_t> package)
{
    PackageLayout layout;
    if (!ReadLayout(package, layout))
        return false;
    header_ = layout.header;
    names_ = std::move(layout.names);
    sizes_ = std::move(layout.sizes);
    package_ = std::move(package);
    entriesOffset_ = layout.entriesOffset;
    return true;
}

// Walks the entries in package order; the first whose name satisfies
// `matches` is copied into the target.
template <class Matches>
bool TSkinReader::ExtractFirst(Matches&& matches, std::vector<uint8_t>& target) const
{
    target.clear();
    size_t offset = entriesOffset_;
    for (size_t i = 0; i < names_.size(); ++i) {
        const auto size = static_cast<size_t>(sizes_[i]);
        if (matches(names_[i])) {
            target.assign(package_.begin() + static_cast<ptrdiff_t>(offset),
                          package_.begin() + static_cast<ptrdiff_t>(offset + size));
            return true;
        }
        offset += size;
    }
    return false;
}

bool TSkinReader::ExtractEntry(std::string_view name, std::vector<uint8_t>& target) const
{
    const std::string lower = AsciiLowerCase(name);
    return ExtractFirst([&](const std::string& entry) { return entry == lower; }, target);
}

bool TSkinReader::ExtractEntryContaining(std::string_view fragment, std::vector<uint8_t>& target,
                                         std::string& entryName) const
{
    return ExtractFirst(
        [&](const std::string& entry) {
            if (entry.find(fragment) == std::string::npos)
                return false;
            entryName = entry;
            return true;
        },
        target);
}

std::vector<uint8_t> WriteSkinPackage(std::span<const TSkinPackageEntry> entries)
{
    if (entries.size() > static_cast<size_t>(MaxSkinEntries))
        throw ESkinPackageError("A skin package holds at most " + std::to_string(MaxSkinEntries) + " entries, not " +
                                std::to_string(entries.size()));
    std::string names;
    std::set<std::string> seen;
    uint64_t dataSize = 0;
    for (const TSkinPackageEntry& entry : entries) {
        if (entry.Name.empty() || entry.Name.find_first_of(std::string_view("\r\n\0", 3)) != std::string::npos)
            throw ESkinPackageError("The entry name \"" + entry.Name +
                                    "\" cannot be stored: it is empty or holds a line break or zero character");
        if (!seen.insert(AsciiLowerCase(entry.Name)).second)
            throw ESkinPackageError("Two entries are named \"" + entry.Name + "\" (letter case does not count)");
        names += entry.Name + "\r\n";
        dataSize += entry.Data.size();
    }
    const uint64_t total = SkinPackageHeaderSize + names.size() + 4 * entries.size() + dataSize;
    if (total > static_cast<uint64_t>(MaxUnpackedSize))
        throw ESkinPackageError("The skin package would take " + std::to_string(total) + " bytes, more than the " +
                                std::to_string(MaxUnpackedSize) + " a package may hold");

    std::vector<uint8_t> package;
    package.reserve(static_cast<size_t>(total));
    AppendInt32LE(package, SkinPackageVersion);
    AppendInt32LE(package, static_cast<int32_t>(names.size()));
    AppendInt32LE(package, 0);
    AppendInt32LE(package, 0);
    package.insert(package.end(), names.begin(), names.end());
    for (const TSkinPackageEntry& entry : entries)
        AppendInt32LE(package, static_cast<int32_t>(entry.Data.size()));
    for (const TSkinPackageEntry& entry : entries)
        package.insert(package.end(), entry.Data.begin(), entry.Data.end());
    return package;
}

std::vector<uint8_t> FrameSkinStream(std::span<const uint8_t> compressedPackage)
{
    if (compressedPackage.size() > static_cast<size_t>(INT32_MAX))
        throw ESkinPackageError("A compressed skin package of " + Bytes(compressedPackage.size()) +
                                " does not fit a SkinStream value");
    std::vector<uint8_t> value;
    value.reserve(4 + compressedPackage.size());
    AppendInt32LE(value, static_cast<int32_t>(compressedPackage.size()));
    value.insert(value.end(), compressedPackage.begin(), compressedPackage.end());
    return value;
}

std::span<const uint8_t> UnframeSkinStream(std::span<const uint8_t> value)
{
    if (value.size() < 4)
        throw ESkinPackageError("The SkinStream value of " + Bytes(value.size()) + " cannot hold its length");
    const int32_t length = ReadInt32LE(value, 0);
    const size_t expected = 4 + static_cast<size_t>(std::max(length, 0));
    if (value.size() != expected)
        throw ESkinPackageError("The SkinStream value declares " + Bytes(static_cast<size_t>(std::max(length, 0))) +
                                " of skin package but holds " + Bytes(value.size() - 4));
    return value.subspan(4);
}

} // namespace skin
