#include "terminal/VtSelection.h"

#include "terminal/VtEmulator.h"

#include <QStringList>

namespace olvex::terminal {

void VtSelection::start(VtPoint point)
{
    anchor_ = point;
    end_ = point;
}

void VtSelection::extendTo(VtPoint point)
{
    end_ = point;
}

void VtSelection::clear()
{
    start({});
}

bool VtSelection::contains(int row, int column) const
{
    const VtPoint cellStart{row, column};
    return first() <= cellStart && cellStart < last();
}

QString VtSelection::text(const VtEmulator &emulator) const
{
    if (isEmpty())
        return {};
    const VtPoint from = first();
    const VtPoint to = last();
    QStringList lines;
    for (int row = from.row; row <= to.row; ++row) {
        const int fromColumn = row == from.row ? from.column : 0;
        const int toColumn = row == to.row ? to.column : VtEmulator::Columns;
        lines.append(emulator.rowText(row, fromColumn, toColumn));
    }
    return lines.join(u'\n');
}

} // namespace olvex::terminal
