#include "StepListEditor.h"

#include "NumberText.h"
#include "TextTable.h"

#include <QMenu>

namespace {

enum SharedColumn { StepNumberColumn = 0, LabelColumn = 1 };
enum ProgramColumn { VoltageColumn = 2, CurrentColumn = 3, ProgramTimeColumn = 4 };
enum GoNGColumn { SettingColumn = 2, MaxColumn = 4, MinColumn = 5, GoNGTimeColumn = 6 };

int RecordIndex(int row)
{
    return (row - 1) / 3;
}

size_t ChannelSlot(int row)
{
    return static_cast<size_t>((row - 1) % 3);
}

QString Text(const QByteArray& field)
{
    return QString::fromLatin1(field);
}

QByteArray Field(const QString& cellText)
{
    return cellText.toLatin1();
}

} // namespace

StepListEditor::StepListEditor(SequenceGrid& grid, QObject* parent)
    : QObject(parent), m_grid(grid), m_menu(new QMenu(&grid))
{
    m_append = m_menu->addAction(tr("AppendLine"), this, &StepListEditor::Append);
    m_insert = m_menu->addAction(tr("InsertLine"), this, &StepListEditor::Insert);
    m_delete = m_menu->addAction(tr("DeleteLine"), this, &StepListEditor::Delete);
    m_grid.setContextMenuPolicy(Qt::CustomContextMenu);
    connect(&m_grid, &QWidget::customContextMenuRequested, this, [this](const QPoint& position) {
        m_delete->setEnabled(stepCount() > 1);
        m_menu->popup(m_grid.viewport()->mapToGlobal(position));
    });
    connect(&m_grid, &SequenceGrid::cellEdited, this,
            [this](int column, int row) { copyCell(column, row); });
}

void StepListEditor::LoadCaptions(const TextTable& texts)
{
    m_append->setText(texts.text(74, m_append->text()));
    m_insert->setText(texts.text(75, m_insert->text()));
    m_delete->setText(texts.text(76, m_delete->text()));
}

void StepListEditor::Append()
{
    const int firstRow = m_grid.rows();
    m_grid.setBlockCount(stepCount() + 1);
    addStepAt(firstRow);
}

void StepListEditor::Insert()
{
    const int current = qMax(1, m_grid.currentGridRow());
    const int firstRow = qMin(SequenceGrid::blockStart(current), m_grid.rows());
    m_grid.insertBlock(firstRow);
    addStepAt(firstRow);
}

void StepListEditor::Delete()
{
    const int row = m_grid.currentGridRow();
    if (stepCount() <= 1 || row < 1)
        return;
    removeRecord(RecordIndex(row));
    m_grid.removeBlock(SequenceGrid::blockStart(row));
    Renumber();
}

void StepListEditor::Renumber()
{
    for (int row = 1; row < m_grid.rows(); row += 3)
        m_grid.setCell(StepNumberColumn, row, QString::number(RecordIndex(row) + 1));
}

QStringList StepListEditor::LoadedLabels()
{
    return {QStringLiteral("CH1"), QStringLiteral("CH2"), QStringLiteral("CH3")};
}

void StepListEditor::fillBlock(int firstRow, const QStringList& channelLabels)
{
    for (int channel = 0; channel < 3; ++channel)
        m_grid.setCell(LabelColumn, firstRow + channel, channelLabels.at(channel));
}

void StepListEditor::addStepAt(int firstRow)
{
    fillBlock(firstRow, LoadedLabels());
    insertDefaultRecord(RecordIndex(firstRow));
    showRecord(RecordIndex(firstRow));
    Renumber();
}

SequenceGrid::Layout ProgramListEditor::GridLayout()
{
    SequenceGrid::Layout layout;
    layout.columns = 5;
    layout.fixedColumns = 2;
    layout.mergedColumns = {StepNumberColumn, ProgramTimeColumn};
    layout.timeColumn = ProgramTimeColumn;
    layout.fittedColumns = {VoltageColumn, CurrentColumn, ProgramTimeColumn};
    layout.maxTextLength = TProgramStep::TextSize - 1;
    layout.shadeAlternateSteps = true;
    return layout;
}

void ProgramListEditor::showRecord(int index)
{
    const TProgramStep& step = m_steps.at(index);
    for (size_t slot = 0; slot < 3; ++slot) {
        const int row = StepRow(index, static_cast<int>(slot) + 1);
        m_grid.setCell(VoltageColumn, row, Text(step.Voltage[slot]));
        m_grid.setCell(CurrentColumn, row, Text(step.Current[slot]));
    }
    m_grid.setCell(ProgramTimeColumn, StepRow(index, 1), FormatGeneralLocal(step.Time));
}

void ProgramListEditor::copyCell(int column, int row)
{
    TProgramStep& step = m_steps[RecordIndex(row)];
    const QString text = m_grid.cell(column, row);
    if (column == VoltageColumn)
        step.Voltage[ChannelSlot(row)] = Field(text);
    else if (column == CurrentColumn)
        step.Current[ChannelSlot(row)] = Field(text);
    else if (column == ProgramTimeColumn)
        step.Time = ParseReplyNumber(text);
}

SequenceGrid::Layout GoNGListEditor::GridLayout()
{
    SequenceGrid::Layout layout;
    layout.columns = 8;
    layout.fixedColumns = 2;
    layout.mergedColumns = {StepNumberColumn, GoNGTimeColumn};
    layout.timeColumn = GoNGTimeColumn;
    layout.resultColumns = {3, 7};
    layout.maxTextLength = TGoNGStep::TextSize - 1;
    layout.shadeAlternateSteps = true;
    return layout;
}

void GoNGListEditor::showRecord(int index)
{
    const TGoNGStep& step = m_steps.at(index);
    for (size_t slot = 0; slot < 3; ++slot) {
        const int row = StepRow(index, static_cast<int>(slot) + 1);
        m_grid.setCell(SettingColumn, row, Text(step.Setting[slot]));
        m_grid.setCell(MaxColumn, row, Text(step.Max[slot]));
        m_grid.setCell(MinColumn, row, Text(step.Min[slot]));
    }
    m_grid.setCell(GoNGTimeColumn, StepRow(index, 1), FormatGeneralLocal(step.Time));
}

void GoNGListEditor::copyCell(int column, int row)
{
    TGoNGStep& step = m_steps[RecordIndex(row)];
    const QString text = m_grid.cell(column, row);
    if (column == SettingColumn)
        step.Setting[ChannelSlot(row)] = Field(text);
    else if (column == MaxColumn)
        step.Max[ChannelSlot(row)] = Field(text);
    else if (column == MinColumn)
        step.Min[ChannelSlot(row)] = Field(text);
    else if (column == GoNGTimeColumn)
        step.Time = ParseReplyNumber(text);
}
