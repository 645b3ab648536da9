// Check boxes and radio buttons that paint from glyph strips they publish:
// the strips built from the skin's check and radio pictures put each frame
// where such a control expects it, discovery hands them over by class name
// through the published properties, and switching the skin off takes the
// custom glyphs away again. The controls stand for another library's: small
// test classes registered under its class names.
#include <gtest/gtest.h>

#include <windows.h>

#include <memory>
#include <vector>

#include "skin/controls/SkinGlyphStrips.h"
#include "skin/data/SkinRecords.h"
#include "tests/win/support/ControlSkinSupport.h"
#include "tests/win/support/PixelTestSupport.h"
#include "tests/win/support/SkinTestSupport.h"
#include "tests/win/support/WindowTestSupport.h"
#include "ui/controls/ExtCtrls.h"

using namespace skin;
using namespace tests;

namespace {

constexpr RECT FormBounds{120, 120, 420, 300};

// A check box or radio button of the library that takes a strip through
// "CustomGlyphs"; it notes each change of "UseCustomGlyphs".
class TStripButton : public ui::TCustomControl {
public:
    using TCustomControl::TCustomControl;
    ui::TBitmap* CustomGlyphs() const { return glyphs_.get(); }
    void SetCustomGlyphs(ui::TBitmap* picture) { glyphs_->Assign(*picture); }
    int TransparentColor() const { return transparent_; }
    void SetTransparentColor(int colour) { transparent_ = colour; }
    bool UseCustomGlyphs() const { return use_; }
    void SetUseCustomGlyphs(bool on)
    {
        use_ = on;
        UseChanges.push_back(on);
    }
    std::vector<bool> UseChanges;

protected:
    // The class information of a class of this kind named `name`.
    static ui::TClassInfo Published(const char* name)
    {
        using B = TStripButton;
        return ui::TClassBuilder<B>(name, &TCustomControl::StaticClass())
            .Object("CustomGlyphs", &B::CustomGlyphs, &B::SetCustomGlyphs)
            .Int("transparentcolor", &B::TransparentColor, &B::SetTransparentColor)
            .Bool("UseCustomGlyphs", &B::UseCustomGlyphs, &B::SetUseCustomGlyphs)
            .Done();
    }

private:
    std::unique_ptr<ui::TBitmap> glyphs_ = std::make_unique<ui::TBitmap>();
    int transparent_ = 0;
    bool use_ = false;
};

class TRzCheckBox : public TStripButton {
    UI_CLASS(TRzCheckBox)
public:
    using TStripButton::TStripButton;
};

const ui::TClassInfo& TRzCheckBox::StaticClass()
{
    static const ui::TClassInfo info = Published("TRzCheckBox");
    return info;
}

class TRzRadioButton : public TStripButton {
    UI_CLASS(TRzRadioButton)
public:
    using TStripButton::TStripButton;
};

const ui::TClassInfo& TRzRadioButton::StaticClass()
{
    static const ui::TClassInfo info = Published("TRzRadioButton");
    return info;
}

// A button of no listed class, which takes a strip only as a button of the
// library's radio group.
class TGroupRadio : public TStripButton {
    UI_CLASS(TGroupRadio)
public:
    using TStripButton::TStripButton;
};

const ui::TClassInfo& TGroupRadio::StaticClass()
{
    static const ui::TClassInfo info = Published("TGroupRadio");
    return info;
}

// A radio group of the library, listed in the skin data's default Skin3rd
// rows: its buttons take strips too.
class TRzRadioGroup : public ui::TCustomControl {
    UI_CLASS(TRzRadioGroup)
public:
    using TCustomControl::TCustomControl;
};

const ui::TClassInfo& TRzRadioGroup::StaticClass()
{
    static const ui::TClassInfo info =
        ui::TClassBuilder<TRzRadioGroup>("TRzRadioGroup", &TCustomControl::StaticClass()).Done();
    return info;
}

// The settings object of the other check box, holding its "Glyph".
class TCheckProperties : public ui::TPersistent {
    UI_CLASS(TCheckProperties)
public:
    ui::TBitmap* Glyph() const { return glyph_.get(); }
    void SetGlyph(ui::TBitmap* picture) { glyph_->Assign(*picture); }

private:
    std::unique_ptr<ui::TBitmap> glyph_ = std::make_unique<ui::TBitmap>();
};

const ui::TClassInfo& TCheckProperties::StaticClass()
{
    static const ui::TClassInfo info =
        ui::TClassBuilder<TCheckProperties>("TCheckProperties", &TPersistent::StaticClass())
            .Object("Glyph", &TCheckProperties::Glyph, &TCheckProperties::SetGlyph)
            .Done();
    return info;
}

class TcxCheckBox : public ui::TCustomControl {
    UI_CLASS(TcxCheckBox)
public:
    using TCustomControl::TCustomControl;
    TCheckProperties* Properties() const { return properties_.get(); }
    void SetProperties(TCheckProperties*) {}

private:
    std::unique_ptr<TCheckProperties> properties_ = std::make_unique<TCheckProperties>();
};

const ui::TClassInfo& TcxCheckBox::StaticClass()
{
    static const ui::TClassInfo info = ui::TClassBuilder<TcxCheckBox>("TcxCheckBox", &TCustomControl::StaticClass())
                                           .Object("Properties", &TcxCheckBox::Properties, &TcxCheckBox::SetProperties)
                                           .Done();
    return info;
}

// A picture of `frames` frames 3 x 2 pixels, frame n (from 1) in colour n.
std::unique_ptr<ui::TBitmap> NumberedFrames(int frames)
{
    auto strip = std::make_unique<ui::TBitmap>(3 * frames, 2);
    for (int n = 1; n <= frames; ++n) {
        const RECT r{3 * (n - 1), 0, 3 * n, 2};
        ui::TBrushHandle brush(CreateSolidBrush(RGB(n * 20, 0, 0)));
        FillRect(strip->Canvas()->Handle(), &r, brush.Get());
    }
    return strip;
}

// Which picture frame each strip frame shows: 0 for none (magenta).
std::vector<int> FramesOf(const ui::TBitmap& strip)
{
    std::vector<int> frames;
    for (int x = 0; x < strip.Width(); x += 3) {
        const Bgr pixel = At(strip, x, 0);
        frames.push_back(pixel == Magenta ? 0 : pixel.R / 20);
    }
    return frames;
}

} // namespace

