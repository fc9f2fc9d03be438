#include "CommConfig.h"

#include <QProcess>
#include <QTemporaryDir>
#include <QtTest>

#include <csignal>

// The installed program, started from a copy of the program folder, closes through its normal
// close sequence on SIGTERM and SIGINT and leaves its settings file behind.
class TestProgramShutdown : public QObject
{
    Q_OBJECT
private Q_SLOTS:
    void signalWritesSettings_data();
    void signalWritesSettings();
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
    QTemporaryDir programDir;
    const QString program = programDir.filePath(QStringLiteral("psu-control"));
    QVERIFY(QFile::copy(QStringLiteral(PSU_PROGRAM_DIR "/psu-control"), program));
    const QString settingsPath = programDir.filePath(QStringLiteral("Config.dat"));

    QProcess process;
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    environment.insert(QStringLiteral("QT_QPA_PLATFORM"), QStringLiteral("offscreen"));
    process.setProcessEnvironment(environment);
    process.start(program, {});
    QVERIFY(process.waitForStarted());
    QTest::qWait(1500); // up and connecting
    QVERIFY(!QFile::exists(settingsPath));

    ::kill(static_cast<pid_t>(process.processId()), signalNumber);
    QVERIFY(process.waitForFinished(10000));
    QCOMPARE(process.exitStatus(), QProcess::NormalExit);
    QCOMPARE(process.exitCode(), 0);

    QFile settings(settingsPath);
    QVERIFY(settings.open(QIODevice::ReadOnly));
    const QByteArray bytes = settings.readAll();
    QCOMPARE(bytes.size(), 2448);
    QCOMPARE(bytes.left(TCommConfig::ImageSize), TCommConfig().toImage());
    QCOMPARE(bytes.left(24), QByteArray::fromHex("01000000" "434F4D31" "0000000000000000"
                                                 "7B14AE47E17A843F"));
}

QTEST_GUILESS_MAIN(TestProgramShutdown)
#include "tst_programshutdown.moc"
