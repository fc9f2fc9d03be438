#include "ErrorReport.h"
#include "SequenceGrid.h"
#include "SettingsFile.h"
#include "TForm_Config.h"
#include "TForm_Main.h"
#include "support/FakeSerialPort.h"

#include <QComboBox>
#include <QDoubleSpinBox>
#include <QTemporaryDir>
#include <QtTest>

namespace {

QByteArray ReadFile(const QString& path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

void WriteFile(const QString& path, const QByteArray& bytes)
{
    QFile file(path);
    QVERIFY(file.open(QIODevice::WriteOnly));
    file.write(bytes);
}

} // namespace

// Parameter files and the configuration dialog, through the main window that owns the settings.
class TestSettingsFiles : public QObject
{
    Q_OBJECT
private Q_SLOTS:
    void initTestCase()
    {
        ErrorReport::SetPresenter([this](const QString& text) { errors << text; });
    }
    void init() { errors.clear(); }

    void parameterFileName_data();
    void parameterFileName();
    void parameterFileLeavesOutCommunication();
    void openingParameterFileKeepsPortAndSteps();
    void folderNamedParLikeReadsWithoutBlock();
    void damagedFileLoadsWhatIsCompleteAndSaysSo();
    void configDialogShowsAndEditsSettings();
    void configDialogIgnoresEmptyPort();

private:
    QStringList errors;
};

void TestSettingsFiles::parameterFileName_data()
{
    QTest::addColumn<QString>("chosen");
    QTest::addColumn<QString>("path");
    QTest::newRow("plain") << "/sets/Lab1" << "/sets/Lab1.PAR";
    QTest::newRow("capitals kept") << "/sets/Lab1.PAR" << "/sets/Lab1.PAR";
    QTest::newRow("mixed case gets another") << "/sets/Lab1.Par" << "/sets/Lab1.Par.PAR";
}

void TestSettingsFiles::parameterFileName()
{
    QFETCH(QString, chosen);
    QFETCH(QString, path);
    QCOMPARE(ParameterFilePath(chosen), path);
}

void TestSettingsFiles::parameterFileLeavesOutCommunication()
{
    QTemporaryDir dir;
    TForm_Main window(dir.path(), new FakeSerialPort);
    const QString path = dir.filePath(QStringLiteral("Lab1.PAR"));
    window.WriteSettingsFile(path);
    const QByteArray bytes = ReadFile(path);
    QCOMPARE(bytes.size(), 2208 + 72 * 1 + 104 * 1);
    QCOMPARE(bytes.left(18), QByteArray("0V/0A;0V/0A;0V/0A") + '\0');
    QVERIFY(errors.isEmpty());
}

void TestSettingsFiles::openingParameterFileKeepsPortAndSteps()
{
    QTemporaryDir dir;
    SettingsImage settings = DefaultSettingsImage();
    settings.comm->setPortName(QStringLiteral("ttyUSB3"));
    settings.comm->VoltageKeyPageStep = 0.5;
    QVERIFY(WriteSettingsImage(dir.filePath("Config.dat"), settings).isEmpty());
    TForm_Main window(dir.path(), new FakeSerialPort);
    QCOMPARE(window.CommConfig().portNameText(), QStringLiteral("ttyUSB3"));

    SettingsImage parameters = DefaultSettingsImage();
    parameters.comm.reset();
    parameters.programSteps = {TProgramStep(), TProgramStep()};
    parameters.programSteps[1].Voltage[2] = "12";
    QVERIFY(WriteSettingsImage(dir.filePath("Lab1.PAR"), parameters).isEmpty());
    window.ReadSettingsFile(dir.filePath("Lab1.PAR"));
    QCOMPARE(window.CommConfig().portNameText(), QStringLiteral("ttyUSB3"));
    QCOMPARE(window.CommConfig().VoltageKeyPageStep, 0.5);
    QCOMPARE(window.ProgramSteps().size(), 2);
    auto* grid = window.findChild<SequenceGrid*>(QStringLiteral("TeThemeStringGridList"));
    QCOMPARE(grid->cell(2, 6), QStringLiteral("12"));
    QVERIFY(errors.isEmpty());
}

void TestSettingsFiles::folderNamedParLikeReadsWithoutBlock()
{
    QTemporaryDir dir;
    QVERIFY(QDir(dir.path()).mkdir(QStringLiteral("My.Params")));
    const QString programDir = dir.filePath(QStringLiteral("My.Params"));
    {
        TForm_Main window(programDir, new FakeSerialPort);
        window.WriteSettingsFile(window.SettingsPath());
    }
    QCOMPARE(ReadFile(QDir(programDir).filePath("Config.dat")).size(), 2208 + 72 + 104);
    TForm_Main again(programDir, new FakeSerialPort);
    QVERIFY(errors.isEmpty());
}

void TestSettingsFiles::damagedFileLoadsWhatIsCompleteAndSaysSo()
{
    QTemporaryDir dir;
    SettingsImage settings = DefaultSettingsImage();
    settings.hotkeyCaptions[0] = "1V/1A;1V/1A;1V/1A";
    settings.programSteps = {TProgramStep(), TProgramStep(), TProgramStep()};
    const QByteArray bytes = EncodeSettings(settings);
    WriteFile(dir.filePath("Config.dat"), bytes.left(2268 + 72 + 10)); // ends in step 2
    TForm_Main window(dir.path(), new FakeSerialPort);
    QCOMPARE(errors.size(), 1);
    QVERIFY(errors.first().contains(QStringLiteral("incomplete")));
    QCOMPARE(window.ProgramSteps().size(), 1);
    QCOMPARE(window.GoNGSteps().size(), 1); // the default stays
}

void TestSettingsFiles::configDialogShowsAndEditsSettings()
{
    TForm_Config dialog;
    TCommConfig config;
    dialog.Load(config, {QStringLiteral("ttyS1"), QStringLiteral("ttyUSB0")});
    auto* baud = dialog.findChild<QComboBox*>(QStringLiteral("TeThemeComboBoxRaudRate"));
    auto* port = dialog.findChild<QComboBox*>(QStringLiteral("TeThemeComboBoxComm"));
    QCOMPARE(baud->currentText(), QStringLiteral("9600"));
    QCOMPARE(port->currentText(), QStringLiteral("COM1"));
    QCOMPARE(port->count(), 2);
    for (QDoubleSpinBox* entry : dialog.findChildren<QDoubleSpinBox*>())
        QCOMPARE(entry->value(), 0.01);

    baud->setCurrentIndex(3);
    port->setEditText(QStringLiteral("ttyUSB0123456789"));
    dialog.findChild<QDoubleSpinBox*>(QStringLiteral("iAnalogOutputKP1"))->setValue(-0.5);
    const std::optional<TCommConfig> edited = dialog.Result(config);
    QVERIFY(edited);
    QCOMPARE(edited->BaudRateIndex, 3);
    QCOMPARE(edited->portNameText(), QStringLiteral("ttyUSB01234"));
    QCOMPARE(edited->VoltageKeyPageStep, -0.5);

    config.BaudRateIndex = 7; // from a settings file: no item selected, the index stays
    dialog.Load(config, {});
    QCOMPARE(dialog.Result(config)->BaudRateIndex, 7);
}

void TestSettingsFiles::configDialogIgnoresEmptyPort()
{
    TForm_Config dialog;
    dialog.Load(TCommConfig(), {});
    dialog.findChild<QComboBox*>(QStringLiteral("TeThemeComboBoxComm"))->setEditText(QString());
    QVERIFY(!dialog.Result(TCommConfig()));
}

QTEST_MAIN(TestSettingsFiles)
#include "tst_settingsfiles.moc"
