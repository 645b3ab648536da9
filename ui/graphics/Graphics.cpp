// Colours and their names, fonts, brushes, pens and icons. The canvas is in
// Canvas.cpp, the bitmap in Bitmap.cpp.
#include "ui/graphics/Graphics.h"

#include <algorithm>

#include "ui/core/Utf8.h"

namespace ui {

COLORREF ColorToRGB(TColor color)
{
    if (color & clSystemColor)
        return GetSysColor(color & 0xFF);
    return static_cast<COLORREF>(color) & 0xFFFFFF;
}

// ---- named constants of colour and character set properties

namespace {

struct TIdentEntry {
    const char* Name;
    std::int64_t Value;
};

constexpr TIdentEntry ColorNames[] = {
    {"clBlack", clBlack}, {"clMaroon", 0x000080}, {"clGreen", 0x008000}, {"clOlive", 0x008080},
    {"clNavy", clNavy}, {"clPurple", clPurple}, {"clTeal", 0x808000}, {"clGray", clGray},
    {"clSilver", 0xC0C0C0}, {"clRed", 0x0000FF}, {"clLime", 0x00FF00}, {"clYellow", 0x00FFFF},
    {"clBlue", 0xFF0000}, {"clFuchsia", clFuchsia}, {"clAqua", 0xFFFF00}, {"clWhite", clWhite},
    {"clMoneyGreen", 0xC0DCC0}, {"clSkyBlue", 0xF0CAA6}, {"clCream", 0xF0FBFF}, {"clMedGray", 0xA4A0A0},
    {"clNone", clNone}, {"clDefault", clDefault},
    {"clScrollBar", clSystemColor | COLOR_SCROLLBAR}, {"clBackground", clSystemColor | COLOR_BACKGROUND},
    {"clActiveCaption", clSystemColor | COLOR_ACTIVECAPTION},
    {"clInactiveCaption", clSystemColor | COLOR_INACTIVECAPTION}, {"clMenu", clSystemColor | COLOR_MENU},
    {"clWindow", clWindow}, {"clWindowFrame", clSystemColor | COLOR_WINDOWFRAME},
    {"clMenuText", clSystemColor | COLOR_MENUTEXT}, {"clWindowText", clWindowText},
    {"clCaptionText", clSystemColor | COLOR_CAPTIONTEXT}, {"clActiveBorder", clSystemColor | COLOR_ACTIVEBORDER},
    {"clInactiveBorder", clSystemColor | COLOR_INACTIVEBORDER},
    {"clAppWorkSpace", clSystemColor | COLOR_APPWORKSPACE}, {"clHighlight", clHighlight},
    {"clHighlightText", clHighlightText}, {"clBtnFace", clBtnFace}, {"clBtnShadow", clBtnShadow},
    {"clGrayText", clGrayText}, {"clBtnText", clBtnText},
    {"clInactiveCaptionText", clSystemColor | COLOR_INACTIVECAPTIONTEXT}, {"clBtnHighlight", clBtnHighlight},
    {"cl3DDkShadow", clSystemColor | COLOR_3DDKSHADOW}, {"cl3DLight", clSystemColor | COLOR_3DLIGHT},
    {"clInfoText", clSystemColor | COLOR_INFOTEXT}, {"clInfoBk", clSystemColor | COLOR_INFOBK},
    {"clHotLight", clSystemColor | COLOR_HOTLIGHT},
    {"clGradientActiveCaption", clSystemColor | COLOR_GRADIENTACTIVECAPTION},
    {"clGradientInactiveCaption", clSystemColor | COLOR_GRADIENTINACTIVECAPTION},
    {"clMenuHighlight", clSystemColor | COLOR_MENUHILIGHT}, {"clMenuBar", clSystemColor | COLOR_MENUBAR},
};

constexpr TIdentEntry CharsetNames[] = {
    {"ANSI_CHARSET", ANSI_CHARSET}, {"DEFAULT_CHARSET", DEFAULT_CHARSET}, {"SYMBOL_CHARSET", SYMBOL_CHARSET},
    {"MAC_CHARSET", MAC_CHARSET}, {"SHIFTJIS_CHARSET", SHIFTJIS_CHARSET}, {"HANGEUL_CHARSET", HANGEUL_CHARSET},
    {"JOHAB_CHARSET", JOHAB_CHARSET}, {"GB2312_CHARSET", GB2312_CHARSET},
    {"CHINESEBIG5_CHARSET", CHINESEBIG5_CHARSET}, {"GREEK_CHARSET", GREEK_CHARSET},
    {"TURKISH_CHARSET", TURKISH_CHARSET}, {"VIETNAMESE_CHARSET", VIETNAMESE_CHARSET},
    {"HEBREW_CHARSET", HEBREW_CHARSET}, {"ARABIC_CHARSET", ARABIC_CHARSET}, {"BALTIC_CHARSET", BALTIC_CHARSET},
    {"RUSSIAN_CHARSET", RUSSIAN_CHARSET}, {"THAI_CHARSET", THAI_CHARSET},
    {"EASTEUROPE_CHARSET", EASTEUROPE_CHARSET}, {"OEM_CHARSET", OEM_CHARSET},
};

template <const auto& Table>
bool TableToInt(std::string_view ident, std::int64_t& value)
{
    for (const TIdentEntry& e : Table)
        if (SameText(e.Name, ident))
            return value = e.Value, true;
    return false;
}

template <const auto& Table>
bool TableToIdent(std::int64_t value, std::string& ident)
{
    for (const TIdentEntry& e : Table)
        if (e.Value == value)
            return ident = e.Name, true;
    return false;
}

} // namespace

const TIdentMap ColorIdents = {&TableToInt<ColorNames>, &TableToIdent<ColorNames>};
const TIdentMap CharsetIdents = {&TableToInt<CharsetNames>, &TableToIdent<CharsetNames>};

// ---- TGraphicsObject

const TClassInfo& TGraphicsObject::StaticClass()
{
    static const TClassInfo info =
        TClassBuilder<TGraphicsObject>("TGraphicsObject", &TPersistent::StaticClass()).Done();
    return info;
}

void TGraphicsObject::Changed()
{
    OnChange(this);
}

// ---- TFont

namespace {

// The font the system uses for message boxes: the default of every TFont.
const LOGFONTW& MessageFont()
{
    static const LOGFONTW font = [] {
        NONCLIENTMETRICSW metrics{};
        metrics.cbSize = sizeof metrics;
        if (SystemParametersInfoW(SPI_GETNONCLIENTMETRICS, sizeof metrics, &metrics, 0))
            return metrics.lfMessageFont;
        LOGFONTW fallback{};
        GetObjectW(GetStockObject(DEFAULT_GUI_FONT), sizeof fallback, &fallback);
        return fallback;
    }();
    return font;
}

} // namespace

const TClassInfo& TFont::StaticClass()
{
    static const TClassInfo info =
        TClassBuilder<TFont>("TFont", &TGraphicsObject::StaticClass())
            .Int("Charset", &TFont::Charset, &TFont::SetCharset, CharsetIdents)
            .Int("Color", &TFont::Color, &TFont::SetColor, ColorIdents)
            .Int("Height", &TFont::Height, &TFont::SetHeight)
            .Wide("Name", &TFont::Name, &TFont::SetName)
            .Set("Style", {"fsBold", "fsItalic", "fsUnderline", "fsStrikeOut"}, &TFont::Style, &TFont::SetStyle)
            .Done();
    return info;
}

TFont::TFont() : name_(MessageFont().lfFaceName), height_(MessageFont().lfHeight) {}

void TFont::SetName(const std::wstring& name)
{
    Update(name_, name, handle_);
}

void TFont::SetHeight(int height)
{
    Update(height_, height, handle_);
}

void TFont::SetColor(TColor color)
{
    Update(color_, color);  // the colour is the canvas's text colour, not part of the font object
}

void TFont::SetStyle(TFontStyles style)
{
    Update(style_, style, handle_);
}

void TFont::SetCharset(int charset)
{
    Update(charset_, charset, handle_);
}

HFONT TFont::Handle()
{
    if (!handle_) {
        LOGFONTW lf{};
        lf.lfHeight = height_;
        lf.lfWeight = style_ & (1u << fsBold) ? FW_BOLD : FW_NORMAL;
        lf.lfItalic = (style_ >> fsItalic) & 1;
        lf.lfUnderline = (style_ >> fsUnderline) & 1;
        lf.lfStrikeOut = (style_ >> fsStrikeOut) & 1;
        lf.lfCharSet = static_cast<BYTE>(charset_);
        lf.lfOutPrecision = OUT_DEFAULT_PRECIS;
        lf.lfClipPrecision = CLIP_DEFAULT_PRECIS;
        lf.lfQuality = DEFAULT_QUALITY;
        lf.lfPitchAndFamily = DEFAULT_PITCH;
        name_.copy(lf.lfFaceName, LF_FACESIZE - 1);
        handle_.Reset(CreateFontIndirectW(&lf));
        if (!handle_)
            throw Exception("Cannot create the font " + WideToUtf8(name_));
    }
    return handle_.Get();
}

void TFont::Assign(const TPersistent& source)
{
    const auto* other = dynamic_cast<const TFont*>(&source);
    if (!other)
        return TGraphicsObject::Assign(source);
    if (other == this)
        return;
    name_ = other->name_;
    height_ = other->height_;
    color_ = other->color_;
    style_ = other->style_;
    charset_ = other->charset_;
    Changed(handle_);
}

// ---- TBrush

const TClassInfo& TBrush::StaticClass()
{
    static const TClassInfo info = TClassBuilder<TBrush>("TBrush", &TGraphicsObject::StaticClass())
                                       .Int("Color", &TBrush::Color, &TBrush::SetColor, ColorIdents)
                                       .Enum("Style", {"bsSolid", "bsClear"}, &TBrush::Style, &TBrush::SetStyle)
                                       .Done();
    return info;
}

void TBrush::SetColor(TColor color)
{
    Update(color_, color, handle_);
}

void TBrush::SetStyle(TBrushStyle style)
{
    Update(style_, style, handle_);
}

HBRUSH TBrush::Handle()
{
    if (style_ == TBrushStyle::bsClear)
        return static_cast<HBRUSH>(GetStockObject(NULL_BRUSH));
    if (!handle_) {
        handle_.Reset(CreateSolidBrush(ColorToRGB(color_)));
        if (!handle_)
            throw Exception("Cannot create a brush");
    }
    return handle_.Get();
}

void TBrush::Assign(const TPersistent& source)
{
    const auto* other = dynamic_cast<const TBrush*>(&source);
    if (!other)
        return TGraphicsObject::Assign(source);
    if (other == this)
        return;
    color_ = other->color_;
    style_ = other->style_;
    Changed(handle_);
}

// ---- TPen

const TClassInfo& TPen::StaticClass()
{
    static const TClassInfo info =
        TClassBuilder<TPen>("TPen", &TGraphicsObject::StaticClass())
            .Int("Color", &TPen::Color, &TPen::SetColor, ColorIdents)
            .Int("Width", &TPen::Width, &TPen::SetWidth)
            .Enum("Style", {"psSolid", "psDash", "psDot", "psClear"}, &TPen::Style, &TPen::SetStyle)
            .Done();
    return info;
}

void TPen::SetColor(TColor color)
{
    Update(color_, color, handle_);
}

void TPen::SetWidth(int width)
{
    Update(width_, std::max(width, 0), handle_);  // 0 draws one pixel wide, as 1 does
}

void TPen::SetStyle(TPenStyle style)
{
    Update(style_, style, handle_);
}

HPEN TPen::Handle()
{
    if (!handle_) {
        static constexpr int styles[] = {PS_SOLID, PS_DASH, PS_DOT, PS_NULL};
        handle_.Reset(CreatePen(styles[static_cast<int>(style_)], width_, ColorToRGB(color_)));
        if (!handle_)
            throw Exception("Cannot create a pen");
    }
    return handle_.Get();
}

void TPen::Assign(const TPersistent& source)
{
    const auto* other = dynamic_cast<const TPen*>(&source);
    if (!other)
        return TGraphicsObject::Assign(source);
    if (other == this)
        return;
    color_ = other->color_;
    width_ = other->width_;
    style_ = other->style_;
    Changed(handle_);
}

// ---- TIcon

const TClassInfo& TIcon::StaticClass()
{
    static const TClassInfo info = TClassBuilder<TIcon>("TIcon", &TGraphicsObject::StaticClass()).Done();
    return info;
}

TIcon::~TIcon()
{
    if (handle_)
        DestroyIcon(handle_);
}

void TIcon::SetHandle(HICON icon)
{
    if (icon == handle_)
        return;
    if (handle_)
        DestroyIcon(handle_);
    handle_ = icon;
    Changed();
}

void TIcon::LoadFromResource(HINSTANCE module, const wchar_t* name, int size)
{
    if (!module)
        module = GetModuleHandleW(nullptr);
    if (size <= 0)
        size = GetSystemMetrics(SM_CXICON);
    auto* icon = static_cast<HICON>(LoadImageW(module, name, IMAGE_ICON, size, size, LR_DEFAULTCOLOR));
    if (!icon) {
        const std::string id = IS_INTRESOURCE(name) ? "#" + std::to_string(reinterpret_cast<std::uintptr_t>(name))
                                                     : WideToUtf8(name);
        throw EInvalidGraphic("Icon resource " + id + " not found");
    }
    SetHandle(icon);
}

namespace {

// The size of an icon's picture (the mask is twice as high for monochrome icons).
SIZE IconSize(HICON icon)
{
    ICONINFO info{};
    if (!icon || !GetIconInfo(icon, &info))
        return {0, 0};
    const TBitmapHandle color(info.hbmColor), mask(info.hbmMask);
    BITMAP bm{};
    if (color) {
        GetObjectW(color.Get(), sizeof bm, &bm);
        return {bm.bmWidth, bm.bmHeight};
    }
    GetObjectW(mask.Get(), sizeof bm, &bm);
    return {bm.bmWidth, bm.bmHeight / 2};
}

} // namespace

int TIcon::Width() const
{
    return IconSize(handle_).cx;
}

int TIcon::Height() const
{
    return IconSize(handle_).cy;
}

} // namespace ui
