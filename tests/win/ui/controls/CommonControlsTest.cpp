// The controls over the platform's common controls, read from form data and
// driven through their windows: status bar, progress bar, track bar, header,
// tool bar, cool bar, and a frame hosting controls of its own.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "tests/win/support/WindowTestSupport.h"
#include "ui/controls/CoolBar.h"
#include "ui/controls/ExtCtrls.h"
#include "ui/controls/HeaderControl.h"
#include "ui/controls/Menus.h"
#include "ui/controls/ProgressBar.h"
#include "ui/controls/StatusBar.h"
#include "ui/controls/StdCtrls.h"
#include "ui/controls/ToolBar.h"
#include "ui/controls/TrackBar.h"
#include "ui/core/FormReader.h"
#include "ui/forms/Forms.h"
#include "ui/graphics/ImgList.h"

using namespace ui;

namespace {

class TBarsForm : public TForm {
    UI_CLASS(TBarsForm)
public:
    explicit TBarsForm(TComponent* owner) : TForm(owner) {}
    std::vector<std::string> Events;
    void Clicked(TObject* sender) { Events.push_back(dynamic_cast<TComponent*>(sender)->Name()); }
    void Changed(TObject* sender) { Events.push_back(dynamic_cast<TComponent*>(sender)->Name() + " changed"); }
    void SectionClick(THeaderControl*, THeaderSection* section)
    {
        Events.push_back("section " + std::to_string(section->Index()));
    }
    void SectionResize(THeaderControl*, THeaderSection* section)
    {
        Events.push_back("resized " + std::to_string(section->Index()) + " to " + std::to_string(section->Width()));
    }
    void DrawPanel(TCustomStatusBar*, TStatusPanel* panel, const RECT& rect)
    {
        DrawnPanels.push_back(panel->Index());
        DrawnPanel = rect;
    }
    std::vector<int> DrawnPanels;
    RECT DrawnPanel{};
    TMethod FindMethod(std::string_view name) override
    {
        using F = TBarsForm;
        return FindHandler<F>(this, name,
                              {Handler("Clicked", &F::Clicked), Handler("Changed", &F::Changed),
                               Handler("SectionClick", &F::SectionClick), Handler("SectionResize", &F::SectionResize),
                               Handler("DrawPanel", &F::DrawPanel)});
    }
};

const TClassInfo& TBarsForm::StaticClass()
{
    static const TClassInfo info = TClassBuilder<TBarsForm>("TBarsForm", &TForm::StaticClass()).Done();
    return info;
}

const char* const BarsForm = R"(object Bars: TBarsForm
  Left = 40
  Top = 40
  ClientWidth = 500
  ClientHeight = 360
  Position = poDesigned
  object CoolBar1: TCoolBar
    Left = 0
    Top = 0
    Width = 500
    Height = 40
    Bands = <
      item
        Control = ToolBar1
        Text = '工具'
        Width = 300
      end
      item
        Text = '空'
        Width = 150
        Break = False
      end>
    object ToolBar1: TToolBar
      Left = 0
      Top = 0
      Width = 280
      Height = 26
      ButtonWidth = 40
      ButtonHeight = 22
      ShowCaptions = True
      object New1: TToolButton
        Caption = '新'
        OnClick = Clicked
      end
      object Sep1: TToolButton
        Width = 8
        Style = tbsSeparator
      end
      object Bold1: TToolButton
        Caption = '粗'
        Style = tbsCheck
        Down = True
        OnClick = Clicked
      end
      object Open1: TToolButton
        Caption = '开'
        Style = tbsDropDown
        DropdownMenu = Popup1
        OnClick = Clicked
      end
    end
  end
  object Header1: THeaderControl
    Left = 0
    Top = 40
    Width = 500
    Height = 20
    Align = alNone
    Sections = <
      item
        Text = '名称'
        Width = 120
      end
      item
        Text = '大小'
        Width = 80
        Alignment = taRightJustify
      end
      item
        Text = '日期'
        Width = 100
        Alignment = taCenter
      end>
    OnSectionClick = SectionClick
    OnSectionResize = SectionResize
  end
  object Progress1: TProgressBar
    Left = 10
    Top = 80
    Width = 200
    Height = 18
    Position = 70
    Max = 200
    Min = 50
  end
  object Progress2: TProgressBar
    Left = 220
    Top = 80
    Width = 18
    Height = 120
    Orientation = pbVertical
    Smooth = True
    Position = 900
  end
  object Track1: TTrackBar
    Left = 10
    Top = 110
    Width = 200
    Height = 40
    Position = 4
    Max = 20
    Frequency = 5
    TickMarks = tmBoth
    OnChange = Changed
  end
  object Track2: TTrackBar
    Left = 250
    Top = 80
    Width = 40
    Height = 150
    Orientation = trVertical
    TickStyle = tsNone
    Position = -3
  end
  object Status1: TStatusBar
    Left = 0
    Top = 338
    Width = 500
    Height = 22
    Panels = <
      item
        Text = '就绪'
        Width = 100
      end
      item
        Text = '中'
        Width = 80
        Alignment = taCenter
        Bevel = pbRaised
      end
      item
        Width = 60
        Style = psOwnerDraw
      end
      item
        Text = '右'
        Alignment = taRightJustify
        Bevel = pbNone
      end>
    OnDrawPanel = DrawPanel
  end
  object Popup1: TPopupMenu
    object Item1: TMenuItem
      Caption = '最近'
    end
  end
end
)";

