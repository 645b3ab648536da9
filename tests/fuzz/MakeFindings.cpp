// Writes the regression inputs that are too large to keep in the repository,
// each made with the project's own packer where it is a skin file:
//
//   skin_file/names-32-million.skin
//       a package whose names text is 32 million line breaks (667 KB packed)
//   skin_file/names-8-million.skin
//       the same with 8 million line breaks (167 KB packed)
//   skin_file/description-8-million-lines.skin
//       a valid package whose description is 8 million lines of one character
//   skin_description/colour-sections.ini
//   skin_description/button-sections.ini
//       descriptions of 65,000 colour sections and 65,000 caption-button
//       sections, each with a name of its own (within the reader's bound on
//       lines, so that the look-up of each section is what counts)
//   form/nested-lists.txt
//       a property value of 200,000 nested lists
//   form/nested-objects.txt
//       50,000 nested objects
//
// usage: fuzz_make_findings <folder>
#include "skin/format/LittleEndian.h"
#include "skin/format/LZHEncoder.h"
#include "skin/format/SkinReader.h"

#include <cstdio>
#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

namespace {

using Bytes = std::vector<std::uint8_t>;

constexpr std::size_t Million = 1000 * 1000;

void Write(const std::filesystem::path& path, const Bytes& bytes)
{
    std::filesystem::create_directories(path.parent_path());
    std::ofstream out(path, std::ios::binary | std::ios::trunc);
    out.write(reinterpret_cast<const char*>(bytes.data()), static_cast<std::streamsize>(bytes.size()));
    if (!out.flush())
        throw std::runtime_error("cannot write " + path.string());
}

// A package of the current version whose names text is `lineBreaks` line
// breaks and nothing else: no size table, no entries.
Bytes PackedNames(std::size_t lineBreaks)
{
    Bytes package;
    skin::AppendInt32LE(package, skin::SkinPackageVersion);
    skin::AppendInt32LE(package, static_cast<int32_t>(lineBreaks));
    skin::AppendInt32LE(package, 0);
    skin::AppendInt32LE(package, 0);
    package.resize(package.size() + lineBreaks, '\n');
    return skin::PackLzhPackage(package);
}

Bytes Text(const std::string& text)
{
    return Bytes(text.begin(), text.end());
}

std::string Repeated(const std::string& piece, std::size_t count)
{
    std::string text;
    text.reserve(piece.size() * count);
    for (std::size_t i = 0; i < count; ++i)
        text += piece;
    return text;
}

Bytes PackedDescription(const std::string& text)
{
    const std::vector<skin::TSkinPackageEntry> entries = {{"skin.ini", Text(text)}};
    return skin::PackLzhPackage(skin::WriteSkinPackage(entries));
}

// Empty sections "[<prefix>0]" ... "[<prefix><count - 1>]".
std::string NumberedSections(const std::string& prefix, std::size_t count)
{
    std::string text;
    for (std::size_t i = 0; i < count; ++i)
        text += "[" + prefix + std::to_string(i) + "]\n";
    return text;
}

} // namespace

int main(int argc, char** argv)
{
    if (argc != 2) {
        std::fprintf(stderr, "usage: fuzz_make_findings <folder>\n");
        return 2;
    }
    const std::filesystem::path folder = argv[1];
    try {
        Write(folder / "skin_file/names-32-million.skin", PackedNames(32 * Million));
        Write(folder / "skin_file/names-8-million.skin", PackedNames(8 * Million));
        Write(folder / "skin_file/description-8-million-lines.skin", PackedDescription(Repeated("x\n", 8 * Million)));
        Write(folder / "skin_description/colour-sections.ini", Text(NumberedSections("Colour", 65000)));
        Write(folder / "skin_description/button-sections.ini", Text(NumberedSections("Button", 65000)));
        Write(folder / "form/nested-lists.txt",
              Text("object Form1: TFuzzForm\n  Items.Strings = " + std::string(200000, '(') + "\nend\n"));
        Write(folder / "form/nested-objects.txt",
              Text("object Form1: TFuzzForm\n" + Repeated("object a:T\n", 50000)));
    } catch (const std::exception& e) {
        std::fprintf(stderr, "fuzz_make_findings: %s\n", e.what());
        return 1;
    }
    return 0;
}
