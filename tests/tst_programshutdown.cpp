#include "ByteImage.h"
#include "CommConfig.h"

#include <QDir>
#include <QProcess>
#include <QTemporaryDir>
#include <QtTest>

#include <csignal>

namespace {

// A copy of the program folder (without a settings file) in a temporary folder.
struct ProgramFolder
{
    ProgramFolder()
    {
        const QDir installed(QStringLiteral(PSU_PROGRAM_DIR));
        for (const QString& name : installed.entryList(QDir::Files))
            if (name != QLatin1String("Config.dat"))
                QFile::copy(installed.filePath(name), dir.filePath(name));
    }
    QString settingsPath() const { return dir.filePath(QStringLiteral("Config.dat")); }

    // starts the program, waits until it runs, sends `signalNumber`, waits for its end
    bool runAndSignal(int signalNumber)
    {
        QProcess process;
        QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
        environment.insert(QStringLiteral("QT_QPA_PLATFORM"), QStringLiteral("offscreen"));
        process.setProcessEnvironment(environment);
        process.start(dir.filePath(QStringLiteral("psu-control")), {});
        if (!process.waitForStarted())
            return false;
        QTest::qWait(1500); // up and connecting
        ::kill(static_cast<pid_t>(process.processId()), signalNumber);
        return process.waitForFinished(10000) && process.exitStatus() == QProcess::NormalExit &&
               process.exitCode() == 0;
    }

    QTemporaryDir dir;
};

QByteArray ReadFile(const QString& path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

// A settings file laid out by hand, field by field: the communication block, ten captions,
// the scan table, two program steps and three GO/NG steps.
QByteArray HandMadeSettings()
{
    ByteWriter out;
    out.putInt32(3);
    out.putFixedText("ttyNONE", 11);
    out.putZeros(1);
    for (double step : {0.5, 1.0, 0.05, 0.1, 0.2, 0.001})
        out.putDouble(step);
    for (int i = 1; i <= 10; ++i)
        out.putTerminatedText("1.5V/0.2A;" + QByteArray::number(i) + "V/1A;3.3V/0.5A", 100);
    const QByteArrayList scan = {"0", "5", "0.5", "2", "N", "", "", "2", "1", "3", "1", "2"};
    for (const QByteArray& cell : scan)
        out.putTerminatedText(cell, 100);
    out.putInt32(2);
    for (int step = 0; step < 2; ++step) {
        for (const char* text : {"5", "1", "N", "N", "3.3", "0.5"})
            out.putFixedText(QByteArray(text) + QByteArray::number(step), 10);
        out.putZeros(4);
        out.putDouble(2 + step);
    }
    out.putInt32(3);
    for (int step = 0; step < 3; ++step) {
        for (const char* text : {"5", "1", "0.2", "12", "N", "0", "1", "0.1", "0"})
            out.putFixedText(text, 10);
        out.putZeros(6);
        out.putDouble(1 + step);
    }
    return out.bytes();
}

} // namespace

// The installed program, started from a copy of the program folder, closes through its normal
// close sequence on SIGTERM and SIGINT and leaves its settings file behind.
class TestProgramShutdown : public QObject
{
    Q_OBJECT
private Q_SLOTS:
    void signalWritesSettings_data();
    void signalWritesSettings();
    void settingsSurviveARun();
};

void TestProgramShutdown::signalWritesSettings_data()
{
    QTest::addColumn<int>("signalNumber");
    QTest::newRow("SIGTERM") << int(SIGTERM);
    QTest::newRow("SIGINT") << int(SIGINT);
}

void TestProgramShutdown::signalWritesSettings()
{
    QFETCH(int, signalNumber);
    ProgramFolder folder;
    QVERIFY(folder.runAndSignal(signalNumber));
    const QByteArray bytes = ReadFile(folder.settingsPath());
    QCOMPARE(bytes.size(), 2448);
    QCOMPARE(bytes.left(TCommConfig::ImageSize), TCommConfig().toImage());
    QCOMPARE(bytes.left(24), QByteArray::fromHex("01000000" "434F4D31" "0000000000000000"
                                                 "7B14AE47E17A843F"));
}

void TestProgramShutdown::settingsSurviveARun()
{
    ProgramFolder folder;
    const QByteArray settings = HandMadeSettings();
    QFile file(folder.settingsPath());
    QVERIFY(file.open(QIODevice::WriteOnly));
    file.write(settings);
    file.close();
    QVERIFY(folder.runAndSignal(SIGTERM));
    QCOMPARE(ReadFile(folder.settingsPath()).toHex(), settings.toHex());
}

QTEST_GUILESS_MAIN(TestProgramShutdown)
#include "tst_programshutdown.moc"
