#include "GoNGRunner.h"
#include "ProgramRunner.h"
#include "VoltageScanRunner.h"
#include "support/FakeGrid.h"

#include <QSignalSpy>
#include <QtTest>

namespace {

QByteArray Volt(const char* values)
{
    return QByteArray("APP:VOLT ") + values + ";:Syst:Err?\n";
}

QByteArray Curr(const char* values)
{
    return QByteArray("APP:CURR ") + values + ";:Syst:Err?\n";
}

// The scan grid: per channel start, stop, increment; the interval in (4, 1).
FakeGrid ScanGrid(const QStringList& channel1, const QStringList& channel2,
                  const QStringList& channel3, const QString& interval = QStringLiteral("1"))
{
    FakeGrid grid(4);
    grid.setRow(1, 1, channel1);
    grid.setRow(2, 1, channel2);
    grid.setRow(3, 1, channel3);
    grid.setCell(4, 1, interval);
    return grid;
}

// A program grid from per-step (voltage, current) pairs of the three channels and a time.
struct ProgramStepCells
{
    QStringList voltages;
    QStringList currents;
    QString time;
};

FakeGrid ProgramGrid(const QVector<ProgramStepCells>& steps)
{
    FakeGrid grid(1 + 3 * steps.size());
    for (int k = 0; k < steps.size(); ++k) {
        for (int c = 1; c <= 3; ++c)
            grid.setRow(StepRow(k, c), 2, {steps[k].voltages[c - 1], steps[k].currents[c - 1]});
        grid.setCell(4, StepRow(k, 1), steps[k].time);
    }
    return grid;
}

// A GO/NG grid row per channel: setting, max, min; the step time in column 6.
FakeGrid GoNGGrid(const QVector<QVector<QStringList>>& steps, const QStringList& times)
{
    FakeGrid grid(1 + 3 * steps.size());
    for (int k = 0; k < steps.size(); ++k) {
        for (int c = 1; c <= 3; ++c) {
            const QStringList& cells = steps[k][c - 1];
            grid.setCell(2, StepRow(k, c), cells[0]);
            grid.setCell(4, StepRow(k, c), cells[1]);
            grid.setCell(5, StepRow(k, c), cells[2]);
        }
        grid.setCell(6, StepRow(k, 1), times[k]);
    }
    return grid;
}

} // namespace

// The runners' stepping, driven by calling their timer handlers directly.
class TestSequenceRunners : public QObject
{
    Q_OBJECT
private Q_SLOTS:
    void cleanup() { QLocale::setDefault(QLocale::c()); }

    void scanSequences_data();
    void scanSequences();
    void scanRefusesBadIntervalBeforeQueueing_data();
    void scanRefusesBadIntervalBeforeQueueing();
    void scanWithZeroIntervalHasNoTimerEvents();

    void programPasses_data();
    void programPasses();
    void programModeChangeTakesEffectAtEndOfPass();
    void programRefusesBadTimeOfAnyStep();
    void programWithoutStepsDoesNothing();

    void goNGVerdicts_data();
    void goNGVerdicts();
    void goNGChannelWithoutLimitsIsSentLaterButNeverJudged();
    void goNGCompletesAfterLastStepStopDoesNot();
};

