// Fuzz target: an unpacked skin package (the layout inside the compressed
// block). A package that loads gives out every entry; written again by the
// packer's writer and read back, it holds the same names and bytes.
#include "FuzzReaders.h"
#include "FuzzSupport.h"
#include "skin/format/SkinReader.h"

#include <set>
#include <vector>

namespace {

std::vector<skin::TSkinPackageEntry> Entries(const skin::TSkinReader& reader)
{
    std::vector<skin::TSkinPackageEntry> entries;
    for (const std::string& name : reader.Names()) {
        entries.push_back({name, {}});
        reader.ExtractEntry(name, entries.back().Data);
    }
    return entries;
}

// The writer refuses empty and repeated names, which a reader accepts.
bool Writable(const std::vector<std::string>& names)
{
    const std::set<std::string> distinct(names.begin(), names.end());
    return distinct.size() == names.size() && !distinct.contains("");
}

void CheckRewrite(const skin::TSkinReader& reader)
{
    if (!Writable(reader.Names()))
        return;
    const std::vector<skin::TSkinPackageEntry> entries = Entries(reader);
    skin::TSkinReader again;
    fuzz::Check(again.LoadUnpacked(skin::WriteSkinPackage(entries)), "a written package has the current version");
    fuzz::Check(again.Names() == reader.Names(), "a written package keeps the names");
    for (const skin::TSkinPackageEntry& entry : entries) {
        std::vector<std::uint8_t> data;
        again.ExtractEntry(entry.Name, data);
        fuzz::Check(data == entry.Data, "a written package keeps the bytes");
    }
}

} // namespace

const std::size_t fuzz::TargetMaxLen = 8192;

void fuzz::TestOneInput(std::span<const std::uint8_t> input)
{
    skin::TSkinReader reader;
    try {
        if (!reader.LoadUnpacked(input))
            return;
    } catch (const skin::ESkinPackageError&) {
        fuzz::Check(reader.Count() == 0, "a refused package loads nothing");
        return;
    }
    fuzz::Check(reader.Count() <= skin::MaxSkinEntries, "a package holds at most 1001 entries");
    fuzz::ReadPackageEntries(reader);
    CheckRewrite(reader);
}
