#pragma once

#include "SequenceGrid.h"

#include <QStringList>

// The voltage-scan grid: rows 1..3 for channels 1..3, column 0 the channel number, columns
// 1 start, 2 stop and 3 increment in volts, and the interval in whole seconds in one cell
// merged over the three rows of column 4.
namespace ScanTable {

SequenceGrid::Layout GridLayout();

// channel numbers, start 1 V, stop 6 V, increment 1 V, interval 1 s
void SetDefaults(SequenceGrid& grid);

// The twelve stored cells, row by row, columns 1 to 4 (the interval three times).
QStringList StoredCells(const GridCells& grid);
// Writes up to twelve cells in the same order; of the three interval positions the last
// one written stands.
void SetStoredCells(GridCells& grid, const QStringList& cells);

} // namespace ScanTable