void TestSequenceRunners::scanSequences_data()
{
    QTest::addColumn<QStringList>("channel1");
    QTest::addColumn<QStringList>("channel2");
    QTest::addColumn<QStringList>("channel3");
    QTest::addColumn<QString>("locale");
    QTest::addColumn<int>("ticks");
    QTest::addColumn<QByteArrayList>("commands");
    QTest::addColumn<bool>("endsByItself");

    const QStringList start = {"1", "6", "1"};
    QTest::newRow("initial grid") << start << start << start << "C" << 5
                                  << QByteArrayList{Volt("1,1,1"), Volt("2,2,2"), Volt("3,3,3"),
                                                    Volt("4,4,4"), Volt("5,5,5"), Volt("6,6,6")}
                                  << true;
    QTest::newRow("0 to 1 by 0.3, others N")
        << QStringList{"0", "1", "0.3"} << QStringList{"N", "6", "1"} << QStringList{"1", "", "1"}
        << "C" << 6
        << QByteArrayList{Volt("0,N,N"), Volt("0.3,N,N"), Volt("0.6,N,N"), Volt("0.9,N,N"),
                          Volt("1,N,N"), Volt("1,N,N"), Volt("1,N,N")}
        << false;
    QTest::newRow("start above stop")
        << QStringList{"5", "2", "1"} << QStringList{"5", "2", "1"} << QStringList{"5", "2", "1"}
        << "C" << 1 << QByteArrayList{Volt("5,5,5"), Volt("2,2,2")} << true;
    QTest::newRow("increment 0 never finishes")
        << QStringList{"1", "2", "0"} << QStringList{"1", "2", "0"} << QStringList{"1", "2", "0"}
        << "C" << 3
        << QByteArrayList{Volt("1,1,1"), Volt("1,1,1"), Volt("1,1,1"), Volt("1,1,1")} << false;
    QTest::newRow("all N") << QStringList{"N", "1", "1"} << QStringList{"1", "N", "1"}
                           << QStringList{"1", "1", "N"} << "C" << 2
                           << QByteArrayList{Volt("N,N,N"), Volt("N,N,N"), Volt("N,N,N")} << false;
    QTest::newRow("comma locale") << QStringList{"1,5", "3", "0,5"} << QStringList{"N", "", ""}
                                  << QStringList{"N", "", ""} << "de_DE" << 3
                                  << QByteArrayList{Volt("1.5,N,N"), Volt("2,N,N"),
                                                    Volt("2.5,N,N"), Volt("3,N,N")}
                                  << false;
}

void TestSequenceRunners::scanSequences()
{
    QFETCH(QStringList, channel1);
    QFETCH(QStringList, channel2);
    QFETCH(QStringList, channel3);
    QFETCH(QString, locale);
    QFETCH(int, ticks);
    QFETCH(QByteArrayList, commands);
    QFETCH(bool, endsByItself);
    QLocale::setDefault(QLocale(locale));
    FakeGrid grid = ScanGrid(channel1, channel2, channel3);
    QByteArrayList queued;
    VoltageScanRunner scan(grid, [&](const QByteArray& c) { queued << c; });
    QSignalSpy stopped(&scan, &SequenceRunner::stopped);

    QCOMPARE(scan.Run(), QString());
    QVERIFY(scan.isRunning());
    QCOMPARE(scan.stepTimer().interval(), 1000);
    for (int i = 0; i < ticks; ++i)
        scan.Timer_VoltScanTimer();
    QCOMPARE(queued, commands);
    QCOMPARE(scan.isRunning(), !endsByItself);
    QCOMPARE(stopped.count(), endsByItself ? 1 : 0);
}

void TestSequenceRunners::scanRefusesBadIntervalBeforeQueueing_data()
{
    QTest::addColumn<QString>("interval");
    QTest::newRow("fraction") << "1.5";
    QTest::newRow("empty") << "";
    QTest::newRow("negative") << "-1";
    QTest::newRow("too long for the timer") << "2147484";
}

void TestSequenceRunners::scanRefusesBadIntervalBeforeQueueing()
{
    QFETCH(QString, interval);
    const QStringList start = {"1", "6", "1"};
    FakeGrid grid = ScanGrid(start, start, start, interval);
    QByteArrayList queued;
    VoltageScanRunner scan(grid, [&](const QByteArray& c) { queued << c; });
    QSignalSpy started(&scan, &SequenceRunner::started);
    const QString error = scan.Run();
    QVERIFY(error.contains(QLatin1Char('\'') + interval + QLatin1Char('\'')));
    QVERIFY(queued.isEmpty());
    QVERIFY(!scan.isRunning());
    QCOMPARE(started.count(), 0);
}

void TestSequenceRunners::scanWithZeroIntervalHasNoTimerEvents()
{
    const QStringList start = {"1", "6", "1"};
    FakeGrid grid = ScanGrid(start, start, start, QStringLiteral("0"));
    VoltageScanRunner scan(grid, [](const QByteArray&) {});
    QCOMPARE(scan.Run(), QString());
    QVERIFY(scan.isRunning());
    QVERIFY(!scan.stepTimer().isActive());
}

