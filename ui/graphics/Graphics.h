// Graphics objects of the framework: colours, owning GDI handles, fonts,
// brushes, pens, canvases, device-independent bitmaps and icons.
#pragma once

#include <windows.h>

#include <cstdint>
#include <memory>
#include <string>
#include <type_traits>
#include <utility>
#include <vector>

#include "ui/core/Classes.h"
#include "ui/graphics/BmpFormat.h"

namespace ui {

// 0x00BBGGRR, or 0x800000nn for system colour nn (resolved when used).
using TColor = std::int32_t;

inline constexpr TColor clBlack = 0x000000;
inline constexpr TColor clWhite = 0xFFFFFF;
inline constexpr TColor clPurple = 0x800080;
inline constexpr TColor clNavy = 0x800000;
inline constexpr TColor clGray = 0x808080;
inline constexpr TColor clFuchsia = 0xFF00FF;  // the skin's transparent key colour
inline constexpr TColor clNone = 0x1FFFFFFF;
inline constexpr TColor clDefault = 0x20000000;
inline constexpr TColor clSystemColor = static_cast<TColor>(0x80000000);
inline constexpr TColor clBtnFace = clSystemColor | COLOR_BTNFACE;
inline constexpr TColor clBtnText = clSystemColor | COLOR_BTNTEXT;
inline constexpr TColor clBtnShadow = clSystemColor | COLOR_BTNSHADOW;
inline constexpr TColor clBtnHighlight = clSystemColor | COLOR_BTNHIGHLIGHT;
inline constexpr TColor clWindow = clSystemColor | COLOR_WINDOW;
inline constexpr TColor clWindowText = clSystemColor | COLOR_WINDOWTEXT;
inline constexpr TColor clHighlight = clSystemColor | COLOR_HIGHLIGHT;
inline constexpr TColor clHighlightText = clSystemColor | COLOR_HIGHLIGHTTEXT;
inline constexpr TColor clGrayText = clSystemColor | COLOR_GRAYTEXT;

// The plain RGB value of a colour, system colours resolved. clNone and
// clDefault have none: callers test for them first.
COLORREF ColorToRGB(TColor color);

// Names of colours (clBtnFace) and font character sets (GB2312_CHARSET) for
// the published properties that hold them, so that form files can use them.
extern const TIdentMap ColorIdents;
extern const TIdentMap CharsetIdents;

// Owns one GDI object and deletes it when it goes; move-only.
template <class H>
class TGdiObject {
public:
    TGdiObject() = default;
    explicit TGdiObject(H handle) : handle_(handle) {}
    ~TGdiObject() { Reset(); }
    TGdiObject(TGdiObject&& other) noexcept : handle_(std::exchange(other.handle_, nullptr)) {}
    TGdiObject& operator=(TGdiObject&& other) noexcept
    {
        if (this != &other) {
            Reset();
            handle_ = std::exchange(other.handle_, nullptr);
        }
        return *this;
    }
    TGdiObject(const TGdiObject&) = delete;
    TGdiObject& operator=(const TGdiObject&) = delete;

    H Get() const { return handle_; }
    explicit operator bool() const { return handle_ != nullptr; }
    void Reset(H handle = nullptr)
    {
        if (handle_)
            DeleteObject(handle_);
        handle_ = handle;
    }
    H Release() { return std::exchange(handle_, nullptr); }

private:
    H handle_ = nullptr;
};

using TFontHandle = TGdiObject<HFONT>;
using TBrushHandle = TGdiObject<HBRUSH>;
using TPenHandle = TGdiObject<HPEN>;
using TBitmapHandle = TGdiObject<HBITMAP>;
using TRegionHandle = TGdiObject<HRGN>;

// Saves a device context's state and restores it when it goes, so painting
// code never re-selects old objects by hand.
class TSavedDC {
public:
    explicit TSavedDC(HDC dc) : dc_(dc), saved_(SaveDC(dc)) {}
    ~TSavedDC()
    {
        if (saved_)
            RestoreDC(dc_, saved_);
    }
    TSavedDC(const TSavedDC&) = delete;
    TSavedDC& operator=(const TSavedDC&) = delete;