class CommonControls : public ::testing::Test {
protected:
    void SetUp() override
    {
        RegisterFrameworkClasses();
        form = new TBarsForm(nullptr);
        ReadComponent(BarsForm, *form);
        form->Show();
        ASSERT_TRUE(tests::PumpUntil([&] { return IsWindowVisible(form->Handle()) != 0; }));
        tests::Pump();
    }
    void TearDown() override { delete form; }

    template <class T>
    T* Get(const char* name) { return FindComponentOf<T>(*form, name); }

    static LONG_PTR StyleOf(TWinControl* c) { return GetWindowLongPtrW(c->Handle(), GWL_STYLE); }

    static void ClickAt(HWND wnd, POINT p)
    {
        SendMessageW(wnd, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(p.x, p.y));
        SendMessageW(wnd, WM_LBUTTONUP, 0, MAKELPARAM(p.x, p.y));
        tests::Pump();
    }

    TBarsForm* form = nullptr;
};

std::wstring PanelText(HWND bar, int index)
{
    wchar_t text[64]{};
    SendMessageW(bar, SB_GETTEXTW, static_cast<WPARAM>(index), reinterpret_cast<LPARAM>(text));
    return text;
}

} // namespace

// Panels end where their widths add up to (the last takes the rest); the
// alignment travels as leading tabs, the bevel as the drawing type; an
// owner-drawn panel is drawn by OnDrawPanel.
TEST_F(CommonControls, AStatusBarShowsItsPanelsOrItsSimpleText)
{
    auto* bar = Get<TStatusBar>("Status1");
    HWND wnd = bar->Handle();
    int edges[8]{};
    ASSERT_EQ(SendMessageW(wnd, SB_GETPARTS, 8, reinterpret_cast<LPARAM>(edges)), 4);
    EXPECT_EQ(edges[0], 100);
    EXPECT_EQ(edges[1], 180);
    EXPECT_EQ(edges[2], 240);
    EXPECT_EQ(edges[3], -1);
    EXPECT_EQ(PanelText(wnd, 0), L"就绪");
    EXPECT_EQ(PanelText(wnd, 1), L"\t中");
    EXPECT_EQ(PanelText(wnd, 3), L"\t\t右");
    EXPECT_EQ(HIWORD(SendMessageW(wnd, SB_GETTEXTLENGTHW, 1, 0)), SBT_POPOUT);
    EXPECT_EQ(HIWORD(SendMessageW(wnd, SB_GETTEXTLENGTHW, 3, 0)), SBT_NOBORDERS);
    EXPECT_TRUE(StyleOf(bar) & SBARS_SIZEGRIP);
    EXPECT_EQ(bar->Top(), 338) << "placed by its Align, at the bottom";

    RedrawWindow(wnd, nullptr, nullptr, RDW_INVALIDATE | RDW_UPDATENOW);
    tests::Pump();
    ASSERT_FALSE(form->DrawnPanels.empty());
    EXPECT_EQ(form->DrawnPanels.back(), 2) << "only the owner-drawn panel";
    RECT panel{};
    ASSERT_TRUE(bar->PanelRect(2, panel));
    RECT within{};
    EXPECT_TRUE(IntersectRect(&within, &panel, &form->DrawnPanel) && EqualRect(&within, &form->DrawnPanel))
        << "the panel is drawn within its own rectangle";

    bar->Panels()->Items(0)->SetText(L"忙");
    EXPECT_EQ(PanelText(wnd, 0), L"忙");
    bar->SetSimpleText(L"简单");
    bar->SetSimplePanel(true);
    EXPECT_TRUE(SendMessageW(wnd, SB_ISSIMPLE, 0, 0));
    EXPECT_EQ(PanelText(wnd, 0), L"简单") << "while simple, the bar has one panel";
    bar->SetSizeGrip(false);
    EXPECT_FALSE(StyleOf(bar) & SBARS_SIZEGRIP);
    bar->SetSimplePanel(false);
    EXPECT_FALSE(SendMessageW(wnd, SB_ISSIMPLE, 0, 0));
    bar->RecreateWnd();
    EXPECT_EQ(PanelText(bar->Handle(), 0), L"忙") << "the panels outlive the window";
}

