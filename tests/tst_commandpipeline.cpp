#include "CommandPipeline.h"
#include "ReplyParsing.h"
#include "ScpiCommands.h"
#include "support/FakeSerialPort.h"

#include <QSignalSpy>
#include <QtTest>

namespace {

const QByteArray kVolt5 = BuildVoltCommand(5);

// A pipeline on a fake port with a minimal dispatcher: refusals are retried, anything else
// is accepted, as the main window does.
struct Fixture
{
    FakeSerialPort port;
    CommandPipeline pipeline{&port};
    QByteArrayList dispatched;

    Fixture()
    {
        QObject::connect(&pipeline, &CommandPipeline::ReplyReceived,
                         [this](const QByteArray& line) {
                             dispatched << line;
                             if (IsRefusal(line))
                                 pipeline.RetryCommand();
                             else
                                 pipeline.SendNextCommand();
                         });
        QObject::connect(&port, &SerialPort::readyRead, &pipeline, &CommandPipeline::Receive);
    }
    // opening queries written and the time-out armed, as a new connection leaves them
    void start(const QByteArrayList& commands)
    {
        pipeline.Start(commands);
        pipeline.ArmTimeout();
    }
    QByteArray lastWritten() const { return port.written.isEmpty() ? QByteArray() : port.written.last(); }
};

} // namespace

class TestCommandPipeline : public QObject
{
    Q_OBJECT
private Q_SLOTS:
    void pollsInPairsWhenQueueRunsDry();
    void producerCommandGoesAheadOfNextPollingPair_data();
    void producerCommandGoesAheadOfNextPollingPair();
    void twoLinesInOneChunkDispatchOnePerEvent();
    void splitReplyDispatchesOnceAtLineFeed();
    void refusalsAreResentThenGivenUp();
    void retryCountSpansCommands();
    void timeoutResendsAndReportsSilence();
    void timeoutArmingKeepsRunningPeriod();
    void partialLineKeepsTimeoutArmed();
    void timeoutWithEmptyQueueStaysIdle();
    void lineWithEmptyQueueIsDropped();
    void failedWriteLeavesPipelineIdle();
    void nulBytesDiscardedCarriageReturnKept();
    void floodWithoutLineFeedStaysBoundedAndResynchronises();
};

void TestCommandPipeline::pollsInPairsWhenQueueRunsDry()
{
    Fixture f;
    QSignalSpy sent(&f.pipeline, &CommandPipeline::CommandSent);
    f.start({Scpi::Identify, Scpi::QueryOutput});
    QCOMPARE(f.port.written, QByteArrayList{Scpi::Identify});
    QCOMPARE(sent.count(), 0); // the opening write does not count as a send

    f.port.receive("PSU-SIM,5837P,1,1\n");
    f.port.receive("0\n");
    f.port.receive("1.000,2.000,3.000\n");
    f.port.receive("0.100,0.200,0.300\n");
    f.port.receive("1.000,2.000,3.000\n");
    QCOMPARE(f.port.written, (QByteArrayList{Scpi::Identify, Scpi::QueryOutput,
                                             Scpi::MeasureVoltages, Scpi::MeasureCurrents,
                                             Scpi::MeasureVoltages, Scpi::MeasureCurrents}));
    QCOMPARE(sent.count(), 5);
    QCOMPARE(f.pipeline.CommandQueue(), (QByteArrayList{Scpi::MeasureCurrents}));
    QVERIFY(f.pipeline.IsTimeoutArmed());
}

void TestCommandPipeline::producerCommandGoesAheadOfNextPollingPair_data()
{
    QTest::addColumn<bool>("whileMeasuringVoltages");
    QTest::addColumn<QByteArrayList>("expected");
    QTest::newRow("during MEAS:ALL?")
        << true
        << QByteArrayList{Scpi::MeasureVoltages, Scpi::MeasureCurrents, kVolt5,
                          Scpi::MeasureVoltages};
    QTest::newRow("during MEAS:CURR:ALL?")
        << false << QByteArrayList{Scpi::MeasureCurrents, kVolt5, Scpi::MeasureVoltages};
}

