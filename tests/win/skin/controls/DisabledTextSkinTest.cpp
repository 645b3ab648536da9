// Disabled captions read back from the screen: every family that writes a
// caption on a skinned face (push buttons, check boxes, radio buttons, tabs
// of both kinds, header sections, menu bar items) writes it disabled in the
// skin's ButtonShadow, and in the system's button shadow only when the
// skin's equals the colour the caption has enabled.
#include <gtest/gtest.h>

#include <windows.h>

#include <commctrl.h>

#include <functional>
#include <memory>
#include <string>

#include "skin/data/SkinRecords.h"
#include "skin/window/SkinMenuBar.h"
#include "tests/win/support/ControlSkinSupport.h"
#include "tests/win/support/FrameOnScreen.h"
#include "tests/win/support/PixelTestSupport.h"
#include "tests/win/support/SkinTestSupport.h"
#include "tests/win/support/WindowTestSupport.h"
#include "ui/controls/Buttons.h"
#include "ui/controls/HeaderControl.h"
#include "ui/controls/Menus.h"
#include "ui/controls/StdCtrls.h"
#include "ui/controls/Tabs.h"

using namespace skin;
using namespace tests;
using namespace std::chrono_literals;

namespace {

constexpr RECT FormBounds{120, 120, 560, 420};

// A colour no face of the test shows, given to ButtonShadow to find where a
// caption's pixels lie.
const COLORREF Probe = RGB(250, 10, 20);

// A rectangle of `window` on the screen.
RECT OnScreenOf(HWND window, RECT r)
{
    MapWindowPoints(window, nullptr, reinterpret_cast<POINT*>(&r), 2);
    return r;
}

RECT TabOnScreen(HWND tabs, int index)
{
    RECT r{};
    SendMessageW(tabs, TCM_GETITEMRECT, static_cast<WPARAM>(index), reinterpret_cast<LPARAM>(&r));
    InflateRect(&r, 0, 1);
    return OnScreenOf(tabs, r);
}

// A caption of one family: where it shows on the screen and the colour it
// has while its control is enabled.
struct TCaption {
    const char* Family;
    std::function<RECT()> Place;
    std::function<ui::TColor()> EnabledColour;
};

// A caption's pixels drawn in full colour (the edges of a smoothed caption
// are blends): enough of them to be a caption.
constexpr int CaptionPixels = 10;

// Pixels at which `probe` (the caption drawn in Probe) shows Probe, and how
// many of them `shot` (the same caption drawn in the colour under test) has
// in `wanted`.
struct TCaptionPixels {
    int Caption = 0;
    int InWanted = 0;
};

TCaptionPixels Compare(const ui::TBitmap& shot, const ui::TBitmap& probe, COLORREF wanted)
{
    TCaptionPixels pixels;
    for (int y = 0; y < probe.Height(); ++y)
        for (int x = 0; x < probe.Width(); ++x)
            if (At(probe, x, y) == BgrOf(Probe)) {
                ++pixels.Caption;
                pixels.InWanted += At(shot, x, y) == BgrOf(wanted);
            }
    return pixels;
}

int ProbePixels(const ui::TBitmap& shot)
{
    int count = 0;
    for (int y = 0; y < shot.Height(); ++y)
        for (int x = 0; x < shot.Width(); ++x)
            count += At(shot, x, y) == BgrOf(Probe);
    return count;
}

// A form holding one disabled control of each family and a menu bar whose
// first item is disabled, skinned.
class DisabledCaptions : public ::testing::Test {
protected:
    void SetUp() override
    {
        form = std::make_unique<ui::TForm>(nullptr);
        form->SetPosition(ui::TPosition::poDesigned);
        form->SetBounds(FormBounds.left, FormBounds.top, FormBounds.right - FormBounds.left,
                        FormBounds.bottom - FormBounds.top);
        auto* menu = new ui::TMainMenu(form.get());
        for (const wchar_t* caption : {L"&Disabled item", L"&Edit"}) {
            auto* item = new ui::TMenuItem(form.get());
            item->SetCaption(caption);
            item->SetEnabled(caption != std::wstring(L"&Disabled item"));
            menu->Items()->Add(item);
        }
        form->SetMenu(menu);

        button = Place(new ui::TButton(form.get()), {10, 10, 110, 40});
        button->SetCaption(L"Button");
        check = Place(new ui::TCheckBox(form.get()), {130, 10, 250, 34});
        check->SetCaption(L"Check box");
        radio = Place(new ui::TRadioButton(form.get()), {260, 10, 400, 34});
        radio->SetCaption(L"Radio button");
        header = Place(new ui::THeaderControl(form.get()), {0, 0, 0, 0});
        header->SetAlign(ui::TAlign::alBottom);
        header->SetHeight(24);
        ui::THeaderSection* section = header->Sections()->Add();
        section->SetText(L"Header");
        section->SetWidth(120);
        tabs = AddPages({10, 50, 200, 150});
        buttonTabs = AddPages({210, 50, 400, 150});
        buttonTabs->SetStyle(ui::TTabStyle::tsButtons);
        for (ui::TWinControl* control : {static_cast<ui::TWinControl*>(button), static_cast<ui::TWinControl*>(check),
                                         static_cast<ui::TWinControl*>(radio), static_cast<ui::TWinControl*>(header),
                                         static_cast<ui::TWinControl*>(tabs),
                                         static_cast<ui::TWinControl*>(buttonTabs)})
            control->SetEnabled(false);

        form->Show();
        SetForegroundWindow(form->Handle());
        controller = bed.WaitSkinned(form->Handle());
        ASSERT_TRUE(controller);
        ASSERT_TRUE(controller->MenuBar);
        ASSERT_TRUE(PumpUntil([&] { return !IsRectEmpty(&Bar().Buttons[0]->Bounds); }));
    }

