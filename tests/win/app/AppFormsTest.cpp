// The utility's two stored forms, read from the program's resources, and
// the main window's picture buttons in the skin it carries.
#include <gtest/gtest.h>

#include <cstdint>
#include <memory>
#include <string>

#include "app/Startup.h"
#include "app/Unit_main.h"
#include "app/Unit_mm.h"
#include "skin/controls/SkinButtons.h"
#include "skin/data/SkinRecords.h"
#include "skin/draw/SkinDraw.h"
#include "tests/win/support/ControlSkinSupport.h"
#include "tests/win/support/XInput.h"
#include "ui/core/Utf8.h"

using namespace ui;
using namespace std::chrono_literals;

namespace {

RECT Bounds(const TControl& c)
{
    return c.BoundsRect();
}

LOGFONTW FontOf(TFont& font)
{
    LOGFONTW lf{};
    GetObjectW(font.Handle(), sizeof lf, &lf);
    return lf;
}

} // namespace

TEST(StoredForms, TheMainWindowHasItsDesignedControls)
{
    app::RegisterAppClasses();
    app::TForm_main form(nullptr);
    EXPECT_EQ(form.Caption(), L"Tessaly");
    EXPECT_EQ(form.Width(), 463);
    EXPECT_EQ(form.Height(), 362);
    EXPECT_EQ(form.FormStyle(), TFormStyle::fsStayOnTop);
    EXPECT_EQ(form.BorderIcons(), 1u << biSystemMenu);
    EXPECT_EQ(form.Font()->Name(), L"宋体");
    EXPECT_EQ(form.Font()->Height(), -16);
    EXPECT_FALSE(form.Visible()) << "created hidden";

    const struct {
        TControl* control;
        RECT bounds;
    } table[] = {
        {form.ListBox1, {5, 49, 448, 244}},
        {form.BitBtn1, {49, 259, 179, 312}},
        {form.BitBtn2, {272, 259, 402, 312}},
        {form.Label1, {42, 12, 156, 31}},
        {form.Label2, {256, 12, 408, 31}},
    };
    for (const auto& row : table) {
        const RECT r = Bounds(*row.control);
        EXPECT_EQ(r.left, row.bounds.left) << row.control->Name();
        EXPECT_EQ(r.top, row.bounds.top) << row.control->Name();
        if (!dynamic_cast<TLabel*>(row.control)) {  // labels take their text's size
            EXPECT_EQ(r.right, row.bounds.right) << row.control->Name();
            EXPECT_EQ(r.bottom, row.bounds.bottom) << row.control->Name();
        }
    }
    EXPECT_EQ(form.ListBox1->ItemHeight(), 16);
    {
        HDC dc = GetDC(nullptr);
        HGDIOBJ old = SelectObject(dc, form.ListBox1->Font()->Handle());
        TEXTMETRICW tm{};
        GetTextMetricsW(dc, &tm);
        SelectObject(dc, old);
        ReleaseDC(nullptr, dc);
        const auto rowHeight = SendMessageW(form.ListBox1->Handle(), LB_GETITEMHEIGHT, 0, 0);
        EXPECT_EQ(rowHeight, std::max<LRESULT>(16, tm.tmHeight)) << "rows fit the font's text cell";
    }
    EXPECT_EQ(form.ListBox1->Parent(), form.AIFileDropPan1);
    EXPECT_EQ(form.AIFileDropPan1->Align(), TAlign::alClient);
    EXPECT_TRUE(form.AIFileDropPan1->AcceptFile());
    EXPECT_EQ(form.BitBtn1->Caption(), L"加密");
    EXPECT_EQ(form.BitBtn2->Caption(), L"解密");
    for (TBitBtn* b : {form.BitBtn1, form.BitBtn2}) {
        EXPECT_EQ(b->Glyph()->Width(), 32);
        EXPECT_EQ(b->Glyph()->Height(), 32);
    }

    for (TLabel* label : {form.Label1, form.Label2}) {
        EXPECT_EQ(label->Cursor(), crHandPoint);
        EXPECT_EQ(label->Font()->Color(), clPurple);
        const LOGFONTW lf = FontOf(*label->Font());
        EXPECT_EQ(lf.lfHeight, -19);
        EXPECT_TRUE(lf.lfUnderline) << "links are underlined";
        EXPECT_STREQ(lf.lfFaceName, L"宋体");
        TEXTMETRICW tm{};
        HDC dc = GetDC(nullptr);
        HGDIOBJ old = SelectObject(dc, label->Font()->Handle());
        GetTextMetricsW(dc, &tm);
        SelectObject(dc, old);
        ReleaseDC(nullptr, dc);
        EXPECT_GE(label->Height(), tm.tmHeight) << "the whole text cell, underline included, is inside the label";
    }
    EXPECT_EQ(form.Label1->Caption(), L"我要定做软件");
    EXPECT_EQ(form.Label2->Caption(), L"下载更多免费软件");

    // Only the panel follows the window's size.
    form.SetBounds(form.Left(), form.Top(), 600, 500);
    EXPECT_EQ(form.AIFileDropPan1->Width(), form.ClientWidth());
    EXPECT_EQ(form.AIFileDropPan1->Height(), form.ClientHeight());
    EXPECT_EQ(Bounds(*form.ListBox1).right, 448);
    EXPECT_EQ(Bounds(*form.BitBtn2).left, 272);
}

