#include "ErrorReport.h"
#include "SettingsFile.h"
#include "TForm_Main.h"
#include "support/SimProcess.h"

#include <QSignalSpy>
#include <QTabWidget>
#include <QTemporaryDir>
#include <QtTest>

namespace {

const QStringList kOpening = {"*IDN?", "OUTP?", "INST:NSEL?", "APP:VOLT?", "APP:CURR?"};

// The main window of a program folder whose Config.dat names the simulator's port.
struct Bench
{
    explicit Bench(const QStringList& simArguments = {})
        : sim(std::make_unique<SimProcess>(simArguments))
    {
        SettingsImage settings = DefaultSettingsImage();
        settings.comm->setPortName(sim->portName());
        QVERIFY(WriteSettingsImage(programDir.filePath("Config.dat"), settings).isEmpty());
        window = std::make_unique<TForm_Main>(programDir.path());
        window->show();
    }

    bool controlsEnabled() const
    {
        return window->findChild<QTabWidget*>(QStringLiteral("TeThemePageControl1"))->isEnabled();
    }
    // waits until the simulator has logged at least `count` lines
    QStringList linesAfter(int count, int timeoutMs = 5000)
    {
        QElapsedTimer clock;
        clock.start();
        while (sim->receivedLines().size() < count && clock.elapsed() < timeoutMs)
            QTest::qWait(10);
        return sim->receivedLines();
    }

    std::unique_ptr<SimProcess> sim;
    QTemporaryDir programDir;
    std::unique_ptr<TForm_Main> window;
};

} // namespace

// The real main window against the simulator over a pseudo-terminal.
class TestMainWindowLink : public QObject
{
    Q_OBJECT
private Q_SLOTS:
    void initTestCase();
    void cleanup() { errors.clear(); }

    void opensWithQueriesThenPollsInPairs();
    void refusalsAreResentThenGivenUp();
    void silenceDisablesControlsAndResendsHead();
    void twoLinesInOneChunkDispatchOnePerEvent();
    void portVanishingIsReportedOnce();
    void portThatCannotOpenIsReported();

private:
    QStringList errors;
};

void TestMainWindowLink::initTestCase()
{
    ErrorReport::SetPresenter([this](const QString& text) { errors << text; });
}

void TestMainWindowLink::opensWithQueriesThenPollsInPairs()
{
    Bench bench;
    const QStringList lines = bench.linesAfter(12);
    QVERIFY2(lines.size() >= 12, qPrintable(lines.join('|')));
    QCOMPARE(lines.mid(0, 5), kOpening);
    for (int i = 5; i < 12; ++i)
        QCOMPARE(lines.at(i), i % 2 ? QStringLiteral("MEAS:ALL?") : QStringLiteral("MEAS:CURR:ALL?"));
    QTRY_VERIFY(bench.controlsEnabled());
    QVERIFY(errors.isEmpty());
}

void TestMainWindowLink::refusalsAreResentThenGivenUp()
{
    Bench bench({QStringLiteral("--refuse"), QStringLiteral("4")});
    const QStringList lines = bench.linesAfter(6);
    // three re-sends of *IDN?, then it is given up and OUTP? follows
    QCOMPARE(lines.mid(0, 6), (QStringList{"*IDN?", "*IDN?", "*IDN?", "*IDN?", "OUTP?",
                                           "INST:NSEL?"}));
    QTRY_COMPARE(bench.window->Pipeline().RetryCount(), 0);

    QVERIFY(bench.sim->control(QStringLiteral("refuse 2")));
    const int before = bench.sim->receivedLines().size();
    const QStringList after = bench.linesAfter(before + 4).mid(before);
    QCOMPARE(after.at(0), after.at(1));
    QCOMPARE(after.at(1), after.at(2)); // refused twice, accepted at the third sending
    QVERIFY(after.at(3) != after.at(2));
    QCOMPARE(bench.window->Pipeline().RetryCount(), 2);
}

