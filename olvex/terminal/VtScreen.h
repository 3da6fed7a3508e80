#pragma once
// The cell store behind the emulator: what every cell of the page shows, and
// which cells changed since the view last asked.
//
// Erasing is the common case on a terminal (a full-page erase is 17424 cells),
// so each row remembers how far it holds anything but default blanks, the page
// remembers how far down it holds anything, and erasing blank cells costs
// nothing; scrolling whole lines reorders rows instead of moving cells.
#include "terminal/VtCell.h"

#include <QRect>

#include <algorithm>
#include <vector>

namespace olvex::terminal {

// Rows [top, bottom) by columns [left, right).
struct CellRect {
    int top = 0;
    int left = 0;
    int bottom = 0;
    int right = 0;
};

class VtScreen {
public:
    VtScreen(int rows, int columns);

    int rows() const { return rows_; }
    int columns() const { return columns_; }

    // The cell at a position inside the page.
    const VtCell &cell(int row, int column) const { return rowCells(row)[column]; }

    void put(int row, int column, char16_t character, const VtPen &pen);

    // Blanks the cells of `rect`; they keep `background`, as a colour terminal
    // erases with the current background colour.
    void erase(const CellRect &rect, quint32 background);

    // Moves the content of `rect` up by `up` rows and left by `left` columns
    // (negative: down, right). What moves out of `rect` is lost; the cells it
    // uncovers are erased with `background`.
    void scroll(const CellRect &rect, int up, int left, quint32 background);

    // Blanks every cell with the default colours.
    void clear();

    // Bounding box of the cells changed since the last call (x: column,
    // y: row), empty when nothing changed. Resets the record.
    QRect takeDamage();

private:
    VtCell *rowCells(int row) { return &cells_[std::size_t(order_[row]) * columns_]; }
    const VtCell *rowCells(int row) const { return &cells_[std::size_t(order_[row]) * columns_]; }
    int &extent(int row) { return extents_[order_[row]]; }
    void markContent(int endRow) { contentRows_ = std::max(contentRows_, endRow); }

    void eraseRow(int row, int left, int right, quint32 background);
    void moveCells(const CellRect &rect, int up, int left);
    void damage(int top, int left, int bottom, int right);

    int rows_;
    int columns_;
    std::vector<VtCell> cells_;
    // Storage row of each page row; scrolling whole lines permutes it.
    std::vector<int> order_;
    // Per storage row: the cells from this column on are default blanks.
    std::vector<int> extents_;
    // Page rows from this one on hold default blanks only.
    int contentRows_ = 0;
    CellRect damage_;
};

} // namespace olvex::terminal
