#include "ScanTable.h"
#include "StepListEditor.h"

#include <QLineEdit>
#include <QtTest>

namespace {

// A program grid with its records, started with the start-up list.
struct ProgramFixture
{
    QVector<TProgramStep> steps;
    SequenceGrid grid{ProgramListEditor::GridLayout()};
    ProgramListEditor editor{grid, steps};

    explicit ProgramFixture(int stepCount = 1)
    {
        editor.SetDefaults();
        for (int i = 1; i < stepCount; ++i)
            editor.Append();
    }
    QStringList column(int column) const
    {
        QStringList texts;
        for (int row = 1; row < grid.rows(); ++row)
            texts << grid.cell(column, row);
        return texts;
    }
};

// types `text` into cell (column, row) the way the operator does and presses Enter
void TypeInto(SequenceGrid& grid, int column, int row, const QString& text)
{
    grid.setCurrentCell(row - 1, column);
    QTest::keyClick(&grid, Qt::Key_F2);
    auto* editor = grid.findChild<QLineEdit*>();
    QVERIFY(editor);
    editor->selectAll();
    QTest::keyClick(editor, Qt::Key_Delete);
    QTest::keyClicks(editor, text);
    QTest::keyClick(editor, Qt::Key_Return);
    QTRY_VERIFY(!grid.findChild<QLineEdit*>()); // the editor commits and closes on the next pass
}

} // namespace

// The sequence grids: merged cells, step blocks, key rules and the copy into the records.
class TestSequenceGrids : public QObject
{
    Q_OBJECT
private Q_SLOTS:
    void startupProgramList();
    void appendAddsLabelledStep();
    void insertBeforeCurrentStep();
    void deleteCurrentStepKeepsLast();
    void mergedCellsAddressTheirTopRow();
    void shadingFollowsSteps();
    void acceptedTexts_data();
    void acceptedTexts();
    void typedEditsReachTheRecords();
    void typingRefusesTooLongAndBadCharacters();
    void emptyFirstTimeIsRefilledWhenEditingStarts();
    void goNGResultColumnsNeverEdit();
    void loadingKeepsResultColumns();
    void scanCellsRoundTrip();
};

void TestSequenceGrids::startupProgramList()
{
    ProgramFixture f;
    QCOMPARE(f.grid.rows(), 4);
    QCOMPARE(f.column(0), (QStringList{"1", "1", "1"}));
    QCOMPARE(f.column(1), (QStringList{"1", "2", "3"}));
    QCOMPARE(f.column(2), (QStringList{"1", "1", "1"}));
    QCOMPARE(f.grid.cell(4, 1), QStringLiteral("1"));
    QCOMPARE(f.steps.size(), 1);
    QCOMPARE(f.grid.rowSpan(0, 4), 3);
    QCOMPARE(f.grid.rowSpan(0, 0), 3);
    QCOMPARE(f.grid.rowSpan(0, 2), 1);
}

void TestSequenceGrids::appendAddsLabelledStep()
{
    ProgramFixture f;
    f.editor.Append();
    QCOMPARE(f.grid.rows(), 7);
    QCOMPARE(f.column(1), (QStringList{"1", "2", "3", "CH1", "CH2", "CH3"}));
    QCOMPARE(f.column(3).mid(3), (QStringList{"1", "1", "1"}));
    QCOMPARE(f.grid.cell(0, 5), QStringLiteral("2"));
    QCOMPARE(f.grid.cell(4, 6), QStringLiteral("1"));
    QCOMPARE(f.grid.rowSpan(3, 4), 3);
    QCOMPARE(f.steps.size(), 2);
}

void TestSequenceGrids::insertBeforeCurrentStep()
{
    ProgramFixture f(2);
    TypeInto(f.grid, 2, 4, QStringLiteral("7"));
    QCOMPARE(f.steps[1].Voltage[0], QByteArray("7"));
    f.grid.setCurrentRow(5);
    f.editor.Insert();
    QCOMPARE(f.grid.rows(), 10);
    QCOMPARE(f.column(0), (QStringList{"1", "1", "1", "2", "2", "2", "3", "3", "3"}));
    QCOMPARE(f.grid.cell(2, 4), QStringLiteral("1")); // the new step
    QCOMPARE(f.grid.cell(2, 7), QStringLiteral("7")); // the old step 2, moved down
    QCOMPARE(f.steps.size(), 3);
    QCOMPARE(f.steps[1].Voltage[0], QByteArray("1"));
    QCOMPARE(f.steps[2].Voltage[0], QByteArray("7"));
    QCOMPARE(f.grid.rowSpan(6, 4), 3);
}

