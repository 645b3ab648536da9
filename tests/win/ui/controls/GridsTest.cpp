// The string grid and the scroll box on real windows: their layout, their
// own scroll bars under scroll messages, keys, the wheel and the X pointer.
#include <gtest/gtest.h>

#include <atomic>
#include <string>
#include <thread>
#include <vector>

#include "tests/win/support/WindowTestSupport.h"
#include "tests/win/support/XInput.h"
#include "ui/controls/ExtCtrls.h"
#include "ui/controls/Grids.h"
#include "ui/controls/ScrollBox.h"
#include "ui/core/FormReader.h"
#include "ui/forms/Forms.h"

using namespace ui;

namespace {

// Columns of 50 pixels and grid lines of 1: two fixed ones, eight scrolled.
TGridAxis TenLines()
{
    TGridAxis axis;
    axis.SetDefaultSize(50);
    axis.SetCount(10);
    axis.SetFixed(2);
    return axis;
}

const char* const GridForm = R"(object Grids: TForm
  Left = 40
  Top = 40
  ClientWidth = 520
  ClientHeight = 300
  Position = poDesigned
  object Grid1: TStringGrid
    Left = 10
    Top = 10
    Width = 260
    Height = 200
    ColCount = 3
    RowCount = 40
    FixedCols = 1
    FixedRows = 1
    DefaultColWidth = 60
    DefaultRowHeight = 20
    FixedColor = clSilver
  end
  object Box1: TScrollBox
    Left = 290
    Top = 10
    Width = 200
    Height = 150
    object Far1: TPanel
      Left = 20
      Top = 400
      Width = 100
      Height = 40
    end
  end
end
)";

class ScrolledControls : public ::testing::Test {
protected:
    void SetUp() override
    {
        RegisterFrameworkClasses();
        form = new TForm(nullptr);
        ReadComponent(GridForm, *form);
        form->Show();
        ASSERT_TRUE(tests::PumpUntil([&] { return IsWindowVisible(form->Handle()) != 0; }));
        grid = FindComponentOf<TStringGrid>(*form, "Grid1");
        box = FindComponentOf<TScrollBox>(*form, "Box1");
    }
    void TearDown() override { delete form; }

    static bool BarShown(HWND wnd, LONG bar)
    {
        SCROLLBARINFO info{};
        info.cbSize = sizeof info;
        return GetScrollBarInfo(wnd, bar, &info) && !(info.rgstate[0] & STATE_SYSTEM_INVISIBLE);
    }

    TForm* form = nullptr;
    TStringGrid* grid = nullptr;
    TScrollBox* box = nullptr;
};

} // namespace

// Where lines start and which line a position falls on, scrolled and not;
// how panel a view of a length may scroll, and how little it scrolls to show a
// line.
TEST(GridAxis, LinesArePlacedAfterTheFixedOnesFromTheFirstShown)
{
    TGridAxis axis = TenLines();
    EXPECT_EQ(axis.Start(1), 51);
    EXPECT_EQ(axis.Start(2), 102);
    EXPECT_EQ(axis.IndexAt(101, 300), 1);
    EXPECT_EQ(axis.IndexAt(102, 300), 2);
    EXPECT_EQ(axis.IndexAt(300, 300), -1) << "past the view";
    EXPECT_EQ(axis.WholeLines(300), 3) << "102 + 3 × 51 − 1 fits, a fourth does not";
    EXPECT_EQ(axis.LastFirst(300), 7) << "lines 7, 8, 9 end the view";
    EXPECT_EQ(axis.Shown(300), (std::vector<int>{0, 1, 2, 3, 4, 5}));

    axis.SetFirst(5, 300);
    EXPECT_EQ(axis.Start(4), -1) << "scrolled out";
    EXPECT_EQ(axis.Start(5), 102);
    EXPECT_EQ(axis.IndexAt(110, 300), 5);
    EXPECT_EQ(axis.IndexAt(20, 300), 0) << "fixed lines never scroll";
    axis.SetFirst(9, 300);
    EXPECT_EQ(axis.First(), 7) << "no further than the last line needs";
    axis.SetFirst(0, 300);
    EXPECT_EQ(axis.First(), 2) << "never into the fixed lines";

    const struct {
        int First, Index, Expected;
    } showing[] = {{2, 3, 2}, {2, 4, 2}, {2, 5, 3}, {2, 9, 7}, {6, 4, 4}, {6, 0, 6}};
    for (const auto& c : showing) {
        axis.SetFirst(c.First, 300);
        EXPECT_EQ(axis.FirstShowing(c.Index, 300), c.Expected) << c.First << " " << c.Index;
    }
    axis.SetSize(9, 400);
    EXPECT_EQ(axis.LastFirst(300), 9) << "a line longer than the view is shown alone";
    EXPECT_THROW(axis.Size(10), Exception);
    axis.SetCount(1);
    EXPECT_EQ(axis.Fixed(), 0) << "one line at least scrolls";
}

