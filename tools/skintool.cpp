// skintool: makes and inspects skin packages.
//
//   skintool check <folder>
//       Checks the folder's description and pictures (SkinCheck.h) and prints
//       every error and warning; exits with 1 when there are errors.
//   skintool pack [--skin-file] [--unchecked] <folder> <out>
//       Packs the folder's one .ini description and its .bmp bitmaps. Writes
//       the SkinStream value (the 4-byte length, then the compressed package),
//       or with --skin-file the compressed package alone, as a skin file.
//       Every bitmap is checked with the program's own BMP reader and the
//       description with its own description reader: a file the program
//       would not load is refused by name. Then the folder is checked as by
//       `check`: its warnings are printed, and its errors refuse it, unless
//       --unchecked is given (for test packages of broken skins).
//   skintool keys
//       Prints the sections, keys and picture frames the engine reads, as the
//       Markdown reference of docs/skin-format.md.
//   skintool list <package>
//   skintool extract <package> <entry> <out>
//   skintool unpack <package> <out>      the raw unpacked package
//
// <package> may be a SkinStream value or a skin file.
#include "SkinKeysDoc.h"
#include "skin/format/LittleEndian.h"
#include "skin/format/LZH.h"
#include "skin/format/LZHEncoder.h"
#include "skin/format/SkinCheck.h"
#include "skin/format/SkinFolder.h"
#include "skin/format/SkinReader.h"
#include "skin/format/SkinText.h"

#include <algorithm>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <iostream>
#include <iterator>
#include <stdexcept>
#include <string>
#include <vector>

namespace fs = std::filesystem;
using Bytes = std::vector<uint8_t>;

