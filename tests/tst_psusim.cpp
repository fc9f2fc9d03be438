#include "support/SimProcess.h"

#include <QDeadlineTimer>
#include <QElapsedTimer>
#include <QProcess>
#include <QRegularExpression>
#include <QSerialPort>
#include <QtTest>

#include <algorithm>
#include <csignal>

namespace {

constexpr int replyTimeoutMs = 1000;
const QString identity = QStringLiteral("PSU-SIM,5837P,000001,1.00");
const QString noError = QStringLiteral("0,\"No error\"");
const QString commandError = QStringLiteral("-100,\"Command error\"");
const QString tooLarge = QStringLiteral("-222,\"Data out of range, value too large\"");
const QString tooSmall = QStringLiteral("-222,\"Data out of range, value too small\"");
const QString invalidValue = QStringLiteral("-224,\"Invalid parameter value\"");
// Set-points, selected channel and its output at power-on, as settingsQuery reads them.
const QString settingsQuery = QStringLiteral("APP:VOLT?;APP:CURR?;INST:NSEL?;OUTP?");
const QString initialSettings = QStringLiteral("0.000,0.000,0.000;1.000,1.000,1.000;1;0");

// How the control program tells a refusal from a normal reply.
bool isRefusal(const QString& reply)
{
    const QString upper = reply.toUpper();
    return upper.contains(QLatin1String("COMMAND")) || upper.contains(QLatin1String("TOO")) ||
           (upper.contains(QLatin1String("INVALID")) && upper.contains(QLatin1String("PARA")));
}

bool openPort(QSerialPort& port, const QString& name)
{
    port.setPortName(name);
    port.setBaudRate(QSerialPort::Baud9600);
    port.setDataBits(QSerialPort::Data8);
    port.setParity(QSerialPort::NoParity);
    port.setStopBits(QSerialPort::OneStop);
    port.setFlowControl(QSerialPort::NoFlowControl);
    return port.open(QIODevice::ReadWrite);
}

void writeLine(QSerialPort& port, const QString& line)
{
    port.write(line.toLatin1() + '\n');
    port.waitForBytesWritten(replyTimeoutMs);
}

// The next line from the port without its line feed (bytes mapped 1:1 to characters), or a
// null string when none completes in time.
QString readLine(QSerialPort& port, int timeoutMs = replyTimeoutMs)
{
    const QDeadlineTimer deadline(timeoutMs);
    while (!port.canReadLine()) {
        if (!port.waitForReadyRead(int(deadline.remainingTime())))
            return {};
    }
    return QString::fromLatin1(port.readLine().chopped(1));
}

QString ask(QSerialPort& port, const QString& line, int timeoutMs = replyTimeoutMs)
{
    writeLine(port, line);
    return readLine(port, timeoutMs);
}

// Reads until `count` bytes have arrived; returns them in the chunks the port delivered them.
QByteArrayList readChunks(QSerialPort& port, int count)
{
    QByteArrayList chunks;
    int received = 0;
    const QDeadlineTimer deadline(replyTimeoutMs);
    while (received < count && port.waitForReadyRead(int(deadline.remainingTime()))) {
        chunks << port.readAll();
        received += chunks.last().size();
    }
    return chunks;
}

// A running simulator with the port open the way the control program opens it.
struct Bench
{
    explicit Bench(const QStringList& arguments = {}) : sim(arguments)
    {
        openPort(port, sim.portName());
    }

    // Sends a set command the way the control program does, with the error query appended.
    QString set(const QString& command)
    {
        return ask(port, command + QStringLiteral(";:Syst:Err?"));
    }

    SimProcess sim;
    QSerialPort port;
};

} // namespace

