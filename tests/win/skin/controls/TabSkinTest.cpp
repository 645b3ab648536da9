// Tab skinners on real windows under real input: tabs on every side wear
// the skin's tab faces turned to that side, read back from the screen; the
// mouse and Ctrl+Tab still change pages; closable tabs ask the form before a
// page goes; switched off, the tabs are the system's again.
#include <gtest/gtest.h>

#include <windows.h>

#include <commctrl.h>

#include <memory>
#include <string>
#include <vector>

#include "skin/controls/SkinButtons.h"
#include "skin/controls/SkinEdits.h"
#include "skin/controls/SkinTabs.h"
#include "skin/data/SkinRecords.h"
#include "skin/draw/ImgUtil.h"
#include "skin/draw/SkinDraw.h"
#include "skin/window/SkinMessages.h"
#include "tests/win/support/ControlSkinSupport.h"
#include "tests/win/support/FrameOnScreen.h"
#include "tests/win/support/SkinTestSupport.h"
#include "tests/win/support/WindowTestSupport.h"
#include "tests/win/support/XInput.h"
#include "ui/controls/Buttons.h"
#include "ui/controls/Tabs.h"

using namespace skin;
using namespace tests;

namespace {

constexpr RECT FormBounds{120, 120, 520, 400};
// How deep from its far edge a tab's face is compared: the part the tab's
// text never reaches.
constexpr int FarBand = 3;

RECT TabRect(HWND tabs, int index)
{
    RECT r{};
    SendMessageW(tabs, TCM_GETITEMRECT, static_cast<WPARAM>(index), reinterpret_cast<LPARAM>(&r));
    return r;
}

POINT Centre(const RECT& r)
{
    return {(r.left + r.right) / 2, (r.top + r.bottom) / 2};
}

// Where a tab is painted: one pixel toward the pane from the control's place.
POINT TowardPane(TTabSide side)
{
    switch (side) {
    case TTabSide::Top: return {0, 1};
    case TTabSide::Bottom: return {0, -1};
    case TTabSide::Left: return {1, 0};
    case TTabSide::Right: break;
    }
    return {-1, 0};
}

// How far the first tab reaches from the pane: its height, or its width on
// the left and right.
int Thickness(HWND tabs, TTabSide side)
{
    const RECT r = TabRect(tabs, 0);
    return side == TTabSide::Left || side == TTabSide::Right ? r.right - r.left : r.bottom - r.top;
}

// A screen picture turned so that the tab's far edge is at its top.
void TurnUpright(ui::TBitmap& picture, TTabSide side)
{
    switch (side) {
    case TTabSide::Bottom: FlipVertical(picture); break;
    case TTabSide::Left: RotateRight(picture); break;
    case TTabSide::Right: RotateLeft(picture); break;
    case TTabSide::Top: break;
    }
}

// The pixels of the first rows of `shot` (a tab turned upright) that
// differ from `want`, leaving out what `want` keys out (magenta).
int FarBandDifferences(const ui::TBitmap& shot, const ui::TBitmap& want)
{
    int count = 0;
    for (int y = 0; y < FarBand; ++y)
        for (int x = 0; x < want.Width(); ++x)
            count += !(At(want, x, y) == Magenta) && !(At(shot, x, y) == At(want, x, y));
    return count;
}

// Face `face` of the skin's tab picture at a size.
std::unique_ptr<ui::TBitmap> TabFace(TSkinData& data, int width, int height, TTabFace face)
{
    const TDataSkinBorder& element = *data.Tabs;
    return BuildElementBitmap({0, 0, width, height}, *element.Image, element.Margins(), false, element.Tile != 0,
                              TabFaceCount, static_cast<int>(face));
}

// The pixels of a tab's face on the screen, along its far edge, that differ
// from face `face` of the skin's tab picture at the tab's size. The tab
// lies one pixel toward the pane from where the control puts it.
int TabFaceDifferences(HWND tabs, int index, TTabSide side, TSkinData& data, TTabFace face)
{
    RECT r = TabRect(tabs, index);
    const POINT shift = TowardPane(side);
    OffsetRect(&r, shift.x, shift.y);
    auto shot = CaptureScreen(OnScreen(tabs, r));
    TurnUpright(*shot, side);
    return FarBandDifferences(*shot, *TabFace(data, shot->Width(), shot->Height(), face));
}

int AwaitTabFace(HWND tabs, int index, TTabSide side, TSkinData& data, TTabFace face)
{
    int differences = 0;
    PumpUntil([&] { return (differences = TabFaceDifferences(tabs, index, side, data, face)) == 0; }, 3s);
    return differences;
}

// The same for the tab set's `shown`th tab on the screen (counted from its
// first shown tab), which hangs down: its far edge is at the bottom.
int AwaitTabSetFace(ui::TTabSet& tabSet, int shown, TSkinData& data, TTabFace face)
{
    const auto differences = [&] {
        const RECT r = tabSet.VisibleTabs().at(static_cast<std::size_t>(shown));
        auto shot = CaptureScreen(OnScreen(tabSet.WindowHandle(), r));
        FlipVertical(*shot);
        return FarBandDifferences(*shot, *TabFace(data, shot->Width(), shot->Height(), face));
    };
    int count = 0;
    PumpUntil([&] { return (count = differences()) == 0; }, 3s);
    return count;
}

// Stands for another library's page control that paints its tabs from two
// pictures it publishes.
class TPicturePages : public ui::TPageControl {
    UI_CLASS(TPicturePages)
public:
    using TPageControl::TPageControl;
    ui::TBitmap* TabBackGround() const { return normal_.get(); }
    void SetTabBackGround(ui::TBitmap* picture) { normal_->Assign(*picture); }
    ui::TBitmap* TabBackGroundActive() const { return active_.get(); }
    void SetTabBackGroundActive(ui::TBitmap* picture) { active_->Assign(*picture); }

private:
    std::unique_ptr<ui::TBitmap> normal_ = std::make_unique<ui::TBitmap>();
    std::unique_ptr<ui::TBitmap> active_ = std::make_unique<ui::TBitmap>();
};

const ui::TClassInfo& TPicturePages::StaticClass()
{
    static const ui::TClassInfo info =
        ui::TClassBuilder<TPicturePages>("TPicturePages", &TPageControl::StaticClass())
            .Object("TabBackGround", &TPicturePages::TabBackGround, &TPicturePages::SetTabBackGround)
            .Object("TabBackGroundActive", &TPicturePages::TabBackGroundActive,
                    &TPicturePages::SetTabBackGroundActive)
            .Done();
    return info;
}

// Page controls with their tabs on each side, side by side on a form.
const struct {
    ui::TTabPosition Position;
    TTabSide Side;
    RECT Place;
} EverySide[] = {{ui::TTabPosition::tpTop, TTabSide::Top, {180, 130, 380, 230}},
                 {ui::TTabPosition::tpBottom, TTabSide::Bottom, {10, 10, 110, 120}},
                 {ui::TTabPosition::tpLeft, TTabSide::Left, {180, 10, 330, 110}},
                 {ui::TTabPosition::tpRight, TTabSide::Right, {10, 130, 160, 230}}};

// A form on the screen, skinned once the test has put its tab controls on it.
class SkinnedTabs : public SkinnedFormUnderXInput {
protected:
    SkinnedTabs() : SkinnedFormUnderXInput(FormBounds) {}