namespace {

class UsageError : public std::runtime_error {
    using std::runtime_error::runtime_error;
};

void WriteFile(const fs::path& path, std::span<const uint8_t> bytes)
{
    std::ofstream out(path, std::ios::binary | std::ios::trunc);
    out.write(reinterpret_cast<const char*>(bytes.data()), static_cast<std::streamsize>(bytes.size()));
    out.close();
    if (!out)
        throw std::runtime_error("cannot write " + path.string());
}

// A SkinStream value is recognised by a first word that counts exactly the
// bytes after it; anything else is taken as a skin file.
std::span<const uint8_t> CompressedPackageOf(std::span<const uint8_t> file)
{
    if (file.size() >= 4 && skin::ReadInt32LE(file, 0) == static_cast<int64_t>(file.size()) - 4)
        return skin::UnframeSkinStream(file);
    return file;
}

skin::TSkinReader LoadReader(const fs::path& path)
{
    const Bytes file = skin::ReadFileBytes(path);
    skin::TSkinReader reader;
    if (!reader.LoadPackage(CompressedPackageOf(file)))
        throw std::runtime_error(path.string() + ": unknown skin package version");
    return reader;
}

// Prints the findings, warnings and errors alike; true when there are no errors.
// The folder's description and bitmaps; what else it holds is noted and left out.
skin::TSkinFolder ReadFolder(const std::string& folder)
{
    skin::TSkinFolderRead read = skin::ReadSkinFolder(folder);
    for (const std::string& skipped : read.Skipped)
        std::cerr << "skipped " << skipped << " (not a .ini or .bmp file)\n";
    return std::move(read.Files);
}

bool Report(const std::vector<skin::TSkinFinding>& findings, std::ostream& out)
{
    size_t errors = 0;
    for (const skin::TSkinFinding& finding : findings) {
        out << skin::FormatFinding(finding) << "\n";
        errors += finding.Warning ? 0 : 1;
    }
    return errors == 0;
}

std::string Counted(size_t count, const char* what)
{
    return std::to_string(count) + " " + what + (count == 1 ? "" : "s");
}

std::string Summary(const std::vector<skin::TSkinFinding>& findings)
{
    const auto warnings = static_cast<size_t>(
        std::count_if(findings.begin(), findings.end(), [](const skin::TSkinFinding& f) { return f.Warning; }));
    return Counted(findings.size() - warnings, "error") + ", " + Counted(warnings, "warning");
}

int Check(const std::vector<std::string>& args)
{
    if (args.size() != 1)
        throw UsageError("check needs a folder");
    const std::vector<skin::TSkinFinding> findings = skin::CheckSkin(ReadFolder(args[0]));
    const bool clean = Report(findings, std::cout);
    std::cout << args[0] << ": " << Summary(findings) << "\n";
    return clean ? 0 : 1;
}

int Pack(std::vector<std::string> args)
{
    bool skinFile = false, checked = true;
    for (; !args.empty() && args[0].starts_with("--"); args.erase(args.begin())) {
        if (args[0] == "--skin-file")
            skinFile = true;
        else if (args[0] == "--unchecked")
            checked = false;
        else
            throw UsageError("unknown option " + args[0]);
    }
    if (args.size() != 2)
        throw UsageError("pack needs a folder and an output file");
    const skin::TSkinFolder files = ReadFolder(args[0]);
    const std::vector<skin::TSkinPackageEntry> entries = skin::SkinPackageEntries(args[0], files);
    const std::vector<skin::TSkinFinding> findings = checked ? skin::CheckSkin(files) : std::vector<skin::TSkinFinding>();
    if (!Report(findings, std::cerr))
        throw std::runtime_error(args[0] + " is not packed: " + Summary(findings) + " (see `skintool check`)");
    const Bytes unpacked = skin::WriteSkinPackage(entries);
    const Bytes compressed = skin::PackLzhPackage(unpacked);
    WriteFile(args[1], skinFile ? compressed : skin::FrameSkinStream(compressed));
    std::cout << "packed " << entries.size() << " entries: " << unpacked.size() << " bytes unpacked, "
              << compressed.size() << " bytes compressed, written as " << (skinFile ? "a skin file" : "a SkinStream value")
              << " to " << args[1] << "\n";
    return 0;
}

int Keys(const std::vector<std::string>& args)
{
    if (!args.empty())
        throw UsageError("keys takes no arguments");
    skintool::WriteKeysReference(std::cout);
    return 0;
}

int List(const std::vector<std::string>& args)
{
    if (args.size() != 1)
        throw UsageError("list needs a package");
    const skin::TSkinReader reader = LoadReader(args[0]);
    std::cout << "version " << reader.Header().Version << ", " << reader.Count() << " entries\n";
    for (int i = 0; i < reader.Count(); ++i)
        std::printf("%10d  %s\n", reader.Sizes()[static_cast<size_t>(i)], reader.Names()[static_cast<size_t>(i)].c_str());
    return 0;
}

int Extract(const std::vector<std::string>& args)
{
    if (args.size() != 3)
        throw UsageError("extract needs a package, an entry name and an output file");
    const skin::TSkinReader reader = LoadReader(args[0]);
    Bytes entry;
    if (!reader.ExtractEntry(args[1], entry))
        throw std::runtime_error(args[0] + " has no entry \"" + skin::AsciiLowerCase(args[1]) + "\"");
    WriteFile(args[2], entry);
    return 0;
}

int Unpack(const std::vector<std::string>& args)
{
    if (args.size() != 2)
        throw UsageError("unpack needs a package and an output file");
    const Bytes file = skin::ReadFileBytes(args[0]);
    WriteFile(args[1], skin::UnpackLzhPackage(CompressedPackageOf(file)));
    return 0;
}

constexpr const char* Usage =
    "usage: skintool check <folder>\n"
    "       skintool pack [--skin-file] [--unchecked] <folder> <out>\n"
    "       skintool keys\n"
    "       skintool list <package>\n"
    "       skintool extract <package> <entry> <out>\n"
    "       skintool unpack <package> <out>\n";

} // namespace

int main(int argc, char** argv)
{
    if (argc < 2) {
        std::cerr << Usage;
        return 2;
    }
    const std::string command = argv[1];
    const std::vector<std::string> args(argv + 2, argv + argc);
    try {
        if (command == "check")
            return Check(args);
        if (command == "pack")
            return Pack(args);
        if (command == "keys")
            return Keys(args);
        if (command == "list")
            return List(args);
        if (command == "extract")
            return Extract(args);
        if (command == "unpack")
            return Unpack(args);
        throw UsageError("unknown command \"" + command + "\"");
    } catch (const UsageError& e) {
        std::cerr << "skintool: " << e.what() << "\n" << Usage;
        return 2;
    } catch (const std::exception& e) {
        std::cerr << "skintool: " << e.what() << "\n";
        return 1;
    }
}
