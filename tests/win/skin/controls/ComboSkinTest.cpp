// Combo boxes and date pickers in the skin: the combo's border and button
// read back from the screen equal the faces built from the skin in each
// state the real pointer and focus give them (the button on the left for a
// right-to-left combo); the list drops down by click and by Alt+Down, wears
// the skin's scroll bar in its frame, scrolls by its thumb dragged with the
// X pointer and chooses by mouse and keys; a simple combo's list gets the
// overlays; a date picker's arrow is the skin's and opens the calendar; the
// skin switched off gives everything its own look and handling back.
#include <gtest/gtest.h>

#include <windows.h>

#include <commctrl.h>

#include <algorithm>
#include <functional>
#include <memory>

#include "skin/controls/SkinCombo.h"
#include "skin/controls/SkinDatePicker.h"
#include "skin/data/SkinRecords.h"
#include "skin/draw/SkinDraw.h"
#include "tests/win/support/ControlSkinSupport.h"
#include "tests/win/support/FrameOnScreen.h"
#include "tests/win/support/MessageRecorder.h"
#include "tests/win/support/SkinTestSupport.h"
#include "tests/win/support/WindowTestSupport.h"
#include "tests/win/support/XInput.h"
#include "ui/controls/ComboBox.h"
#include "ui/controls/DateTimePicker.h"

using namespace skin;
using namespace tests;

namespace {

constexpr RECT FormBounds{100, 100, 560, 440};
constexpr POINT FarAway{FormBounds.right + 150, FormBounds.bottom + 150};

// Waits until `differences` is 0; reports the last count otherwise.
bool Shows(const std::function<int()>& differences, const char* what)
{
    int count = 0;
    if (PumpUntil([&] { return (count = differences()) == 0; }, 3s))
        return true;
    ADD_FAILURE() << what << ": " << count << " pixels differ";
    return false;
}

COMBOBOXINFO InfoOf(HWND combo)
{
    COMBOBOXINFO info{};
    OptionalGetComboBoxInfo(combo, info);
    return info;
}

POINT Middle(const RECT& r)
{
    return {(r.left + r.right) / 2, (r.top + r.bottom) / 2};
}

// A skinned form with a combo box of each style, a right-to-left and a
// disabled one, and date pickers with a calendar and with arrows.
class SkinnedCombos : public ::testing::Test {
protected:
    void SetUp() override
    {
        INITCOMMONCONTROLSEX classes{sizeof classes, ICC_DATE_CLASSES};
        InitCommonControlsEx(&classes);
        bed.HoldBack();
        form = ShowForm(ui::TFormBorderStyle::bsSizeable, FormBounds);
        dropDown = AddCombo(ui::TComboBoxStyle::csDropDown, 10, 10);
        dropList = AddCombo(ui::TComboBoxStyle::csDropDownList, 10, 50);
        simple = AddCombo(ui::TComboBoxStyle::csSimple, 10, 90);
        simple->SetHeight(120);
        rightToLeft = AddCombo(ui::TComboBoxStyle::csDropDownList, 200, 10);
        rightToLeft->SetBiDiMode(ui::TBiDiMode::bdRightToLeft);
        disabled = AddCombo(ui::TComboBoxStyle::csDropDownList, 200, 50);
        disabled->SetEnabled(false);
        picker = new ui::TDateTimePicker(form.get());
        picker->SetParent(form.get());
        picker->SetBounds(200, 90, 160, 24);
        arrows = new ui::TDateTimePicker(form.get());
        arrows->SetParent(form.get());
        arrows->SetBounds(200, 130, 160, 24);
        arrows->SetDateMode(ui::TDTDateMode::dmUpDown);
        controller = bed.Skin(form->Handle());
        ASSERT_TRUE(controller);
        input.MoveTo(FarAway);
        Pump();
    }

    ui::TComboBox* AddCombo(ui::TComboBoxStyle style, int left, int top)
    {
        auto* combo = new ui::TComboBox(form.get());
        combo->SetParent(form.get());
        combo->SetStyle(style);
        combo->SetBounds(left, top, 170, 24);
        for (int i = 0; i < 30; ++i)
            combo->Items()->Add(L"Item " + std::to_wstring(i));
        combo->SetItemIndex(0);
        return combo;
    }

