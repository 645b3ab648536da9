#include "skin/window/FramePaint.h"

#include <algorithm>
#include <vector>

#include "skin/draw/ImgUtil.h"
#include "skin/draw/SkinDraw.h"
#include "skin/window/CaptionButtons.h"
#include "skin/window/SkinManage.h"
#include "skin/window/SkinParts.h"
#include "skin/window/WinSkinForm.h"
#include "ui/forms/Forms.h"

namespace skin {

using ui::TBitmap;
using ui::TRegionHandle;

namespace {

int Width(const RECT& r) { return r.right - r.left; }
int Height(const RECT& r) { return r.bottom - r.top; }

int ImageWidth(const TDataSkinObject& record) { return record.Image ? record.Image->Width() : 0; }
int ImageHeight(const TDataSkinObject& record) { return record.Image ? record.Image->Height() : 0; }
int FrameCountOf(const TDataSkinObject& record) { return std::max(record.FrameCount, 1); }

bool Stacked(TBorderPiece piece)
{
    return piece == TBorderPiece::Top || piece == TBorderPiece::Bottom;
}

} // namespace

TFrameGeometry FrameGeometryOf(const TSkinData& data)
{
    return {ImageWidth(*data.BorderLeft) / FrameCountOf(*data.BorderLeft),
            ImageHeight(*data.BorderTop) / FrameCountOf(*data.BorderTop),
            ImageWidth(*data.BorderRight) / FrameCountOf(*data.BorderRight),
            ImageHeight(*data.BorderBottom) / FrameCountOf(*data.BorderBottom)};
}

TDataSkinBorder& BorderOf(const TSkinData& data, TBorderPiece piece)
{
    switch (piece) {
    case TBorderPiece::Left: return *data.BorderLeft;
    case TBorderPiece::Right: return *data.BorderRight;
    case TBorderPiece::Top: return *data.BorderTop;
    case TBorderPiece::Bottom: break;
    }
    return *data.BorderBottom;
}

int BorderFrame(const TDataSkinBorder& border, bool active)
{
    return active || border.FrameCount <= 1 ? 1 : 2;
}

std::unique_ptr<TBitmap> BuildBorderFace(const TSkinData& data, TBorderPiece piece, int width, int height,
                                         bool active)
{
    TDataSkinBorder& border = BorderOf(data, piece);
    // The border's Tile field holds its Stretch key: 1 stretches the middle.
    const bool tile = border.Tile != 1;
    return BuildElementBitmap({0, 0, std::max(width, 0), std::max(height, 0)}, *border.Image, border.Margins(),
                              Stacked(piece), tile, border.FrameCount, BorderFrame(border, active));
}

// ---- Title bar ----

std::wstring DecoratedTitle(const std::wstring& windowText)
{
    return L" " + windowText + L"  ";
}

namespace {

// How far before the title's end the text stops. The skin's TextRightClip
// is made for all its right-aligned buttons; a window that shows fewer
// (a tool window's close button alone) keeps the same gap before those it
// shows rather than cutting its caption short of room it has.
int RightClip(const TDataSkinTitle& title, const TTitleTextLayout& layout)
{
    const int notShown = std::max(layout.SkinRightReserve - layout.RightReserve, 0);
    return std::max(title.TextRightClip() - notShown, 0);
}

// The horizontal offset of the text block inside the title, by the skin's
// alignment (0 left, 1 centre, 2 right); a right-to-left form mirrors it.
int TextOffset(const TDataSkinTitle& title, const TTitleTextLayout& layout, int titleWidth, int blockWidth)
{
    const int alignment = title.TextAlignment;
    if (layout.RightToLeft) {
        switch (alignment) {
        case 0: return titleWidth - layout.RightReserve - blockWidth;
        case 1: return (titleWidth - blockWidth - layout.RightReserve) / 2;
        case 2: return title.TextShift();
        default: break;
        }
    }
    switch (alignment) {
    case 0: return title.TextShift();
    case 1: return (titleWidth - blockWidth) / 2;
    case 2: return titleWidth - RightClip(title, layout) - blockWidth;
    default: return 0;
    }
}

// Keeps the text off the caption buttons on the right; a right-to-left form
// has them on the left and moves its text away from the edge instead.
void LimitTextRight(RECT& text, const RECT& title, const TDataSkinTitle& record, const TTitleTextLayout& layout)
{
    if (layout.RightToLeft)
        OffsetRect(&text, 10, 0);
    else if (!layout.PopupStyle)
        text.right = std::min<LONG>(text.right, title.right - RightClip(record, layout));
    else if (layout.RightReserve > 5)
        text.right = std::min<LONG>(text.right, title.right - layout.RightReserve - 5);
}

// Where the text block (text and its background ends) goes in `title`.
RECT PlaceTitleText(HDC dc, const RECT& title, const std::wstring& text, const TDataSkinTitle& record,
                    const TTitleTextLayout& layout)
{
    RECT block = title;
    DrawTextWide(dc, text, block, DT_CALCRECT | DT_NOCLIP);
    block.right += record.TXTBackleft + record.TXTBackRight;
    const int textHeight = Height(block);
    const int c = TextOffset(record, layout, Width(title), Width(block));
    const int v = (Height(title) - textHeight) / 2 + record.TextShiftVert() / 2;
    OffsetRect(&block, c, v);
    if (layout.RightToLeft && c < 1)
        block.left = record.TextShift();
    LimitTextRight(block, title, record, layout);
    if (layout.DialogBorder && record.TextAlignment == 0)
        block.left -= layout.IconWidth;  // dialogs show no icon: the text takes its place
    return block;
}

} // namespace

RECT DrawTitleText(HDC dc, const RECT& title, const std::wstring& text, HFONT font, const TSkinData& data,
                   const TTitleTextLayout& layout)
{
    const TDataSkinTitle& record = *data.Title;
    ui::TSavedDC saved(dc);
    saved.Select(font);
    SetBkMode(dc, TRANSPARENT);
    const TSkinColour colour = layout.Active ? data.Colours.TitleTextActive : data.Colours.TitleTextNoActive;
    SetTextColor(dc, ui::ColorToRGB(colour));

    const RECT block = PlaceTitleText(dc, title, text, record, layout);
    if (record.Image && !record.Image->Empty())
        DrawStripTiled(dc, {block.left, title.top, block.right, title.bottom}, *record.Image, true, true,
                       record.FrameCount, layout.Active ? 1 : 2, {record.TXTBackleft, record.TXTBackRight});
    RECT textRect{block.left + record.TXTBackleft, block.top, block.right - record.TXTBackRight, block.bottom};
    UINT flags = DT_SINGLELINE | DT_NOPREFIX | DT_END_ELLIPSIS;
    if (layout.RightToLeft)
        flags |= DT_RIGHT | DT_RTLREADING;
    DrawTextWide(dc, text, textRect, flags);
    return block;
}

void DrawStripTiled(HDC dc, const RECT& rect, TBitmap& image, bool framesStacked, bool transparent, int frameCount,
                    int frame, TStripEnds ends)
{
    const int w = Width(rect), h = Height(rect);
    if (w < 0 || h < 0 || image.Empty())
        return;
    frameCount = std::max(frameCount, 1);
    frame = std::clamp(frame, 1, frameCount);
    const int fw = framesStacked ? image.Width() : image.Width() / frameCount;
    const int fh = framesStacked ? image.Height() / frameCount : image.Height();
    const int fx = framesStacked ? 0 : (frame - 1) * fw;
    const int fy = framesStacked ? (frame - 1) * fh : 0;

    TBitmap work(w, h);
    // Each piece keeps its width, cut at the strip's ends, and takes the
    // strip's height.
    const auto copy = [&](int x, int sourceX, int width) {
        const int left = std::max(x, 0), right = std::min(x + width, w);
        if (right > left && h > 0)
            StretchPiece(work, {left, 0, right, h}, image, {sourceX + left - x, fy, sourceX + right - x, fy + fh});
    };
    copy(0, fx, ends.Left);
    const int middle = fw - ends.Left - ends.Right;
    // Ends as wide as the frame leave no middle to repeat.
    if (middle > 0)
        for (int x = ends.Left; x < w - ends.Right; x += middle)
            copy(x, fx + ends.Left, middle);
    copy(w - ends.Right, fx + fw - ends.Right, ends.Right);

    if (transparent)
        TransparentBlit(dc, rect, work, ui::clFuchsia);
    else
        BitBlt(dc, rect.left, rect.top, w, h, work.Canvas()->Handle(), 0, 0, SRCCOPY);
}

// ---- Window region ----

namespace {

// Rectangles go to the system in batches of this many.
constexpr std::size_t RegionBatch = 2000;

// Gathers rectangles and ORs them into one region a batch at a time.
class TRegionBuilder {
public:
    TRegionBuilder() : region_(CreateRectRgn(0, 0, 0, 0)) { rects_.reserve(RegionBatch); }