    ui::TPageControl* AddPages(const std::vector<std::wstring>& captions, const RECT& bounds)
    {
        auto* pages = new ui::TPageControl(form.get());
        pages->SetParent(form.get());
        pages->SetBounds(bounds.left, bounds.top, bounds.right - bounds.left, bounds.bottom - bounds.top);
        for (const std::wstring& caption : captions) {
            auto* sheet = new ui::TTabSheet(form.get());
            sheet->SetPageControl(pages);
            sheet->SetCaption(caption);
        }
        pages->SetActivePageIndex(0);
        return pages;
    }

    // A page control with tabs on each side, at the side's place (EverySide).
    std::vector<ui::TPageControl*> AddPagesOnEverySide(const std::vector<std::wstring>& captions)
    {
        std::vector<ui::TPageControl*> controls;
        for (const auto& side : EverySide) {
            controls.push_back(AddPages(captions, side.Place));
            controls.back()->SetTabPosition(side.Position);
        }
        return controls;
    }

    TSkinTab* TabSkinner(const ui::TWinControl& control) const
    {
        return dynamic_cast<TSkinTab*>(controller->FindSkinnerOfWindow(control.WindowHandle()));
    }
};

} // namespace

TEST(TabLooks, SideFromTheStyleAndFaceFromTheState)
{
    EXPECT_EQ(TabSideOfStyle(0), TTabSide::Top);
    EXPECT_EQ(TabSideOfStyle(TCS_BOTTOM), TTabSide::Bottom);
    EXPECT_EQ(TabSideOfStyle(TCS_VERTICAL), TTabSide::Left);
    EXPECT_EQ(TabSideOfStyle(TCS_VERTICAL | TCS_RIGHT), TTabSide::Right);

    EXPECT_EQ(TabFaceOf(false, false, true), TTabFace::Normal);
    EXPECT_EQ(TabFaceOf(true, false, true), TTabFace::Selected);
    EXPECT_EQ(TabFaceOf(false, true, true), TTabFace::Hot);
    EXPECT_EQ(TabFaceOf(true, true, true), TTabFace::SelectedHot);
    EXPECT_EQ(TabFaceOf(true, true, false), TTabFace::Disabled);
}

