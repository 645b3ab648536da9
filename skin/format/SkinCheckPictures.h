// The skin checker's pictures: decoded pixels, the frames the engine cuts a
// picture into, and the checks of one picture against its section: frames
// that divide it, margins that fit in a frame, and the key colour (magenta)
// where the picture is drawn keyed.
#pragma once

#include "skin/format/SkinCheck.h"
#include "skin/format/SkinCheckDescription.h"
#include "skin/format/SkinKeys.h"
#include "skin/format/WinSkinIni.h"

#include <cstdint>
#include <optional>
#include <span>
#include <string>
#include <vector>

namespace skin {

inline constexpr std::uint32_t KeyColour = 0xFF00FF;  // 0xRRGGBB

// A picture's pixels as 0xRRGGBB, rows top to bottom.
struct TPixels {
    int Width = 0;
    int Height = 0;
    std::vector<std::uint32_t> Rgb;

    std::uint32_t At(int x, int y) const
    {
        return Rgb[static_cast<size_t>(y) * static_cast<size_t>(Width) + static_cast<size_t>(x)];
    }
};

// Decodes BMP data with the program's own reader; raises ui::EInvalidGraphic.
TPixels DecodePixels(std::span<const std::uint8_t> bytes);

struct TFrameLayout {
    int Count = 1;
    bool Stacked = false;  // frames top to bottom
};

struct TMargins {
    int Left = 0;
    int Right = 0;
    int Top = 0;
    int Bottom = 0;
};

// The mean colour of frame `frame` (from 1) inside its margins (the whole
// frame where the margins leave nothing), magenta left out; none when every
// pixel there is magenta.
std::optional<std::uint32_t> MiddleColour(const TPixels& pixels, TFrameLayout layout, TMargins margins, int frame);

// A picture of a section as the engine draws it.
struct TLoadedPicture {
    std::string Section;  // as written
    const TSkinPicture* Spec = nullptr;
    std::string File;     // as in the folder
    TPixels Pixels;
    TFrameLayout Layout;
    TMargins Margins;
    bool Keyed = false;   // magenta is left out when drawn
};

// What the picture checks read: the description in both forms, the
// description's file name, and where the findings go.
struct TPictureCheckContext {
    const TQuickIni& Ini;
    const TDescription& Description;
    const std::string& File;
    std::vector<TSkinFinding>& Findings;
};

// Checks `pixels`, the picture that `picture` describes in `section`, and
// returns it as the engine draws it.
TLoadedPicture CheckPicture(const TPictureCheckContext& context, const TDescribedSection& section,
                            const TSkinPicture& picture, const std::string& file, TPixels pixels);

} // namespace skin
