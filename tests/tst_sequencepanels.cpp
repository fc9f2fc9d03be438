#include "ErrorReport.h"
#include "ScpiCommands.h"
#include "SequenceGrid.h"
#include "TForm_Main.h"
#include "support/FakeSerialPort.h"

#include <QLabel>
#include <QPushButton>
#include <QRadioButton>
#include <QSpinBox>
#include <QTabWidget>
#include <QTemporaryDir>
#include <QtTest>

namespace {

struct Window
{
    QTemporaryDir programDir;
    FakeSerialPort* port = new FakeSerialPort;
    TForm_Main window{programDir.path(), port};
    QStringList errors;

    Window()
    {
        ErrorReport::SetPresenter([this](const QString& text) { errors << text; });
        window.show();
    }
    template <typename T>
    T* find(const char* name) const
    {
        return window.findChild<T*>(QLatin1String(name));
    }
    void synchronise()
    {
        window.Pipeline().Start({Scpi::QueryChannel});
        port->receive("1\n");
    }
};

} // namespace

// The command panels of the three runners in the main window: which one shows, which are
// locked while another runs, and the program's pass counter.
class TestSequencePanels : public QObject
{
    Q_OBJECT
private Q_SLOTS:
    void panelFollowsPageOnceSynchronised();
    void aRunLocksTheOtherRunners();
    void passCounterLabel();
    void badTimeIsReportedAndNothingRuns();
};

void TestSequencePanels::panelFollowsPageOnceSynchronised()
{
    Window w;
    auto* pages = w.find<QTabWidget>("TeThemePageControl");
    auto* scan = w.find<QWidget>("Panel_ScanVoltageCommandPanel");
    auto* program = w.find<QWidget>("Panel_RunProgramPanel");
    auto* goNG = w.find<QWidget>("Panel_GoNGRun");
    pages->setCurrentIndex(1); // before the channel is known the scan panel stays
    QVERIFY(scan->isVisible() && !program->isVisible());
    w.synchronise();
    pages->setCurrentIndex(2);
    QVERIFY(!scan->isVisible() && !program->isVisible() && goNG->isVisible());
    pages->setCurrentIndex(1);
    QVERIFY(program->isVisible() && !goNG->isVisible());
}

void TestSequencePanels::aRunLocksTheOtherRunners()
{
    Window w;
    w.find<QPushButton>("TeThemeButton_VoltScanRun")->click();
    QVERIFY(w.window.SequenceRunning());
    QVERIFY(!w.find<QWidget>("Panel_RunProgramPanel")->isEnabled());
    QVERIFY(!w.find<QWidget>("Panel_GoNGRun")->isEnabled());
    QVERIFY(!w.find<QWidget>("AdvStringGrid_VoltScan")->isEnabled());
    QVERIFY(!w.find<QWidget>("TeThemeGroupBoxFastKey")->isEnabled());
    QVERIFY(!w.find<QPushButton>("TeThemeButton_VoltScanRun")->isEnabled());
    QCOMPARE(w.window.Pipeline().CommandQueue().last(), BuildAppVoltCommand("1", "1", "1"));

    w.find<QPushButton>("TeThemeButton_VoltScanStop")->click();
    QVERIFY(!w.window.SequenceRunning());
    QVERIFY(w.find<QWidget>("Panel_RunProgramPanel")->isEnabled());
    QVERIFY(w.find<QWidget>("Panel_GoNGRun")->isEnabled());
    QVERIFY(w.find<QWidget>("AdvStringGrid_VoltScan")->isEnabled());
    QVERIFY(w.find<QPushButton>("TeThemeButton_VoltScanRun")->isEnabled());
    QVERIFY(w.errors.isEmpty());
}

void TestSequencePanels::passCounterLabel()
{
    Window w;
    auto* label = w.find<QLabel>("Label_RunTimes");
    w.find<QPushButton>("TeThemeButton_RunPorgramRun")->click(); // Once: no counter
    QVERIFY(label->isHidden());
    QTRY_VERIFY_WITH_TIMEOUT(!w.window.SequenceRunning(), 3000);

    w.find<QRadioButton>("runCustom")->setChecked(true);
    QVERIFY(!w.find<QSpinBox>("TeThemeSpinEdit")->isHidden());
    w.find<QSpinBox>("TeThemeSpinEdit")->setValue(2);
    w.find<QPushButton>("TeThemeButton_RunPorgramRun")->click();
    QVERIFY(!label->isHidden());
    QCOMPARE(label->text(), QStringLiteral("Run Times:1"));
    QTRY_COMPARE_WITH_TIMEOUT(label->text(), QStringLiteral("Run Times:2"), 3000);
    QTRY_VERIFY_WITH_TIMEOUT(!w.window.SequenceRunning(), 3000);
    QCOMPARE(label->text(), QStringLiteral("Run Times:2")); // Stop leaves the label
}

void TestSequencePanels::badTimeIsReportedAndNothingRuns()
{
    Window w;
    w.find<SequenceGrid>("TeThemeStringGridGoNg")->setCell(6, 1, QStringLiteral("1.5"));
    w.window.Pipeline().Clear();
    w.find<QPushButton>("TeThemeButton_GoNGRun")->click();
    QCOMPARE(w.errors.size(), 1);
    QVERIFY(w.errors.first().contains(QStringLiteral("'1.5'")));
    QVERIFY(!w.window.GoNGRunning());
    QVERIFY(w.window.Pipeline().CommandQueue().isEmpty());
    QVERIFY(w.find<QPushButton>("TeThemeButton_GoNGRun")->isEnabled());
    QVERIFY(w.find<QWidget>("Panel_RunProgramPanel")->isEnabled());
}

QTEST_MAIN(TestSequencePanels)
#include "tst_sequencepanels.moc"