// Min, Max and Position may come in any order in a form; the position is
// fitted into the range once all are read, and stays within it.
TEST_F(CommonControls, AProgressBarKeepsItsPositionWithinItsRange)
{
    auto* bar = Get<TProgressBar>("Progress1");
    auto* vertical = Get<TProgressBar>("Progress2");
    const auto shown = [](TProgressBar* b) { return SendMessageW(b->Handle(), PBM_GETPOS, 0, 0); };
    EXPECT_EQ(bar->Position(), 70);
    EXPECT_EQ(shown(bar), 70);
    EXPECT_EQ(SendMessageW(bar->Handle(), PBM_GETRANGE, TRUE, 0), 50);
    EXPECT_EQ(SendMessageW(bar->Handle(), PBM_GETRANGE, FALSE, 0), 200);
    EXPECT_EQ(vertical->Position(), 100) << "fitted into 0..100";
    EXPECT_TRUE(StyleOf(vertical) & PBS_VERTICAL);
    EXPECT_TRUE(StyleOf(vertical) & PBS_SMOOTH);
    EXPECT_FALSE(StyleOf(bar) & PBS_VERTICAL);

    const struct {
        int Set;
        int Expected;
    } cases[] = {{10, 50}, {120, 120}, {500, 200}};
    for (auto [set, expected] : cases) {
        bar->SetPosition(set);
        EXPECT_EQ(bar->Position(), expected);
        EXPECT_EQ(shown(bar), expected);
    }
    bar->SetPosition(150);
    bar->StepIt();
    EXPECT_EQ(bar->Position(), 160);
    bar->SetMax(100);
    EXPECT_EQ(bar->Position(), 100);
    EXPECT_EQ(shown(bar), 100);
    bar->SetMin(300);
    EXPECT_EQ(bar->Max(), 300) << "the range never turns over";
    EXPECT_EQ(bar->Position(), 300);
}

// The thumb moved by the user (keys reach the window) or by the program
// changes Position and runs OnChange; the position stays within the range.
TEST_F(CommonControls, ATrackBarFollowsItsThumbAndReportsEveryMove)
{
    auto* track = Get<TTrackBar>("Track1");
    auto* vertical = Get<TTrackBar>("Track2");
    EXPECT_EQ(track->Position(), 4);
    EXPECT_TRUE(StyleOf(track) & TBS_BOTH);
    EXPECT_TRUE(StyleOf(track) & TBS_AUTOTICKS);
    EXPECT_TRUE(StyleOf(vertical) & TBS_VERT);
    EXPECT_TRUE(StyleOf(vertical) & TBS_NOTICKS);
    EXPECT_EQ(vertical->Position(), 0) << "fitted into 0..10";
    EXPECT_TRUE(form->Events.empty()) << "reading a form is no move";

    SendMessageW(track->Handle(), WM_KEYDOWN, VK_RIGHT, 0);
    SendMessageW(track->Handle(), WM_KEYUP, VK_RIGHT, 0);
    EXPECT_EQ(track->Position(), 5);
    SendMessageW(track->Handle(), WM_KEYDOWN, VK_END, 0);
    EXPECT_EQ(track->Position(), 20);
    track->SetPosition(7);
    EXPECT_EQ(SendMessageW(track->Handle(), TBM_GETPOS, 0, 0), 7);
    track->SetPosition(7);
    track->SetPosition(99);
    EXPECT_EQ(track->Position(), 20);
    EXPECT_EQ(form->Events, (std::vector<std::string>{"Track1 changed", "Track1 changed", "Track1 changed",
                                                      "Track1 changed"}));
    track->SetOrientation(TTrackBarOrientation::trVertical);
    EXPECT_TRUE(StyleOf(track) & TBS_VERT);
    EXPECT_EQ(SendMessageW(track->Handle(), TBM_GETPOS, 0, 0), 20) << "the remade window keeps the position";
}