void TestCommandPipeline::producerCommandGoesAheadOfNextPollingPair()
{
    QFETCH(bool, whileMeasuringVoltages);
    QFETCH(QByteArrayList, expected);
    Fixture f;
    f.start({Scpi::Identify});
    f.port.receive("id\n"); // queue ran dry: polling pair, MEAS:ALL? in flight
    if (!whileMeasuringVoltages)
        f.port.receive("1,2,3\n");
    f.port.written.clear();
    f.port.written << f.pipeline.CommandQueue().first();
    f.pipeline.Append(kVolt5);
    while (f.port.written.size() < expected.size())
        f.port.receive("1,2,3\n");
    QCOMPARE(f.port.written, expected);
}

void TestCommandPipeline::twoLinesInOneChunkDispatchOnePerEvent()
{
    Fixture f;
    f.start({Scpi::MeasureVoltages, Scpi::MeasureCurrents, Scpi::Identify});
    f.port.receive("0.000,0.000,0.000\n1,2,3\n");
    QCOMPARE(f.dispatched, QByteArrayList{"0.000,0.000,0.000"});
    QCOMPARE(f.pipeline.RxBuffer(), QByteArray("1,2,3\n"));
    f.port.receive("x");
    QCOMPARE(f.dispatched, (QByteArrayList{"0.000,0.000,0.000", "1,2,3"}));
    QCOMPARE(f.port.written.last(), Scpi::Identify); // the second line answered the head then
}

void TestCommandPipeline::splitReplyDispatchesOnceAtLineFeed()
{
    Fixture f;
    QSignalSpy received(&f.port, &SerialPort::readyRead);
    f.start({Scpi::MeasureVoltages});
    f.port.receive("12.000,");
    f.port.receive("5.500,");
    QVERIFY(f.dispatched.isEmpty());
    f.port.receive("3.300\n");
    QCOMPARE(received.count(), 3);
    QCOMPARE(f.dispatched, QByteArrayList{"12.000,5.500,3.300"});
}

void TestCommandPipeline::refusalsAreResentThenGivenUp()
{
    Fixture f;
    f.start({kVolt5, Scpi::QueryOutput});
    for (int i = 0; i < 3; ++i) {
        f.port.receive("-222,\"Data out of range, value too large\"\n");
        QCOMPARE(f.lastWritten(), kVolt5);
        QCOMPARE(f.pipeline.RetryCount(), i + 1);
    }
    f.port.receive("-100,\"Command error\"\n");
    QCOMPARE(f.port.written, (QByteArrayList{kVolt5, kVolt5, kVolt5, kVolt5, Scpi::QueryOutput}));
    QCOMPARE(f.pipeline.RetryCount(), 0);
}

void TestCommandPipeline::retryCountSpansCommands()
{
    Fixture f;
    f.start({kVolt5, Scpi::QueryOutput, Scpi::QueryChannel});
    f.port.receive("too\n");
    f.port.receive("too\n");
    f.port.receive("0,\"No error\"\n"); // accepted: the count is kept
    QCOMPARE(f.pipeline.RetryCount(), 2);
    f.port.receive("COMMAND\n");
    f.port.receive("COMMAND\n"); // fourth refusal since the last give-up
    QCOMPARE(f.port.written, (QByteArrayList{kVolt5, kVolt5, kVolt5, Scpi::QueryOutput,
                                             Scpi::QueryOutput, Scpi::QueryChannel}));
}

void TestCommandPipeline::timeoutResendsAndReportsSilence()
{
    Fixture f;
    QSignalSpy silence(&f.pipeline, &CommandPipeline::ReplyTimedOut);
    QSignalSpy sent(&f.pipeline, &CommandPipeline::CommandSent);
    f.start({Scpi::Identify, Scpi::QueryOutput});
    for (int i = 0; i < 4; ++i)
        f.pipeline.Timer_OverTimeTimer();
    QCOMPARE(silence.count(), 4);
    QCOMPARE(f.port.written, (QByteArrayList{Scpi::Identify, Scpi::Identify, Scpi::Identify,
                                             Scpi::Identify, Scpi::QueryOutput}));
    QCOMPARE(sent.count(), 4);
    QVERIFY(f.pipeline.IsTimeoutArmed());
}