class PsuSimTest : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void identity_data();
    void identity();
    void settings_data();
    void settings();
    void refusals_data();
    void refusals();
    void unknownQueryIsQueuedNotAnswered();
    void measurements_data();
    void measurements();
    void refuseAnswersExactlyTheNextLines();
    void silenceIgnoresLines();
    void garbledReplyIsNoRefusal();
    void splitReplyArrivesInParts();
    void sendWritesTwoLinesInOneChunk();
    void floodDoesNotStopService();
    void pacing_data();
    void pacing();
    void logRecordsReceivedLines();
    void reopenedPortKeepsWorking();
    void invalidControlLinesAreRejected_data();
    void invalidControlLinesAreRejected();
    void invalidOptionsExitWithUsageError_data();
    void invalidOptionsExitWithUsageError();
    void survivesEndOfInputAndExitsCleanlyOnSignal_data();
    void survivesEndOfInputAndExitsCleanlyOnSignal();
};

void PsuSimTest::identity_data()
{
    QTest::addColumn<QStringList>("arguments");
    QTest::addColumn<QString>("controlLine");
    QTest::addColumn<QString>("expected");

    QTest::newRow("default") << QStringList() << QString() << ::identity;
    QTest::newRow("option") << QStringList{"--idn", "ACME,X1,42,2.0"} << QString()
                            << "ACME,X1,42,2.0";
    QTest::newRow("control line") << QStringList() << "idn ACME,X2,7,3.1"
                                  << "ACME,X2,7,3.1";
}

void PsuSimTest::identity()
{
    QFETCH(QStringList, arguments);
    QFETCH(QString, controlLine);
    QFETCH(QString, expected);

    Bench bench(arguments);
    QVERIFY(bench.port.isOpen());
    if (!controlLine.isEmpty())
        QVERIFY(bench.sim.control(controlLine));
    QCOMPARE(ask(bench.port, "*IDN?"), expected);
}

void PsuSimTest::settings_data()
{
    QTest::addColumn<QStringList>("commands");
    QTest::addColumn<QString>("query");
    QTest::addColumn<QString>("expected");

    QTest::newRow("APP:VOLT with N keeps that channel")
        << QStringList{"APP:VOLT 1,2,3", "APP:VOLT 5,N,3.3"} << "APP:VOLT?"
        << "5.000,2.000,3.300";
    QTest::newRow("APP:CURR with N keeps that channel")
        << QStringList{"APP:CURR N,0.5,3.1"} << "APP:CURR?"
        << "1.000,0.500,3.100";
    QTest::newRow("VOLT acts on the selected channel")
        << QStringList{"INST:NSEL 2", "VOLT 5.01"} << "APP:VOLT?"
        << "0.000,5.010,0.000";
    QTest::newRow("Curr acts on the selected channel")
        << QStringList{"INST:NSEL 3", "Curr 0.25"} << "APP:CURR?"
        << "1.000,1.000,0.250";
    QTest::newRow("output belongs to the selected channel")
        << QStringList{"INST:NSEL 2", "OUTP ON"} << "INST:NSEL?;OUTP?;:INST:NSEL 1;:OUTP?"
        << "2;1;0";
    QTest::newRow("long forms in any case")
        << QStringList{"instrument:nselect 3", ":Voltage 1.5"} << "volt?;:INST:NSEL?"
        << "1.500;3";
    QTest::newRow("reset restores power-on state")
        << QStringList{"APP:VOLT 1,2,3", "APP:CURR 2,2,2", "INST:NSEL 3", "OUTP 1", "*RST"}
        << settingsQuery << initialSettings;
}

void PsuSimTest::settings()
{
    QFETCH(QStringList, commands);
    QFETCH(QString, query);
    QFETCH(QString, expected);

    Bench bench;
    QVERIFY(bench.port.isOpen());
    for (const QString& command : commands)
        QCOMPARE(bench.set(command), noError);
    QCOMPARE(ask(bench.port, query), expected);
}

void PsuSimTest::refusals_data()
{
    QTest::addColumn<QString>("command");
    QTest::addColumn<QString>("expected");

    QTest::newRow("voltage above channel 3 limit") << "APP:VOLT 1,2,6.1" << tooLarge;
    QTest::newRow("voltage above channel 1 limit") << "VOLT 31.5" << tooLarge;
    QTest::newRow("negative voltage") << "VOLT -1" << tooSmall;
    QTest::newRow("current above limit") << "APP:CURR N,N,3.2" << tooLarge;
    QTest::newRow("current not a number") << "Curr abc" << invalidValue;
    QTest::newRow("field neither N nor a number") << "APP:VOLT 1,x,2" << invalidValue;
    QTest::newRow("too few fields") << "APP:VOLT 1,2" << invalidValue;
    QTest::newRow("missing value") << "VOLT" << invalidValue;
    QTest::newRow("no such channel") << "INST:NSEL 4" << tooLarge;
    QTest::newRow("bad output state") << "OUTP maybe" << invalidValue;
    QTest::newRow("unknown command") << "FOO 1" << commandError;
}