    template <class T>
    T* SkinnerOf(HWND window) const
    {
        return dynamic_cast<T*>(controller->FindSkinnerOfWindow(window));
    }

    // The combo's face on the screen against frame `frame` of `element`
    // (the composite of border and button) drawn over the whole combo.
    int FaceDifferences(HWND combo, TDataSkinObject& element, int frame) const
    {
        const RECT r = ScreenRect(combo);
        const auto want = Picture(r.right - r.left, r.bottom - r.top, ui::clFuchsia, [&](HDC dc, const RECT& all) {
            DrawElement(dc, all, element.FrameCount, frame, element);
        });
        return Differences(*CaptureScreen(r), *want);
    }
    int FaceDifferences(HWND combo, int frame) const
    {
        return FaceDifferences(combo, *bed.Data().ComboButton, frame);
    }

    // The drop-down list's bar in its frame against the skin's arrows and thumb.
    int ListBarDifferences(HWND list) const
    {
        SCROLLBARINFO info{};
        if (!OptionalGetScrollBarInfo(list, OBJID_VSCROLL, info))
            return -1;
        TSkinData& data = bed.Data();
        const RECT bar = info.rcScrollBar;
        const int w = bar.right - bar.left, h = bar.bottom - bar.top, arrow = GetSystemMetrics(SM_CXHSCROLL);
        const auto want = Picture(w, h, ui::clFuchsia, [&](HDC dc, const RECT&) {
            DrawFrameStretched(dc, {0, 0, w, arrow}, *data.Scrollbar->Image, 23, 9, true);
            DrawFrameStretched(dc, {0, h - arrow, w, h}, *data.Scrollbar->Image, 23, 13, true);
            TDataSkinObject& thumb = *data.VertScrollThumb;
            DrawElement(dc, {0, info.xyThumbTop, w, info.xyThumbBottom}, thumb.FrameCount, 1, thumb);
            const int grip = data.Scrollbar->Image->Height();
            const int gripTop = info.xyThumbTop + (info.xyThumbBottom - info.xyThumbTop - grip) / 2;
            DrawFrameStretched(dc, {0, gripTop, w, gripTop + grip}, *data.Scrollbar->Image, 23, 20, true);
        });
        return Differences(*CaptureScreen(bar), *want);
    }

    TControlSkinning skinning;
    TSkinTestBed bed;
    std::unique_ptr<ui::TForm> form;
    ui::TComboBox* dropDown = nullptr;
    ui::TComboBox* dropList = nullptr;
    ui::TComboBox* simple = nullptr;
    ui::TComboBox* rightToLeft = nullptr;
    ui::TComboBox* disabled = nullptr;
    ui::TDateTimePicker* picker = nullptr;
    ui::TDateTimePicker* arrows = nullptr;
    TWinSkinForm* controller = nullptr;
    TXInput& input = TXInput::Instance();
};

} // namespace

TEST(ComboFaces, StatesAndTheDraggedThumbsRow)
{
    struct State {
        bool enabled, pressed, hot;
        TArrowState state;
    };
    const State states[] = {{true, false, false, TArrowState::Normal},
                            {true, false, true, TArrowState::Hot},
                            {true, true, true, TArrowState::Pressed},
                            {false, true, true, TArrowState::Disabled}};
    for (const State& s : states)
        EXPECT_EQ(ComboFaceState(s.enabled, s.pressed, s.hot), s.state) << s.enabled << s.pressed << s.hot;

    // 30 rows, 8 in view: first rows 0 to 22 over the 100 - 20 free pixels.
    SCROLLINFO info{sizeof info, SIF_ALL, 0, 29, 8, 0, 0};
    struct Drag {
        int along, row;
    };
    const Drag drags[] = {{-5, 0}, {0, 0}, {40, 11}, {80, 22}, {200, 22}};
    for (const Drag& d : drags)
        EXPECT_EQ(ThumbDragPosition(info, 100, 20, d.along), d.row) << d.along;
    info.nMax = 5;  // everything in view: no row but the first
    EXPECT_EQ(ThumbDragPosition(info, 100, 20, 50), 0);
}

