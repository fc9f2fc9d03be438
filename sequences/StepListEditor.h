#pragma once

#include "SequenceCells.h"
#include "SequenceGrid.h"
#include "StepRecords.h"

#include <QObject>
#include <QVector>

class QMenu;
class TextTable;

// Keeps a step list and its grid in step: Append, Insert and Delete of whole steps from the
// grid's context menu, renumbering, and the copy of every edited cell into its step record.
// The grid is the working copy the runners read; the records are what the settings files keep.
class StepListEditor : public QObject
{
    Q_OBJECT
public:
    StepListEditor(SequenceGrid& grid, QObject* parent = nullptr);

    void Append();
    void Insert();
    // Deletes the step holding the current row; the last remaining step is kept.
    void Delete();
    void Renumber();

    // menu texts 74, 75 and 76 of the text table
    void LoadCaptions(const TextTable& texts);

protected:
    // "CH1", "CH2", "CH3": the labels of added and loaded steps
    static QStringList LoadedLabels();
    int stepCount() const { return StepCountOf(m_grid); }
    void fillBlock(int firstRow, const QStringList& channelLabels);
    // writes the record's texts and time into its three rows
    virtual void showRecord(int index) = 0;
    virtual void insertDefaultRecord(int index) = 0;
    virtual void removeRecord(int index) = 0;
    virtual void copyCell(int column, int row) = 0;

    SequenceGrid& m_grid;

private:
    void addStepAt(int firstRow);

    QMenu* m_menu;
    QAction* m_append;
    QAction* m_insert;
    QAction* m_delete;
};

// The steps of one list with their records.
template <typename Record>
class RecordListEditor : public StepListEditor
{
public:
    RecordListEditor(SequenceGrid& grid, QVector<Record>& steps, QObject* parent = nullptr)
        : StepListEditor(grid, parent), m_steps(steps)
    {
    }

    // the start-up list: one default step labelled "1", "2", "3"
    void SetDefaults()
    {
        m_steps = {Record()};
        m_grid.setBlockCount(0);
        m_grid.setBlockCount(1);
        fillBlock(1, {QStringLiteral("1"), QStringLiteral("2"), QStringLiteral("3")});
        showRecord(0);
        Renumber();
    }

    // Replaces the list with `steps` (at least one), labelled "CH1".."CH3". Cells the
    // records do not hold (a run's results) stay as they are.
    void Load(const QVector<Record>& steps)
    {
        m_steps = steps;
        m_grid.setBlockCount(steps.size());
        for (int index = 0; index < steps.size(); ++index) {
            fillBlock(StepRow(index, 1), LoadedLabels());
            showRecord(index);
        }
        Renumber();
    }

protected:
    void insertDefaultRecord(int index) override { m_steps.insert(index, Record()); }
    void removeRecord(int index) override { m_steps.remove(index); }

    QVector<Record>& m_steps;
};

// The program list: voltage (column 2) and current (column 3) per channel row, the step time
// in column 4.
class ProgramListEditor : public RecordListEditor<TProgramStep>
{
public:
    using RecordListEditor::RecordListEditor;
    static SequenceGrid::Layout GridLayout();

protected:
    void showRecord(int index) override;
    void copyCell(int column, int row) override;
};

// The GO/NG list: voltage setting (column 2), upper (4) and lower (5) current limit per
// channel row, the step time in column 6; columns 3 and 7 hold a run's results.
class GoNGListEditor : public RecordListEditor<TGoNGStep>
{
public:
    using RecordListEditor::RecordListEditor;
    static SequenceGrid::Layout GridLayout();

protected:
    void showRecord(int index) override;
    void copyCell(int column, int row) override;
};