    template <class T>
    T* Place(T* control, const RECT& bounds)
    {
        control->SetParent(form.get());
        control->SetBounds(bounds.left, bounds.top, bounds.right - bounds.left, bounds.bottom - bounds.top);
        return control;
    }

    ui::TPageControl* AddPages(const RECT& bounds)
    {
        auto* pages = Place(new ui::TPageControl(form.get()), bounds);
        for (const wchar_t* caption : {L"Tab", L"Other"}) {
            auto* sheet = new ui::TTabSheet(form.get());
            sheet->SetPageControl(pages);
            sheet->SetCaption(caption);
        }
        pages->SetActivePageIndex(1);
        return pages;
    }

    TSkinMenuBar& Bar() const { return static_cast<TSkinMenuBar&>(*controller->MenuBar); }

    // The colour a push-button face gives its caption while enabled.
    ui::TColor ButtonCaptionColour(ui::TColor font) const
    {
        const TDataSkinButton& b = *bed.Data().Buttons;
        return b.HasNormalColour2 ? b.NormalColour2 : font;
    }

    std::vector<TCaption> Captions()
    {
        TSkinData& data = bed.Data();
        const auto windowRect = [](HWND window, int inset) {
            RECT r = ScreenRect(window);
            InflateRect(&r, -inset, -inset);
            return r;
        };
        return {
            {"push button", [=, this] { return windowRect(button->Handle(), 4); },
             [=, this] { return ButtonCaptionColour(button->Font()->Color()); }},
            {"check box", [=, this] { return windowRect(check->Handle(), 0); },
             [=, this] { return check->Font()->Color(); }},
            {"radio button", [=, this] { return windowRect(radio->Handle(), 0); },
             [=, this] { return radio->Font()->Color(); }},
            {"tab", [=, this] { return TabOnScreen(tabs->Handle(), 0); },
             [&data] { return static_cast<ui::TColor>(data.Tabs->NormalColour2); }},
            {"tab drawn as a button", [=, this] { return TabOnScreen(buttonTabs->Handle(), 0); },
             [&data] {
                 const TDataSkinButton& b = *data.Buttons;
                 return b.HasNormalColour2 ? static_cast<ui::TColor>(b.NormalColour2) : ui::clBtnText;
             }},
            {"header section", [=, this] { return windowRect(header->Handle(), 0); },
             [&data] { return static_cast<ui::TColor>(data.Headerbar->NormalColour2); }},
            {"menu bar item",
             [=, this] {
                 RECT r = Bar().Buttons[0]->Bounds;
                 RECT window{};
                 GetWindowRect(form->Handle(), &window);
                 OffsetRect(&r, window.left, window.top);
                 return r;
             },
             [&data] { return static_cast<ui::TColor>(data.Colours.MenuBarText); }},
        };
    }