// Each side's tabs wear the faces turned to that side: the chosen tab the
// selected face, the others the normal one.
TEST_F(SkinnedTabs, TabsOnEverySideWearTheSkinsFacesTurnedToThatSide)
{
    const std::pair<ui::TTabPosition, TTabSide> sides[] = {{ui::TTabPosition::tpTop, TTabSide::Top},
                                                           {ui::TTabPosition::tpBottom, TTabSide::Bottom},
                                                           {ui::TTabPosition::tpLeft, TTabSide::Left},
                                                           {ui::TTabPosition::tpRight, TTabSide::Right}};
    std::vector<ui::TPageControl*> controls;
    int i = 0;
    for (const auto& side : sides) {
        const int left = 10 + (i % 2) * 190, top = 10 + (i / 2) * 120;
        controls.push_back(AddPages({L"One", L"Two", L"Three"}, {left, top, left + 180, top + 110}));
        controls.back()->SetTabPosition(side.first);
        ++i;
    }
    Skin();
    for (std::size_t c = 0; c < controls.size(); ++c) {
        const HWND tabs = controls[c]->WindowHandle();
        const TTabSide side = sides[c].second;
        ASSERT_NE(TabSkinner(*controls[c]), nullptr) << c;
        EXPECT_EQ(AwaitTabFace(tabs, 0, side, bed.Data(), TTabFace::Selected), 0) << "side " << c;
        EXPECT_EQ(AwaitTabFace(tabs, 1, side, bed.Data(), TTabFace::Normal), 0) << "side " << c;
    }
}

// Under the mouse a tab turns hot (the chosen one hot and selected); a
// click chooses its page; Ctrl+Tab and Ctrl+Shift+Tab go round the pages;
// a disabled control shows every tab disabled.
TEST_F(SkinnedTabs, MouseAndKeysChangePagesAndTheFacesFollow)
{
    ui::TPageControl* pages = AddPages({L"One", L"Two", L"Three"}, {10, 10, 300, 200});
    Skin();
    const HWND tabs = pages->WindowHandle();
    TSkinData& data = bed.Data();
    ASSERT_NE(TabSkinner(*pages), nullptr);
    EXPECT_EQ(AwaitTabFace(tabs, 1, TTabSide::Top, data, TTabFace::Normal), 0);

    input.MoveTo(Centre(OnScreen(tabs, TabRect(tabs, 1))));
    EXPECT_EQ(AwaitTabFace(tabs, 1, TTabSide::Top, data, TTabFace::Hot), 0);
    input.Click();
    EXPECT_TRUE(PumpUntil([&] { return pages->ActivePageIndex() == 1; }));
    EXPECT_TRUE(pages->Pages(1)->Visible());
    EXPECT_FALSE(pages->Pages(0)->Visible());
    EXPECT_EQ(AwaitTabFace(tabs, 1, TTabSide::Top, data, TTabFace::SelectedHot), 0);
    EXPECT_EQ(AwaitTabFace(tabs, 0, TTabSide::Top, data, TTabFace::Normal), 0);

    input.MoveTo(away);
    pages->SetFocus();
    // Ctrl+Tab reaches the page control through the application's loop.
    input.Key("ctrl+Tab");
    EXPECT_TRUE(LoopUntil([&] { return pages->ActivePageIndex() == 2; }));
    EXPECT_EQ(AwaitTabFace(tabs, 2, TTabSide::Top, data, TTabFace::Selected), 0);
    input.Key("ctrl+shift+Tab");
    EXPECT_TRUE(LoopUntil([&] { return pages->ActivePageIndex() == 1; }));
    input.Key("ctrl+shift+Tab");
    EXPECT_TRUE(LoopUntil([&] { return pages->ActivePageIndex() == 0; }));
    EXPECT_EQ(AwaitTabFace(tabs, 0, TTabSide::Top, data, TTabFace::Selected), 0);

    pages->SetEnabled(false);
    EXPECT_EQ(AwaitTabFace(tabs, 0, TTabSide::Top, data, TTabFace::Disabled), 0);
    EXPECT_EQ(AwaitTabFace(tabs, 2, TTabSide::Top, data, TTabFace::Disabled), 0);
}