void PsuSimTest::refusals()
{
    QFETCH(QString, command);
    QFETCH(QString, expected);

    Bench bench;
    QVERIFY(bench.port.isOpen());
    const QString reply = bench.set(command);
    QCOMPARE(reply, expected);
    QVERIFY(isRefusal(reply));
    QCOMPARE(ask(bench.port, settingsQuery), initialSettings);
}

void PsuSimTest::unknownQueryIsQueuedNotAnswered()
{
    Bench bench;
    QVERIFY(bench.port.isOpen());
    writeLine(bench.port, "BOGUS?");
    QCOMPARE(ask(bench.port, "SYST:ERR?"), commandError);
    QCOMPARE(ask(bench.port, "SYST:ERR?"), noError);
}

void PsuSimTest::measurements_data()
{
    QTest::addColumn<QStringList>("arguments");
    QTest::addColumn<QString>("controlLine");
    QTest::addColumn<QStringList>("commands");
    QTest::addColumn<QString>("volts");
    QTest::addColumn<QString>("amps");

    QTest::newRow("outputs off read zero")
        << QStringList() << QString() << QStringList{"APP:VOLT 5,5,5"} << "0.000,0.000,0.000"
        << "0.000,0.000,0.000";
    QTest::newRow("voltage regulated into default 10 ohms")
        << QStringList() << QString() << QStringList{"APP:VOLT 5,0,0", "OUTP 1"}
        << "5.000,0.000,0.000"
        << "0.500,0.000,0.000";
    QTest::newRow("current limited into 2 ohms")
        << QStringList{"--load", "2=2"} << QString()
        << QStringList{"INST:NSEL 2", "VOLT 5", "OUTP 1"} << "0.000,2.000,0.000"
        << "0.000,1.000,0.000";
    QTest::newRow("loads per channel")
        << QStringList{"--load", "1=5,3=100"} << QString()
        << QStringList{"APP:VOLT 2,2,2", "OUTP 1", "INST:NSEL 3", "OUTP 1"} << "2.000,0.000,2.000"
        << "0.400,0.000,0.020";
    QTest::newRow("load changed at run time")
        << QStringList() << "load 1 2.5" << QStringList{"APP:VOLT 2,0,0", "OUTP 1"}
        << "2.000,0.000,0.000"
        << "0.800,0.000,0.000";
}

void PsuSimTest::measurements()
{
    QFETCH(QStringList, arguments);
    QFETCH(QString, controlLine);
    QFETCH(QStringList, commands);
    QFETCH(QString, volts);
    QFETCH(QString, amps);

    Bench bench(arguments);
    QVERIFY(bench.port.isOpen());
    if (!controlLine.isEmpty())
        QVERIFY(bench.sim.control(controlLine));
    for (const QString& command : commands)
        QCOMPARE(bench.set(command), noError);
    QCOMPARE(ask(bench.port, "MEAS:ALL?"), volts);
    QCOMPARE(ask(bench.port, "MEAS:CURR:ALL?"), amps);
}

void PsuSimTest::refuseAnswersExactlyTheNextLines()
{
    Bench bench;
    QVERIFY(bench.port.isOpen());
    QVERIFY(bench.sim.control("refuse 2"));
    QCOMPARE(bench.set("APP:VOLT 1,1,1"), commandError);
    QCOMPARE(ask(bench.port, "*IDN?"), commandError);
    QCOMPARE(ask(bench.port, "*IDN?"), ::identity);
    QCOMPARE(bench.set("*CLS"), noError); // refusals leave nothing in the error queue
    QCOMPARE(ask(bench.port, settingsQuery), initialSettings);
}

