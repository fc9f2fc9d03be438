#pragma once

#include "GridCells.h"

#include <QSet>
#include <QTableWidget>

// An editable grid of the sequence pages. Rows come in blocks of three (one per channel); some
// columns hold one merged cell per block (step number, step time), addressed through any of
// its three positions. Coordinates follow the grid as the operator sees it: row 0 is the
// header row, rows 1.. the data rows, column 0 the first column.
class SequenceGrid : public QTableWidget, public GridCells
{
    Q_OBJECT
public:
    struct Layout
    {
        int columns = 0;
        int fixedColumns = 0;      // label columns on the left, never edited
        QSet<int> mergedColumns;   // one cell per block of three rows
        // whole seconds: digits and one decimal separator only; an empty time of the first
        // block is set to "1" whenever an edit starts in this column
        int timeColumn = -1;
        QSet<int> resultColumns;   // written by a run, never edited by the operator
        int maxTextLength = 99;    // longest text a cell may take
        bool shadeAlternateSteps = false; // every other step in the tooltip colour
        // Columns that share the grid's width whenever it is resized; fixed columns outside
        // this set are kept narrow.
        QSet<int> fittedColumns;
        bool heightFitsRows = false; // tall enough for every row, no vertical scrolling
    };

    explicit SequenceGrid(const Layout& layout, QWidget* parent = nullptr);

    const Layout& layout() const { return m_layout; }

    // GridCells
    int rows() const override;
    QString cell(int column, int row) const override;
    void setCell(int column, int row, const QString& text) override;
    void setCurrentRow(int row) override;

    // The row of the merged cell that holds (column, row).
    int topRow(int column, int row) const;
    // the first row of the block holding `row`
    static int blockStart(int row) { return (row - 1) / 3 * 3 + 1; }

    void setHeaderTexts(const QStringList& texts);
    // Sets the number of data-row blocks; new rows are empty.
    void setBlockCount(int blocks);
    // Inserts an empty block before the block that starts at `firstRow`, or removes it.
    void insertBlock(int firstRow);
    void removeBlock(int firstRow);
    int currentGridRow() const;

    // Whether `text` may stand in (column, row): the characters typed into the grid are
    // checked with this, so a cell never holds what the operator could not type.
    bool acceptsText(int column, const QString& text) const;
    // what the operator may type into a cell of `column`
    QString refusalHint(int column) const;

    QSize sizeHint() const override;

Q_SIGNALS:
    // the operator finished editing (column, row)
    void cellEdited(int column, int row);
    // a refused keystroke: the hint says why
    void entryRefused(const QString& hint);

protected:
    bool edit(const QModelIndex& index, EditTrigger trigger, QEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;

private:
    void fitColumns();
    void rebuildBlocks();
    void prepareRow(int tableRow);
    QTableWidgetItem* itemAt(int column, int row) const;

    Layout m_layout;
};