// A page control with Tag 7777 shows a close mark on every tab. A click on
// it asks the form with WM_SKINCLOSETAB: a refusal keeps the page, an
// answer of 0 frees it. A form that takes the page away itself while it
// answers loses only that page.
TEST_F(SkinnedTabs, CloseMarksAskTheFormBeforeAPageGoes)
{
    ui::TPageControl* pages = AddPages({L"Home", L"File", L"Edit", L"View"}, {10, 10, 360, 200});
    pages->SetTag(ClosableTabsTag);
    ui::TPageControl* plain = AddPages({L"Plain", L"Tabs"}, {10, 210, 200, 270});
    LRESULT answer = 1;
    bool freeFirst = false;
    std::vector<std::pair<WPARAM, LPARAM>> asked;
    ui::TWindowProcHook hook(*form, "close answer", [&](ui::TMessage& m) {
        if (m.Msg != WM_SKINCLOSETAB) {
            hook.CallPrevious(m);
            return;
        }
        asked.emplace_back(m.WParam, m.LParam);
        if (freeFirst)
            delete pages->Pages(0);
        m.Result = answer;
    });
    Skin();
    const HWND tabs = pages->WindowHandle();
    TSkinTab* skinner = TabSkinner(*pages);
    ASSERT_NE(skinner, nullptr);
    ASSERT_TRUE(PumpUntil([&] {
        const RECT mark = skinner->CloseMark(3);
        return !IsRectEmpty(&mark);
    }));
    EXPECT_TRUE(skinner->Closable());
    ASSERT_NE(TabSkinner(*plain), nullptr);
    EXPECT_FALSE(TabSkinner(*plain)->Closable());
    const auto captions = [&] {
        std::vector<std::wstring> all;
        for (int i = 0; i < pages->PageCount(); ++i)
            all.push_back(pages->Pages(i)->Caption());
        return all;
    };
    const auto clickMark = [&](int index) {
        Pump();
        const RECT mark = skinner->CloseMark(index);
        input.MoveTo(Centre(OnScreen(tabs, mark)));
        input.Click();
    };

    clickMark(1);
    ASSERT_TRUE(PumpUntil([&] { return asked.size() == 1; }));
    EXPECT_EQ(asked[0], std::make_pair(reinterpret_cast<WPARAM>(tabs), LPARAM{1}));
    Pump();
    EXPECT_EQ(captions(), (std::vector<std::wstring>{L"Home", L"File", L"Edit", L"View"})) << "refused";

    answer = 0;
    clickMark(1);
    EXPECT_TRUE(PumpUntil([&] { return pages->PageCount() == 3; }));
    EXPECT_EQ(captions(), (std::vector<std::wstring>{L"Home", L"Edit", L"View"}));

    // The form frees the first page itself and agrees about the last.
    freeFirst = true;
    clickMark(2);
    EXPECT_TRUE(PumpUntil([&] { return pages->PageCount() == 1; }));
    EXPECT_EQ(captions(), (std::vector<std::wstring>{L"Edit"}));
    input.MoveTo(away);
}

