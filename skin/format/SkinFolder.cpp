#include "skin/format/SkinFolder.h"

#include <algorithm>
#include <fstream>
#include <iterator>

#include "skin/format/SkinText.h"
#include "skin/format/WinSkinIni.h"
#include "ui/graphics/BmpFormat.h"

namespace skin {

namespace fs = std::filesystem;

namespace {

bool HasExtension(const fs::path& path, std::string_view extension)
{
    return AsciiLowerCase(PathText(path.extension())) == extension;
}

// Refuses, naming the file, what the program's readers refuse.
void CheckLoadable(const fs::path& path, const std::vector<std::uint8_t>& data, bool description)
{
    try {
        if (description)
            TQuickIni().LoadFromStream(data);
        else
            ui::ReadBmpLayout(data.data(), data.size());
    } catch (const ui::Exception& e) {
        throw ESkinFolderError(PathText(path) + " cannot be loaded by the program: " + e.Message());
    }
}

} // namespace

std::string PathText(const fs::path& path)
{
    const std::u8string text = path.u8string();
    return std::string(text.begin(), text.end());
}

std::vector<std::uint8_t> ReadFileBytes(const fs::path& path)
{
    std::ifstream in(path, std::ios::binary);
    if (!in)
        throw ESkinFolderError("cannot open " + PathText(path));
    std::vector<std::uint8_t> bytes((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
    if (in.bad())
        throw ESkinFolderError("cannot read " + PathText(path));
    return bytes;
}

TSkinFolderRead ReadSkinFolder(const fs::path& folder)
{
    TSkinFolderRead read;
    int descriptions = 0;
    std::error_code error;
    fs::directory_iterator items(folder, error);
    if (error)
        throw ESkinFolderError("cannot read the folder " + PathText(folder) + ": " + error.message());
    for (const fs::directory_entry& item : items) {
        const fs::path& path = item.path();
        const bool ini = HasExtension(path, ".ini");
        if (!item.is_regular_file(error) || (!ini && !HasExtension(path, ".bmp"))) {
            read.Skipped.push_back(PathText(path));
            continue;
        }
        TSkinFolderFile file{PathText(path.filename()), ReadFileBytes(path)};
        if (ini && ++descriptions == 1)
            read.Files.Description = std::move(file);
        else if (!ini)
            read.Files.Pictures.push_back(std::move(file));
    }
    if (descriptions != 1)
        throw ESkinFolderError(PathText(folder) + " must hold exactly one .ini description, not " +
                               std::to_string(descriptions));
    return read;
}

std::vector<TSkinPackageEntry> SkinPackageEntries(const fs::path& folder, const TSkinFolder& files)
{
    std::vector<TSkinPackageEntry> entries;
    CheckLoadable(folder / fs::path(std::u8string(files.Description.Name.begin(), files.Description.Name.end())),
                  files.Description.Bytes, true);
    entries.push_back({AsciiLowerCase(files.Description.Name), files.Description.Bytes});
    for (const TSkinFolderFile& picture : files.Pictures) {
        CheckLoadable(folder / fs::path(std::u8string(picture.Name.begin(), picture.Name.end())), picture.Bytes,
                      false);
        entries.push_back({AsciiLowerCase(picture.Name), picture.Bytes});
    }
    std::sort(entries.begin() + 1, entries.end(), [](const auto& a, const auto& b) { return a.Name < b.Name; });
    return entries;
}

std::vector<std::string> SkinErrors(const std::vector<TSkinFinding>& findings)
{
    std::vector<std::string> errors;
    for (const TSkinFinding& finding : findings)
        if (!finding.Warning)
            errors.push_back(FormatFinding(finding));
    return errors;
}

} // namespace skin
