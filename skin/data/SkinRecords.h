// The element records beyond the base record (skin/draw/SkinObjects.h): the
// kinds of skin element that carry more than one picture and its margins.
#pragma once

#include <cstdint>
#include <memory>
#include <string>

#include "skin/draw/SkinObjects.h"

namespace skin {

// An element with a second picture: the window frame borders (the frame
// has none, Image2 stays empty), tabs and their border, the combo button
// and its mirror image, the up-down arrows and their glyphs.
class TDataSkinBorder : public TDataSkinObject {
public:
    using TDataSkinObject::TDataSkinObject;
    std::unique_ptr<ui::TBitmap> Image2 = std::make_unique<ui::TBitmap>();
};

// The caption text of the title bar. Image is the picture drawn behind the
// text, and the base margins place the text: LeftWidth is the text's shift
// from the left, TopHeight its vertical shift, RightWidth where it is clipped
// on the right.
class TDataSkinTitle : public TDataSkinObject {
public:
    using TDataSkinObject::TDataSkinObject;
    std::int32_t TextShift() const { return LeftWidth; }
    std::int32_t TextShiftVert() const { return TopHeight; }
    std::int32_t TextRightClip() const { return RightWidth; }

    std::int32_t TextAlignment = 0;
    std::int32_t Textbackground = 0;
    std::int32_t FontHeight = 14;
    std::int32_t TXTBackleft = 0;   // fixed left end of the text's background picture
    std::int32_t TXTBackRight = 0;  // fixed right end
    ui::TColor ActiveTextColour = ui::clNone;    // clNone: the skin sets none
    ui::TColor InactiveTextColour = ui::clNone;
};

// Push buttons, with the check box and radio button pictures beside them.
class TDataSkinButton : public TDataSkinObject {
public:
    using TDataSkinObject::TDataSkinObject;
    std::unique_ptr<ui::TBitmap> CheckImage = std::make_unique<ui::TBitmap>();
    std::unique_ptr<ui::TBitmap> RadioImage = std::make_unique<ui::TBitmap>();
    std::int32_t RadioFrameCount = 0;
    std::int32_t CheckFrameCount = 0;
    // Whether the skin gives the text colour of the state (else ButtonText).
    bool HasNormalColour2 = false;
    bool HasMouseOverColour2 = false;
    bool HasPressedColour2 = false;
};

// One caption button of the title bar: what it does (Action), where it sits
// (Align, Xcoord, Ycoord) and when it shows (Visibility, Visibility1).
class TDataSkinSysButton : public TDataSkinObject {
public:
    using TDataSkinObject::TDataSkinObject;
    std::int32_t Action = 0;
    std::int32_t Align = 0;
    std::int32_t Xcoord = 0;
    std::int32_t Ycoord = 0;
    std::int32_t CombineOp = -1;
    std::int32_t Visibility = 0;
    std::int32_t Visibility1 = 0;
};

// The caption of a group box, with the placement of its background picture.
class TDataSkinBoxLabel : public TDataSkinObject {
public:
    using TDataSkinObject::TDataSkinObject;
    std::int32_t BackgroundLeftShift = 0;
    std::int32_t BackgroundRightShift = 0;
    std::int32_t BackgroundAlignment = 0;
};

} // namespace skin