// Button and flat-button styles wear the Buttons faces (a flat button only
// while it is chosen or hot); a tab control that is not a page control and
// the older tab set are skinned too, the tab set's chosen tab hanging from
// its top edge on the selected face, flipped.
TEST_F(SkinnedTabs, ButtonStylesAndTheTabSetWearTheSkin)
{
    ui::TPageControl* buttons = AddPages({L"One", L"Two"}, {10, 10, 200, 100});
    buttons->SetStyle(ui::TTabStyle::tsButtons);
    auto* flat = new ui::TTabControl(form.get());
    flat->SetParent(form.get());
    flat->SetBounds(210, 10, 180, 90);
    flat->SetStyle(ui::TTabStyle::tsFlatButtons);
    for (const wchar_t* text : {L"Alpha", L"Beta"})
        flat->Tabs()->Add(text);
    flat->SetTabIndex(0);
    auto* tabSet = new ui::TTabSet(form.get());
    tabSet->SetParent(form.get());
    tabSet->SetBounds(10, 120, 300, 24);
    for (const wchar_t* text : {L"First", L"Second", L"Third"})
        tabSet->Tabs()->Add(text);
    tabSet->SetTabIndex(1);
    Skin();
    TSkinData& data = bed.Data();

    EXPECT_NE(dynamic_cast<TSkinTabBtn*>(TabSkinner(*buttons)), nullptr);
    EXPECT_NE(dynamic_cast<TSkinTabBtn*>(TabSkinner(*flat)), nullptr);
    EXPECT_EQ(TabSkinner(*flat)->Variant, 2);
    const auto buttonBand = [&](HWND window, int index, TButtonFace face, bool element) {
        RECT r = TabRect(window, index);
        OffsetRect(&r, 0, 1);
        const auto shot = CaptureScreen(OnScreen(window, r));
        ui::TBitmap want(shot->Width(), shot->Height());
        const RECT all{0, 0, want.Width(), want.Height()};
        const ui::TBrushHandle brush(CreateSolidBrush(ui::ColorToRGB(data.Colours.ButtonFace)));
        FillRect(want.Canvas()->Handle(), &all, brush.Get());
        if (element)
            DrawElement(want.Canvas()->Handle(), all, ButtonFaceCount, static_cast<int>(face), *data.Buttons);
        return FarBandDifferences(*shot, want);
    };
    const auto awaitBand = [&](HWND window, int index, TButtonFace face, bool element = true) {
        int differences = 0;
        PumpUntil([&] { return (differences = buttonBand(window, index, face, element)) == 0; }, 3s);
        return differences;
    };
    EXPECT_EQ(awaitBand(buttons->WindowHandle(), 0, TButtonFace::Pressed), 0);
    EXPECT_EQ(awaitBand(buttons->WindowHandle(), 1, TButtonFace::Normal), 0);
    EXPECT_EQ(awaitBand(flat->WindowHandle(), 0, TButtonFace::Pressed), 0);
    EXPECT_EQ(awaitBand(flat->WindowHandle(), 1, TButtonFace::Normal, false), 0) << "flat, no face";
    input.MoveTo(Centre(OnScreen(flat->WindowHandle(), TabRect(flat->WindowHandle(), 1))));
    EXPECT_EQ(awaitBand(flat->WindowHandle(), 1, TButtonFace::Hot), 0) << "flat, hot";
    input.Click();
    EXPECT_TRUE(PumpUntil([&] { return flat->TabIndex() == 1; }));

    // The tab set: its tabs hang down, so the face's far edge is at the
    // bottom; a click on a tab chooses it.
    ASSERT_NE(dynamic_cast<TSkinTab31*>(controller->FindSkinnerOfWindow(tabSet->WindowHandle())), nullptr);
    EXPECT_EQ(AwaitTabSetFace(*tabSet, 1, data, TTabFace::Selected), 0);
    EXPECT_EQ(AwaitTabSetFace(*tabSet, 0, data, TTabFace::Normal), 0);
    input.MoveTo(Centre(OnScreen(tabSet->WindowHandle(), tabSet->VisibleTabs()[2])));
    input.Click();
    EXPECT_TRUE(PumpUntil([&] { return tabSet->TabIndex() == 2; }));
    EXPECT_EQ(AwaitTabSetFace(*tabSet, 2, data, TTabFace::Selected), 0);
    EXPECT_EQ(AwaitTabSetFace(*tabSet, 1, data, TTabFace::Normal), 0);
    input.MoveTo(away);
}

// Switched off, the skinners go and the tab controls look as the system
// draws them: as their twins that a Tag of the skin's DisableTag keeps
// unskinned.
TEST_F(SkinnedTabs, SwitchedOffTheTabsAreTheSystemsAgain)
{
    const auto addTabSet = [&](int top) {
        auto* tabSet = new ui::TTabSet(form.get());
        tabSet->SetParent(form.get());
        tabSet->SetBounds(10, top, 180, 24);
        tabSet->Tabs()->Add(L"First");
        tabSet->SetTabIndex(0);
        return tabSet;
    };
    ui::TPageControl* pages = AddPages({L"One", L"Two"}, {10, 10, 190, 120});
    ui::TPageControl* plainPages = AddPages({L"One", L"Two"}, {200, 10, 380, 120});
    ui::TTabSet* tabSet = addTabSet(140);
    ui::TTabSet* plainTabSet = addTabSet(180);
    plainPages->SetTag(bed.Data().DisableTag());
    plainTabSet->SetTag(bed.Data().DisableTag());
    Skin();
    const auto looksPlain = [&](ui::TWinControl& control, ui::TWinControl& plain) {
        const auto look = [](ui::TWinControl& c) {
            RedrawWindow(c.WindowHandle(), nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_ALLCHILDREN |
                                                                 RDW_UPDATENOW);
            RECT r{};
            GetWindowRect(c.WindowHandle(), &r);
            return CaptureScreen(r);
        };
        return SamePixels(*look(control), *look(plain));
    };
    ASSERT_NE(TabSkinner(*pages), nullptr);
    EXPECT_EQ(TabSkinner(*plainPages), nullptr);
    EXPECT_FALSE(looksPlain(*pages, *plainPages)) << "skinned";
    EXPECT_FALSE(looksPlain(*tabSet, *plainTabSet)) << "skinned";

    bed.Data().SetActive(false);
    ASSERT_TRUE(PumpUntil([&] { return bed.Manager().Controllers().empty(); }));
    EXPECT_TRUE(pages->WindowProcHooks().empty());
    EXPECT_TRUE(tabSet->WindowProcHooks().empty());
    EXPECT_TRUE(PumpUntil([&] { return looksPlain(*pages, *plainPages); }, 2s)) << "page control";
    EXPECT_TRUE(PumpUntil([&] { return looksPlain(*tabSet, *plainTabSet); }, 2s)) << "tab set";
}