    void Add(const RECT& r)
    {
        rects_.push_back(r);
        if (rects_.size() == RegionBatch)
            Flush();
    }
    TRegionHandle Finish()
    {
        Flush();
        return std::move(region_);
    }

private:
    void Flush()
    {
        if (rects_.empty())
            return;
        std::vector<std::uint8_t> buffer(sizeof(RGNDATAHEADER) + rects_.size() * sizeof(RECT));
        auto& header = *reinterpret_cast<RGNDATAHEADER*>(buffer.data());
        header = {sizeof(RGNDATAHEADER), RDH_RECTANGLES, static_cast<DWORD>(rects_.size()),
                  static_cast<DWORD>(rects_.size() * sizeof(RECT)), Bounds()};
        std::copy(rects_.begin(), rects_.end(), reinterpret_cast<RECT*>(buffer.data() + sizeof(RGNDATAHEADER)));
        const TRegionHandle batch(
            ExtCreateRegion(nullptr, static_cast<DWORD>(buffer.size()), reinterpret_cast<RGNDATA*>(buffer.data())));
        if (batch)
            CombineRgn(region_.Get(), region_.Get(), batch.Get(), RGN_OR);
        rects_.clear();
    }
    RECT Bounds() const
    {
        RECT bounds = rects_.front();
        for (const RECT& r : rects_)
            UnionRect(&bounds, &bounds, &r);
        return bounds;
    }