namespace {

using skin::TButtonFace;

// The button's own glyph (one frame) at `at`, its bottom-left pixel's colour
// left out; greyed (each pixel the mean of its channels) while disabled.
void DrawOwnGlyph(TBitmap& face, POINT at, TBitmap& glyph, bool greyed)
{
    const auto tone = [greyed](tests::Bgr c) {
        const auto mean = static_cast<std::uint8_t>((c.R + c.G + c.B) / 3);
        return greyed ? tests::Bgr{mean, mean, mean} : c;
    };
    const tests::Bgr key = tone(tests::At(glyph, 0, glyph.Height() - 1));
    for (int y = 0; y < glyph.Height(); ++y)
        for (int x = 0; x < glyph.Width(); ++x)
            if (const tests::Bgr c = tone(tests::At(glyph, x, y)); !(c == key))
                tests::Put(face, at.x + x, at.y + y, c);
}

// A picture button's face as the loaded skin and the button's glyph make
// it: face `face` of the Buttons element, the glyph left of the caption with
// the button's spacing and the free room shared out, the caption's first
// "||" a line break, the focus rectangle around the caption when focused.
std::unique_ptr<TBitmap> ExpectedFace(const skin::TSkinData& data, TBitBtn& button, TButtonFace face, bool focused)
{
    TBitmap& glyph = *button.Glyph();
    std::wstring caption = button.Caption();
    if (const auto at = caption.find(L"||"); at != std::wstring::npos)
        caption.replace(at, 2, L"\r\n");
    const int w = button.Width(), h = button.Height();
    skin::TGlyphPlacement place;
    auto picture = tests::Picture(w, h, data.Colours.ButtonFace, [&](HDC dc, const RECT& all) {
        skin::DrawElement(dc, all, skin::ButtonFaceCount, static_cast<int>(face), *data.Buttons);
        const HGDIOBJ oldFont = SelectObject(dc, button.Font()->Handle());
        RECT text{2, 2, w - 2 - glyph.Width() - 2, h - 2};
        DrawTextW(dc, caption.c_str(), -1, &text, DT_CALCRECT | DT_WORDBREAK);
        const SIZE size{text.right - text.left, text.bottom - text.top};
        place = skin::PlaceGlyph(skin::TGlyphLayout::Left, {w, h}, {glyph.Width(), glyph.Height()}, size,
                                 button.Margin(), button.Spacing(), false);
        text = {place.Text.x, place.Text.y, place.Text.x + size.cx, place.Text.y + size.cy};
        SetBkMode(dc, TRANSPARENT);
        SetTextColor(dc, ColorToRGB(skin::ButtonCaptionColour(data, button.Font()->Color(), face)));
        DrawTextW(dc, caption.c_str(), -1, &text, place.Flags);
        if (focused) {
            InflateRect(&text, 2, 2);
            DrawFocusRect(dc, &text);
        }
        SelectObject(dc, oldFont);
    });
    DrawOwnGlyph(*picture, place.Glyph, glyph, face == TButtonFace::Disabled);
    return picture;
}

} // namespace