// A page control listed as "advpagecontrol" gets the skin's normal and
// selected tab faces in the two pictures it publishes and the skin's face
// colour; switched off, the pictures are empty and the colour its own.
TEST(PicturePages, ListedPageControlGetsTheTabFacesAsItsPictures)
{
    TControlSkinning skinning;
    TSkinTestBed bed([](TSkinData& data) { data.Skin3rd()->Add(L"TPicturePages=advpagecontrol"); });
    bed.HoldBack();
    auto form = ShowForm(ui::TFormBorderStyle::bsSizeable, FormBounds);
    auto* pages = new TPicturePages(form.get());
    pages->SetParent(form.get());
    pages->SetBounds(10, 10, 200, 100);
    pages->SetColor(ui::clWindow);
    TWinSkinForm* controller = bed.Skin(form->Handle());
    ASSERT_TRUE(controller);
    EXPECT_NE(dynamic_cast<TSkinAdvPage*>(controller->FindSkinnerOfWindow(pages->WindowHandle())), nullptr);
    EXPECT_TRUE(pages->WindowProcHooks().empty()) << "the control keeps its own painting";
    const TDataSkinBorder& tabs = *bed.Data().Tabs;
    const std::pair<ui::TBitmap*, TTabFace> pictures[] = {{pages->TabBackGround(), TTabFace::Normal},
                                                          {pages->TabBackGroundActive(), TTabFace::Selected}};
    for (const auto& [picture, face] : pictures) {
        ASSERT_EQ(picture->Width(), 100);
        ASSERT_EQ(picture->Height(), 21);
        const auto want = BuildElementBitmap({0, 0, 100, 21}, *tabs.Image, tabs.Margins(), false, tabs.Tile != 0,
                                             TabFaceCount, static_cast<int>(face));
        EXPECT_TRUE(SamePixels(*picture, *want)) << static_cast<int>(face);
    }
    EXPECT_EQ(pages->Color(), bed.Data().Colours.ButtonFace);

    bed.Data().SetActive(false);
    ASSERT_TRUE(PumpUntil([&] { return bed.Manager().Controllers().empty(); }));
    EXPECT_TRUE(pages->TabBackGround()->Empty());
    EXPECT_TRUE(pages->TabBackGroundActive()->Empty());
    EXPECT_EQ(pages->Color(), ui::clWindow);
}

// A bare window's tab control is skinned by its window class. When its tabs
// overflow, the scroll arrows wear the skin's side-by-side up-down faces
// (the face of the tabs leaves them alone, though the control does not clip
// its children) and a click on the right arrow still scrolls the tabs.
TEST(BareTabControl, OverflowingTabsScrollWithTheSkinsArrows)
{
    TXInput& input = TXInput::Instance();
    if (!input.Available())
        GTEST_SKIP() << "no X input";
    TControlSkinning skinning;
    TSkinTestBed bed;
    bed.HoldBack();
    TBareWindow bare(GetModuleHandleW(nullptr), L"TessalyBareTabs", WS_OVERLAPPEDWINDOW | WS_VISIBLE, FormBounds);
    const HWND tabs = CreateWindowExW(0, WC_TABCONTROLW, L"", WS_CHILD | WS_VISIBLE, 10, 10, 160, 80, bare.Handle(),
                                      nullptr, GetModuleHandleW(nullptr), nullptr);
    ASSERT_FALSE(GetWindowLongPtrW(tabs, GWL_STYLE) & WS_CLIPCHILDREN);
    for (int i = 0; i < 8; ++i) {
        std::wstring text = L"Tab " + std::to_wstring(i + 1);
        TCITEMW item{};
        item.mask = TCIF_TEXT;
        item.pszText = text.data();
        SendMessageW(tabs, TCM_INSERTITEMW, static_cast<WPARAM>(i), reinterpret_cast<LPARAM>(&item));
    }
    Pump();
    const HWND arrows = FindWindowExW(tabs, nullptr, UPDOWN_CLASSW, nullptr);
    ASSERT_TRUE(arrows && IsWindowVisible(arrows));

    TWinSkinForm* controller = bed.Skin(bare.Handle());
    ASSERT_TRUE(controller);
    auto* skinner = dynamic_cast<TSkinTab*>(controller->FindSkinnerOfWindow(tabs));
    ASSERT_NE(skinner, nullptr);
    EXPECT_FALSE(skinner->Closable());
    auto* arrowSkinner = dynamic_cast<TSkinUpDown*>(controller->FindSkinnerOfWindow(arrows));
    ASSERT_NE(arrowSkinner, nullptr);
    EXPECT_EQ(arrowSkinner->Horizontal, 1);
    EXPECT_EQ(AwaitTabFace(tabs, 0, TTabSide::Top, bed.Data(), TTabFace::Selected), 0);

    // Each arrow is its frame of the UpDown.Horz strip stretched over its
    // half, the glyph centred on it.
    TDataSkinBorder& element = *bed.Data().UpDownHorz;
    const auto arrowsDifferences = [&] {
        RECT client{};
        GetClientRect(arrows, &client);
        const int half = client.right / 2;
        const auto want = Picture(client.right, client.bottom, bed.Data().Colours.ButtonFace, [&](HDC dc, const RECT&) {
            const RECT parts[] = {{0, 0, half, client.bottom}, {half, 0, client.right, client.bottom}};
            for (int i = 0; i < 2; ++i) {
                const int frame = UpDownFrame(i == 1, TArrowState::Normal);
                DrawFrameStretched(dc, parts[i], *element.Image, 8, frame, true);
                const int w = element.Image2->Width() / 8, h = element.Image2->Height();
                const int left = parts[i].left + (half - w) / 2, top = (client.bottom - h) / 2;
                DrawFrameStretched(dc, {left, top, left + w, top + h}, *element.Image2, 8, frame, true);
            }
        });
        return SamePixels(*CaptureScreen(OnScreen(arrows, client)), *want) ? 0 : 1;
    };
    EXPECT_TRUE(PumpUntil([&] { return arrowsDifferences() == 0; }, 3s)) << "the arrows wear the skin";

    SetForegroundWindow(bare.Handle());
    const RECT first = TabRect(tabs, 0);
    RECT r = ScreenRect(arrows);
    input.MoveTo({r.right - 3, (r.top + r.bottom) / 2});
    input.Click();
    EXPECT_TRUE(PumpUntil([&] { return TabRect(tabs, 0).left < first.left; })) << "the tabs scrolled";
    input.MoveTo({FormBounds.right + 150, FormBounds.bottom + 150});
}