// Each kind's strip from pictures of four and five frames: the fifth (the
// grayed look) fills the check boxes' grayed places, which a four-frame
// picture leaves empty.
TEST(GlyphStrips, EachKindPutsTheFramesWhereItsControlsExpectThem)
{
    struct Case {
        TGlyphStripKind kind;
        int pictureFrames;
        std::vector<int> strip;
    };
    const Case cases[] = {
        {TGlyphStripKind::CheckNine, 4, {1, 2, 0, 1, 2, 0, 3, 4, 0}},
        {TGlyphStripKind::CheckNine, 5, {1, 2, 5, 1, 2, 5, 3, 4, 5}},
        {TGlyphStripKind::RadioSix, 4, {1, 2, 1, 2, 3, 4}},
        {TGlyphStripKind::RadioSix, 5, {1, 2, 1, 2, 3, 4}},
        {TGlyphStripKind::CheckSix, 4, {1, 2, 0, 1, 2, 0}},
        {TGlyphStripKind::CheckSix, 5, {1, 2, 5, 1, 2, 5}},
    };
    for (const Case& c : cases) {
        TDataSkinButton buttons("Buttons");
        buttons.CheckImage = NumberedFrames(c.pictureFrames);
        buttons.CheckFrameCount = c.pictureFrames;
        buttons.RadioImage = NumberedFrames(c.pictureFrames);
        buttons.RadioFrameCount = c.pictureFrames;
        const auto strip = BuildGlyphStrip(c.kind, buttons);
        ASSERT_NE(strip, nullptr);
        EXPECT_EQ(strip->Height(), 2);
        EXPECT_EQ(FramesOf(*strip), c.strip) << static_cast<int>(c.kind) << " from " << c.pictureFrames;
    }
    TDataSkinButton none("Buttons");
    EXPECT_EQ(BuildGlyphStrip(TGlyphStripKind::CheckNine, none), nullptr) << "no check picture, no strip";
}