    // Selects a font, brush, pen or bitmap into the context until the guard
    // goes and the context's saved objects come back.
    void Select(HGDIOBJ object) { SelectObject(dc_, object); }

private:
    HDC dc_;
    int saved_;
};

// The device context of one WM_PAINT: BeginPaint when made, EndPaint when it
// goes, also when painting throws, so a window is never left half-painted
// with its context held. Move-only.
class TPaintDC {
public:
    explicit TPaintDC(HWND window) : window_(window) { BeginPaint(window, &paint_); }
    ~TPaintDC() { End(); }
    TPaintDC(TPaintDC&& other) noexcept
        : window_(std::exchange(other.window_, nullptr)), paint_(std::exchange(other.paint_, {}))
    {
    }
    TPaintDC& operator=(TPaintDC&& other) noexcept
    {
        if (this != &other) {
            End();
            window_ = std::exchange(other.window_, nullptr);
            paint_ = std::exchange(other.paint_, {});
        }
        return *this;
    }
    TPaintDC(const TPaintDC&) = delete;
    TPaintDC& operator=(const TPaintDC&) = delete;

    HDC Get() const { return paint_.hdc; }
    // The part of the client area that needs painting.
    const RECT& PaintRect() const { return paint_.rcPaint; }

private:
    void End()
    {
        if (window_)
            EndPaint(window_, &paint_);
        window_ = nullptr;
    }
    HWND window_;
    PAINTSTRUCT paint_{};
};

// A window's device context outside WM_PAINT, released when it goes.
// Move-only. Client covers the client area (a null window: the screen),
// Whole the whole window with its frame, for painting the non-client area.
class TWindowDC {
public:
    static TWindowDC Client(HWND window) { return TWindowDC(window, GetDC(window)); }
    static TWindowDC Whole(HWND window) { return TWindowDC(window, GetWindowDC(window)); }
    // Takes over a context obtained for window in another way (GetDCEx).
    TWindowDC(HWND window, HDC dc) : window_(window), dc_(dc) {}
    ~TWindowDC() { Release(); }
    TWindowDC(TWindowDC&& other) noexcept
        : window_(other.window_), dc_(std::exchange(other.dc_, nullptr)) {}
    TWindowDC& operator=(TWindowDC&& other) noexcept
    {
        if (this != &other) {
            Release();
            window_ = other.window_;
            dc_ = std::exchange(other.dc_, nullptr);
        }
        return *this;
    }
    TWindowDC(const TWindowDC&) = delete;
    TWindowDC& operator=(const TWindowDC&) = delete;

