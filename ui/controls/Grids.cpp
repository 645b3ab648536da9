#include "ui/controls/Grids.h"

#include <windowsx.h>

#include <algorithm>

namespace ui {

namespace {

constexpr TColor GridLineColour = 0xC0C0C0;  // silver

} // namespace

// ---- TGridAxis

void TGridAxis::SetCount(int count)
{
    sizes_.resize(static_cast<std::size_t>(std::max(count, 1)), defaultSize_);
    SetFixed(fixed_);
}

// At least one line scrolls.
void TGridAxis::SetFixed(int fixed)
{
    fixed_ = std::clamp(fixed, 0, Count() - 1);
    first_ = std::clamp(first_, fixed_, Count() - 1);
}

void TGridAxis::SetDefaultSize(int size)
{
    defaultSize_ = std::max(size, 0);
    std::fill(sizes_.begin(), sizes_.end(), defaultSize_);
}

int TGridAxis::Size(int index) const
{
    if (index < 0 || index >= Count())
        throw Exception("Grid index out of range");
    return sizes_[static_cast<std::size_t>(index)];
}

void TGridAxis::SetSize(int index, int size)
{
    Size(index);  // checks the index
    sizes_[static_cast<std::size_t>(index)] = std::max(size, 0);
}

void TGridAxis::SetFirst(int first, int length)
{
    first_ = std::clamp(first, fixed_, std::max(fixed_, LastFirst(length)));
}

int TGridAxis::FixedExtent() const
{
    int extent = 0;
    for (int i = 0; i < fixed_; ++i)
        extent += sizes_[static_cast<std::size_t>(i)] + gridLine_;
    return extent;
}

int TGridAxis::Start(int index) const
{
    if (index >= fixed_ && index < first_)
        return -1;
    int position = 0;
    for (int i = index < fixed_ ? 0 : first_; i < index; ++i)
        position += sizes_[static_cast<std::size_t>(i)] + gridLine_;
    return index < fixed_ ? position : FixedExtent() + position;
}

std::vector<int> TGridAxis::Shown(int length) const
{
    std::vector<int> shown;
    int start = 0;
    const auto add = [&](int i) {
        if (start >= length)
            return false;
        shown.push_back(i);
        start += sizes_[static_cast<std::size_t>(i)] + gridLine_;
        return true;
    };
    for (int i = 0; i < fixed_ && add(i); ++i) {
    }
    for (int i = first_; i < Count() && add(i); ++i) {
    }
    return shown;
}

int TGridAxis::IndexAt(int position, int length) const
{
    if (position < 0 || position >= length)
        return -1;
    for (int i : Shown(length))
        if (position < Start(i) + sizes_[static_cast<std::size_t>(i)] + gridLine_)
            return i;
    return -1;
}

int TGridAxis::WholeLines(int length) const
{
    int lines = 0;
    for (int i = first_, end = FixedExtent(); i < Count(); ++i, ++lines) {
        end += sizes_[static_cast<std::size_t>(i)];
        if (end > length)
            break;
        end += gridLine_;
    }
    return std::max(lines, first_ < Count() ? 1 : 0);
}

int TGridAxis::LastFirst(int length) const
{
    const int room = length - FixedExtent();
    int first = Count() - 1;
    for (int used = sizes_.back() + gridLine_; first - 1 >= fixed_; --first) {
        used += sizes_[static_cast<std::size_t>(first - 1)] + gridLine_;
        if (used - gridLine_ > room)
            break;
    }
    return std::max(first, fixed_);
}

int TGridAxis::FirstShowing(int index, int length) const
{
    if (index < fixed_)
        return first_;
    if (index <= first_)
        return index;
    if (Start(index) + Size(index) <= length)
        return first_;
    // The view ends with index and starts as late as it must.
    const int room = length - FixedExtent();
    int first = index;
    for (int used = Size(index); first - 1 > first_; --first) {
        used += sizes_[static_cast<std::size_t>(first - 1)] + gridLine_;
        if (used > room)
            break;
    }
    return first;
}

// ---- TCustomGrid

const TClassInfo& TCustomGrid::StaticClass()
{
    using G = TCustomGrid;
    static const TClassInfo info =
        TClassBuilder<G>("TCustomGrid", &TCustomControl::StaticClass())
            .Int("ColCount", &G::ColCount, &G::SetColCount)
            .Int("RowCount", &G::RowCount, &G::SetRowCount)
            .Int("FixedCols", &G::FixedCols, &G::SetFixedCols)
            .Int("FixedRows", &G::FixedRows, &G::SetFixedRows)
            .Int("DefaultColWidth", &G::DefaultColWidth, &G::SetDefaultColWidth)
            .Int("DefaultRowHeight", &G::DefaultRowHeight, &G::SetDefaultRowHeight)
            .Int("GridLineWidth", &G::GridLineWidth, &G::SetGridLineWidth)
            .Int("FixedColor", &G::FixedColor, &G::SetFixedColor, ColorIdents)
            .Enum("BorderStyle", {"bsNone", "bsSingle"}, &G::BorderStyle, &G::SetBorderStyle)
            .Enum("ScrollBars", {"ssNone", "ssHorizontal", "ssVertical", "ssBoth"}, &G::ScrollBars,
                  &G::SetScrollBars)
            .Done();
    return info;
}

TCustomGrid::TCustomGrid(TComponent* owner) : TCustomControl(owner)
{
    rows_.SetDefaultSize(24);
    SetBounds(0, 0, 320, 120);
    SetTabStop(true);
}

void TCustomGrid::SetColCount(int count)
{
    cols_.SetCount(count);
    Changed();
}

void TCustomGrid::SetRowCount(int count)
{
    rows_.SetCount(count);
    Changed();
}

void TCustomGrid::SetFixedCols(int count)
{
    cols_.SetFixed(count);
    Changed();
}

void TCustomGrid::SetFixedRows(int count)
{
    rows_.SetFixed(count);
    Changed();
}

void TCustomGrid::SetDefaultColWidth(int width)
{
    cols_.SetDefaultSize(width);
    Changed();
}

void TCustomGrid::SetDefaultRowHeight(int height)
{
    rows_.SetDefaultSize(height);
    Changed();
}

void TCustomGrid::SetColWidths(int index, int width)
{
    cols_.SetSize(index, width);
    Changed();
}

void TCustomGrid::SetRowHeights(int index, int height)
{
    rows_.SetSize(index, height);
    Changed();
}

void TCustomGrid::SetGridLineWidth(int width)
{
    cols_.SetGridLine(width);
    rows_.SetGridLine(width);
    Changed();
}

void TCustomGrid::SetFixedColor(TColor color)
{
    fixedColor_ = color;
    Invalidate();
}

void TCustomGrid::SetBorderStyle(TBorderStyle style)
{
    borderStyle_ = style;
    if (HandleAllocated())
        RecreateWnd();
}

void TCustomGrid::SetScrollBars(TScrollStyle bars)
{
    scrollBars_ = bars;
    if (HandleAllocated())
        RecreateWnd();
}

void TCustomGrid::SetLeftCol(int col)
{
    cols_.SetFirst(col, ClientLength(SB_HORZ));
    UpdateScrollBars();
    Invalidate();
}

void TCustomGrid::SetTopRow(int row)
{
    rows_.SetFirst(row, ClientLength(SB_VERT));
    UpdateScrollBars();
    Invalidate();
}

// The counts or sizes changed: the current cell stays within the scrolled
// cells, the scroll bars follow.
void TCustomGrid::Changed()
{
    SizeChanged();
    col_ = std::clamp(col_, FixedCols(), ColCount() - 1);
    row_ = std::clamp(row_, FixedRows(), RowCount() - 1);
    UpdateScrollBars();
    Invalidate();
}

int TCustomGrid::ClientLength(int bar) const
{
    const RECT r = ClientRect();
    return bar == SB_HORZ ? r.right - r.left : r.bottom - r.top;
}

// Each bar scrolls the lines after the fixed ones: its page is the lines
// shown whole, so it goes away while every line fits. A bar that comes or
// goes resizes the client area, which brings the window here again: that
// turn is left out.
void TCustomGrid::UpdateScrollBars()
{
    if (!HandleAllocated() || updatingBars_)
        return;
    updatingBars_ = true;
    struct TDone {
        bool& Flag;
        ~TDone() { Flag = false; }
    } done{updatingBars_};
    const struct {
        TGridAxis& Axis;
        int Bar;
        bool Wanted;
    } bars[] = {
        {cols_, SB_HORZ, scrollBars_ == TScrollStyle::ssHorizontal || scrollBars_ == TScrollStyle::ssBoth},
        {rows_, SB_VERT, scrollBars_ == TScrollStyle::ssVertical || scrollBars_ == TScrollStyle::ssBoth},
    };
    for (const auto& b : bars) {
        const int length = ClientLength(b.Bar);
        b.Axis.SetFirst(b.Axis.First(), length);
        if (!b.Wanted)
            continue;
        SCROLLINFO info{sizeof info, SIF_RANGE | SIF_PAGE | SIF_POS, b.Axis.Fixed(), b.Axis.Count() - 1,
                        static_cast<UINT>(b.Axis.WholeLines(length)), b.Axis.First(), 0};
        SetScrollInfo(Handle(), b.Bar, &info, TRUE);
    }
}

// A new size of the window may show more lines or take a bar away.
void TCustomGrid::AlignRemainder(const RECT& room)
{
    TCustomControl::AlignRemainder(room);
    UpdateScrollBars();
}

RECT TCustomGrid::CellRect(int col, int row) const
{
    const int x = cols_.Start(col), y = rows_.Start(row);
    if (x < 0 || y < 0)
        return {0, 0, 0, 0};
    return {x, y, x + cols_.Size(col), y + rows_.Size(row)};
}

bool TCustomGrid::CellAt(POINT p, int& col, int& row) const
{
    col = cols_.IndexAt(p.x, ClientLength(SB_HORZ));
    row = rows_.IndexAt(p.y, ClientLength(SB_VERT));
    return col >= 0 && row >= 0;
}

void TCustomGrid::MoveTo(int col, int row)
{
    col = std::clamp(col, FixedCols(), ColCount() - 1);
    row = std::clamp(row, FixedRows(), RowCount() - 1);
    if (col == col_ && row == row_)
        return;
    col_ = col, row_ = row;
    cols_.SetFirst(cols_.FirstShowing(col, ClientLength(SB_HORZ)), ClientLength(SB_HORZ));
    rows_.SetFirst(rows_.FirstShowing(row, ClientLength(SB_VERT)), ClientLength(SB_VERT));
    UpdateScrollBars();
    Invalidate();
}

// What the user did to a bar, as its scroll code, moves the first line.
void TCustomGrid::Scrolled(TGridAxis& axis, int bar, int code)
{
    const int length = ClientLength(bar);
    int first = axis.First();
    switch (code) {
    case SB_LINEUP: --first; break;
    case SB_LINEDOWN: ++first; break;
    case SB_PAGEUP: first -= axis.WholeLines(length); break;
    case SB_PAGEDOWN: first += axis.WholeLines(length); break;
    case SB_TOP: first = axis.Fixed(); break;
    case SB_BOTTOM: first = axis.Count() - 1; break;
    case SB_THUMBPOSITION:
    case SB_THUMBTRACK: {
        SCROLLINFO info{sizeof info, SIF_TRACKPOS, 0, 0, 0, 0, 0};
        GetScrollInfo(Handle(), bar, &info);
        first = info.nTrackPos;
        break;
    }
    default: return;
    }
    if (bar == SB_HORZ)
        SetLeftCol(first);
    else
        SetTopRow(first);
}

void TCustomGrid::CreateParams(TCreateParams& params)
{
    TCustomControl::CreateParams(params);
    if (borderStyle_ == TBorderStyle::bsSingle)
        params.ExStyle |= WS_EX_CLIENTEDGE;
    if (scrollBars_ == TScrollStyle::ssHorizontal || scrollBars_ == TScrollStyle::ssBoth)
        params.Style |= WS_HSCROLL;
    if (scrollBars_ == TScrollStyle::ssVertical || scrollBars_ == TScrollStyle::ssBoth)
        params.Style |= WS_VSCROLL;
}

void TCustomGrid::CreateWnd()
{
    TCustomControl::CreateWnd();
    UpdateScrollBars();
}

void TCustomGrid::Dispatch(TMessage& m)
{
    switch (m.Msg) {
    case WM_HSCROLL: Scrolled(cols_, SB_HORZ, LOWORD(m.WParam)); return;
    case WM_VSCROLL: Scrolled(rows_, SB_VERT, LOWORD(m.WParam)); return;
    case WM_MOUSEWHEEL: {
        const int notches = GET_WHEEL_DELTA_WPARAM(m.WParam) / WHEEL_DELTA;
        SetTopRow(TopRow() - 3 * notches);
        return;
    }
    case WM_GETDLGCODE: m.Result = DLGC_WANTARROWS; return;
    case WM_ERASEBKGND: m.Result = 1; return;  // Paint covers every pixel
    case WM_LBUTTONDOWN: {
        SetFocus();
        int col = 0, row = 0;
        if (CellAt({GET_X_LPARAM(m.LParam), GET_Y_LPARAM(m.LParam)}, col, row))
            MoveTo(col, row);
        break;
    }
    case WM_KEYDOWN: {
        switch (m.WParam) {
        case VK_LEFT: MoveTo(col_ - 1, row_); return;
        case VK_RIGHT: MoveTo(col_ + 1, row_); return;
        case VK_UP: MoveTo(col_, row_ - 1); return;
        case VK_DOWN: MoveTo(col_, row_ + 1); return;
        case VK_PRIOR: MoveTo(col_, row_ - rows_.WholeLines(ClientLength(SB_VERT))); return;
        case VK_NEXT: MoveTo(col_, row_ + rows_.WholeLines(ClientLength(SB_VERT))); return;
        case VK_HOME: MoveTo(FixedCols(), row_); return;
        case VK_END: MoveTo(ColCount() - 1, row_); return;
        default: break;
        }
        break;
    }
    default: break;
    }
    TCustomControl::Dispatch(m);
}

// Every cell in view over a background of grid lines; the current cell is
// highlighted.
void TCustomGrid::Paint()
{
    TCanvas& c = *Canvas();
    const RECT client = ClientRect();
    c.Brush()->SetColor(Color());
    c.FillRect(client);
    for (int row : rows_.Shown(client.bottom)) {
        for (int col : cols_.Shown(client.right)) {
            const RECT cell = CellRect(col, row);
            const bool fixed = col < FixedCols() || row < FixedRows();
            c.Brush()->SetColor(GridLineColour);
            c.FillRect({cell.left, cell.top, cell.right + GridLineWidth(), cell.bottom + GridLineWidth()});
            const bool current = col == col_ && row == row_;
            c.Brush()->SetColor(fixed ? fixedColor_ : current ? clHighlight : Color());
            c.FillRect(cell);
            if (fixed) {
                RECT edge = cell;
                DrawEdge(c.Handle(), &edge, BDR_RAISEDINNER, BF_RECT);
            }
            DrawCell(col, row, cell, fixed);
        }
    }
}

void TCustomGrid::DrawCell(int, int, const RECT&, bool) {}

// ---- TStringGrid

const TClassInfo& TStringGrid::StaticClass()
{
    static const TClassInfo info =
        TClassBuilder<TStringGrid>("TStringGrid", &TCustomGrid::StaticClass()).Creatable().Done();
    return info;
}

TStringGrid::TStringGrid(TComponent* owner) : TCustomGrid(owner)
{
    SizeChanged();
}

std::wstring TStringGrid::Cells(int col, int row) const
{
    ColWidths(col), RowHeights(row);  // check the indexes
    return cells_[static_cast<std::size_t>(row)][static_cast<std::size_t>(col)];
}

void TStringGrid::SetCells(int col, int row, const std::wstring& text)
{
    ColWidths(col), RowHeights(row);
    cells_[static_cast<std::size_t>(row)][static_cast<std::size_t>(col)] = text;
    const RECT cell = CellRect(col, row);
    if (HandleAllocated())
        InvalidateRect(Handle(), &cell, FALSE);
}

// Cells outside the new counts go; new ones are empty.
void TStringGrid::SizeChanged()
{
    cells_.resize(static_cast<std::size_t>(RowCount()));
    for (auto& row : cells_)
        row.resize(static_cast<std::size_t>(ColCount()));
}

void TStringGrid::DrawCell(int col, int row, const RECT& rect, bool fixed)
{
    TCanvas& c = *Canvas();
    const bool current = !fixed && col == Col() && row == Row();
    c.Font()->SetColor(current ? clHighlightText : Font()->Color());
    c.Brush()->SetStyle(TBrushStyle::bsClear);
    RECT text{rect.left + 2, rect.top, rect.right - 2, rect.bottom};
    c.DrawFormattedText(cells_[static_cast<std::size_t>(row)][static_cast<std::size_t>(col)], text,
                        DT_SINGLELINE | DT_VCENTER | DT_NOPREFIX | DT_END_ELLIPSIS);
    c.Brush()->SetStyle(TBrushStyle::bsSolid);
}

} // namespace ui