// On a skinned form each control gets its kind's strip from the skin's own
// pictures (a radio button in the library's radio group as well), the custom glyphs switched off and on again so it reloads
// them; switched off, the custom glyphs are off and the Glyph empty again.
TEST(GlyphStrips, DiscoveryHandsTheStripsOverAndTakesThemBack)
{
    TControlSkinning skinning;
    TSkinTestBed bed;
    bed.HoldBack();
    auto form = ShowForm(ui::TFormBorderStyle::bsSizeable, FormBounds);
    const auto place = [&](ui::TControl* control, int top) {
        control->SetParent(form.get());
        control->SetBounds(10, top, 120, 20);
    };
    auto* check = new TRzCheckBox(form.get());
    place(check, 10);
    auto* radio = new TRzRadioButton(form.get());
    place(radio, 40);
    auto* cx = new TcxCheckBox(form.get());
    place(cx, 70);
    auto* group = new TRzRadioGroup(form.get());
    place(group, 100);
    group->SetHeight(60);
    auto* grouped = new TGroupRadio(form.get());
    grouped->SetParent(group);
    grouped->SetBounds(10, 20, 100, 20);
    TWinSkinForm* controller = bed.Skin(form->Handle());
    ASSERT_TRUE(controller);
    TDataSkinButton& buttons = *bed.Data().Buttons;

    const struct {
        ui::TControl* control;
        TGlyphStripKind kind;
        ui::TBitmap* strip;
    } handed[] = {{check, TGlyphStripKind::CheckNine, check->CustomGlyphs()},
                  {radio, TGlyphStripKind::RadioSix, radio->CustomGlyphs()},
                  {cx, TGlyphStripKind::CheckSix, cx->Properties()->Glyph()},
                  {grouped, TGlyphStripKind::RadioSix, grouped->CustomGlyphs()}};
    for (const auto& h : handed) {
        auto* skinner =
            dynamic_cast<TSkinObjImage*>(controller->FindSkinnerOfWindow(static_cast<ui::TWinControl*>(h.control)->Handle()));
        ASSERT_NE(skinner, nullptr) << static_cast<int>(h.kind);
        EXPECT_EQ(skinner->Kind, h.kind);
        EXPECT_TRUE(h.control->WindowProcHooks().empty()) << "the control keeps its own painting";
        EXPECT_EQ(h.control->Color(), bed.Data().Colours.ButtonFace);
        EXPECT_TRUE(SamePixels(*h.strip, *BuildGlyphStrip(h.kind, buttons))) << static_cast<int>(h.kind);
    }
    for (TStripButton* b : {static_cast<TStripButton*>(check), static_cast<TStripButton*>(radio),
                            static_cast<TStripButton*>(grouped)}) {
        EXPECT_EQ(b->UseChanges, (std::vector<bool>{false, true}));
        EXPECT_EQ(b->TransparentColor(), 0xFF00FF);
    }
    EXPECT_FALSE(cx->Properties()->Glyph()->Transparent());
    EXPECT_EQ(cx->Properties()->Glyph()->TransparentColor(), 0xFF00FF);

    bed.Data().SetActive(false);
    ASSERT_TRUE(PumpUntil([&] { return bed.Manager().Controllers().empty(); }));
    EXPECT_FALSE(check->UseCustomGlyphs());
    EXPECT_FALSE(radio->UseCustomGlyphs());
    EXPECT_FALSE(grouped->UseCustomGlyphs());
    EXPECT_TRUE(cx->Properties()->Glyph()->Empty());
}
