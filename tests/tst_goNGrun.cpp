#include "ErrorReport.h"
#include "SequenceGrid.h"
#include "SettingsFile.h"
#include "TForm_Main.h"
#include "support/ResultTable.h"
#include "support/SimProcess.h"

#include <QPushButton>
#include <QSqlDatabase>
#include <QSqlQuery>
#include <QTabWidget>
#include <QTemporaryDir>
#include <QtTest>

// A GO/NG run of the real main window against the simulator: channel 1 draws 0.5 A through its
// 10 ohm load and passes, channel 2 is held at its 1 A current limit by a 1 ohm load and fails,
// channel 3 takes no part.
class TestGoNGRun : public QObject
{
    Q_OBJECT
private Q_SLOTS:
    void initTestCase();
    void runRecordsVerdictsAndStopRecordsNothing();

private:
    QStringList errors;
};

void TestGoNGRun::initTestCase()
{
    ErrorReport::SetPresenter([this](const QString& text) { errors << text; });
}

void TestGoNGRun::runRecordsVerdictsAndStopRecordsNothing()
{
    SimProcess sim({QStringLiteral("--load"), QStringLiteral("1=10,2=1,3=100")});
    QTemporaryDir programDir;
    SettingsImage settings = DefaultSettingsImage();
    settings.comm->setPortName(sim.portName());
    QVERIFY(WriteSettingsImage(programDir.filePath("Config.dat"), settings).isEmpty());
    TForm_Main window(programDir.path());
    window.show();
    QTRY_VERIFY_WITH_TIMEOUT(window.IsChannelSynced(), 5000);

    // the outputs are the operator's: switched on for the test
    for (const char* channel : {"1", "2", "3"}) {
        window.Pipeline().Append(QByteArray("INST:NSEL ") + channel + ";:Syst:Err?\n");
        window.Pipeline().Append("OUTP 1;:Syst:Err?\n");
    }

    auto* grid = window.findChild<SequenceGrid*>(QStringLiteral("TeThemeStringGridGoNg"));
    auto* run = window.findChild<QPushButton*>(QStringLiteral("TeThemeButton_GoNGRun"));
    auto* stop = window.findChild<QPushButton*>(QStringLiteral("TeThemeButton_GoNGStop"));
    auto* channelTabs = window.findChild<QTabWidget*>(QStringLiteral("TeThemePageControl1"));
    QVERIFY(grid && run && stop && channelTabs);
    const QStringList rows[] = {{"5", "1", "0.2"}, {"5", "0.5", "0"}, {"5", "N", "0"}};
    for (int row = 1; row <= 3; ++row) {
        grid->setCell(2, row, rows[row - 1][0]);
        grid->setCell(4, row, rows[row - 1][1]);
        grid->setCell(5, row, rows[row - 1][2]);
    }
    grid->setCell(6, 1, QStringLiteral("2"));

    run->click();
    QVERIFY(window.GoNGRunning());
    QVERIFY(!channelTabs->isEnabled());
    QVERIFY(!grid->isEnabled());
    QTRY_VERIFY_WITH_TIMEOUT(!window.GoNGRunning(), 4000);
    QVERIFY(grid->isEnabled());
    QTRY_VERIFY(channelTabs->isEnabled());

    const QString table = programDir.filePath(QStringLiteral("db/GoNG.db"));
    const QList<QStringList> recorded = ReadResultTable(table);
    QCOMPARE(recorded.size(), 3);
    QCOMPARE(recorded[0], (QStringList{"1", "5", "0.5", "1", "0.2", "Pass"}));
    QCOMPARE(recorded[1], (QStringList{"2", "5", "1", "0.5", "0", "NoPass"}));
    QCOMPARE(recorded[2], (QStringList{"3", "N", "N", "N", "N", "N"}));
    QVERIFY2(errors.isEmpty(), qPrintable(errors.join('\n')));

    // a run stopped by the operator records nothing
    grid->setCell(4, 2, QStringLiteral("3"));
    run->click();
    QTest::qWait(500);
    stop->click();
    QVERIFY(!window.GoNGRunning());
    QTest::qWait(2000);
    QCOMPARE(ReadResultTable(table), recorded);
    QCOMPARE(grid->cell(7, 2), QStringLiteral("Pass")); // the cells of the stopped run stay
}

QTEST_MAIN(TestGoNGRun)
#include "tst_goNGrun.moc"