// Sections become the header's items; a click on one runs OnSectionClick,
// and a new width set in the window comes back to the section.
TEST_F(CommonControls, AHeaderShowsItsSectionsAndReportsClicksAndResizes)
{
    auto* header = Get<THeaderControl>("Header1");
    HWND wnd = header->Handle();
    ASSERT_EQ(SendMessageW(wnd, HDM_GETITEMCOUNT, 0, 0), 3);
    wchar_t text[32]{};
    HDITEMW item{};
    item.mask = HDI_TEXT | HDI_WIDTH | HDI_FORMAT;
    item.pszText = text;
    item.cchTextMax = 32;
    SendMessageW(wnd, HDM_GETITEMW, 1, reinterpret_cast<LPARAM>(&item));
    EXPECT_EQ(std::wstring(text), L"大小");
    EXPECT_EQ(item.cxy, 80);
    EXPECT_EQ(item.fmt & HDF_JUSTIFYMASK, HDF_RIGHT);

    RECT second{};
    SendMessageW(wnd, HDM_GETITEMRECT, 1, reinterpret_cast<LPARAM>(&second));
    ClickAt(wnd, {(second.left + second.right) / 2, (second.top + second.bottom) / 2});
    EXPECT_EQ(form->Events, (std::vector<std::string>{"section 1"}));

    HDITEMW wider{};
    wider.mask = HDI_WIDTH;
    wider.cxy = 140;
    SendMessageW(wnd, HDM_SETITEMW, 2, reinterpret_cast<LPARAM>(&wider));
    EXPECT_EQ(header->Sections()->Items(2)->Width(), 140);
    EXPECT_EQ(form->Events.back(), "resized 2 to 140");

    header->Sections()->Add()->SetText(L"备注");
    EXPECT_EQ(SendMessageW(wnd, HDM_GETITEMCOUNT, 0, 0), 4);
}

// Notifications other than the item codes carry a bare NMHDR (a right click
// sends NM_RCLICK): the header reads no more than it was sent. The header is
// placed at the very end of a readable page, so a read past it faults.
TEST_F(CommonControls, AHeaderReadsOnlyTheNotificationItWasSent)
{
    auto* header = Get<THeaderControl>("Header1");
    SYSTEM_INFO system{};
    GetSystemInfo(&system);
    const SIZE_T page = system.dwPageSize;
    auto* pages = static_cast<BYTE*>(VirtualAlloc(nullptr, 2 * page, MEM_RESERVE | MEM_COMMIT, PAGE_READWRITE));
    ASSERT_NE(pages, nullptr);
    DWORD old = 0;
    ASSERT_TRUE(VirtualProtect(pages + page, page, PAGE_NOACCESS, &old));
    for (UINT code : {UINT(NM_RCLICK), UINT(NM_CUSTOMDRAW), UINT(HDN_BEGINTRACKW)}) {
        auto* hdr = reinterpret_cast<NMHDR*>(pages + page - sizeof(NMHDR));
        *hdr = NMHDR{header->Handle(), 0, code};
        SendMessageW(form->Handle(), WM_NOTIFY, 0, reinterpret_cast<LPARAM>(hdr));
    }
    VirtualFree(pages, 0, MEM_RELEASE);
    EXPECT_TRUE(form->Events.empty());
}