TEST_F(SkinnedCombos, EachKindGetsItsSkinner)
{
    for (ui::TComboBox* combo : {dropDown, dropList, simple, rightToLeft, disabled})
        ASSERT_NE(SkinnerOf<TSkinComBox>(combo->Handle()), nullptr) << combo->ClassName();
    EXPECT_NE(dynamic_cast<TComboxScrollBar*>(SkinnerOf<TSkinComBox>(dropDown->Handle())->ListSkinner()), nullptr);
    EXPECT_NE(dynamic_cast<TComboxScrollBar*>(SkinnerOf<TSkinComBox>(dropList->Handle())->ListSkinner()), nullptr);
    EXPECT_NE(dynamic_cast<TSkinScrollbar*>(SkinnerOf<TSkinComBox>(simple->Handle())->ListSkinner()), nullptr);
    EXPECT_NE(SkinnerOf<TSkinDateTime>(picker->Handle()), nullptr);
    EXPECT_EQ(SkinnerOf<TSkinDateTime>(arrows->Handle()), nullptr);
    EXPECT_NE(SkinnerOf<TSkinEdit>(arrows->Handle()), nullptr) << "a picker with arrows is an edit";
}

TEST_F(SkinnedCombos, TheFaceFollowsPointerPressFocusAndEnabling)
{
    if (!input.Available())
        GTEST_SKIP() << "no X input";
    TSkinData& data = bed.Data();
    const HWND list = dropList->Handle();
    EXPECT_TRUE(Shows([&] { return FaceDifferences(list, 1); }, "normal"));
    EXPECT_TRUE(Shows([&] { return FaceDifferences(disabled->Handle(), 3); }, "disabled"));
    // A right-to-left combo's face has its button where the combo has its
    // own: on the left where the platform moves it there (Wine keeps it on
    // the right), drawn from the mirrored composite.
    const HWND mirrored = rightToLeft->Handle();
    const RECT r = ScreenRect(mirrored);
    const bool onTheLeft = InfoOf(mirrored).rcButton.right <= (r.right - r.left) / 2;
    EXPECT_TRUE(Shows([&] { return FaceDifferences(mirrored, onTheLeft ? *data.SunkEdge : *data.ComboButton, 1); },
                      "right to left"));

    // Hot over the button only: the combo's text part leaves it normal.
    const RECT l = ScreenRect(list);
    const RECT& button = SkinnerOf<TSkinComBox>(list)->ButtonRect();
    input.MoveTo({l.left + button.left + 4, l.top + button.top + 6});
    EXPECT_TRUE(Shows([&] { return FaceDifferences(list, 4); }, "hot"));
    input.MoveTo({l.left + 20, l.top + 6});
    EXPECT_TRUE(Shows([&] { return FaceDifferences(list, 1); }, "the pointer beside the button"));

    // Held, the button is pressed (and the list drops); released, the list
    // stays down and the focused combo shows the hot face.
    input.MoveTo({l.left + button.left + 4, l.top + button.top + 6});
    input.Press();
    EXPECT_TRUE(Shows([&] { return FaceDifferences(list, 2); }, "pressed"));
    input.Release();
    EXPECT_TRUE(PumpUntil([&] { return dropList->DroppedDown(); })) << "a click opens the list";
    input.MoveTo(FarAway);
    dropList->SetDroppedDown(false);
    EXPECT_TRUE(Shows([&] { return FaceDifferences(list, 4); }, "focused"));

    // The editable combo's face holds when its edit paints and takes text.
    SetForegroundWindow(form->Handle());
    dropDown->SetFocus();
    dropDown->SetTextValue(L"");
    input.Key("a");
    input.Key("b");
    EXPECT_TRUE(PumpUntil([&] { return dropDown->Text() == L"ab"; })) << "the edit takes typed text";
    EXPECT_TRUE(Shows([&] { return FaceDifferences(dropDown->Handle(), 4); }, "focused editable combo"));
}