void TestSequenceGrids::deleteCurrentStepKeepsLast()
{
    ProgramFixture f(3);
    TypeInto(f.grid, 3, 9, QStringLiteral("0.5"));
    f.grid.setCurrentRow(6);
    f.editor.Delete();
    QCOMPARE(f.grid.rows(), 7);
    QCOMPARE(f.steps.size(), 2);
    QCOMPARE(f.grid.cell(3, 6), QStringLiteral("0.5")); // old step 3 is step 2 now
    QCOMPARE(f.steps[1].Current[2], QByteArray("0.5"));
    QCOMPARE(f.grid.cell(0, 4), QStringLiteral("2"));

    f.editor.Delete();
    f.grid.setCurrentRow(1);
    f.editor.Delete(); // the last step stays
    QCOMPARE(f.steps.size(), 1);
    QCOMPARE(f.grid.rows(), 4);
}

void TestSequenceGrids::mergedCellsAddressTheirTopRow()
{
    ProgramFixture f(2);
    f.grid.setCell(4, 6, QStringLiteral("9"));
    QCOMPARE(f.grid.cell(4, 4), QStringLiteral("9"));
    QCOMPARE(f.grid.cell(4, 5), QStringLiteral("9"));
    QCOMPARE(f.grid.topRow(4, 6), 4);
    QCOMPARE(f.grid.topRow(2, 6), 6);
}

void TestSequenceGrids::shadingFollowsSteps()
{
    ProgramFixture f(3);
    const QColor info = f.grid.palette().toolTipBase().color();
    for (int row = 1; row < f.grid.rows(); ++row) {
        const bool shaded = ((row - 1) / 3) % 2 == 0;
        QCOMPARE(f.grid.item(row - 1, 2)->background().color() == info, shaded);
    }
    f.grid.setCurrentRow(1);
    f.editor.Insert(); // shading moves with the steps
    QCOMPARE(f.grid.item(3, 2)->background().color() == info, false);
    QCOMPARE(f.grid.item(6, 2)->background().color() == info, true);
}

void TestSequenceGrids::acceptedTexts_data()
{
    QTest::addColumn<int>("column");
    QTest::addColumn<QString>("text");
    QTest::addColumn<bool>("accepted");
    QTest::newRow("number") << 2 << "12.5" << true;
    QTest::newRow("comma") << 2 << "1,5" << true;
    QTest::newRow("N") << 2 << "N" << true;
    QTest::newRow("second separator") << 2 << "1.5." << false;
    QTest::newRow("point after N") << 2 << "N." << false;
    QTest::newRow("lower-case n") << 2 << "n" << false;
    QTest::newRow("letter") << 3 << "1V" << false;
    QTest::newRow("sign") << 3 << "-1" << false;
    QTest::newRow("N in time") << 4 << "N" << false;
    QTest::newRow("time with separator") << 4 << "2,5" << true;
    QTest::newRow("nine characters") << 2 << "123456789" << true;
    QTest::newRow("ten characters") << 2 << "1234567890" << false;
    QTest::newRow("empty") << 2 << "" << true;
}

void TestSequenceGrids::acceptedTexts()
{
    QFETCH(int, column);
    QFETCH(QString, text);
    QFETCH(bool, accepted);
    ProgramFixture f;
    QCOMPARE(f.grid.acceptsText(column, text), accepted);
}

void TestSequenceGrids::typedEditsReachTheRecords()
{
    ProgramFixture f(2);
    f.grid.show();
    TypeInto(f.grid, 3, 6, QStringLiteral("0.5"));
    TypeInto(f.grid, 4, 5, QStringLiteral("7"));
    TypeInto(f.grid, 2, 1, QStringLiteral("N"));
    QCOMPARE(f.steps[1].Current[2], QByteArray("0.5"));
    QCOMPARE(f.steps[1].Time, 7.0);
    QCOMPARE(f.steps[0].Voltage[0], QByteArray("N"));
    TypeInto(f.grid, 4, 1, QStringLiteral("2,5"));
    QCOMPARE(f.steps[0].Time, 2.5);
}

