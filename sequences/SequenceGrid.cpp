#include "SequenceGrid.h"

#include <QHeaderView>
#include <QLineEdit>
#include <QStyledItemDelegate>
#include <QToolTip>
#include <QValidator>

namespace {

constexpr int kBlockRows = 3;
constexpr int kRowHeight = 21;
constexpr int kLabelColumnWidth = 30;

// Refuses any editor text the grid does not accept, and says why.
class CellValidator : public QValidator
{
public:
    CellValidator(const SequenceGrid& grid, int column, QObject* parent)
        : QValidator(parent), m_grid(grid), m_column(column)
    {
    }

    State validate(QString& input, int&) const override
    {
        return m_grid.acceptsText(m_column, input) ? Acceptable : Invalid;
    }

private:
    const SequenceGrid& m_grid;
    int m_column;
};

class CellDelegate : public QStyledItemDelegate
{
public:
    explicit CellDelegate(SequenceGrid& grid) : QStyledItemDelegate(&grid), m_grid(grid) {}

    QWidget* createEditor(QWidget* parent, const QStyleOptionViewItem& option,
                          const QModelIndex& index) const override
    {
        auto* editor = new QLineEdit(parent);
        editor->setAlignment(Qt::AlignCenter);
        editor->setFrame(false);
        editor->setValidator(new CellValidator(m_grid, index.column(), editor));
        QObject::connect(editor, &QLineEdit::inputRejected, editor, [this, editor, index] {
            const QString hint = m_grid.refusalHint(index.column());
            QToolTip::showText(editor->mapToGlobal(QPoint(0, editor->height())), hint, editor);
            Q_EMIT m_grid.entryRefused(hint);
        });
        Q_UNUSED(option);
        return editor;
    }

    void setModelData(QWidget* editor, QAbstractItemModel* model,
                      const QModelIndex& index) const override
    {
        QStyledItemDelegate::setModelData(editor, model, index);
        Q_EMIT m_grid.cellEdited(index.column(), index.row() + 1);
    }

private:
    SequenceGrid& m_grid;
};

} // namespace

SequenceGrid::SequenceGrid(const Layout& layout, QWidget* parent)
    : QTableWidget(0, layout.columns, parent), m_layout(layout)
{
    QFont smaller = font(); // the grids use a small font so their headers fit
    smaller.setPointSize(8);
    setFont(smaller);
    horizontalHeader()->setFont(smaller);
    verticalHeader()->hide();
    verticalHeader()->setMinimumSectionSize(kRowHeight);
    verticalHeader()->setDefaultSectionSize(kRowHeight);
    verticalHeader()->setSectionResizeMode(QHeaderView::Fixed);
    horizontalHeader()->setHighlightSections(false);
    setSelectionMode(QAbstractItemView::SingleSelection);
    setEditTriggers(QAbstractItemView::DoubleClicked | QAbstractItemView::EditKeyPressed |
                    QAbstractItemView::AnyKeyPressed);
    setItemDelegate(new CellDelegate(*this));
    for (int column = 0; column < m_layout.fixedColumns; ++column)
        if (!m_layout.fittedColumns.contains(column))
            setColumnWidth(column, kLabelColumnWidth);
    if (m_layout.heightFitsRows) {
        setSizePolicy(QSizePolicy::Preferred, QSizePolicy::Fixed);
        setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
        setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    }
}

QSize SequenceGrid::sizeHint() const
{
    QSize hint = QTableWidget::sizeHint();
    if (m_layout.heightFitsRows)
        hint.setHeight(horizontalHeader()->sizeHint().height() +
                       verticalHeader()->length() + 2 * frameWidth());
    return hint;
}

void SequenceGrid::resizeEvent(QResizeEvent* event)
{
    QTableWidget::resizeEvent(event);
    fitColumns();
}

void SequenceGrid::fitColumns()
{
    // The fitted columns share what the other columns leave of the visible width, each
    // resize setting them back even where the operator had dragged them.
    if (m_layout.fittedColumns.isEmpty())
        return;
    int width = viewport()->width();
    for (int column = 0; column < columnCount(); ++column)
        if (!m_layout.fittedColumns.contains(column))
            width -= columnWidth(column);
    const int share = qMax(kLabelColumnWidth, width / m_layout.fittedColumns.size());
    for (int column : m_layout.fittedColumns)
        setColumnWidth(column, share);
}

int SequenceGrid::rows() const
{
    return QTableWidget::rowCount() + 1;
}

int SequenceGrid::topRow(int column, int row) const
{
    return m_layout.mergedColumns.contains(column) ? blockStart(row) : row;
}

