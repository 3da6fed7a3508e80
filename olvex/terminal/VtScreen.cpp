#include "terminal/VtScreen.h"

#include <algorithm>
#include <cstring>
#include <numeric>

namespace olvex::terminal {

VtScreen::VtScreen(int rows, int columns)
    : rows_(rows)
    , columns_(columns)
    , cells_(std::size_t(rows) * columns)
    , order_(rows)
    , extents_(rows, 0)
{
    std::iota(order_.begin(), order_.end(), 0);
}

void VtScreen::put(int row, int column, char16_t character, const VtPen &pen)
{
    rowCells(row)[column] = VtCell{character, pen};
    int &end = extent(row);
    end = std::max(end, column + 1);
    markContent(row + 1);
    damage(row, column, row + 1, column + 1);
}

void VtScreen::erase(const CellRect &rect, quint32 background)
{
    if (background != DefaultColor) {
        markContent(rect.bottom);
    } else if (rect.left == 0 && rect.right == columns_ && rect.bottom >= contentRows_) {
        const int top = rect.top;
        for (int row = top; row < contentRows_; ++row)
            eraseRow(row, rect.left, rect.right, background);
        contentRows_ = std::min(contentRows_, top);
        return;
    }
    const int bottom = background == DefaultColor ? std::min(rect.bottom, contentRows_) : rect.bottom;
    for (int row = rect.top; row < bottom; ++row)
        eraseRow(row, rect.left, rect.right, background);
}

void VtScreen::eraseRow(int row, int left, int right, quint32 background)
{
    VtCell *cells = rowCells(row);
    int &end = extent(row);
    const VtCell blank{0, VtPen{DefaultColor, background, 0}};
    if (background != DefaultColor) {
        std::fill(cells + left, cells + right, blank);
        end = std::max(end, right);
        damage(row, left, row + 1, right);
        return;
    }
    const int changedEnd = std::min(right, end);
    if (left >= changedEnd)
        return;
    std::fill(cells + left, cells + changedEnd, blank);
    if (changedEnd == end)
        end = left;
    damage(row, left, row + 1, changedEnd);
}

void VtScreen::scroll(const CellRect &rect, int up, int left, quint32 background)
{
    const int height = rect.bottom - rect.top;
    const int width = rect.right - rect.left;
    up = std::clamp(up, -height, height);
    left = std::clamp(left, -width, width);
    if (up == 0 && left == 0)
        return;

    if (rect.top < contentRows_)
        markContent(rect.bottom);
    if (left == 0 && rect.left == 0 && rect.right == columns_) {
        const auto first = order_.begin() + rect.top;
        const auto last = order_.begin() + rect.bottom;
        std::rotate(first, up > 0 ? first + up : last + up, last);
    } else {
        moveCells(rect, up, left);
    }

    if (up > 0)
        erase({rect.bottom - up, rect.left, rect.bottom, rect.right}, background);
    else if (up < 0)
        erase({rect.top, rect.left, rect.top - up, rect.right}, background);
    if (left > 0)
        erase({rect.top, rect.right - left, rect.bottom, rect.right}, background);
    else if (left < 0)
        erase({rect.top, rect.left, rect.bottom, rect.left - left}, background);

    damage(rect.top, rect.left, rect.bottom, rect.right);
}

void VtScreen::moveCells(const CellRect &rect, int up, int left)
{
    // Destination cell (row, column) takes source cell (row + up, column + left).
    const int firstRow = std::max(rect.top, rect.top - up);
    const int endRow = std::min(rect.bottom, rect.bottom - up);
    const int firstColumn = std::max(rect.left, rect.left - left);
    const int endColumn = std::min(rect.right, rect.right - left);
    if (firstRow >= endRow || firstColumn >= endColumn)
        return;

    const auto moveRow = [&](int row) {
        const int source = row + up;
        const int sourceEnd = extent(source);
        std::memmove(rowCells(row) + firstColumn, rowCells(source) + firstColumn + left,
                     std::size_t(endColumn - firstColumn) * sizeof(VtCell));
        int &end = extent(row);
        end = std::max(end, std::min(endColumn, sourceEnd - left));
    };
    // Rows are visited so that no source row is overwritten before it is read.
    if (up >= 0) {
        for (int row = firstRow; row < endRow; ++row)
            moveRow(row);
    } else {
        for (int row = endRow - 1; row >= firstRow; --row)
            moveRow(row);
    }
}

void VtScreen::clear()
{
    erase({0, 0, rows_, columns_}, DefaultColor);
}

void VtScreen::damage(int top, int left, int bottom, int right)
{
    if (damage_.top >= damage_.bottom) {
        damage_ = {top, left, bottom, right};
        return;
    }
    damage_.top = std::min(damage_.top, top);
    damage_.left = std::min(damage_.left, left);
    damage_.bottom = std::max(damage_.bottom, bottom);
    damage_.right = std::max(damage_.right, right);
}

QRect VtScreen::takeDamage()
{
    const CellRect taken = damage_;
    damage_ = {};
    if (taken.top >= taken.bottom)
        return {};
    return QRect(taken.left, taken.top, taken.right - taken.left, taken.bottom - taken.top);
}

} // namespace olvex::terminal
