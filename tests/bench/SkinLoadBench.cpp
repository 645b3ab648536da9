// skinloadbench: what loading the compiled-in skin costs, measured on the
// main window's stored form as the program reads it. Run under Wine:
//
//   wine skinloadbench.exe
//
// Prints the compressed and unpacked sizes of the package, the decoder's
// throughput, the time of a whole LoadSkin (unpacking, the description, every
// picture and the derived ones) and of reading the form text that carries it.
#include <windows.h>

#include <chrono>
#include <cstdio>
#include <functional>
#include <string_view>

#include "app/Startup.h"
#include "skin/data/WinSkinData.h"
#include "skin/format/LZH.h"
#include "skin/format/SkinReader.h"
#include "ui/core/FormReader.h"

using Clock = std::chrono::steady_clock;

namespace {

std::string_view MainFormText()
{
    HRSRC res = FindResourceW(nullptr, L"TFORM_MAIN", MAKEINTRESOURCEW(10) /* RT_RCDATA */);
    HGLOBAL data = res ? LoadResource(nullptr, res) : nullptr;
    const void* bytes = data ? LockResource(data) : nullptr;
    return bytes ? std::string_view(static_cast<const char*>(bytes), SizeofResource(nullptr, res)) : std::string_view();
}

const ui::TFormBinary* StoredSkinStream(const ui::TFormObject& form)
{
    for (const ui::TFormObject& child : form.Children)
        if (child.Name == "SkinData1")
            for (const ui::TFormProperty& p : child.Properties)
                if (p.Name == "SkinStream")
                    return std::get_if<ui::TFormBinary>(&p.Value.Data);
    return nullptr;
}

// Runs `work` repeatedly for about `seconds` and returns the mean time of
// one run in milliseconds.
double MeanMilliseconds(const std::function<void()>& work, double seconds, int* runs = nullptr)
{
    int count = 0;
    const auto start = Clock::now();
    std::chrono::duration<double> spent{};
    do {
        work();
        ++count;
        spent = Clock::now() - start;
    } while (spent.count() < seconds);
    if (runs)
        *runs = count;
    return spent.count() * 1000.0 / count;
}

} // namespace

int main()
{
    const std::string_view text = MainFormText();
    if (text.empty()) {
        std::fprintf(stderr, "skinloadbench: the main window's form is not in the resources\n");
        return 1;
    }
    ui::TFormObject form;
    const double parseMs = MeanMilliseconds([&] { form = ui::ParseForm(text); }, 1.0);
    const ui::TFormBinary* value = StoredSkinStream(form);
    if (!value) {
        std::fprintf(stderr, "skinloadbench: the form stores no SkinStream\n");
        return 1;
    }
    const std::span<const uint8_t> package = skin::UnframeSkinStream(*value);
    size_t unpacked = 0;
    int decodeRuns = 0;
    const double decodeMs = MeanMilliseconds([&] { unpacked = skin::UnpackLzhPackage(package).size(); }, 1.0,
                                             &decodeRuns);

    app::RegisterAppClasses();
    skin::TSkinData data(nullptr);
    data.SetSkinPackage(std::vector<uint8_t>(package.begin(), package.end()));
    bool loaded = true;
    int loadRuns = 0;
    const double loadMs = MeanMilliseconds([&] { loaded = loaded && data.LoadSkin(); }, 2.0, &loadRuns);
    if (!loaded) {
        std::fprintf(stderr, "skinloadbench: the compiled-in skin did not load\n");
        return 1;
    }

    std::printf("form text:          %zu bytes, parsed in %.2f ms\n", text.size(), parseMs);
    std::printf("SkinStream value:   %zu bytes (compressed package %zu bytes)\n", value->size(), package.size());
    std::printf("unpacked package:   %zu bytes\n", unpacked);
    std::printf("decode:             %.2f ms, %.1f MB/s of unpacked output (%d runs)\n", decodeMs,
                unpacked / (decodeMs / 1000.0) / 1e6, decodeRuns);
    std::printf("whole LoadSkin:     %.2f ms (%d runs)\n", loadMs, loadRuns);
    return 0;
}