// The tab set's scroller, shown while tabs are out of sight, wears the
// skin's side-by-side up-down faces and still moves the tabs. Scrolled, the
// selected face stays on the chosen tab where it is shown now, and goes to
// the tab chosen next.
TEST_F(SkinnedTabs, TheTabSetsScrollerWearsTheSkinsArrows)
{
    auto* tabSet = new ui::TTabSet(form.get());
    tabSet->SetParent(form.get());
    tabSet->SetBounds(10, 10, 200, 24);
    for (int i = 0; i < 12; ++i)
        tabSet->Tabs()->Add(L"Tab " + std::to_wstring(i + 1));
    tabSet->SetTabIndex(2);
    auto* scroller = dynamic_cast<ui::TWinControl*>(tabSet->Components(0));
    ASSERT_NE(scroller, nullptr);
    Skin();
    ASSERT_TRUE(PumpUntil([&] { return IsWindowVisible(scroller->WindowHandle()) != 0; }));
    auto* arrows = dynamic_cast<TSkinUpDown*>(controller->FindSkinnerOfWindow(scroller->WindowHandle()));
    ASSERT_NE(arrows, nullptr);
    EXPECT_EQ(arrows->Horizontal, 1);
    SetForegroundWindow(form->Handle());
    const RECT r = ScreenRect(scroller->WindowHandle());
    input.MoveTo({r.right - 3, (r.top + r.bottom) / 2});
    input.Click();
    EXPECT_TRUE(PumpUntil([&] { return tabSet->FirstIndex() == 1; }));

    // Tab 3 is now the second shown.
    TSkinData& data = bed.Data();
    ASSERT_GE(tabSet->VisibleTabs().size(), 3u);
    EXPECT_EQ(AwaitTabSetFace(*tabSet, 1, data, TTabFace::Selected), 0);
    EXPECT_EQ(AwaitTabSetFace(*tabSet, 0, data, TTabFace::Normal), 0);
    EXPECT_EQ(AwaitTabSetFace(*tabSet, 2, data, TTabFace::Normal), 0);
    input.MoveTo(Centre(OnScreen(tabSet->WindowHandle(), tabSet->VisibleTabs()[2])));
    input.Click();
    EXPECT_TRUE(PumpUntil([&] { return tabSet->TabIndex() == 3; }));
    EXPECT_EQ(AwaitTabSetFace(*tabSet, 2, data, TTabFace::Selected), 0);
    EXPECT_EQ(AwaitTabSetFace(*tabSet, 1, data, TTabFace::Normal), 0);
    input.MoveTo(away);
}

