// The utility's two stored forms, read from the program's resources.
#include <gtest/gtest.h>

#include "app/Startup.h"
#include "app/Unit_main.h"
#include "app/Unit_mm.h"

using namespace ui;

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

TEST(OpenDocument, AsksTheShellAndReportsWhetherItCould)
{
    // A program that ends at once stands in for the web browser, which a test
    // must not start.
    wchar_t cmd[MAX_PATH];
    GetSystemDirectoryW(cmd, MAX_PATH);
    EXPECT_TRUE(app::OpenDocument(std::wstring(cmd) + L"\\cmd.exe", L"/c exit"));
    EXPECT_FALSE(app::OpenDocument(L"C:\\no such folder\\no such file.txt", L""));
}
