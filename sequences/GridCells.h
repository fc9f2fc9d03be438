#pragma once

#include <QString>

// Cell access to a sequence grid by (column, row), row 0 being the header row. A position
// inside a merged cell addresses the merged cell.
class GridCells
{
public:
    virtual ~GridCells() = default;

    virtual int rows() const = 0; // header row included
    virtual QString cell(int column, int row) const = 0;
    virtual void setCell(int column, int row, const QString& text) = 0;
    // makes `row` the grid's current row (selection follows it)
    virtual void setCurrentRow(int row) = 0;
};
