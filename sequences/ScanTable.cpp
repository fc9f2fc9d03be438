#include "ScanTable.h"

namespace ScanTable {
namespace {

constexpr int kIntervalColumn = 4;
constexpr int kStoredColumns = 4;

} // namespace

SequenceGrid::Layout GridLayout()
{
    SequenceGrid::Layout layout;
    layout.columns = 5;
    layout.fixedColumns = 1;
    layout.mergedColumns = {kIntervalColumn};
    layout.timeColumn = kIntervalColumn;
    layout.fittedColumns = {0, 1, 2, 3, kIntervalColumn};
    layout.heightFitsRows = true;
    return layout;
}

void SetDefaults(SequenceGrid& grid)
{
    grid.setBlockCount(1);
    for (int row = 1; row <= 3; ++row) {
        grid.setCell(0, row, QString::number(row));
        grid.setCell(1, row, QStringLiteral("1"));
        grid.setCell(2, row, QStringLiteral("6"));
        grid.setCell(3, row, QStringLiteral("1"));
    }
    grid.setCell(kIntervalColumn, 1, QStringLiteral("1"));
}

QStringList StoredCells(const GridCells& grid)
{
    QStringList cells;
    for (int row = 1; row <= 3; ++row)
        for (int column = 1; column <= kStoredColumns; ++column)
            cells << grid.cell(column, row);
    return cells;
}

void SetStoredCells(GridCells& grid, const QStringList& cells)
{
    for (int i = 0; i < cells.size() && i < 3 * kStoredColumns; ++i)
        grid.setCell(i % kStoredColumns + 1, i / kStoredColumns + 1, cells.at(i));
}

} // namespace ScanTable