    HDC Get() const { return dc_; }

private:
    void Release()
    {
        if (dc_)
            ReleaseDC(window_, dc_);
        dc_ = nullptr;
    }
    HWND window_;
    HDC dc_;
};

// A memory device context compatible with the screen; deleted when it goes.
class TMemoryDC {
public:
    TMemoryDC() : dc_(CreateCompatibleDC(nullptr)) {}
    ~TMemoryDC()
    {
        if (dc_)
            DeleteDC(dc_);
    }
    TMemoryDC(const TMemoryDC&) = delete;
    TMemoryDC& operator=(const TMemoryDC&) = delete;
    HDC Get() const { return dc_; }

private:
    HDC dc_;
};

// Graphics objects tell their owner when they change (a control repaints).
class TGraphicsObject : public TPersistent {
    UI_CLASS(TGraphicsObject)
public:
    TNotifyEvent OnChange;

protected:
    void Changed();
    // Fires OnChange, then deletes the object's stale GDI handle: canvases
    // listening deselect it first, as a selected object must not be deleted.
    template <class H>
    void Changed(TGdiObject<H>& staleHandle)
    {
        TGdiObject<H> stale = std::move(staleHandle);
        Changed();
    }
    // Property setters: store value and fire OnChange when it differs from
    // what field holds; with a handle, the handle made from the old value goes.
    template <class T>
    void Update(T& field, const std::type_identity_t<T>& value)
    {
        if (field != value) {
            field = value;
            Changed();
        }
    }
    template <class T, class H>
    void Update(T& field, const std::type_identity_t<T>& value, TGdiObject<H>& staleHandle)
    {
        if (field != value) {
            field = value;
            Changed(staleHandle);
        }
    }
};

enum TFontStyle { fsBold, fsItalic, fsUnderline, fsStrikeOut };
using TFontStyles = unsigned;  // bit n for TFontStyle n

class TFont : public TGraphicsObject {
    UI_CLASS(TFont)
public:
    TFont();
    std::wstring Name() const { return name_; }
    void SetName(const std::wstring& name);
    // Character height in pixels; negative as stored in form files (-16 is a
    // 16-pixel character height, as the platform's LOGFONT takes it).
    int Height() const { return height_; }
    void SetHeight(int height);
    TColor Color() const { return color_; }
    void SetColor(TColor color);
    TFontStyles Style() const { return style_; }
    void SetStyle(TFontStyles style);
    int Charset() const { return charset_; }
    void SetCharset(int charset);
    // The font object for the current attributes, made when first asked for.
    HFONT Handle();
    void Assign(const TPersistent& source) override;

private:
    std::wstring name_;
    int height_;
    TColor color_ = clWindowText;
    TFontStyles style_ = 0;
    int charset_ = DEFAULT_CHARSET;
    TFontHandle handle_;
};

enum class TBrushStyle { bsSolid, bsClear };

class TBrush : public TGraphicsObject {
    UI_CLASS(TBrush)
public:
    TColor Color() const { return color_; }
    void SetColor(TColor color);
    TBrushStyle Style() const { return style_; }
    void SetStyle(TBrushStyle style);
    HBRUSH Handle();  // the null brush for bsClear
    void Assign(const TPersistent& source) override;

private:
    TColor color_ = clWhite;
    TBrushStyle style_ = TBrushStyle::bsSolid;
    TBrushHandle handle_;
};

enum class TPenStyle { psSolid, psDash, psDot, psClear };

class TPen : public TGraphicsObject {
    UI_CLASS(TPen)
public:
    TColor Color() const { return color_; }
    void SetColor(TColor color);
    int Width() const { return width_; }
    void SetWidth(int width);
    TPenStyle Style() const { return style_; }
    void SetStyle(TPenStyle style);
    HPEN Handle();
    void Assign(const TPersistent& source) override;

private:
    TColor color_ = clBlack;
    int width_ = 1;
    TPenStyle style_ = TPenStyle::psSolid;
    TPenHandle handle_;
};

class TBitmap;

// Draws on a device context it does not own (a window's, a bitmap's, one
// passed with WM_PAINT). Font, brush and pen are selected into the context
// when an operation needs them.
class TCanvas : public TPersistent {
    UI_CLASS(TCanvas)
public:
    TCanvas();
    ~TCanvas() override;
    HDC Handle() const { return dc_; }
    // Attaches to dc (nullptr detaches); the objects the canvas selected are
    // deselected first.
    void SetHandle(HDC dc);

    TFont* Font() const { return font_.get(); }
    TBrush* Brush() const { return brush_.get(); }
    TPen* Pen() const { return pen_.get(); }

    void FillRect(const RECT& r);         // with the brush
    void FrameRect(const RECT& r);        // one-pixel frame with the brush
    void Rectangle(const RECT& r);        // pen outline, brush inside
    void Polygon(const POINT* points, int count);  // pen outline, brush inside
    void MoveTo(int x, int y);
    void LineTo(int x, int y);
    void TextOut(int x, int y, const std::wstring& text);
    void TextRect(const RECT& r, int x, int y, const std::wstring& text);  // clipped to r
    // DrawTextW with the canvas's font and text attributes ('&' underlines
    // the next letter unless format has DT_NOPREFIX; DT_CALCRECT measures).
    int DrawFormattedText(const std::wstring& text, RECT& r, UINT format);
    SIZE TextExtent(const std::wstring& text);
    int TextWidth(const std::wstring& text) { return TextExtent(text).cx; }
    int TextHeight(const std::wstring& text) { return TextExtent(text).cy; }
    void DrawFocusRect(const RECT& r);
    COLORREF Pixel(int x, int y) const;
    void SetPixel(int x, int y, TColor color);
    void Draw(int x, int y, TBitmap& bitmap);  // honours the bitmap's transparency
    void StretchDraw(const RECT& r, TBitmap& bitmap);
    void CopyRect(const RECT& dest, const TCanvas& source, const RECT& src);

private:
    HDC RequireHandle() const;
    void Select(bool font, bool brush, bool pen);
    void SelectTextAttributes();
    void Deselect();
    // Copies bitmap to dest, stretched if sizes differ, keyed if transparent.
    void Blit(const RECT& dest, TBitmap& bitmap);
    HDC dc_ = nullptr;
    std::unique_ptr<TFont> font_;
    std::unique_ptr<TBrush> brush_;
    std::unique_ptr<TPen> pen_;
    HGDIOBJ oldFont_ = nullptr, oldBrush_ = nullptr, oldPen_ = nullptr;
};

// Attaches a canvas to a device context for the guard's lifetime and detaches
// it (giving the context its own objects back) when the guard goes, also when
// drawing throws: a canvas never holds a context that is gone.
class TCanvasAttachment {
public:
    TCanvasAttachment(TCanvas& canvas, HDC dc) : canvas_(canvas) { canvas.SetHandle(dc); }
    ~TCanvasAttachment() { canvas_.SetHandle(nullptr); }
    TCanvasAttachment(const TCanvasAttachment&) = delete;
    TCanvasAttachment& operator=(const TCanvasAttachment&) = delete;

private:
    TCanvas& canvas_;
};

enum class TPixelFormat { pf24bit, pf32bit };

// A device-independent bitmap (a DIB section) with scan-line access. Rows are
// stored bottom-up as in BMP files; ScanLine(y) is row y from the top.
class TBitmap : public TGraphicsObject {
    UI_CLASS(TBitmap)
public:
    TBitmap();
    TBitmap(int width, int height, TPixelFormat format = TPixelFormat::pf24bit);
    ~TBitmap() override;