void PsuSimTest::silenceIgnoresLines()
{
    Bench bench;
    QVERIFY(bench.port.isOpen());
    QVERIFY(bench.sim.control("silence 150"));
    // Wait past the end of the silence: the line stays unanswered instead of being answered late.
    QVERIFY(ask(bench.port, "APP:VOLT 1,1,1;:Syst:Err?", 300).isNull());
    QCOMPARE(ask(bench.port, settingsQuery), initialSettings);
}

void PsuSimTest::garbledReplyIsNoRefusal()
{
    Bench bench;
    QVERIFY(bench.port.isOpen());
    QVERIFY(bench.sim.control("garble 1"));
    const QString garbage = ask(bench.port, "*IDN?");
    QVERIFY(!garbage.isEmpty());
    QVERIFY(!isRefusal(garbage));
    QVERIFY(
        std::any_of(garbage.begin(), garbage.end(), [](QChar c) { return c.unicode() > 0x7f; }));
    QCOMPARE(ask(bench.port, "*IDN?"), ::identity);
}

void PsuSimTest::splitReplyArrivesInParts()
{
    Bench bench;
    QVERIFY(bench.port.isOpen());
    QVERIFY(bench.sim.control("split 3 40"));
    writeLine(bench.port, "*IDN?");
    const QByteArray expected = ::identity.toLatin1() + '\n';
    const QByteArrayList chunks = readChunks(bench.port, expected.size());
    QCOMPARE(chunks.join(), expected);
    QCOMPARE(chunks.size(), 3);
}

void PsuSimTest::sendWritesTwoLinesInOneChunk()
{
    Bench bench;
    QVERIFY(bench.port.isOpen());
    QVERIFY(bench.sim.control(R"(send 0.000,0.000,0.000\n1,2,3\n)"));
    const QByteArray expected("0.000,0.000,0.000\n1,2,3\n");
    QCOMPARE(readChunks(bench.port, expected.size()), QByteArrayList{expected});
}

void PsuSimTest::floodDoesNotStopService()
{
    // Far more than a terminal buffers, so the simulator has to wait for the reader.
    constexpr int floodBytes = 200000;
    Bench bench;
    QVERIFY(bench.port.isOpen());
    QVERIFY(bench.sim.control(QStringLiteral("flood %1").arg(floodBytes)));
    QCOMPARE(readChunks(bench.port, floodBytes).join(), QByteArray(floodBytes, 'X'));
    QCOMPARE(ask(bench.port, "*IDN?"), ::identity);
}

void PsuSimTest::pacing_data()
{
    QTest::addColumn<QStringList>("arguments");
    QTest::addColumn<int>("minimumMs");

    // "MEAS:ALL?\n" and "0.000,0.000,0.000\n" are 28 bytes, 29.2 ms at 9600 baud.
    QTest::newRow("9600 baud") << QStringList{"--baud", "9600"} << 29;
    QTest::newRow("reply delay") << QStringList{"--delay", "60"} << 60;
    QTest::newRow("delay and baud") << QStringList{"--delay", "40", "--baud", "9600"} << 69;
}

void PsuSimTest::pacing()
{
    QFETCH(QStringList, arguments);
    QFETCH(int, minimumMs);

    Bench bench(arguments);
    QVERIFY(bench.port.isOpen());
    QElapsedTimer elapsed;
    elapsed.start();
    QCOMPARE(ask(bench.port, "MEAS:ALL?"), "0.000,0.000,0.000");
    QVERIFY2(elapsed.elapsed() >= minimumMs, qPrintable(QString::number(elapsed.elapsed())));
}

void PsuSimTest::logRecordsReceivedLines()
{
    Bench bench;
    QVERIFY(bench.port.isOpen());
    QCOMPARE(ask(bench.port, "*IDN?\r"), ::identity);
    QCOMPARE(bench.set("VOLT 1"), noError);
    writeLine(bench.port, QStringLiteral("BAD\x01?"));
    QCOMPARE(ask(bench.port, "SYST:ERR?"), commandError);

    const QStringList expected{"*IDN?", "VOLT 1;:Syst:Err?", R"(BAD\x01?)", "SYST:ERR?"};
    QCOMPARE(bench.sim.receivedLines(), expected);
    const auto timed = bench.sim.receivedLinesWithTimes();
    QVERIFY(std::is_sorted(timed.begin(), timed.end(),
                           [](const auto& a, const auto& b) { return a.first < b.first; }));
    QVERIFY(timed.first().first > 0.0);
}

