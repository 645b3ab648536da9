#include "tests/win/TestSkins.h"

#include <gtest/gtest.h>

#include <string_view>

#include "skin/LZHEncoder.h"
#include "ui/FormReader.h"

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

namespace {

// The stored form of the main window, as its resource holds it.
std::string_view MainFormText()
{
    const HRSRC res = FindResourceW(nullptr, L"TFORM_MAIN", MAKEINTRESOURCEW(10) /* RT_RCDATA */);
    const HGLOBAL data = res ? LoadResource(nullptr, res) : nullptr;
    const void* bytes = data ? LockResource(data) : nullptr;
    if (!bytes)
        return {};
    return {static_cast<const char*>(bytes), SizeofResource(nullptr, res)};
}

const ui::TFormValue* FindSkinStream(const ui::TFormObject& object)
{
    if (object.ClassName == "TSkinData")
        for (const ui::TFormProperty& property : object.Properties)
            if (property.Name == "SkinStream")
                return &property.Value;
    for (const ui::TFormObject& child : object.Children)
        if (const ui::TFormValue* value = FindSkinStream(child))
            return value;
    return nullptr;
}

} // namespace

std::unique_ptr<skin::TSkinData> CompiledInSkinData()
{
    const ui::TFormObject form = ui::ParseForm(MainFormText());
    const ui::TFormValue* stream = FindSkinStream(form);
    auto data = std::make_unique<skin::TSkinData>(nullptr);
    EXPECT_NE(stream, nullptr) << "the main window's form stores no skin";
    if (stream)
        data->ReadDefinedProperty("SkinStream", *stream);
    EXPECT_FALSE(data->Empty());
    return data;
}

} // namespace tests
