#include "tools/win/SkinArgument.h"

#include <windows.h>

#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

#include "skin/data/WinSkinData.h"
#include "skin/format/LZHEncoder.h"
#include "skin/format/SkinFolder.h"
#include "ui/core/Utf8.h"
#include "ui/forms/Forms.h"

namespace tools {

namespace {

// The check's errors shown at most; the rest are counted.
constexpr std::size_t ShownSkinErrors = 20;

// The folder's compressed package, as `skintool pack --skin-file` writes it.
// A folder the check finds errors in is refused with those errors.
std::vector<std::uint8_t> PackSkinFolder(const std::filesystem::path& folder)
{
    const skin::TSkinFolder files = skin::ReadSkinFolder(folder).Files;
    const std::vector<std::string> errors = skin::SkinErrors(skin::CheckSkin(files));
    if (!errors.empty()) {
        std::string text = skin::PathText(folder) + ": the skin has " + std::to_string(errors.size()) +
                           (errors.size() == 1 ? " error" : " errors") + " (see `skintool check`):";
        for (std::size_t i = 0; i < errors.size() && i < ShownSkinErrors; ++i)
            text += "\n" + errors[i];
        if (errors.size() > ShownSkinErrors)
            text += "\n... and " + std::to_string(errors.size() - ShownSkinErrors) + " more";
        throw skin::ESkinLoadError(text);
    }
    return skin::PackLzhPackage(skin::WriteSkinPackage(skin::SkinPackageEntries(folder, files)));
}

// A skin file in the temporary folder, removed again when this goes.
class TTemporarySkinFile {
public:
    explicit TTemporarySkinFile(const std::vector<std::uint8_t>& package)
    {
        wchar_t folder[MAX_PATH + 1] = {};
        wchar_t name[MAX_PATH + 1] = {};
        if (!GetTempPathW(MAX_PATH + 1, folder) || !GetTempFileNameW(folder, L"skn", 0, name))
            throw ui::EInOutError("cannot make a temporary file for the packed skin");
        path_ = name;
        std::ofstream out(std::filesystem::path(path_), std::ios::binary | std::ios::trunc);
        out.write(reinterpret_cast<const char*>(package.data()), static_cast<std::streamsize>(package.size()));
        out.close();
        if (!out) {
            DeleteFileW(path_.c_str());  // made by GetTempFileNameW; no destructor runs
            throw ui::EInOutError("cannot write the packed skin to " + ui::WideToUtf8(path_));
        }
    }
    ~TTemporarySkinFile() { DeleteFileW(path_.c_str()); }
    TTemporarySkinFile(const TTemporarySkinFile&) = delete;
    TTemporarySkinFile& operator=(const TTemporarySkinFile&) = delete;

    const std::wstring& Path() const { return path_; }

private:
    std::wstring path_;
};

} // namespace

bool UseSkin(skin::TSkinData& data, const std::wstring& path)
{
    const std::vector<std::uint8_t> held = data.SkinPackage();
    const std::filesystem::path where(path);
    std::error_code error;
    try {
        if (std::filesystem::is_directory(where, error)) {
            const TTemporarySkinFile file(PackSkinFolder(where));
            data.SetSkinFile(file.Path());
        } else if (std::filesystem::is_regular_file(where, error)) {
            data.SetSkinFile(path);
        } else {
            throw skin::ESkinLoadError(ui::WideToUtf8(path) + ": there is no skin folder or skin file of that name");
        }
        if (!data.Empty())
            return true;
    } catch (const std::exception& e) {
        ui::Application()->HandleException(e);
    }
    // A file the skin data could not load has been shown by it and left the
    // data empty: the held skin comes back.
    if (data.Empty()) {
        data.SetSkinPackage(held);
        if (data.LoadSkin())
            data.RefreshSkin();
    }
    return false;
}

} // namespace tools
