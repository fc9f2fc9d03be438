#include "GoNGResultStore.h"
#include "support/FakeGrid.h"
#include "support/ResultTable.h"

#include <QSqlDatabase>
#include <QSqlQuery>
#include <QTemporaryDir>
#include <QtTest>

namespace {

// A GO/NG grid of `steps` steps; each row gets its step and channel into its texts.
FakeGrid FilledGrid(int steps)
{
    FakeGrid grid(1 + 3 * steps);
    for (int row = 1; row < grid.rows(); ++row) {
        grid.setRow(row, 2, {QStringLiteral("V%1").arg(row), QStringLiteral("I%1").arg(row),
                             QStringLiteral("1"), QStringLiteral("0")});
        grid.setCell(7, row, QStringLiteral("Pass"));
    }
    return grid;
}

} // namespace

class TestGoNGResultStore : public QObject
{
    Q_OBJECT
private Q_SLOTS:
    void tableFileName_data();
    void tableFileName();
    void recordsRowsInStepOrder();
    void untestedChannelIsStoredAsN_data();
    void untestedChannelIsStoredAsN();
    void laterRunReplacesRows();
    void headerOnlyGridLeavesEmptyTable();
    void failedStoreLeavesEarlierRows();
    void invalidRecorderNameIsReported();
};

void TestGoNGResultStore::tableFileName_data()
{
    QTest::addColumn<QString>("recorder");
    QTest::addColumn<QString>("file");
    QTest::newRow("default") << "GoNG" << "GoNG.db";
    QTest::newRow("lower .db kept") << "test.db" << "test.db";
    QTest::newRow("upper .DB kept") << "TEST.DB" << "TEST.DB";
    QTest::newRow(".db inside") << "a.dbx" << "a.dbx";
    QTest::newRow("slash") << "line/2" << "";
    QTest::newRow("backslash") << "line\\2" << "";
    QTest::newRow("colon") << "a:b" << "";
    QTest::newRow("empty") << "" << "";
    QTest::newRow("padded") << " GoNG" << "";
    QTest::newRow("parent") << ".." << "";
}

void TestGoNGResultStore::tableFileName()
{
    QFETCH(QString, recorder);
    QFETCH(QString, file);
    QCOMPARE(GoNGResultStore::TableFileName(recorder), file);
}

void TestGoNGResultStore::recordsRowsInStepOrder()
{
    QTemporaryDir programDir;
    FakeGrid grid = FilledGrid(2);
    grid.setCell(2, 4, QStringLiteral("123456789012345678901234")); // cut to 20 characters
    QCOMPARE(GoNGResultStore::SaveGoNGResults(programDir.path(), "GoNG", grid), QString());
    const QList<QStringList> rows = ReadResultTable(programDir.filePath("db/GoNG.db"));
    QCOMPARE(rows.size(), 6);
    for (int i = 0; i < 6; ++i)
        QCOMPARE(rows[i].mid(0, 1), QStringList{QString::number(i % 3 + 1)});
    QCOMPARE(rows[0], (QStringList{"1", "V1", "I1", "1", "0", "Pass"}));
    QCOMPARE(rows[3][1], QStringLiteral("12345678901234567890"));
    QCOMPARE(rows[5], (QStringList{"3", "V6", "I6", "1", "0", "Pass"}));
}

void TestGoNGResultStore::untestedChannelIsStoredAsN_data()
{
    QTest::addColumn<int>("column");
    QTest::addColumn<QString>("text");
    QTest::addColumn<bool>("stored");
    QTest::newRow("N upper limit") << 4 << "N" << false;
    QTest::newRow("empty setting") << 2 << "" << false;
    QTest::newRow("empty lower limit") << 5 << "" << false;
    QTest::newRow("lower-case n is a value") << 4 << "n" << true;
    QTest::newRow("empty measured current is kept") << 3 << "" << true;
}

void TestGoNGResultStore::untestedChannelIsStoredAsN()
{
    QFETCH(int, column);
    QFETCH(QString, text);
    QFETCH(bool, stored);
    QTemporaryDir programDir;
    FakeGrid grid = FilledGrid(1);
    grid.setCell(column, 2, text);
    QCOMPARE(GoNGResultStore::SaveGoNGResults(programDir.path(), "GoNG", grid), QString());
    const QStringList row = ReadResultTable(programDir.filePath("db/GoNG.db")).at(1);
    QCOMPARE(row[0], QStringLiteral("2"));
    if (stored)
        QCOMPARE(row[column == 3 ? 2 : column == 4 ? 3 : 1], text);
    else
        QCOMPARE(row.mid(1), (QStringList{"N", "N", "N", "N", "N"}));
}

void TestGoNGResultStore::laterRunReplacesRows()
{
    QTemporaryDir programDir;
    QCOMPARE(GoNGResultStore::SaveGoNGResults(programDir.path(), "Line2.DB", FilledGrid(3)),
             QString());
    FakeGrid second = FilledGrid(1);
    second.setCell(7, 1, QStringLiteral("NoPass"));
    QCOMPARE(GoNGResultStore::SaveGoNGResults(programDir.path(), "Line2.DB", second), QString());
    const QList<QStringList> rows = ReadResultTable(programDir.filePath("db/Line2.DB"));
    QCOMPARE(rows.size(), 3);
    QCOMPARE(rows[0][5], QStringLiteral("NoPass"));
}

void TestGoNGResultStore::headerOnlyGridLeavesEmptyTable()
{
    QTemporaryDir programDir;
    QCOMPARE(GoNGResultStore::SaveGoNGResults(programDir.path(), "GoNG", FakeGrid(1)), QString());
    QVERIFY(QFile::exists(programDir.filePath("db/GoNG.db")));
    QVERIFY(ReadResultTable(programDir.filePath("db/GoNG.db")).isEmpty());
}

void TestGoNGResultStore::failedStoreLeavesEarlierRows()
{
    QTemporaryDir programDir;
    const QString path = programDir.filePath("db/GoNG.db");
    QCOMPARE(GoNGResultStore::SaveGoNGResults(programDir.path(), "GoNG", FilledGrid(2)), QString());
    {
        // another program holds the table locked while the next run ends
        QSqlDatabase locker = QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"), "locker");
        locker.setDatabaseName(path);
        QVERIFY(locker.open());
        QSqlQuery(QStringLiteral("BEGIN EXCLUSIVE"), locker);
        const QString error =
            GoNGResultStore::SaveGoNGResults(programDir.path(), "GoNG", FilledGrid(1));
        QVERIFY(error.contains(QStringLiteral("GoNG.db")));
        QSqlQuery(QStringLiteral("ROLLBACK"), locker);
        locker.close();
    }
    QSqlDatabase::removeDatabase(QStringLiteral("locker"));
    QCOMPARE(ReadResultTable(path).size(), 6);
}

void TestGoNGResultStore::invalidRecorderNameIsReported()
{
    QTemporaryDir programDir;
    const QString error =
        GoNGResultStore::SaveGoNGResults(programDir.path(), "A/B", FilledGrid(1));
    QVERIFY(error.contains(QStringLiteral("\"A/B\"")));
    QVERIFY(!QFile::exists(programDir.filePath("db/A/B.db")));
}

QTEST_GUILESS_MAIN(TestGoNGResultStore)
#include "tst_goNGresultstore.moc"
