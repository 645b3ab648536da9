#include "tests/win/support/TestSkins.h"

#include <gtest/gtest.h>

#include "skin/format/LZHEncoder.h"
#include "tests/win/support/SkinTestSupport.h"

namespace tests {

Bytes StripBytes(int w, int h, const std::vector<ui::TColor>& colours)
{
    ui::TBitmap b(w * static_cast<int>(colours.size()), h);
    for (size_t k = 0; k < colours.size(); ++k)
        for (int y = 0; y < h; ++y)
            for (int x = 0; x < w; ++x) {
                std::uint8_t* p = b.ScanLine(y) + (static_cast<int>(k) * w + x) * 3;
                const COLORREF c = ui::ColorToRGB(colours[k]);
                p[0] = GetBValue(c);
                p[1] = GetGValue(c);
                p[2] = GetRValue(c);
            }
    return b.SaveToBytes();
}

Bytes Solid(int w, int h, ui::TColor colour)
{
    return StripBytes(w, h, {colour});
}

Bytes TTestSkin::Package() const
{
    std::vector<skin::TSkinPackageEntry> entries{{"test.ini", Bytes(Ini.begin(), Ini.end())}};
    entries.insert(entries.end(), Pictures.begin(), Pictures.end());
    return skin::PackLzhPackage(skin::WriteSkinPackage(entries));
}

std::unique_ptr<skin::TSkinData> LoadedFrom(const TTestSkin& skin)
{
    auto data = std::make_unique<skin::TSkinData>(nullptr);
    data->SetSkinPackage(skin.Package());
    EXPECT_TRUE(data->LoadSkin());
    return data;
}

TTestSkin CompiledInSkinCopy()
{
    skin::TSkinReader reader;
    EXPECT_TRUE(reader.LoadPackage(CompiledInSkinPackage()));
    TTestSkin skin;
    for (const std::string& name : reader.Names()) {
        Bytes data;
        reader.ExtractEntry(name, data);
        if (name.ends_with(".ini"))
            skin.Ini.assign(data.begin(), data.end());
        else
            skin.Pictures.push_back({name, std::move(data)});
    }
    return skin;
}

void SetPicture(TTestSkin& skin, const std::string& name, Bytes data)
{
    for (skin::TSkinPackageEntry& entry : skin.Pictures)
        if (entry.Name == name) {
            entry.Data = std::move(data);
            return;
        }
    skin.Pictures.push_back({name, std::move(data)});
}

std::unique_ptr<skin::TSkinData> CompiledInSkinData()
{
    auto data = std::make_unique<skin::TSkinData>(nullptr);
    data->SetSkinPackage(CompiledInSkinPackage());
    EXPECT_TRUE(data->LoadSkin());
    return data;
}

} // namespace tests