void TestSequenceGrids::typingRefusesTooLongAndBadCharacters()
{
    ProgramFixture f;
    f.grid.show();
    QSignalSpy refused(&f.grid, &SequenceGrid::entryRefused);
    TypeInto(f.grid, 2, 1, QStringLiteral("1.5.x1234567890"));
    QCOMPARE(f.grid.cell(2, 1), QStringLiteral("1.5123456"));
    QCOMPARE(f.steps[0].Voltage[0], QByteArray("1.5123456"));
    QVERIFY(refused.count() >= 3);
    QVERIFY(refused.last().first().toString().contains(QLatin1String("9 characters")));
}

void TestSequenceGrids::emptyFirstTimeIsRefilledWhenEditingStarts()
{
    ProgramFixture f(2);
    f.grid.show();
    f.grid.setCell(4, 1, QString());
    f.grid.setCurrentCell(3, 4);
    QTest::keyClick(&f.grid, Qt::Key_F2); // editing starts in the time column of step 2
    QCOMPARE(f.grid.cell(4, 1), QStringLiteral("1"));
}

void TestSequenceGrids::goNGResultColumnsNeverEdit()
{
    QVector<TGoNGStep> steps;
    SequenceGrid grid(GoNGListEditor::GridLayout());
    GoNGListEditor editor(grid, steps);
    editor.SetDefaults();
    grid.show();
    for (int column : {0, 1, 3, 7}) {
        grid.setCurrentCell(0, column);
        QTest::keyClick(&grid, Qt::Key_5);
        QTest::keyClick(&grid, Qt::Key_F2);
        QVERIFY2(!grid.findChild<QLineEdit*>(), qPrintable(QString::number(column)));
    }
    TypeInto(grid, 5, 2, QStringLiteral("0.1"));
    QCOMPARE(steps[0].Min[1], QByteArray("0.1"));
    QCOMPARE(steps[0].Max[1], QByteArray("1"));
}

void TestSequenceGrids::loadingKeepsResultColumns()
{
    QVector<TGoNGStep> steps;
    SequenceGrid grid(GoNGListEditor::GridLayout());
    GoNGListEditor editor(grid, steps);
    editor.SetDefaults();
    grid.setCell(3, 1, QStringLiteral("0.25"));
    grid.setCell(7, 1, QStringLiteral("Pass"));
    TGoNGStep loaded;
    loaded.Setting[0] = "5";
    loaded.Time = 2.5;
    QLocale::setDefault(QLocale(QLocale::German));
    editor.Load({loaded, TGoNGStep()});
    QLocale::setDefault(QLocale::c());
    QCOMPARE(grid.rows(), 7);
    QCOMPARE(grid.cell(1, 1), QStringLiteral("CH1"));
    QCOMPARE(grid.cell(2, 1), QStringLiteral("5"));
    QCOMPARE(grid.cell(6, 2), QStringLiteral("2,5"));
    QCOMPARE(grid.cell(3, 1), QStringLiteral("0.25"));
    QCOMPARE(grid.cell(7, 1), QStringLiteral("Pass"));
    QCOMPARE(grid.cell(0, 4), QStringLiteral("2"));
}

void TestSequenceGrids::scanCellsRoundTrip()
{
    SequenceGrid grid(ScanTable::GridLayout());
    ScanTable::SetDefaults(grid);
    QCOMPARE(ScanTable::StoredCells(grid),
             (QStringList{"1", "6", "1", "1", "1", "6", "1", "1", "1", "6", "1", "1"}));
    ScanTable::SetStoredCells(grid, {"0", "1", "0.3", "2", "N", "", "", "3", "1", "2", "1", "4"});
    QCOMPARE(grid.cell(4, 1), QStringLiteral("4")); // the last interval slot stands
    QCOMPARE(ScanTable::StoredCells(grid),
             (QStringList{"0", "1", "0.3", "4", "N", "", "", "4", "1", "2", "1", "4"}));
}

QTEST_MAIN(TestSequenceGrids)
#include "tst_sequencegrids.moc"
