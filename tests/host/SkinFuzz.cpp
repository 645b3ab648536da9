// libFuzzer target for the skin loader's input: the bytes as a compressed
// package (unpacked, listed, every entry extracted, the description parsed)
// and as a description text. Built when the host compiler is clang:
//   CXX=clang++ cmake -S . -B build/host-clang && cmake --build build/host-clang --target skin_fuzz
//   build/host-clang/bin/skin_fuzz -max_total_time=60
#include "skin/SkinReader.h"
#include "skin/WinSkinIni.h"

#include <cstddef>
#include <cstdint>
#include <span>
#include <string>
#include <vector>

namespace {

void ReadDescription(std::span<const uint8_t> bytes)
{
    skin::TQuickIni ini;
    ini.LoadFromStream(bytes);
    std::vector<std::string> sections;
    ini.ReadSections(sections);
    for (const std::string& section : sections) {
        ini.ReadInteger(section, "Height", 0);
        ini.ReadString(section, "Image", "");
    }
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    const std::span<const uint8_t> input(data, size);
    ReadDescription(input);
    skin::TSkinReader reader;
    try {
        if (!reader.LoadPackage(input))
            return 0;
    } catch (const ui::Exception&) {
        return 0;
    }
    std::vector<uint8_t> entry;
    std::string name;
    if (reader.ExtractEntryContaining(".ini", entry, name))
        ReadDescription(entry);
    for (const std::string& each : reader.Names())
        reader.ExtractEntry(each, entry);
    return 0;
}