// The main window's "加密" and "解密" wear the skin it carries in each state:
// normal, focused, hot and pressed under the real pointer, disabled (the
// glyph greyed), and with a caption of two lines.
TEST(MainWindowButtons, TheirFacesShowTheStateTheGlyphAndTheCaption)
{
    tests::TXInput& input = tests::TXInput::Instance();
    if (!input.Available())
        GTEST_SKIP() << "no X input";
    app::RegisterAppClasses();
    app::TForm_main form(nullptr);
    form.Show();
    SetForegroundWindow(form.Handle());
    ASSERT_TRUE(tests::PumpUntil([&] {
        const skin::TWinSkinForm* controller = skin::GlobalSkinManage()->FindController(form.Handle());
        return controller && controller->SkinState == skin::TSkinState::Running;
    }));
    const RECT window = tests::ScreenRect(form.Handle());
    const POINT away{window.right + 100, window.bottom + 100};
    input.MoveTo(away);
    const skin::TSkinData& data = *form.SkinData1;
    const auto shows = [&](TBitBtn& button, TButtonFace face, bool focused) {
        const auto want = ExpectedFace(data, button, face, focused);
        int differences = 0;
        if (tests::PumpUntil([&] {
                return (differences = tests::Differences(*tests::CaptureScreen(tests::ScreenRect(button.Handle())),
                                                         *want)) == 0;
            }, 3s))
            return true;
        ADD_FAILURE() << WideToUtf8(button.Caption()) << ", face " << static_cast<int>(face) << ": " << differences
                      << " pixels differ";
        return false;
    };
    TBitBtn& encrypt = *form.BitBtn1;
    TBitBtn& decrypt = *form.BitBtn2;

    form.ListBox1->SetFocus();
    EXPECT_TRUE(shows(encrypt, TButtonFace::Normal, false));
    EXPECT_TRUE(shows(decrypt, TButtonFace::Normal, false));
    decrypt.SetFocus();
    EXPECT_TRUE(shows(decrypt, TButtonFace::Focused, true));
    const RECT r = tests::ScreenRect(encrypt.Handle());
    input.MoveTo({(r.left + r.right) / 2, (r.top + r.bottom) / 2});
    EXPECT_TRUE(shows(encrypt, TButtonFace::Hot, false));
    input.Press();
    EXPECT_TRUE(shows(encrypt, TButtonFace::Pressed, true)) << "pressed, and focused by the press";
    input.MoveTo(away);  // the release elsewhere runs nothing
    input.Release();
    EXPECT_TRUE(shows(encrypt, TButtonFace::Focused, true));

    form.ListBox1->SetFocus();
    encrypt.SetEnabled(false);
    EXPECT_TRUE(shows(encrypt, TButtonFace::Disabled, false));
    decrypt.SetCaption(L"解||密");
    EXPECT_TRUE(shows(decrypt, TButtonFace::Normal, false)) << "two lines";
}

TEST(OpenDocument, AsksTheShellAndReportsWhetherItCould)
{
    // A program that ends at once stands in for the web browser, which a test
    // must not start.
    wchar_t cmd[MAX_PATH];
    GetSystemDirectoryW(cmd, MAX_PATH);
    EXPECT_TRUE(app::OpenDocument(std::wstring(cmd) + L"\\cmd.exe", L"/c exit"));
    EXPECT_FALSE(app::OpenDocument(L"C:\\no such folder\\no such file.txt", L""));
}
