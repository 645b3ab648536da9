// TDataSkinObject: one piece of a skin, an image of equal frames (one per
// state) with fixed margins for nine-slice drawing, a tile flag, a
// transparency flag, a style and colours.
//
// This header holds the base record only, as the drawing primitives take it
// (skin/draw/SkinDraw.h). The descendants (borders, title, buttons, title buttons,
// box labels) and the loading of the records from a skin description belong
// to the skin data model beside it.
#pragma once

#include <cstdint>
#include <memory>
#include <string>

#include "ui/graphics/Graphics.h"

namespace skin {

// The four fixed margins of a nine-slice picture, in pixels.
struct TElementMargins {
    int LeftWidth = 0;
    int TopHeight = 0;
    int RightWidth = 0;
    int BottomHeight = 0;
};

class TDataSkinObject : public ui::TObject {
public:
    // A record named `name` with an empty Image.
    explicit TDataSkinObject(std::string name);
    ~TDataSkinObject() override;
    TDataSkinObject(const TDataSkinObject&) = delete;
    TDataSkinObject& operator=(const TDataSkinObject&) = delete;

    TElementMargins Margins() const { return {LeftWidth, TopHeight, RightWidth, BottomHeight}; }

    std::int32_t LeftWidth = 0;     // fixed left margin when stretched or tiled
    std::int32_t TopHeight = 0;     // fixed top margin
    std::int32_t RightWidth = 0;    // fixed right margin
    std::int32_t BottomHeight = 0;  // fixed bottom margin
    // FrameCount frames of equal size; side by side for the control elements.
    std::unique_ptr<ui::TBitmap> Image;
    std::int32_t Trans = 0;  // non-zero: the key colour 0xFF00FF is not drawn
    std::int32_t Tile = 0;   // 1: the middle is tiled, 0: stretched
    std::string Name;
    std::int32_t FrameCount = 0;
    std::int32_t Style = 0;
    std::int32_t NormalColour = -1;  // -1: not given
    std::int32_t MouseOverColour = -1;
    std::int32_t PressedColour = -1;
    ui::TColor NormalColour2 = ui::clBlack;  // text colour, normal state
    ui::TColor MouseOverColour2 = ui::clBlack;  // text colour under the mouse
    ui::TColor PressedColour2 = ui::clBlack;    // text colour when pressed
};

// Whether the element exists and has a picture to draw from.
bool HasPicture(const TDataSkinObject* element);

} // namespace skin