    TRegionHandle region_;
    std::vector<RECT> rects_;
};

bool InKeyRange(int value, int key, int tolerance)
{
    return value >= key && value <= std::min(key + tolerance, 255);
}

TRegionHandle RectRegion(int left, int top, int right, int bottom)
{
    return TRegionHandle(CreateRectRgn(left, top, right, bottom));
}

void AddRegion(TRegionHandle& to, const TRegionHandle& piece)
{
    CombineRgn(to.Get(), to.Get(), piece.Get(), RGN_OR);
}

} // namespace

TRegionHandle RegionFromBitmap(const TBitmap& bitmap, int x, int y, ui::TColor key, TKeyTolerance tolerance)
{
    const COLORREF k = ui::ColorToRGB(key);
    const int bpp = bitmap.BytesPerPixel();
    const auto transparent = [&](const std::uint8_t* p) {
        return InKeyRange(p[2], GetRValue(k), tolerance.Red) && InKeyRange(p[1], GetGValue(k), tolerance.Green) &&
               InKeyRange(p[0], GetBValue(k), tolerance.Blue);
    };
    TRegionBuilder builder;
    for (int row = 0; row < bitmap.Height(); ++row) {
        const std::uint8_t* line = bitmap.ScanLine(row);
        int col = 0;
        while (col < bitmap.Width()) {
            while (col < bitmap.Width() && transparent(line + col * bpp))
                ++col;
            const int start = col;
            while (col < bitmap.Width() && !transparent(line + col * bpp))
                ++col;
            if (col > start)
                builder.Add({start + x, row + y, col + x, row + y + 1});
        }
    }
    return builder.Finish();
}

namespace {

// The key colour and the tolerance the frame region is cut with.
constexpr TKeyTolerance FrameKeyTolerance{1, 1, 1};

TRegionHandle KeyedRegion(const TSkinData& data, TBorderPiece piece, int width, int height, bool active, int x, int y)
{
    const auto face = BuildBorderFace(data, piece, width, height, active);
    return RegionFromBitmap(*face, x, y, ui::clFuchsia, FrameKeyTolerance);
}

// The region of one side border: cut at the key colour when the border is
// transparent, else its whole rectangle.
TRegionHandle SideRegion(const TSkinData& data, TBorderPiece piece, int left, int width, int height, bool active)
{
    if (BorderOf(data, piece).Trans == 1 && height > 1)
        return KeyedRegion(data, piece, width, height, active, left, 0);
    return RectRegion(left, 0, left + width, height);
}

} // namespace

bool HasTransparentBorder(const TSkinData& data)
{
    return data.BorderLeft->Trans || data.BorderRight->Trans || data.BorderTop->Trans || data.BorderBottom->Trans;
}

TRegionHandle BuildFrameRegion(const TSkinData& data, const TFrameGeometry& frame, int width, int height,
                               bool active)
{
    if (!HasTransparentBorder(data))
        return RectRegion(0, 0, width, height);
    const int l = frame.LeftWidth, t = frame.TitleHeight, r = frame.RightWidth, b = frame.BottomHeight;
    const int middle = width - l - r;
    TRegionHandle region = RectRegion(l, t, width - r, height - b);
    AddRegion(region, SideRegion(data, TBorderPiece::Left, 0, l, height, active));
    AddRegion(region, SideRegion(data, TBorderPiece::Right, width - r, r, height, active));
    if (data.BorderBottom->Trans == 1 && b >= 2)
        AddRegion(region, KeyedRegion(data, TBorderPiece::Bottom, middle, b, active, l, height - b));
    else
        AddRegion(region, RectRegion(l, height - b, width - r, height));
    if (data.BorderTop->Trans == 1 && t > 1 && middle > 0)
        AddRegion(region, KeyedRegion(data, TBorderPiece::Top, middle, t, active, l, 0));
    else
        AddRegion(region, RectRegion(l, 0, width - r, t));
    return region;
}

// ---- Window icon ----

HICON WindowIcon(HWND window)
{
    auto icon = reinterpret_cast<HICON>(SendMessageW(window, WM_GETICON, ICON_SMALL, 0));
    if (!icon)
        icon = reinterpret_cast<HICON>(SendMessageW(window, WM_GETICON, ICON_BIG, 0));
    return icon;
}

namespace {

// A copy of `icon` at cx x cy made from its best picture, so that a big icon
// is scaled from the resource rather than shrunk pixel by pixel; the icon
// itself when no copy can be made.
HICON ScaledCopy(HICON icon, int cx, int cy)
{
    return static_cast<HICON>(CopyImage(icon, IMAGE_ICON, cx, cy, LR_COPYFROMRESOURCE));
}

} // namespace

std::unique_ptr<TBitmap> WindowIconBitmap(HWND window)
{
    const int cx = GetSystemMetrics(SM_CXSMICON), cy = GetSystemMetrics(SM_CYSMICON);
    auto bitmap = std::make_unique<TBitmap>(cx, cy);
    if (const HICON icon = WindowIcon(window)) {
        ui::TIcon copy;
        copy.SetHandle(ScaledCopy(icon, cx, cy));
        DrawKeyedIcon(copy.Handle() ? copy.Handle() : icon, cx, cy, *bitmap);
    } else {
        const ui::TBrushHandle key(CreateSolidBrush(ui::ColorToRGB(ui::clFuchsia)));
        const RECT all{0, 0, cx, cy};
        FillRect(bitmap->Canvas()->Handle(), &all, key.Get());
    }
    return bitmap;
}

void DrawWindowIcon(HDC dc, const RECT& rect, HICON icon, int size)
{
    if (icon)
        DrawIconEx(dc, rect.left, rect.top, icon, size, size, 0, nullptr, DI_NORMAL);
}

// ---- What one window's frame keeps between paints ----

TBitmap& TFramePaintCache::BorderFace(const TSkinData& data, TBorderPiece piece, int width, int height, bool active)
{
    TFace& face = faces_[static_cast<std::size_t>(piece) - 1];
    if (!face.Picture || face.Width != width || face.Height != height || face.Active != active) {
        face.Picture = BuildBorderFace(data, piece, width, height, active);
        face.Width = width;
        face.Height = height;
        face.Active = active;
    }
    return *face.Picture;
}

HICON TFramePaintCache::ScaledIcon(HICON icon, int size)
{
    // A window's icon handle stands for its picture: a new icon is a new handle.
    if (icon != iconSource_ || size != iconSize_) {
        scaledIcon_.SetHandle(icon ? ScaledCopy(icon, size, size) : nullptr);
        iconSource_ = icon;
        iconSize_ = size;
    }
    return scaledIcon_.Handle() ? scaledIcon_.Handle() : icon;
}

void TFramePaintCache::Clear()
{
    for (TFace& face : faces_)
        face = TFace();
    scaledIcon_.SetHandle(nullptr);
    iconSource_ = nullptr;
    iconSize_ = 0;
    title_.reset();
}

// ---- The controller's frame ----

namespace {

TFrameGeometry GeometryOf(const TWinSkinForm& form)
{
    return {form.LeftWidth, form.TitleHeight, form.RightWidth, form.BottomHeight};
}

// The window's text as the title shows it: read wide from a Unicode window,
// else through WM_GETTEXT into a 1000-byte buffer.
std::wstring WindowTitle(const TWinSkinForm& form)
{
    if (form.IsUnicode)
        return GetWindowTextWide(form.WindowHandle);
    char text[1000] = {};
    const auto length = SendMessageA(form.WindowHandle, WM_GETTEXT, sizeof text, reinterpret_cast<LPARAM>(text));
    return AnsiToWide({text, static_cast<std::size_t>(std::clamp<LRESULT>(length, 0, sizeof text - 1))});
}

void CopyFace(HDC dc, int x, int y, TBitmap& face)
{
    BitBlt(dc, x, y, face.Width(), face.Height(), face.Canvas()->Handle(), 0, 0, SRCCOPY);
}

// The side borders of one frame paint, kept so the title bar can take their
// top ends without reading the window back.
struct TSideFaces {
    TBitmap& Left;
    TBitmap& Right;
};

// What the title bar is to show now; the caption buttons' visibility is
// evaluated first.
TTitleState TitleStateOf(TWinSkinForm& form)
{
    EvaluateCaptionButtons(form);
    TTitleState state;
    state.Width = form.WindowWidth;
    state.Height = form.WindowHeight;
    state.Active = form.Active;
    state.Minimized = form.WindowState == TSkinWindowState::Minimized;
    state.RightToLeft = form.RightToLeft;
    state.PopupStyle = (form.Style & WS_POPUP) != 0;
    state.Text = form.TitlePrefix + WindowTitle(form) + form.TitleSuffix;
    state.Icon = WindowIcon(ui::Application()->Handle());
    for (const auto& button : form.CaptionButtons)
        state.Buttons.emplace_back(button->Visible, button->Enabled);
    return state;
}

// The off-screen title bar: its own piece of the top border, the caption
// text and the caption buttons, over the top ends of the side borders (a
// minimised window: over a ButtonFace block of the window's size).
void ComposeTitleBar(TWinSkinForm& form, TBitmap& title, const TSideFaces* sides, const std::wstring& text)
{
    const int w = form.WindowWidth;
    HDC dc = title.Canvas()->Handle();
    RECT area{0, 0, w, form.TitleHeight};
    if (!sides) {
        title.SetSize(w, form.WindowHeight);
        const RECT all{0, 0, w, form.WindowHeight};
        FillRect(dc, &all, form.SkinData->ButtonFaceBrush->Handle());
    } else {
        title.SetSize(w, form.TitleHeight);
        BitBlt(dc, 0, 0, form.LeftWidth, form.TitleHeight, sides->Left.Canvas()->Handle(), 0, 0, SRCCOPY);
        BitBlt(dc, w - form.RightWidth, 0, form.RightWidth, form.TitleHeight, sides->Right.Canvas()->Handle(), 0, 0,
               SRCCOPY);
        area = {form.LeftWidth, 0, w - form.RightWidth, form.TitleHeight};
    }
    CopyFace(dc, area.left, area.top,
             form.PaintCache.BorderFace(*form.SkinData, TBorderPiece::Top, Width(area), Height(area), form.Active));

    TTitleTextLayout layout;
    layout.Active = form.Active;
    layout.RightToLeft = form.RightToLeft;
    layout.PopupStyle = (form.Style & WS_POPUP) != 0;
    layout.DialogBorder = form.BorderKind == TBorderKind::Dialog;
    layout.IconWidth = form.IconSize;
    layout.RightReserve = form.RightReserve = CaptionRightReserve(form);
    layout.SkinRightReserve = SkinRightReserve(form);
    form.TitleTextRect = DrawTitleText(dc, area, text, form.CaptionFont->Handle(), *form.SkinData, layout);
    LayoutCaptionButtons(form);
    PaintCaptionButtons(form, dc);
}

void PaintTitleBar(TWinSkinForm& form, HDC dc, const TSideFaces* sides)
{
    if (!form.TitleBitmap)
        form.TitleBitmap = std::make_unique<TBitmap>();
    // The caption text and buttons cost most of a frame paint: a title bar
    // that would show the same is copied again as it is.
    TTitleState state = TitleStateOf(form);
    if (!form.PaintCache.ShowsTitle(state)) {
        ComposeTitleBar(form, *form.TitleBitmap, sides, state.Text);
        form.PaintCache.TitleComposed(std::move(state));
    }
    CopyFace(dc, 0, 0, *form.TitleBitmap);
    SetBkMode(dc, OPAQUE);
}

// The borders, the title bar and the menu strip, each composed off-screen
// and copied once.
void PaintWholeFrame(TWinSkinForm& form, HDC dc)
{
    GetWindowRect(form.WindowHandle, &form.WindowRect);
    const int w = Width(form.WindowRect), h = Height(form.WindowRect);
    form.WindowWidth = w;
    form.WindowHeight = h;
    if (form.WindowState == TSkinWindowState::Minimized) {
        PaintTitleBar(form, dc, nullptr);
        return;
    }
    const TSkinData& data = *form.SkinData;
    const int l = form.LeftWidth, r = form.RightWidth, b = form.BottomHeight;
    TFramePaintCache& cache = form.PaintCache;
    const TSideFaces sides{cache.BorderFace(data, TBorderPiece::Left, l, h, form.Active),
                           cache.BorderFace(data, TBorderPiece::Right, r, h, form.Active)};
    CopyFace(dc, 0, 0, sides.Left);
    CopyFace(dc, w - r, 0, sides.Right);
    CopyFace(dc, l, h - b, cache.BorderFace(data, TBorderPiece::Bottom, w - l - r, b, form.Active));
    PaintTitleBar(form, dc, &sides);
    // A skinned menu bar paints its own strip; without one the strip is plain.
    const RECT strip{l, form.TitleHeight, w - r, form.TitleHeight + form.MenuBarHeight};
    if (form.MenuBar)
        form.MenuBar->PaintMenuBar(dc, strip);
    else if (form.MenuBarHeight > 0)
        FillRect(dc, &strip, data.ButtonFaceBrush->Handle());
}

} // namespace

void TWinSkinForm::ComputeFrameGeometry()
{
    if (SkinData->Empty())
        return;
    const bool noCaption = BorderKind == TBorderKind::NoCaption;
    const TFrameGeometry frame = noCaption ? TFrameGeometry{} : FrameGeometryOf(*SkinData);
    LeftWidth = frame.LeftWidth;
    TitleHeight = frame.TitleHeight;
    RightWidth = frame.RightWidth;
    BottomHeight = frame.BottomHeight;
    if (noCaption)
        MenuBarHeight = 0;
    PaintCache.Clear();
    BuildCaptionButtons();
}

void TWinSkinForm::OnNcCalcSize(ui::TMessage& m)
{
    auto* params = reinterpret_cast<NCCALCSIZE_PARAMS*>(m.LParam);
    // The previous procedure writes its client rectangle over the proposed
    // window rectangle: keep the window rectangle first.
    const RECT window = m.WParam ? params->rgrc[0] : RECT{};
    CallOldWindowProc(m);
    if (!m.WParam) {
        m.Result = 0;
        return;
    }
    const bool systemClient = BorderKind == TBorderKind::NoCaption ||
                              (MdiKind == TMdiKind::Child && WindowState != TSkinWindowState::Normal);
    if (!systemClient) {
        RECT& client = params->rgrc[0];
        client = {window.left + LeftWidth, window.top + TitleHeight + MenuBarHeight, window.right - RightWidth,
                  window.bottom - BottomHeight};
        // A window smaller than its frame gets an empty client area.
        client.right = std::max(client.right, client.left);
        client.bottom = std::max(client.bottom, client.top);
    }
    params->rgrc[1] = params->rgrc[0];
    m.Result = WVR_VALIDRECTS;
}

void TWinSkinForm::OnNcPaint(ui::TMessage& m)
{
    SetSystemMenuStyle(true);
    m.Result = 0;
    if (!SkinData->FramePaintEnabled)
        return;
    if (IsMaximizedMdiChild() || BorderKind == TBorderKind::NoCaption)
        CallOldWindowProc(m);
    else
        PaintFrame(nullptr);
}

void TWinSkinForm::PaintFrame(HDC dc)
{
    const bool ready = SkinState == TSkinState::Running || SkinState == TSkinState::Reskinning;
    if (!ready || SkinData->Empty() || BorderKind == TBorderKind::NoCaption || IsMaximizedMdiChild())
        return;
    ForgetHotObject();  // every full paint forgets the hover state
    try {
        if (dc) {
            PaintWholeFrame(*this, dc);
        } else {
            const auto windowDC = ui::TWindowDC::Whole(WindowHandle);
            PaintWholeFrame(*this, windowDC.Get());
        }
    } catch (const std::exception&) {
        // A frame that cannot be painted is left as it was.
    }
}

void TWinSkinForm::UpdateRegion()
{
    if (SkinState == TSkinState::Closed || !FrameSkinned || SkinData->Empty())
        return;
    RECT window{};
    GetWindowRect(WindowHandle, &window);
    const int w = Width(window), h = Height(window);
    const bool mdiChild = MdiKind == TMdiKind::Child;
    if (w <= 0 || h <= 0 || (mdiChild && WindowState != TSkinWindowState::Normal))
        return;
    if (w == RegionWidth && h == RegionHeight && !mdiChild && SkinState != TSkinState::Reskinning)
        return;
    ShapeWindow(w, h, true);
}

void TWinSkinForm::ShapeWindow(int w, int h, bool redraw)
{
    if (SkinState == TSkinState::Closed || !FrameSkinned || SkinData->Empty())
        return;
    ui::TRegionHandle region = BuildFrameRegion(*SkinData, GeometryOf(*this), w, h, Active);
    RegionWidth = w;
    RegionHeight = h;
    // Once set, the region belongs to the window, which deletes it when it
    // is replaced; one the system refused is deleted here.
    if (SetWindowRgn(WindowHandle, region.Get(), redraw)) {
        Region = region.Release();
        RegionOwned = true;
    }
}

void TWinSkinForm::DropRegion()
{
    SetWindowRgn(WindowHandle, nullptr, MdiKind == TMdiKind::Child);
    Region = nullptr;
    RegionOwned = false;
    RegionWidth = RegionHeight = 0;
}

void TWinSkinForm::IconChanged()
{
    IconBitmap.reset();
    IconSize = GetSystemMetrics(SM_CXSMICON);
    PaintCache.Clear();  // the title bar shows the icon
}

TBitmap& TWinSkinForm::IconPicture()
{
    if (!IconBitmap)
        IconBitmap = WindowIconBitmap(WindowHandle);
    return *IconBitmap;
}

} // namespace skin