void TestMainWindowLink::silenceDisablesControlsAndResendsHead()
{
    Bench bench;
    bench.linesAfter(8);
    QTRY_VERIFY(bench.controlsEnabled());
    // the re-sent command is answered at once, so the disabled state is caught as it happens
    QList<bool> enabledAtTimeout;
    connect(&bench.window->Pipeline(), &CommandPipeline::ReplyTimedOut, this,
            [&] { enabledAtTimeout << bench.controlsEnabled(); });
    QVERIFY(bench.sim->control(QStringLiteral("silence 1000")));
    QTRY_COMPARE_WITH_TIMEOUT(enabledAtTimeout, QList<bool>{false}, 7000);
    QTRY_VERIFY(bench.controlsEnabled());

    // the unanswered command went out again five seconds after it was first sent
    const auto lines = bench.sim->receivedLinesWithTimes();
    int gap = -1;
    for (int i = 1; i < lines.size() && gap < 0; ++i)
        if (lines.at(i).first - lines.at(i - 1).first > 4.0)
            gap = i;
    QVERIFY(gap > 0);
    QCOMPARE(lines.at(gap).second, lines.at(gap - 1).second);
    QVERIFY(lines.at(gap).first - lines.at(gap - 1).first < 5.5);
    QVERIFY(errors.isEmpty());
}

void TestMainWindowLink::twoLinesInOneChunkDispatchOnePerEvent()
{
    Bench bench({QStringLiteral("--silence"), QStringLiteral("60000")});
    QSignalSpy dispatched(&bench.window->Pipeline(), &CommandPipeline::ReplyReceived);
    QTRY_COMPARE(bench.sim->receivedLines(), QStringList{"*IDN?"});

    QVERIFY(bench.sim->control(QStringLiteral("send 0.000,0.000,0.000\\n1,2,3\\n")));
    QTRY_COMPARE(dispatched.count(), 1);
    QCOMPARE(dispatched.at(0).at(0).toByteArray(), QByteArray("0.000,0.000,0.000"));
    QCOMPARE(bench.window->Pipeline().RxBuffer(), QByteArray("1,2,3\n"));
    QTest::qWait(100);
    QCOMPARE(dispatched.count(), 1);

    QVERIFY(bench.sim->control(QStringLiteral("send 4")));
    QTRY_COMPARE(dispatched.count(), 2);
    QCOMPARE(dispatched.at(1).at(0).toByteArray(), QByteArray("1,2,3"));
    QCOMPARE(bench.window->Pipeline().RxBuffer(), QByteArray("4"));
    QTRY_COMPARE(bench.sim->receivedLines(), (QStringList{"*IDN?", "OUTP?", "INST:NSEL?"}));
}

void TestMainWindowLink::portVanishingIsReportedOnce()
{
    Bench bench;
    bench.linesAfter(8);
    QTRY_VERIFY(bench.controlsEnabled());
    bench.sim.reset(); // the far end of the line goes away while the port is open
    QTRY_COMPARE(errors.size(), 1);
    QVERIFY(!bench.controlsEnabled());
    QVERIFY(!bench.window->Pipeline().IsTimeoutArmed());
    QTest::qWait(300);
    QCOMPARE(errors.size(), 1);
}

void TestMainWindowLink::portThatCannotOpenIsReported()
{
    QTemporaryDir programDir;
    SettingsImage settings = DefaultSettingsImage();
    settings.comm->setPortName(QStringLiteral("ttyNONE9"));
    QVERIFY(WriteSettingsImage(programDir.filePath("Config.dat"), settings).isEmpty());
    TForm_Main window(programDir.path());
    window.show();
    QTRY_COMPARE_WITH_TIMEOUT(errors.size(), 1, 3000);
    QVERIFY(errors.first().contains(QStringLiteral("ttyNONE9")));
    QVERIFY(window.Pipeline().IsTimeoutArmed());
    QVERIFY(!window.findChild<QTabWidget*>(QStringLiteral("TeThemePageControl1"))->isEnabled());
    // the time-out finds nothing to send: the pipeline goes idle without a second message
    window.Pipeline().Timer_OverTimeTimer();
    QCOMPARE(errors.size(), 1);
}

QTEST_MAIN(TestMainWindowLink)
#include "tst_mainwindow_link.moc"