// The form's counts, sizes and colours; the cells grow and shrink with the
// counts; the bar is there for the rows, not for the columns that fit.
TEST_F(ScrolledControls, AGridTakesItsShapeFromTheForm)
{
    EXPECT_EQ(grid->ColCount(), 3);
    EXPECT_EQ(grid->RowHeights(39), 20);
    EXPECT_EQ(grid->FixedColor(), 0xC0C0C0);
    EXPECT_TRUE(GetWindowLongPtrW(grid->Handle(), GWL_EXSTYLE) & WS_EX_CLIENTEDGE);
    EXPECT_TRUE(BarShown(grid->Handle(), OBJID_VSCROLL));
    EXPECT_FALSE(BarShown(grid->Handle(), OBJID_HSCROLL));

    grid->SetCells(2, 39, L"最后");
    EXPECT_EQ(grid->Cells(2, 39), L"最后");
    EXPECT_THROW(grid->Cells(3, 0), Exception);
    EXPECT_THROW(grid->SetCells(0, 40, L"x"), Exception);
    grid->SetRowCount(5);
    EXPECT_THROW(grid->Cells(2, 39), Exception);
    grid->SetRowCount(40);
    EXPECT_EQ(grid->Cells(2, 39), L"") << "cells that went stay gone";
    EXPECT_TRUE(tests::PumpUntil([&] { return BarShown(grid->Handle(), OBJID_VSCROLL); }));

    grid->SetColWidths(2, 400);
    EXPECT_TRUE(BarShown(grid->Handle(), OBJID_HSCROLL)) << "a wide column needs the bar";
}

// The bar's codes and the wheel scroll the rows after the fixed one; the
// bar's thumb follows. Eight rows of 21 pixels fit under the fixed one, so
// row 32 is the last first row.
TEST_F(ScrolledControls, AGridScrollsWithItsOwnBar)
{
    const struct {
        UINT Msg;
        WPARAM WParam;
        int TopRow;
    } steps[] = {
        {WM_VSCROLL, SB_LINEDOWN, 2},
        {WM_VSCROLL, SB_PAGEDOWN, 2 + 8},
        {WM_VSCROLL, SB_LINEUP, 9},
        {WM_VSCROLL, SB_BOTTOM, 32},
        {WM_VSCROLL, SB_LINEDOWN, 32},
        {WM_MOUSEWHEEL, MAKEWPARAM(0, WHEEL_DELTA), 29},
        {WM_VSCROLL, SB_TOP, 1},
    };
    for (const auto& s : steps) {
        SendMessageW(grid->Handle(), s.Msg, s.WParam, 0);
        EXPECT_EQ(grid->TopRow(), s.TopRow) << s.WParam;
        EXPECT_EQ(GetScrollPos(grid->Handle(), SB_VERT), s.TopRow) << s.WParam;
    }
}

// The arrow keys and a click move the current cell, never onto the fixed
// cells, and the rows scroll to keep it in view.
TEST_F(ScrolledControls, TheCurrentCellMovesAndStaysInView)
{
    EXPECT_EQ(grid->Col(), 1);
    EXPECT_EQ(grid->Row(), 1);
    for (WORD key : {VK_LEFT, VK_UP})
        SendMessageW(grid->Handle(), WM_KEYDOWN, key, 1);
    EXPECT_EQ(grid->Col(), 1);
    EXPECT_EQ(grid->Row(), 1);
    for (int i = 0; i < 12; ++i)
        SendMessageW(grid->Handle(), WM_KEYDOWN, VK_DOWN, 1);
    EXPECT_EQ(grid->Row(), 13);
    const RECT cell = grid->CellRect(1, 13);
    EXPECT_GT(cell.bottom, cell.top);
    EXPECT_LE(cell.bottom, grid->ClientHeight()) << "scrolled into view, whole";
    EXPECT_EQ(grid->TopRow(), 13 - 8 + 1);

    const RECT target = grid->CellRect(2, grid->TopRow() + 1);
    SendMessageW(grid->Handle(), WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(target.left + 5, target.top + 5));
    SendMessageW(grid->Handle(), WM_LBUTTONUP, 0, MAKELPARAM(target.left + 5, target.top + 5));
    EXPECT_EQ(grid->Col(), 2);
    EXPECT_EQ(grid->Row(), grid->TopRow() + 1);
    EXPECT_EQ(GetFocus(), grid->Handle());

    // On screen: the current cell is highlighted, a fixed cell wears its colour.
    UpdateWindow(grid->Handle());
    HDC dc = GetDC(grid->Handle());
    EXPECT_EQ(GetPixel(dc, target.right - 3, target.top + 3), ColorToRGB(clHighlight));
    EXPECT_EQ(GetPixel(dc, 10, 10), 0xC0C0C0u) << "FixedColor";
    ReleaseDC(grid->Handle(), dc);
}