void TestCommandPipeline::timeoutArmingKeepsRunningPeriod()
{
    Fixture f;
    f.start({Scpi::Identify});
    const QTimer* timer = f.pipeline.findChild<QTimer*>(QStringLiteral("Timer_OverTime"));
    QVERIFY(timer);
    QCOMPARE(timer->interval(), 5000);
    QTest::qWait(50);
    const int left = timer->remainingTime();
    f.pipeline.ArmTimeout();
    QVERIFY(timer->remainingTime() <= left);
}

void TestCommandPipeline::partialLineKeepsTimeoutArmed()
{
    Fixture f;
    f.start({Scpi::MeasureVoltages});
    f.port.receive("1.000,2.0");
    QVERIFY(f.pipeline.IsTimeoutArmed());
    f.pipeline.Timer_OverTimeTimer(); // the link stopped mid-line: the head goes out again
    QCOMPARE(f.port.written, (QByteArrayList{Scpi::MeasureVoltages, Scpi::MeasureVoltages}));
}

void TestCommandPipeline::timeoutWithEmptyQueueStaysIdle()
{
    Fixture f;
    f.pipeline.ArmTimeout();
    f.pipeline.Timer_OverTimeTimer();
    QVERIFY(f.port.written.isEmpty());
    QVERIFY(!f.pipeline.IsTimeoutArmed());
    QCOMPARE(f.pipeline.RetryCount(), 0);
}

void TestCommandPipeline::lineWithEmptyQueueIsDropped()
{
    Fixture f;
    f.port.receive("stray\n");
    QVERIFY(f.dispatched.isEmpty());
    QVERIFY(f.pipeline.RxBuffer().isEmpty());
    QVERIFY(f.pipeline.CommandQueue().isEmpty());
}

void TestCommandPipeline::failedWriteLeavesPipelineIdle()
{
    Fixture f;
    QSignalSpy failed(&f.pipeline, &CommandPipeline::WriteFailed);
    f.start({Scpi::Identify, Scpi::QueryOutput});
    f.port.close();
    f.pipeline.Timer_OverTimeTimer();
    QCOMPARE(failed.count(), 1);
    QCOMPARE(failed.first().first().toString(), QStringLiteral("fake port error"));
    QVERIFY(!f.pipeline.IsTimeoutArmed());
}

void TestCommandPipeline::nulBytesDiscardedCarriageReturnKept()
{
    Fixture f;
    f.start({Scpi::QueryChannel});
    f.port.receive(QByteArray("2\0\r\n", 4));
    QCOMPARE(f.dispatched, QByteArrayList{"2\r"});
}

void TestCommandPipeline::floodWithoutLineFeedStaysBoundedAndResynchronises()
{
    Fixture f;
    f.start({Scpi::MeasureVoltages, Scpi::QueryOutput});
    const QByteArray chunk(1 << 20, 'X');
    for (int i = 0; i < 100; ++i) {
        f.port.receive(chunk);
        QVERIFY(f.pipeline.RxBuffer().size() <= LineAssembler::Limit);
    }
    QVERIFY(f.dispatched.isEmpty());
    QVERIFY(f.pipeline.IsTimeoutArmed());
    // the rest of the broken line is dropped up to its line feed; the next line is read
    f.port.receive("XXX\n1.000,2.000,3.000\n");
    QCOMPARE(f.dispatched, QByteArrayList{"1.000,2.000,3.000"});
    QCOMPARE(f.lastWritten(), Scpi::QueryOutput);
}

QTEST_GUILESS_MAIN(TestCommandPipeline)
#include "tst_commandpipeline.moc"