    int Width() const { return width_; }
    int Height() const { return height_; }
    void SetSize(int width, int height);
    TPixelFormat PixelFormat() const { return format_; }
    void SetPixelFormat(TPixelFormat format);  // converts the pixels
    bool Empty() const { return width_ == 0 || height_ == 0; }

    std::uint8_t* ScanLine(int y);
    const std::uint8_t* ScanLine(int y) const;
    int BytesPerPixel() const { return format_ == TPixelFormat::pf32bit ? 4 : 3; }

    HBITMAP Handle() const { return handle_.Get(); }
    // A canvas on the bitmap's own memory device context.
    TCanvas* Canvas();

    // Drawn without the pixels of TransparentColor (by default the colour of
    // the bottom-left pixel) when Transparent is on.
    bool Transparent() const { return transparent_; }
    void SetTransparent(bool on) { transparent_ = on; }
    TColor TransparentColor() const;
    void SetTransparentColor(TColor color) { transparentColor_ = color; }

    // BMP file data (24- or 32-bit; 8-, 4- and 1-bit palettes are widened to
    // 24 bits). Bad data raises EInvalidGraphic and leaves the bitmap as it was.
    void LoadFromBytes(const std::uint8_t* data, std::size_t size);
    void LoadFromStream(TStream& stream);
    std::vector<std::uint8_t> SaveToBytes() const;
    void SaveToStream(TStream& stream) const;

    void Assign(const TPersistent& source) override;
    // Reads "Data = { BMP file bytes }" of form files.
    bool ReadDefinedProperty(const std::string& name, const TFormValue& value) override;

private:
    // Makes handle (with its pixels at bits) the bitmap's picture.
    void Adopt(TBitmapHandle handle, std::uint8_t* bits, int width, int height, TPixelFormat format);
    std::size_t Stride() const { return DibStride(width_, BytesPerPixel()); }
    int width_ = 0;
    int height_ = 0;
    TPixelFormat format_ = TPixelFormat::pf24bit;
    TBitmapHandle handle_;
    std::uint8_t* bits_ = nullptr;
    std::unique_ptr<TMemoryDC> dc_;
    std::unique_ptr<TCanvas> canvas_;
    HGDIOBJ oldBitmap_ = nullptr;
    bool transparent_ = false;
    TColor transparentColor_ = clDefault;
};

// An icon handle, owned.
class TIcon : public TGraphicsObject {
    UI_CLASS(TIcon)
public:
    TIcon() = default;
    ~TIcon() override;
    HICON Handle() const { return handle_; }
    void SetHandle(HICON icon);  // takes ownership
    // The icon resource of that name in module (nullptr: the executable), at
    // the given size (0: the system's default size).
    void LoadFromResource(HINSTANCE module, const wchar_t* name, int size = 0);
    int Width() const;
    int Height() const;

private:
    HICON handle_ = nullptr;
};

} // namespace ui
