#include "CommConfig.h"
#include "SettingsFile.h"
#include "StepRecords.h"

#include <QTemporaryDir>
#include <QtTest>

namespace {

QByteArray Hex(const char* hex)
{
    return QByteArray::fromHex(hex);
}

} // namespace

// The fixed binary layouts of the settings block, the step records and the settings container.
class TestSettingsImage : public QObject
{
    Q_OBJECT
private Q_SLOTS:
    void defaultCommBlockBytes();
    void portNameOfElevenCharacters();
    void baudRateIndex_data();
    void baudRateIndex();
    void defaultStepRecordBytes();
    void containerSizesAndOffsets();
    void blockTest_data();
    void blockTest();
    void damagedFiles_data();
    void damagedFiles();
    void writeReplacesWholeFileAndReportsFailure();
};

void TestSettingsImage::defaultCommBlockBytes()
{
    const QByteArray image = TCommConfig().toImage();
    QCOMPARE(image.size(), 64);
    QCOMPARE(image.left(24), Hex("01000000" "434F4D31" "0000000000000000" "7B14AE47E17A843F"));
    for (int offset = 24; offset < 64; offset += 8)
        QCOMPARE(image.mid(offset, 8), Hex("7B14AE47E17A843F"));
    QCOMPARE(TCommConfig::fromImage(image), TCommConfig());
}

void TestSettingsImage::portNameOfElevenCharacters()
{
    TCommConfig config;
    config.setPortName(QStringLiteral("ttyUSB12345678")); // cut to 11 characters
    const QByteArray image = config.toImage();
    QCOMPARE(image.mid(4, 12), QByteArray("ttyUSB12345") + '\0');
    const TCommConfig readBack = TCommConfig::fromImage(image);
    QCOMPARE(readBack.portNameText(), QStringLiteral("ttyUSB12345"));

    QByteArray noFiller = image;
    noFiller[15] = 'Z'; // the filler byte carries nothing
    QCOMPARE(TCommConfig::fromImage(noFiller).portNameText(), QStringLiteral("ttyUSB12345"));
}

void TestSettingsImage::baudRateIndex_data()
{
    QTest::addColumn<int>("index");
    QTest::addColumn<int>("baudRate"); // 0: keep the port's rate
    QTest::newRow("0") << 0 << 4800;
    QTest::newRow("1") << 1 << 9600;
    QTest::newRow("2") << 2 << 19200;
    QTest::newRow("3") << 3 << 38400;
    QTest::newRow("7") << 7 << 0;
    QTest::newRow("-1") << -1 << 0;
}

void TestSettingsImage::baudRateIndex()
{
    QFETCH(int, index);
    QFETCH(int, baudRate);
    QCOMPARE(BaudRateForIndex(index).value_or(0), baudRate);
}

void TestSettingsImage::defaultStepRecordBytes()
{
    const QByteArray one = QByteArray("1") + QByteArray(9, '\0');
    const QByteArray zero = QByteArray("0") + QByteArray(9, '\0');
    const QByteArray time = Hex("000000000000F03F");

    const QByteArray program = TProgramStep().toImage();
    QCOMPARE(program, one.repeated(6) + QByteArray(4, '\0') + time);

    const QByteArray goNG = TGoNGStep().toImage();
    QCOMPARE(goNG, (one + one + zero).repeated(3) + QByteArray(6, '\0') + time);

    // a foreign record with ten characters and filler noise reads and writes back whole
    QByteArray foreign = program;
    foreign.replace(10, 10, "0123456789");
    foreign.replace(60, 4, "\xAA\xBB\xCC\xDD");
    const TProgramStep step = TProgramStep::fromImage(foreign);
    QCOMPARE(step.Current[0], QByteArray("0123456789"));
    QCOMPARE(step.toImage().left(60), foreign.left(60));
}