QTableWidgetItem* SequenceGrid::itemAt(int column, int row) const
{
    if (row < 1 || row >= rows() || column < 0 || column >= columnCount())
        return nullptr;
    return item(topRow(column, row) - 1, column);
}

QString SequenceGrid::cell(int column, int row) const
{
    const QTableWidgetItem* cellItem = itemAt(column, row);
    return cellItem ? cellItem->text() : QString();
}

void SequenceGrid::setCell(int column, int row, const QString& text)
{
    if (QTableWidgetItem* cellItem = itemAt(column, row))
        cellItem->setText(text);
}

void SequenceGrid::setCurrentRow(int row)
{
    if (row >= 1 && row < rows())
        setCurrentCell(row - 1, qMax(currentColumn(), m_layout.fixedColumns));
}

int SequenceGrid::currentGridRow() const
{
    return currentRow() + 1;
}

void SequenceGrid::setHeaderTexts(const QStringList& texts)
{
    setHorizontalHeaderLabels(texts);
}

void SequenceGrid::setBlockCount(int blocks)
{
    const int oldRows = QTableWidget::rowCount();
    setRowCount(blocks * kBlockRows);
    for (int tableRow = oldRows; tableRow < QTableWidget::rowCount(); ++tableRow)
        prepareRow(tableRow);
    rebuildBlocks();
}

void SequenceGrid::insertBlock(int firstRow)
{
    for (int i = 0; i < kBlockRows; ++i) {
        insertRow(firstRow - 1);
        prepareRow(firstRow - 1);
    }
    rebuildBlocks();
}

void SequenceGrid::removeBlock(int firstRow)
{
    for (int i = 0; i < kBlockRows; ++i)
        removeRow(firstRow - 1);
    rebuildBlocks();
}

bool SequenceGrid::acceptsText(int column, const QString& text) const
{
    if (text.size() > m_layout.maxTextLength)
        return false;
    int separators = 0;
    for (const QChar c : text) {
        const bool separator =
            c == QLatin1Char('.') || c == QLatin1Char(',') ||
            (c == QLatin1Char('N') && column != m_layout.timeColumn);
        if (separator)
            ++separators;
        else if (c < QLatin1Char('0') || c > QLatin1Char('9'))
            return false;
    }
    return separators <= 1;
}

QString SequenceGrid::refusalHint(int column) const
{
    if (column == m_layout.timeColumn)
        return tr("A time is a whole number of seconds: digits only.");
    return tr("Enter a number (digits and one decimal separator) or N for a channel that does "
              "not take part; at most %1 characters.")
        .arg(m_layout.maxTextLength);
}

bool SequenceGrid::edit(const QModelIndex& index, EditTrigger trigger, QEvent* event)
{
    const int column = index.column();
    const bool editable = index.isValid() && column >= m_layout.fixedColumns &&
                          !m_layout.resultColumns.contains(column);
    if (!editable)
        return false;
    const bool startsEdit = (trigger & (editTriggers() | AllEditTriggers)) != 0;
    if (startsEdit && column == m_layout.timeColumn && cell(column, 1).isEmpty())
        setCell(column, 1, QStringLiteral("1"));
    // a merged cell is edited through its top position, which holds its text
    const int top = topRow(column, index.row() + 1);
    return QTableWidget::edit(model()->index(top - 1, column), trigger, event);
}

void SequenceGrid::prepareRow(int tableRow)
{
    for (int column = 0; column < columnCount(); ++column) {
        auto* cellItem = new QTableWidgetItem;
        cellItem->setTextAlignment(Qt::AlignCenter);
        const bool fixed = column < m_layout.fixedColumns;
        if (fixed || m_layout.resultColumns.contains(column))
            cellItem->setFlags(Qt::ItemIsEnabled | Qt::ItemIsSelectable);
        if (fixed)
            cellItem->setBackground(palette().button());
        setItem(tableRow, column, cellItem);
    }
}

void SequenceGrid::rebuildBlocks()
{
    updateGeometry(); // the height hint follows the row count
    clearSpans();
    for (int first = 0; first + kBlockRows <= QTableWidget::rowCount(); first += kBlockRows)
        for (int column : m_layout.mergedColumns)
            setSpan(first, column, kBlockRows, 1);
    if (!m_layout.shadeAlternateSteps)
        return;
    for (int tableRow = 0; tableRow < QTableWidget::rowCount(); ++tableRow) {
        const bool shaded = (tableRow / kBlockRows) % 2 == 0;
        for (int column = m_layout.fixedColumns; column < columnCount(); ++column)
            item(tableRow, column)->setBackground(shaded ? palette().toolTipBase() : QBrush());
    }
}
