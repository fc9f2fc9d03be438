#pragma once

#include "GridCells.h"

#include <QMap>
#include <QPair>

// An in-memory sequence grid for runner tests.
class FakeGrid : public GridCells
{
public:
    explicit FakeGrid(int rows) : m_rows(rows) {}

    int rows() const override { return m_rows; }
    QString cell(int column, int row) const override { return m_cells.value({column, row}); }
    void setCell(int column, int row, const QString& text) override
    {
        m_cells[{column, row}] = text;
    }
    void setCurrentRow(int row) override { currentRow = row; }

    // fills row `row` from column `firstColumn` on
    void setRow(int row, int firstColumn, const QStringList& texts)
    {
        for (int i = 0; i < texts.size(); ++i)
            setCell(firstColumn + i, row, texts.at(i));
    }

    int currentRow = 0;

private:
    int m_rows;
    QMap<QPair<int, int>, QString> m_cells;
};