void TestSettingsImage::containerSizesAndOffsets()
{
    SettingsImage image = DefaultSettingsImage();
    QCOMPARE(EncodeSettings(image).size(), 2448);
    image.comm.reset();
    image.programSteps.append(TProgramStep());
    image.goNGSteps.append({TGoNGStep(), TGoNGStep()});
    const QByteArray bytes = EncodeSettings(image);
    QCOMPARE(bytes.size(), 2208 + 72 * 2 + 104 * 3);
    QCOMPARE(bytes.left(18), QByteArray("0V/0A;0V/0A;0V/0A") + '\0');
    QCOMPARE(bytes.mid(2200, 4), Hex("02000000"));

    const DecodedSettings decoded = DecodeSettings(bytes, false);
    QVERIFY(decoded.complete);
    QCOMPARE(decoded.image.hotkeyCaptions, image.hotkeyCaptions);
    QCOMPARE(decoded.image.scanCells, image.scanCells);
    QCOMPARE(decoded.image.programSteps, image.programSteps);
    QCOMPARE(decoded.image.goNGSteps, image.goNGSteps);

    QByteArray fullSlot = bytes;
    fullSlot.replace(0, 100, QByteArray(100, 'A')); // no terminator in the slot
    QCOMPARE(DecodeSettings(fullSlot, false).image.hotkeyCaptions.first(), QByteArray(100, 'A'));
}

void TestSettingsImage::blockTest_data()
{
    QTest::addColumn<QString>("path");
    QTest::addColumn<bool>("hasBlock");
    QTest::newRow("settings file") << "/opt/psu/Config.dat" << true;
    QTest::newRow("parameter file") << "/home/op/Lab1.PAR" << false;
    QTest::newRow("mixed case") << "/home/op/Lab1.Par" << false;
    QTest::newRow("folder") << "/home/op/My.Params/Config.dat" << false;
}

void TestSettingsImage::blockTest()
{
    QFETCH(QString, path);
    QFETCH(bool, hasBlock);
    QCOMPARE(PathHasCommBlock(path), hasBlock);
}

void TestSettingsImage::damagedFiles_data()
{
    QTest::addColumn<QByteArray>("bytes");
    QTest::addColumn<bool>("complete");
    QTest::addColumn<int>("captions");
    QTest::addColumn<int>("programSteps");
    QTest::addColumn<int>("goNGSteps");

    const QByteArray good = EncodeSettings(DefaultSettingsImage());
    QTest::newRow("intact") << good << true << 10 << 1 << 1;
    QTest::newRow("empty") << QByteArray() << false << 0 << 0 << 0;
    QTest::newRow("ends in captions") << good.left(64 + 350) << false << 3 << 0 << 0;
    QTest::newRow("ends in first GO/NG record") << good.left(good.size() - 1) << false << 10 << 1
                                                << 0;
    QByteArray absurd = good;
    absurd.replace(2264, 4, Hex("FFFFFF7F")); // 2^31 - 1 program steps announced
    QTest::newRow("absurd count") << absurd << false << 10 << 2 << 0;
    QByteArray negative = good.left(2264) + Hex("F6FFFFFF") + good.mid(2268 + 72);
    QTest::newRow("negative count") << negative << true << 10 << 0 << 1;
    QByteArray zero = good.left(2264) + Hex("00000000") + good.mid(2268 + 72);
    QTest::newRow("zero count") << zero << true << 10 << 0 << 1;
}

void TestSettingsImage::damagedFiles()
{
    QFETCH(QByteArray, bytes);
    QFETCH(bool, complete);
    QFETCH(int, captions);
    QFETCH(int, programSteps);
    QFETCH(int, goNGSteps);
    const DecodedSettings decoded = DecodeSettings(bytes, true);
    QCOMPARE(decoded.complete, complete);
    QCOMPARE(decoded.image.hotkeyCaptions.size(), captions);
    QCOMPARE(decoded.image.programSteps.size(), programSteps);
    QCOMPARE(decoded.image.goNGSteps.size(), goNGSteps);
}

void TestSettingsImage::writeReplacesWholeFileAndReportsFailure()
{
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("Config.dat"));
    QFile old(path);
    QVERIFY(old.open(QIODevice::WriteOnly));
    old.write(QByteArray(5000, 'x'));
    old.close();
    QCOMPARE(WriteSettingsImage(path, DefaultSettingsImage()), QString());
    const SettingsReadResult read = ReadSettingsImage(path);
    QCOMPARE(read.status, SettingsReadResult::Read);
    QVERIFY(read.settings.complete);
    QCOMPARE(QFileInfo(path).size(), 2448);

    const QString unwritable = dir.filePath(QStringLiteral("missing/Config.dat"));
    const QString error = WriteSettingsImage(unwritable, DefaultSettingsImage());
    QVERIFY(error.contains(unwritable));
    QCOMPARE(ReadSettingsImage(unwritable).status, SettingsReadResult::Missing);
}

QTEST_GUILESS_MAIN(TestSettingsImage)
#include "tst_settingsimage.moc"