void TestSequenceRunners::programPasses_data()
{
    QTest::addColumn<int>("mode");
    QTest::addColumn<int>("ticks");
    QTest::addColumn<QByteArrayList>("commands");
    QTest::addColumn<QList<int>>("passes");
    QTest::addColumn<bool>("running");

    const QByteArrayList step1 = {Volt("5,N,3.3"), Curr("1,N,0.5")};
    const QByteArrayList step2 = {Volt("2,2,2"), Curr("0.2,0.2,0.2")};
    QTest::newRow("once") << int(ProgramRunner::Once) << 2 << step1 + step2 << QList<int>{1}
                          << false;
    QTest::newRow("custom 3") << int(ProgramRunner::Custom) << 6
                              << step1 + step2 + step1 + step2 + step1 + step2
                              << QList<int>{1, 2, 3} << false;
    QTest::newRow("custom 3, last step running") << int(ProgramRunner::Custom) << 5
                                                 << step1 + step2 + step1 + step2 + step1 + step2
                                                 << QList<int>{1, 2, 3} << true;
    QTest::newRow("repeat") << int(ProgramRunner::Repeat) << 9
                            << step1 + step2 + step1 + step2 + step1 + step2 + step1 + step2 +
                                   step1 + step2
                            << QList<int>{1, 2, 3, 4, 5} << true;
}

void TestSequenceRunners::programPasses()
{
    QFETCH(int, mode);
    QFETCH(int, ticks);
    QFETCH(QByteArrayList, commands);
    QFETCH(QList<int>, passes);
    QFETCH(bool, running);
    // channel 2 of step 1 has a current but no voltage: it sends "N" in both commands
    FakeGrid grid = ProgramGrid({{{"5", "", "3.3"}, {"1", "0.7", "0.5"}, "2"},
                                 {{"2", "2", "2"}, {"0.2", "0.2", "0.2"}, "5"}});
    QByteArrayList queued;
    ProgramRunner program(grid, [&](const QByteArray& c) { queued << c; });
    program.setRunMode(ProgramRunner::RunMode(mode));
    program.setCustomPasses(3);
    QList<int> passNumbers;
    connect(&program, &ProgramRunner::passStarted, [&](int n) { passNumbers << n; });

    QCOMPARE(program.Run(), QString());
    QCOMPARE(program.stepTimer().interval(), 2000);
    QCOMPARE(grid.currentRow, 1);
    for (int i = 0; i < ticks; ++i)
        program.Timer_RunProgramTimer();
    QCOMPARE(queued, commands);
    QCOMPARE(passNumbers, passes);
    QCOMPARE(program.isRunning(), running);
    if (running)
        QCOMPARE(program.stepTimer().interval(), program.StepIndex() == 0 ? 2000 : 5000);
}

void TestSequenceRunners::programModeChangeTakesEffectAtEndOfPass()
{
    FakeGrid grid = ProgramGrid({{{"1", "1", "1"}, {"1", "1", "1"}, "1"},
                                 {{"2", "2", "2"}, {"1", "1", "1"}, "1"}});
    int queued = 0;
    ProgramRunner program(grid, [&](const QByteArray&) { ++queued; });
    program.setRunMode(ProgramRunner::Repeat);
    QCOMPARE(program.Run(), QString());
    program.Timer_RunProgramTimer(); // step 2 of pass 1
    program.setRunMode(ProgramRunner::Once);
    QVERIFY(program.isRunning());
    program.Timer_RunProgramTimer();
    QVERIFY(!program.isRunning());
    QCOMPARE(queued, 4);
    QCOMPARE(grid.currentRow, 4);
}

void TestSequenceRunners::programRefusesBadTimeOfAnyStep()
{
    FakeGrid grid = ProgramGrid({{{"1", "1", "1"}, {"1", "1", "1"}, "1"},
                                 {{"2", "2", "2"}, {"1", "1", "1"}, "2,5"}});
    int queued = 0;
    ProgramRunner program(grid, [&](const QByteArray&) { ++queued; });
    const QString error = program.Run();
    QVERIFY(error.startsWith(QStringLiteral("Step 2:")));
    QVERIFY(error.contains(QStringLiteral("'2,5'")));
    QCOMPARE(queued, 0);
    QVERIFY(!program.isRunning());
}

