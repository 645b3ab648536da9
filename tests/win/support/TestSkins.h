// Skins made by tests: a description and pictures packed as a skin file,
// pictures of solid-coloured frames, and skin data loaded from them.
#pragma once

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "skin/data/WinSkinData.h"
#include "skin/format/SkinReader.h"
#include "ui/graphics/Graphics.h"

namespace tests {

using Bytes = std::vector<std::uint8_t>;

// A 24-bit BMP file of `colours.size()` frames of w x h side by side,
// frame k filled with colours[k].
Bytes StripBytes(int w, int h, const std::vector<ui::TColor>& colours);
// A BMP file of one w x h frame of one colour.
Bytes Solid(int w, int h, ui::TColor colour);

// A skin made by a test: its description and pictures, packed as a skin file.
struct TTestSkin {
    std::string Ini;
    std::vector<skin::TSkinPackageEntry> Pictures;

    Bytes Package() const;
};

// Skin data with the test skin loaded (a failed load fails the test).
std::unique_ptr<skin::TSkinData> LoadedFrom(const TTestSkin& skin);

// Skin data holding the compiled-in skin alone: its Loaded does not run, so
// no skin manager starts for it.
std::unique_ptr<skin::TSkinData> CompiledInSkinData();

// The compiled-in skin as a test skin, its description and every picture,
// for a test to change a picture or a key of.
TTestSkin CompiledInSkinCopy();
// Replaces the picture `name` of `skin` (adds it when the skin has none).
void SetPicture(TTestSkin& skin, const std::string& name, Bytes data);

} // namespace tests