// The real pointer drags the bar's thumb to the bottom: the rows follow.
TEST_F(ScrolledControls, DraggingTheThumbScrollsTheGrid)
{
    auto& input = tests::TXInput::Instance();
    if (!input.Available())
        GTEST_SKIP() << "no X input";
    SetForegroundWindow(form->Handle());
    SCROLLBARINFO bar{};
    bar.cbSize = sizeof bar;
    ASSERT_TRUE(GetScrollBarInfo(grid->Handle(), OBJID_VSCROLL, &bar));
    const int x = (bar.rcScrollBar.left + bar.rcScrollBar.right) / 2;
    const POINT thumb{x, bar.rcScrollBar.top + (bar.xyThumbTop + bar.xyThumbBottom) / 2};
    std::atomic<bool> done{false};
    // The bar tracks the thumb in a loop of its own: the pointer moves from
    // another thread meanwhile.
    std::thread drag([&] {
        input.MoveTo(thumb);
        input.Press();
        Sleep(100);
        for (int y = thumb.y; y <= bar.rcScrollBar.bottom + 20; y += 10) {
            input.MoveTo({x, y});
            Sleep(20);
        }
        input.Release();
        done = true;
    });
    EXPECT_TRUE(tests::PumpUntil([&] { return done.load(); }, std::chrono::seconds(15)));
    drag.join();
    EXPECT_TRUE(tests::PumpUntil([&] { return grid->TopRow() == 32; })) << grid->TopRow();
    EXPECT_EQ(GetScrollPos(grid->Handle(), SB_VERT), grid->TopRow());
}

// The box's range reaches its farthest control; scrolling moves the
// controls; moving the control into view takes the bar away.
TEST_F(ScrolledControls, AScrollBoxsRangeFollowsItsControls)
{
    auto* panel = FindComponentOf<TPanel>(*form, "Far1");
    EXPECT_EQ(box->Range().cy, 440);
    EXPECT_TRUE(BarShown(box->Handle(), OBJID_VSCROLL));
    EXPECT_FALSE(BarShown(box->Handle(), OBJID_HSCROLL));

    SendMessageW(box->Handle(), WM_VSCROLL, SB_BOTTOM, 0);
    const int bottom = 440 - box->ClientHeight();
    EXPECT_EQ(box->VertPosition(), bottom);
    EXPECT_EQ(panel->Top(), 400 - bottom);
    RECT placed{};
    GetWindowRect(panel->Handle(), &placed);
    MapWindowPoints(nullptr, box->Handle(), reinterpret_cast<POINT*>(&placed), 2);
    EXPECT_EQ(placed.top, panel->Top()) << "the window moved with it";
    EXPECT_EQ(box->Range().cy, 440) << "the range is measured from the unscrolled origin";

    SendMessageW(box->Handle(), WM_VSCROLL, SB_LINEUP, 0);
    EXPECT_EQ(box->VertPosition(), bottom - 16);
    SendMessageW(box->Handle(), WM_MOUSEWHEEL, MAKEWPARAM(0, -WHEEL_DELTA), 0);
    EXPECT_EQ(box->VertPosition(), bottom) << "held at the end";

    SendMessageW(box->Handle(), WM_VSCROLL, SB_TOP, 0);
    panel->SetBounds(10, 10, 100, 40);
    EXPECT_EQ(box->VertPosition(), 0) << "nothing left to scroll to";
    EXPECT_FALSE(BarShown(box->Handle(), OBJID_VSCROLL));
    panel->SetLeft(400);
    EXPECT_TRUE(BarShown(box->Handle(), OBJID_HSCROLL));
    EXPECT_EQ(box->Range().cx, 500);
}