TEST_F(SkinnedCombos, TheListDropsDownWearsTheSkinsBarAndChooses)
{
    if (!input.Available())
        GTEST_SKIP() << "no X input";
    const HWND combo = dropList->Handle();
    const HWND list = InfoOf(combo).hwndList;
    SetForegroundWindow(form->Handle());
    dropList->SetFocus();
    Pump();

    // Alt+Down opens the list; its bar is the skin's; keys scroll it and choose.
    input.Key("alt+Down");
    ASSERT_TRUE(PumpUntil([&] { return dropList->DroppedDown(); })) << "Alt+Down";
    EXPECT_TRUE(Shows([&] { return ListBarDifferences(list); }, "the list's bar"));
    for (int i = 0; i < 12; ++i)
        input.Key("Down");
    EXPECT_TRUE(PumpUntil([&] { return SendMessageW(list, LB_GETTOPINDEX, 0, 0) > 0; })) << "scrolled by keys";
    EXPECT_TRUE(Shows([&] { return ListBarDifferences(list); }, "the bar after the keys"));
    input.Key("Return");
    ASSERT_TRUE(PumpUntil([&] { return !dropList->DroppedDown(); }));
    EXPECT_EQ(dropList->ItemIndex(), 12);

    // A click opens it; the thumb dragged to the bottom shows the last rows.
    const RECT r = ScreenRect(combo);
    const RECT& button = SkinnerOf<TSkinComBox>(combo)->ButtonRect();
    input.MoveTo({r.left + button.left + 4, r.top + button.top + 6});
    input.Click();
    ASSERT_TRUE(PumpUntil([&] { return dropList->DroppedDown(); })) << "a click";
    SCROLLBARINFO info{};
    ASSERT_TRUE(OptionalGetScrollBarInfo(list, OBJID_VSCROLL, info));
    const int x = (info.rcScrollBar.left + info.rcScrollBar.right) / 2;
    const int grab = info.rcScrollBar.top + (info.xyThumbTop + info.xyThumbBottom) / 2;
    TMessageRecorder scrolls(list, {WM_VSCROLL});
    Gesture([&] {
        input.MoveTo({x, grab});
        input.Press();
        for (int y = grab; y < info.rcScrollBar.bottom + 30; y += 8)
            input.MoveTo({x, y});
        input.Release();
    });
    RECT client{};
    GetClientRect(list, &client);
    const auto rowsInView = client.bottom / SendMessageW(list, LB_GETITEMHEIGHT, 0, 0);
    const auto lastTop = SendMessageW(list, LB_GETCOUNT, 0, 0) - rowsInView;
    EXPECT_TRUE(PumpUntil([&] { return SendMessageW(list, LB_GETTOPINDEX, 0, 0) == lastTop; }))
        << SendMessageW(list, LB_GETTOPINDEX, 0, 0) << " of " << lastTop;
    // The skinner drags the thumb: the list is told each new row, then the
    // end; the system's tracking, which would draw its own thumb, never ran.
    const auto& noted = scrolls.Messages();
    ASSERT_TRUE(PumpUntil([&] { return !noted.empty() && LOWORD(noted.back().WParam) == SB_ENDSCROLL; }));
    EXPECT_FALSE(noted.back().Sent) << "the end is posted";
    EXPECT_TRUE(std::all_of(noted.begin(), noted.end() - 1, [](const TRecordedMessage& m) {
        return m.Sent && LOWORD(m.WParam) == SB_THUMBPOSITION;
    }));
    EXPECT_TRUE(dropList->DroppedDown()) << "the drag leaves the list open";
    EXPECT_TRUE(Shows([&] { return ListBarDifferences(list); }, "the bar after the drag"));

    // A click on a row chooses it and closes the list.
    RECT row{};
    SendMessageW(list, LB_GETITEMRECT, 28, reinterpret_cast<LPARAM>(&row));
    POINT at = Middle(row);
    ClientToScreen(list, &at);
    input.MoveTo(at);
    input.Click();
    ASSERT_TRUE(PumpUntil([&] { return !dropList->DroppedDown(); }));
    EXPECT_EQ(dropList->ItemIndex(), 28);
}