    // Gives the skin that shadow colour and shows every control with it.
    void Shadow(TSkinColour colour)
    {
        bed.Data().Colours.ButtonShadow = colour;
        RedrawWindow(form->Handle(), nullptr, nullptr,
                     RDW_INVALIDATE | RDW_ERASE | RDW_FRAME | RDW_ALLCHILDREN | RDW_UPDATENOW);
    }

    // The caption read back with the shadow `shadow`, against its pixels
    // found with Probe: how many there are, and how many show `wanted`.
    TCaptionPixels CaptionIn(const TCaption& caption, TSkinColour shadow, COLORREF wanted)
    {
        std::unique_ptr<ui::TBitmap> probe, shot;
        Shadow(static_cast<TSkinColour>(Probe));
        PumpUntil([&] {
            probe = CaptureScreen(caption.Place());
            return ProbePixels(*probe) > 0;
        }, 3s);
        Shadow(shadow);
        PumpUntil([&] {
            shot = CaptureScreen(caption.Place());
            return ProbePixels(*shot) == 0;
        }, 3s);
        return Compare(*shot, *probe, wanted);
    }

    TControlSkinning skinning;
    TSkinTestBed bed;
    std::unique_ptr<ui::TForm> form;
    ui::TButton* button = nullptr;
    ui::TCheckBox* check = nullptr;
    ui::TRadioButton* radio = nullptr;
    ui::THeaderControl* header = nullptr;
    ui::TPageControl* tabs = nullptr;
    ui::TPageControl* buttonTabs = nullptr;
    TWinSkinForm* controller = nullptr;
};

} // namespace

TEST_F(DisabledCaptions, AreTheSkinsShadowOrTheSystemsWhenTheSkinsIsTheTextColour)
{
    const TSkinColour skinShadow = bed.Data().Colours.ButtonShadow;
    const COLORREF systemShadow = ui::ColorToRGB(ui::clBtnShadow);
    ASSERT_NE(ui::ColorToRGB(skinShadow), systemShadow) << "the skin gives its own shadow";
    for (const TCaption& caption : Captions()) {
        SCOPED_TRACE(caption.Family);
        const ui::TColor enabled = caption.EnabledColour();
        ASSERT_NE(ui::ColorToRGB(enabled), Probe);
        ASSERT_NE(ui::ColorToRGB(enabled), systemShadow);

        // The skin's own shadow colour.
        const TCaptionPixels own = CaptionIn(caption, skinShadow, ui::ColorToRGB(skinShadow));
        EXPECT_GE(own.Caption, CaptionPixels) << "the caption's pixels";
        EXPECT_EQ(own.InWanted, own.Caption) << "in the skin's ButtonShadow";

        // A skin whose shadow is the caption's own colour: the system's.
        const TCaptionPixels same = CaptionIn(caption, enabled, systemShadow);
        EXPECT_GE(same.Caption, CaptionPixels) << "the caption's pixels";
        EXPECT_EQ(same.InWanted, same.Caption) << "in the system's button shadow";
    }
    Shadow(skinShadow);
}