// Tool buttons become the bar's buttons in order, with their styles; a click
// on a check button turns it over, and the buttons' bounds are where the bar
// placed them.
TEST_F(CommonControls, AToolBarShowsItsButtonsAndRunsTheirClicks)
{
    auto* bar = Get<TToolBar>("ToolBar1");
    auto* bold = Get<TToolButton>("Bold1");
    auto* open = Get<TToolButton>("Open1");
    HWND wnd = bar->Handle();
    ASSERT_EQ(SendMessageW(wnd, TB_BUTTONCOUNT, 0, 0), 4);
    const BYTE styles[] = {BTNS_BUTTON, BTNS_SEP, BTNS_CHECK, BTNS_DROPDOWN};
    for (int i = 0; i < 4; ++i) {
        TBBUTTON b{};
        SendMessageW(wnd, TB_GETBUTTON, static_cast<WPARAM>(i), reinterpret_cast<LPARAM>(&b));
        EXPECT_EQ(b.fsStyle & 0x0F, styles[i]) << i;
        EXPECT_EQ(b.idCommand, i + 1);
        RECT r{};
        SendMessageW(wnd, TB_GETITEMRECT, static_cast<WPARAM>(i), reinterpret_cast<LPARAM>(&r));
        EXPECT_EQ(bar->Buttons(i)->BoundsRect().left, r.left) << i;
        EXPECT_EQ(bar->Buttons(i)->Width(), r.right - r.left) << i;
    }
    EXPECT_TRUE(SendMessageW(wnd, TB_ISBUTTONCHECKED, 3, 0));
    EXPECT_EQ(open->DropdownMenu(), Get<TPopupMenu>("Popup1"));

    const auto centre = [](TToolButton* b) { return POINT{b->Left() + 5, b->Top() + b->Height() / 2}; };
    ClickAt(wnd, centre(Get<TToolButton>("New1")));
    ClickAt(wnd, centre(bold));
    EXPECT_FALSE(bold->Down());
    ClickAt(wnd, centre(bold));
    EXPECT_TRUE(bold->Down());
    EXPECT_EQ(form->Events, (std::vector<std::string>{"New1", "Bold1", "Bold1"}));

    bold->SetDown(false);
    EXPECT_FALSE(SendMessageW(wnd, TB_ISBUTTONCHECKED, 3, 0));
    delete Get<TToolButton>("Sep1");
    EXPECT_EQ(SendMessageW(wnd, TB_BUTTONCOUNT, 0, 0), 3) << "a button that goes leaves the bar";
    bold->SetCaption(L"粗体");
    wchar_t text[16]{};
    SendMessageW(wnd, TB_GETBUTTONTEXTW, 2, reinterpret_cast<LPARAM>(text));
    EXPECT_EQ(std::wstring(text), L"粗体");
}

// The custom-draw events paint the bar and each button on the bar's canvas;
// a button handler that leaves DefaultDraw off keeps the bar's own drawing
// away.
TEST_F(CommonControls, ToolBarCustomDrawEventsSeeTheBarAndEachButton)
{
    auto* bar = Get<TToolBar>("ToolBar1");
    std::vector<std::string> drawn;
    bar->OnCustomDraw = TToolBarCustomDrawEvent([&](TToolBar* sender, const RECT& r, bool& defaultDraw) {
        drawn.push_back("bar " + std::to_string(r.right - r.left));
        EXPECT_NE(sender->Canvas()->Handle(), nullptr);
        defaultDraw = true;
    });
    bar->OnCustomDrawButton = TToolBarCustomDrawButtonEvent(
        [&](TToolBar*, TToolButton* button, TCustomDrawState state, bool& defaultDraw) {
            drawn.push_back(button->Name() + ((state & (1u << cdsChecked)) ? " checked" : ""));
            defaultDraw = false;
        });
    RedrawWindow(bar->Handle(), nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_UPDATENOW);
    ASSERT_FALSE(drawn.empty());
    EXPECT_EQ(drawn[0], "bar " + std::to_string(bar->ClientWidth()));
    for (const char* expected : {"New1", "Bold1 checked", "Open1"})
        EXPECT_NE(std::find(drawn.begin(), drawn.end(), expected), drawn.end()) << expected;
}

// Bands hold their controls in the bar's window; a control that goes leaves
// its band empty.
TEST_F(CommonControls, ACoolBarHoldsItsBandsAndTheirControls)
{
    auto* cool = Get<TCoolBar>("CoolBar1");
    auto* tools = Get<TToolBar>("ToolBar1");
    HWND wnd = cool->Handle();
    ASSERT_EQ(SendMessageW(wnd, RB_GETBANDCOUNT, 0, 0), 2);
    REBARBANDINFOW info{};
    info.cbSize = sizeof info;
    info.fMask = RBBIM_CHILD | RBBIM_STYLE | RBBIM_COLORS;
    SendMessageW(wnd, RB_GETBANDINFOW, 0, reinterpret_cast<LPARAM>(&info));
    EXPECT_EQ(info.hwndChild, tools->Handle());
    EXPECT_EQ(info.clrBack, ColorToRGB(clBtnFace));
    EXPECT_EQ(GetParent(tools->Handle()), wnd);
    EXPECT_EQ(cool->Bands()->Items(0)->Control(), tools);
    EXPECT_FALSE(cool->Bands()->Items(1)->Break());

    cool->Bands()->Items(1)->SetColor(clWhite);
    info.fMask = RBBIM_COLORS;
    SendMessageW(wnd, RB_GETBANDINFOW, 1, reinterpret_cast<LPARAM>(&info));
    EXPECT_EQ(info.clrBack, ColorToRGB(clWhite));

    delete tools;
    EXPECT_EQ(cool->Bands()->Items(0)->Control(), nullptr);
    cool->Bands()->Delete(1);
    EXPECT_EQ(SendMessageW(wnd, RB_GETBANDCOUNT, 0, 0), 1);
}