TEST_F(SkinnedCombos, ASimpleCombosListHasTheOverlays)
{
    auto* skinner = dynamic_cast<TSkinScrollbar*>(SkinnerOf<TSkinComBox>(simple->Handle())->ListSkinner());
    ASSERT_TRUE(skinner);
    const HWND list = InfoOf(simple->Handle()).hwndList;
    ASSERT_TRUE(PumpUntil([&] { return skinner->VertBar()->Shown(); }));
    SCROLLBARINFO info{};
    ASSERT_TRUE(OptionalGetScrollBarInfo(list, OBJID_VSCROLL, info));
    const RECT overlay = ScreenRect(skinner->VertBar()->Handle());
    EXPECT_TRUE(EqualRect(&overlay, &info.rcScrollBar));
    EXPECT_FALSE(skinner->HorzBar()->Shown());

    // The list keeps to whole rows; the room under it has the form's colour
    // (the platform paints nothing there, which once showed a black band).
    const RECT combo = ScreenRect(simple->Handle()), rows = ScreenRect(list);
    ASSERT_LT(rows.bottom, combo.bottom);
    const Bgr face = BgrOf(ui::ColorToRGB(form->Color()));
    int others = 0;
    EXPECT_TRUE(PumpUntil([&] {
        const auto room = CaptureScreen({combo.left, rows.bottom, combo.right, combo.bottom});
        others = 0;
        for (int y = 0; y < room->Height(); ++y)
            for (int x = 0; x < room->Width(); ++x)
                others += !(At(*room, x, y) == face);
        return others == 0;
    }, 3s)) << others << " pixels of another colour";
}

TEST_F(SkinnedCombos, ThePickersArrowIsTheSkinsAndOpensTheCalendar)
{
    if (!input.Available())
        GTEST_SKIP() << "no X input";
    const TArrowButton* arrow = SkinnerOf<TSkinDateTime>(picker->Handle())->Arrow();
    ASSERT_TRUE(arrow);
    EXPECT_TRUE(GetWindowLongPtrW(picker->Handle(), GWL_STYLE) & WS_CLIPCHILDREN);
    TDataSkinObject& element = *bed.Data().ComboxArrow;
    const auto arrowDifferences = [&](int frame) {
        const RECT r = ScreenRect(arrow->Handle());
        const auto want = Picture(r.right - r.left, r.bottom - r.top, ui::clFuchsia, [&](HDC dc, const RECT& all) {
            DrawFrameStretched(dc, all, *element.Image, element.FrameCount, frame, false);
        });
        return Differences(*CaptureScreen(r), *want);
    };
    EXPECT_TRUE(Shows([&] { return arrowDifferences(1); }, "normal arrow"));
    input.MoveTo(Middle(ScreenRect(arrow->Handle())));
    EXPECT_TRUE(Shows([&] { return arrowDifferences(4); }, "hot arrow"));
    input.Click();
    const auto calendar = [&] {
        return reinterpret_cast<HWND>(SendMessageW(picker->Handle(), DTM_GETMONTHCAL, 0, 0));
    };
    EXPECT_TRUE(PumpUntil([&] { return calendar() && IsWindowVisible(calendar()); })) << "the calendar opens";
    input.Click();
    EXPECT_TRUE(PumpUntil([&] { return !IsWindowVisible(calendar()); })) << "a second click closes it";
    input.MoveTo(FarAway);
    picker->SetEnabled(false);
    EXPECT_TRUE(Shows([&] { return arrowDifferences(3); }, "disabled arrow"));
}

// Switched off, the skin takes its hooks, list skinners and arrow away.
TEST_F(SkinnedCombos, SwitchedOffEverythingHasItsOwnLookAgain)
{
    const HWND edit = InfoOf(dropDown->Handle()).hwndItem;
    const WNDPROC hooked = WindowProcedure(edit);
    const HWND arrow = SkinnerOf<TSkinDateTime>(picker->Handle())->Arrow()->Handle();
    ASSERT_TRUE(Shows([&] { return FaceDifferences(dropList->Handle(), 1); }, "skinned"));
    bed.Data().SetActive(false);
    ASSERT_TRUE(PumpUntil([&] { return bed.Manager().Controllers().empty(); }));
    for (ui::TComboBox* combo : {dropDown, dropList, simple, rightToLeft, disabled}) {
        EXPECT_TRUE(combo->WindowProcHooks().empty());
        EXPECT_FALSE(AnswersSkinQuery(InfoOf(combo->Handle()).hwndList));
    }
    EXPECT_NE(WindowProcedure(edit), hooked) << "the edit's own procedure";
    EXPECT_FALSE(IsWindow(arrow));
    EXPECT_FALSE(GetWindowLongPtrW(picker->Handle(), GWL_STYLE) & WS_CLIPCHILDREN);
    EXPECT_TRUE(PumpUntil([&] { return FaceDifferences(dropList->Handle(), 1) > 0; })) << "the native face";
}