void PsuSimTest::reopenedPortKeepsWorking()
{
    Bench bench;
    QVERIFY(bench.port.isOpen());
    for (int attempt = 0; attempt < 3; ++attempt) {
        QCOMPARE(ask(bench.port, "*IDN?"), ::identity);
        bench.port.close();
        QVERIFY(openPort(bench.port, bench.sim.portName()));
    }
    QCOMPARE(ask(bench.port, "*IDN?"), ::identity);
}

void PsuSimTest::invalidControlLinesAreRejected_data()
{
    QTest::addColumn<QString>("line");

    QTest::newRow("unknown") << "explode";
    QTest::newRow("zero load") << "load 1 0";
    QTest::newRow("no such channel") << "load 4 10";
    QTest::newRow("no parts") << "split 0";
    QTest::newRow("negative baud") << "baud -1";
    QTest::newRow("delay not a number") << "delay soon";
    QTest::newRow("bad escape") << R"(send \q)";
    QTest::newRow("extra value") << "refuse 1 2";
}

void PsuSimTest::invalidControlLinesAreRejected()
{
    QFETCH(QString, line);

    SimProcess sim;
    QVERIFY(!sim.portName().isEmpty());
    QTest::ignoreMessage(QtWarningMsg, QRegularExpression("psu-sim control .* failed"));
    QVERIFY(!sim.control(line));
    QVERIFY(sim.control("refuse 0"));
}

void PsuSimTest::invalidOptionsExitWithUsageError_data()
{
    QTest::addColumn<QStringList>("arguments");

    QTest::newRow("unknown option") << QStringList{"--explode"};
    QTest::newRow("missing value") << QStringList{"--delay"};
    QTest::newRow("zero load") << QStringList{"--load", "1=0"};
    QTest::newRow("negative load") << QStringList{"--load", "2=10,3=-5"};
    QTest::newRow("malformed load") << QStringList{"--load", "1:10"};
    QTest::newRow("baud not a number") << QStringList{"--baud=fast"};
}

void PsuSimTest::invalidOptionsExitWithUsageError()
{
    QFETCH(QStringList, arguments);

    QProcess process;
    process.start(PSU_PROGRAM_DIR "/psu-sim", arguments);
    QVERIFY(process.waitForFinished(3000));
    QCOMPARE(process.exitStatus(), QProcess::NormalExit);
    QCOMPARE(process.exitCode(), 2);
    QVERIFY(process.readAllStandardOutput().isEmpty());
    QVERIFY(!process.readAllStandardError().isEmpty());
}

void PsuSimTest::survivesEndOfInputAndExitsCleanlyOnSignal_data()
{
    QTest::addColumn<int>("signalNumber");

    QTest::newRow("SIGTERM") << int(SIGTERM);
    QTest::newRow("SIGINT") << int(SIGINT);
}

void PsuSimTest::survivesEndOfInputAndExitsCleanlyOnSignal()
{
    QFETCH(int, signalNumber);

    QProcess process;
    process.start(PSU_PROGRAM_DIR "/psu-sim", QStringList());
    process.closeWriteChannel();
    QVERIFY(process.waitForReadyRead(3000));
    const QString portName = QString::fromUtf8(process.readLine()).trimmed();

    QSerialPort port;
    QVERIFY(openPort(port, portName));
    QCOMPARE(ask(port, "*IDN?"), ::identity);

    QCOMPARE(::kill(pid_t(process.processId()), signalNumber), 0);
    QVERIFY(process.waitForFinished(3000));
    QCOMPARE(process.exitStatus(), QProcess::NormalExit);
    QCOMPARE(process.exitCode(), 0);
}

QTEST_GUILESS_MAIN(PsuSimTest)
#include "tst_psusim.moc"