void TestSequenceRunners::programWithoutStepsDoesNothing()
{
    FakeGrid grid(1);
    int queued = 0;
    ProgramRunner program(grid, [&](const QByteArray&) { ++queued; });
    QCOMPARE(program.Run(), QString());
    QCOMPARE(queued, 0);
    QVERIFY(!program.isRunning());
}

void TestSequenceRunners::goNGVerdicts_data()
{
    QTest::addColumn<double>("current");
    QTest::addColumn<QString>("measuredText");
    QTest::addColumn<QString>("verdict");
    QTest::newRow("at upper limit") << 1.0 << "1" << "Pass";
    QTest::newRow("at lower limit") << 0.0 << "0" << "Pass";
    QTest::newRow("inside") << 0.5 << "0.5" << "Pass";
    QTest::newRow("0.0001 above") << 1.0001 << "1.0001" << "NoPass";
    QTest::newRow("below") << 0.0 - 0.0001 << "-0.0001" << "NoPass";
}

void TestSequenceRunners::goNGVerdicts()
{
    QFETCH(double, current);
    QFETCH(QString, measuredText);
    QFETCH(QString, verdict);
    const QStringList defaults = {"1", "1", "0"};
    FakeGrid grid = GoNGGrid({{defaults, defaults, defaults}}, {"1"});
    QByteArrayList queued;
    GoNGRunner goNG(grid, [&](const QByteArray& c) { queued << c; });
    goNG.Judge({current, current, current}); // not running: nothing judged
    QCOMPARE(grid.cell(7, 1), QString());

    QCOMPARE(goNG.Run(), QString());
    QCOMPARE(queued, QByteArrayList{Volt("1,1,1")});
    goNG.Judge({current, current, current});
    for (int row = 1; row <= 3; ++row) {
        QCOMPARE(grid.cell(3, row), measuredText);
        QCOMPARE(grid.cell(7, row), verdict);
    }
}

void TestSequenceRunners::goNGChannelWithoutLimitsIsSentLaterButNeverJudged()
{
    const QStringList judged = {"5", "1", "0"};
    const QStringList noUpperLimit = {"3", "N", "0"};
    FakeGrid grid = GoNGGrid({{judged, noUpperLimit, judged}, {judged, noUpperLimit, judged}},
                             {"2", "3"});
    QByteArrayList queued;
    GoNGRunner goNG(grid, [&](const QByteArray& c) { queued << c; });
    QCOMPARE(goNG.Run(), QString());
    goNG.Judge({0.5, 0.5, 0.5});
    goNG.Timer_RunGoNGTimer();
    QCOMPARE(goNG.stepTimer().interval(), 3000);
    QCOMPARE(grid.currentRow, 4);
    goNG.Judge({2, 2, 2});
    QCOMPARE(queued, (QByteArrayList{Volt("5,N,5"), Volt("5,3,5")}));
    for (int row : {2, 5}) {
        QCOMPARE(grid.cell(3, row), QString());
        QCOMPARE(grid.cell(7, row), QString());
    }
    QCOMPARE(grid.cell(7, 1), QStringLiteral("Pass"));
    QCOMPARE(grid.cell(7, 4), QStringLiteral("NoPass"));
}

void TestSequenceRunners::goNGCompletesAfterLastStepStopDoesNot()
{
    const QStringList defaults = {"1", "1", "0"};
    FakeGrid grid = GoNGGrid({{defaults, defaults, defaults}, {defaults, defaults, defaults}},
                             {"2", "3"});
    GoNGRunner goNG(grid, [](const QByteArray&) {});
    QSignalSpy completed(&goNG, &GoNGRunner::completed);
    QSignalSpy stopped(&goNG, &SequenceRunner::stopped);

    QCOMPARE(goNG.Run(), QString());
    goNG.Stop();
    QCOMPARE(completed.count(), 0);
    QCOMPARE(stopped.count(), 1);

    QCOMPARE(goNG.Run(), QString());
    goNG.Timer_RunGoNGTimer();
    QVERIFY(goNG.isRunning());
    goNG.Timer_RunGoNGTimer();
    QVERIFY(!goNG.isRunning());
    QCOMPARE(completed.count(), 1);
    QCOMPARE(stopped.count(), 2);
}

QTEST_GUILESS_MAIN(TestSequenceRunners)
#include "tst_sequencerunners.moc"