// A band's control of another owner that goes before the bar has a window
// leaves the band empty too, so that the window made later holds nothing
// that is gone.
TEST(CoolBands, AControlThatGoesBeforeTheWindowLeavesItsBand)
{
    TCoolBar bar(nullptr);
    auto* edit = new TEdit(nullptr);
    TCoolBand* band = bar.Bands()->Add();
    band->SetControl(edit);
    ASSERT_FALSE(bar.HandleAllocated());
    delete edit;
    EXPECT_EQ(band->Control(), nullptr);
}

namespace {

// A frame with stored controls of its own (read from text here; a program's
// frames read their resource).
class TTestFrame : public TFrame {
    UI_CLASS(TTestFrame)
public:
    explicit TTestFrame(TComponent* owner) : TFrame(owner)
    {
        ReadComponent("object TestFrame: TTestFrame\n  Width = 200\n  Height = 80\n"
                      "  object Edit1: TEdit\n    Left = 8\n    Top = 8\n    TabOrder = 0\n  end\n"
                      "  object OkButton: TButton\n    Left = 8\n    Top = 40\n    Caption = '确定'\n"
                      "    TabOrder = 1\n    OnClick = OkClick\n  end\nend",
                      *this);
    }
    int Clicks = 0;
    void OkClick(TObject*) { ++Clicks; }
    TMethod FindMethod(std::string_view name) override
    {
        return FindHandler<TTestFrame>(this, name, {Handler("OkClick", &TTestFrame::OkClick)});
    }
};

const TClassInfo& TTestFrame::StaticClass()
{
    static const TClassInfo info = TClassBuilder<TTestFrame>("TTestFrame", &TFrame::StaticClass()).Creatable().Done();
    return info;
}

} // namespace

// A frame placed twice on a form: each holds and owns its own controls under
// the same names, and their events go to the frame.
TEST(Frames, AFrameOnAFormHostsAndOwnsItsOwnControls)
{
    RegisterFrameworkClasses();
    RegisterComponentClass(TTestFrame::StaticClass());
    TForm form(nullptr);
    ReadComponent("object Host: TForm\n  ClientWidth = 420\n  ClientHeight = 100\n"
                  "  object Frame1: TTestFrame\n    Left = 0\n    Top = 10\n    TabOrder = 0\n  end\n"
                  "  object Frame2: TTestFrame\n    Left = 210\n    Top = 10\n    TabOrder = 1\n  end\nend",
                  form);
    auto* one = FindComponentOf<TTestFrame>(form, "Frame1");
    auto* two = FindComponentOf<TTestFrame>(form, "Frame2");
    EXPECT_EQ(one->Left(), 0);
    EXPECT_EQ(two->Left(), 210);
    EXPECT_EQ(one->Width(), 200);
    auto* ok2 = FindComponentOf<TButton>(*two, "OkButton");
    EXPECT_EQ(ok2->Owner(), two);
    EXPECT_EQ(ok2->Parent(), two);
    EXPECT_EQ(form.FindComponent("OkButton"), nullptr);
    EXPECT_TRUE(one->InheritsFrom(TCustomFrame::StaticClass()));
    EXPECT_EQ(GetParent(ok2->Handle()), two->Handle());

    SendMessageW(ok2->Handle(), BM_CLICK, 0, 0);
    EXPECT_EQ(two->Clicks, 1);
    EXPECT_EQ(one->Clicks, 0);
    const auto tabs = form.TabOrderList();
    ASSERT_EQ(tabs.size(), 6u);
    EXPECT_EQ(tabs[1], FindComponentOf<TEdit>(*one, "Edit1")) << "Tab runs through the first frame, then the second";
    EXPECT_EQ(tabs[5], ok2);
}