// Tabs on every side of the pane show whole: the pane's edge stops where
// they start, so the rows of the selected tab next to the pane are its face,
// not the pane, and a caption is never cut by the pane; also when the tabs
// take several rows, the selected one's next to the pane.
TEST_F(SkinnedTabs, ThePaneLeavesTabsOnEverySideWhole)
{
    const std::vector<ui::TPageControl*> controls = AddPagesOnEverySide({L"First", L"Second", L"Third"});
    Skin();
    for (size_t i = 0; i < controls.size(); ++i) {
        const TTabSide side = EverySide[i].Side;
        const HWND tabs = controls[i]->WindowHandle();
        ASSERT_NE(TabSkinner(*controls[i]), nullptr);
        if (side == TTabSide::Left || side == TTabSide::Right) {  // the side's tabs take more than one row
            EXPECT_GE(SendMessageW(tabs, TCM_GETROWCOUNT, 0, 0), 2) << "side " << static_cast<int>(side);
        }
        EXPECT_EQ(AwaitTabFace(tabs, 0, side, bed.Data(), TTabFace::Selected), 0);
        // The tab as painted, one pixel toward the pane, turned upright: its
        // last row lies under the pane's edge, the two before it show the
        // face's near edge.
        RECT r = TabRect(tabs, 0);
        const POINT shift = TowardPane(side);
        OffsetRect(&r, shift.x, shift.y);
        auto shot = CaptureScreen(OnScreen(tabs, r));
        TurnUpright(*shot, side);
        const auto want = TabFace(bed.Data(), shot->Width(), shot->Height(), TTabFace::Selected);
        int differences = 0;
        for (int y = want->Height() - 3; y < want->Height() - 1; ++y)
            for (int x = 0; x < want->Width(); ++x)
                differences += !(At(*want, x, y) == Magenta) && !(At(*shot, x, y) == At(*want, x, y));
        EXPECT_EQ(differences, 0) << "side " << static_cast<int>(side);
    }
}

// Tabs thinner than the skin's tab faces are laid out as thick as the
// faces, on every side (a column of side tabs as wide), so a face keeps its
// edges and the caption stays clear of its far edge; switched off, the
// control lays its tabs out at its own thickness again.
TEST_F(SkinnedTabs, TabsAreAsThickAsTheSkinsFacesOnEverySide)
{
    const std::vector<ui::TPageControl*> controls = AddPagesOnEverySide({L"甲", L"乙", L"丙"});
    std::vector<int> own;
    for (size_t i = 0; i < controls.size(); ++i)
        own.push_back(Thickness(controls[i]->WindowHandle(), EverySide[i].Side));
    Skin();
    const TDataSkinBorder& element = *bed.Data().Tabs;
    const int faceHeight = element.Image->Height();
    for (size_t i = 0; i < controls.size(); ++i) {
        const TTabSide side = EverySide[i].Side;
        SCOPED_TRACE(testing::Message() << "side " << static_cast<int>(side));
        const HWND tabs = controls[i]->WindowHandle();
        ASSERT_LT(own[i], faceHeight) << "the control's own tabs are thinner than the skin's";
        EXPECT_EQ(Thickness(tabs, side), faceHeight);
        const RECT page = ScreenRect(controls[i]->ActivePage()->WindowHandle());
        RECT display{};
        GetClientRect(tabs, &display);
        SendMessageW(tabs, TCM_ADJUSTRECT, FALSE, reinterpret_cast<LPARAM>(&display));
        const RECT displayOnScreen = OnScreen(tabs, display);
        EXPECT_TRUE(EqualRect(&page, &displayOnScreen)) << "the page fills what the tabs leave";
        // The selected tab's far edge, as deep as the face's margin there, is
        // the face's: no caption crosses it.
        RECT r = TabRect(tabs, 0);
        const POINT shift = TowardPane(side);
        OffsetRect(&r, shift.x, shift.y);
        int differences = 0;
        EXPECT_TRUE(PumpUntil([&] {
            auto shot = CaptureScreen(OnScreen(tabs, r));
            TurnUpright(*shot, side);
            const auto want = TabFace(bed.Data(), shot->Width(), shot->Height(), TTabFace::Selected);
            differences = 0;
            for (int y = 0; y < element.TopHeight; ++y)
                for (int x = 0; x < want->Width(); ++x)
                    differences += !(At(*want, x, y) == Magenta) && !(At(*shot, x, y) == At(*want, x, y));
            return differences == 0;
        }, 3s)) << differences;
    }
    for (ui::TPageControl* control : controls)
        SendMessageW(control->WindowHandle(), WM_SKINENABLE, 0, 0);
    for (size_t i = 0; i < controls.size(); ++i)
        EXPECT_EQ(Thickness(controls[i]->WindowHandle(), EverySide[i].Side), own[i]) << "switched off, side " << i;
}
