// The string grid: cells of text in columns and rows, the first ones fixed
// as headings, the rest scrolled with the grid's own scroll bars.
#pragma once

#include <string>
#include <vector>

#include "ui/controls/Controls.h"
#include "ui/controls/StdCtrls.h"

namespace ui {

// One direction of a grid: its lines (columns or rows), how many of them are
// fixed at the start, their sizes, and the first scrolled line shown after
// the fixed ones. Positions are pixels along the direction; each line is
// followed by a grid line GridLine pixels wide.
class TGridAxis {
public:
    int Count() const { return static_cast<int>(sizes_.size()); }
    void SetCount(int count);
    int Fixed() const { return fixed_; }
    void SetFixed(int fixed);
    int DefaultSize() const { return defaultSize_; }
    void SetDefaultSize(int size);
    int Size(int index) const;
    void SetSize(int index, int size);
    int GridLine() const { return gridLine_; }
    void SetGridLine(int width) { gridLine_ = width < 0 ? 0 : width; }
    int First() const { return first_; }
    // Sets the first scrolled line, kept within Fixed()..LastFirst(length).
    void SetFirst(int first, int length);

    // Where line index starts within a view length pixels long; -1 when it is
    // scrolled out of view before the first.
    int Start(int index) const;
    // The lines in view within length, in order: the fixed ones, then the
    // scrolled ones from First().
    std::vector<int> Shown(int length) const;
    // The line at a pixel position; -1 past the last line shown.
    int IndexAt(int position, int length) const;
    // How many scrolled lines from First() fit whole into length (at least 1
    // while there are scrolled lines).
    int WholeLines(int length) const;
    // The greatest first line that still fills length up to the last line.
    int LastFirst(int length) const;
    // The first line that shows index whole, scrolling as little as can be.
    int FirstShowing(int index, int length) const;

private:
    int FixedExtent() const;
    std::vector<int> sizes_ = std::vector<int>(5, 64);
    int fixed_ = 1;
    int defaultSize_ = 64;
    int gridLine_ = 1;
    int first_ = 1;
};

// Cells in ColCount columns and RowCount rows; the first FixedCols columns and
// FixedRows rows are headings in FixedColor that never scroll. Col and Row are
// the current cell, moved by a click or the arrow keys, and kept in view.
class TCustomGrid : public TCustomControl {
    UI_CLASS(TCustomGrid)
public:
    explicit TCustomGrid(TComponent* owner);
    int ColCount() const { return cols_.Count(); }
    void SetColCount(int count);
    int RowCount() const { return rows_.Count(); }
    void SetRowCount(int count);
    int FixedCols() const { return cols_.Fixed(); }
    void SetFixedCols(int count);
    int FixedRows() const { return rows_.Fixed(); }
    void SetFixedRows(int count);
    int DefaultColWidth() const { return cols_.DefaultSize(); }
    void SetDefaultColWidth(int width);
    int DefaultRowHeight() const { return rows_.DefaultSize(); }
    void SetDefaultRowHeight(int height);
    int ColWidths(int index) const { return cols_.Size(index); }
    void SetColWidths(int index, int width);
    int RowHeights(int index) const { return rows_.Size(index); }
    void SetRowHeights(int index, int height);
    int GridLineWidth() const { return cols_.GridLine(); }
    void SetGridLineWidth(int width);
    TColor FixedColor() const { return fixedColor_; }
    void SetFixedColor(TColor color);
    TBorderStyle BorderStyle() const { return borderStyle_; }
    void SetBorderStyle(TBorderStyle style);
    TScrollStyle ScrollBars() const { return scrollBars_; }
    void SetScrollBars(TScrollStyle bars);
    int Col() const { return col_; }
    void SetCol(int col) { MoveTo(col, row_); }
    int Row() const { return row_; }
    void SetRow(int row) { MoveTo(col_, row); }
    // The first scrolled column and row shown.
    int LeftCol() const { return cols_.First(); }
    void SetLeftCol(int col);
    int TopRow() const { return rows_.First(); }
    void SetTopRow(int row);
    // The cell's rectangle in the client area; empty when it is out of view.
    RECT CellRect(int col, int row) const;
    // The cell at a client point; false outside every cell.
    bool CellAt(POINT p, int& col, int& row) const;

protected:
    void CreateParams(TCreateParams& params) override;
    void CreateWnd() override;
    void Dispatch(TMessage& m) override;
    void Paint() override;
    // Draws one cell's contents within rect (the background is drawn).
    virtual void DrawCell(int col, int row, const RECT& rect, bool fixed);
    // Called when the counts change, so that a grid keeping cells fits them.
    virtual void SizeChanged() {}
    void AlignRemainder(const RECT& room) override;

private:
    void MoveTo(int col, int row);
    void Scrolled(TGridAxis& axis, int bar, int code);
    void UpdateScrollBars();
    void Changed();
    int ClientLength(int bar) const;
    TGridAxis cols_, rows_;
    TColor fixedColor_ = clBtnFace;
    TBorderStyle borderStyle_ = TBorderStyle::bsSingle;
    TScrollStyle scrollBars_ = TScrollStyle::ssBoth;
    int col_ = 1, row_ = 1;
    bool updatingBars_ = false;
};

// A grid of text cells: Cells(col, row).
class TStringGrid : public TCustomGrid {
    UI_CLASS(TStringGrid)
public:
    explicit TStringGrid(TComponent* owner);
    std::wstring Cells(int col, int row) const;
    void SetCells(int col, int row, const std::wstring& text);

protected:
    void DrawCell(int col, int row, const RECT& rect, bool fixed) override;
    void SizeChanged() override;

private:
    std::vector<std::vector<std::wstring>> cells_;  // [row][col]
};

} // namespace ui
