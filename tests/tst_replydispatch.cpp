#include "ErrorReport.h"
#include "ScpiCommands.h"
#include "SetpointKnob.h"
#include "SevenSegmentReadout.h"
#include "StatusPanels.h"
#include "TForm_Main.h"
#include "ToggleSwitch.h"
#include "support/FakeSerialPort.h"

#include <QLabel>
#include <QTabWidget>
#include <QTemporaryDir>
#include <QtTest>

namespace {

// The real main window on a fake port: a command is put in flight, the test answers it.
struct Window
{
    QTemporaryDir programDir;
    FakeSerialPort* port = new FakeSerialPort;
    TForm_Main window{programDir.path(), port};

    // answers `command` with `reply` and returns what the window queued after it
    QByteArrayList answer(const QByteArray& command, const QByteArray& reply)
    {
        window.Pipeline().Start({command, "next\n"});
        port->receive(reply + '\n');
        return window.Pipeline().CommandQueue(); // "next" in flight, then what was appended
    }
    template <typename T>
    T* find(const QString& name) const
    {
        return window.findChild<T*>(name);
    }
    double readout(const QString& name) const { return find<SevenSegmentReadout>(name)->value(); }
    double knob(const QString& name) const { return find<SetpointKnob>(name)->position(); }
};

} // namespace

// What each reply does to the main window's controls.
class TestReplyDispatch : public QObject
{
    Q_OBJECT
private Q_SLOTS:
    void initTestCase()
    {
        ErrorReport::SetPresenter([](const QString& text) { QFAIL(qPrintable(text)); });
    }
    void identityShowsModel();
    void measuredValuesFillBothReadoutsAndPlot();
    void setpointsMoveKnobsWithinTheirRange();
    void outputEchoesOnlyAChange_data();
    void outputEchoesOnlyAChange();
    void selectedChannel_data();
    void selectedChannel();
    void refusalChangesNothing();
};

void TestReplyDispatch::identityShowsModel()
{
    Window w;
    w.answer(Scpi::Identify, "A,B5837C,1,1.0");
    QCOMPARE(w.find<StatusPanels>("TeThemeStatusBar")->panelText(0), QStringLiteral("Power Type:4720"));
    QVERIFY(w.find<StatusPanels>("TeThemeStatusBar")->panelText(2).startsWith("Communication Status"));
}

void TestReplyDispatch::measuredValuesFillBothReadoutsAndPlot()
{
    Window w;
    QCOMPARE(w.answer(Scpi::MeasureVoltages, "12.000,5.500,3.300"), QByteArrayList{"next\n"});
    const double volts[] = {12, 5.5, 3.3};
    for (int channel = 1; channel <= 3; ++channel) {
        QCOMPARE(w.readout(QStringLiteral("CH%1_Voltage").arg(channel)), volts[channel - 1]);
        QCOMPARE(w.readout(QStringLiteral("iSevenSegmentAnalogVoltage_%1").arg(channel)),
                 volts[channel - 1]);
        QCOMPARE(w.readout(QStringLiteral("CH%1_Current").arg(channel)), 0.0);
    }
    QCOMPARE(w.window.Trend().rowCount(), 1);
    w.answer(Scpi::MeasureCurrents, "0.1234567,1,2");
    QCOMPARE(w.readout("CH1_Current"), 0.123456); // as parsed, not rounded to the display
    QCOMPARE(w.readout("iSevenSegmentAnalogCurrent_3"), 2.0);
    QCOMPARE(w.window.Trend().rowCount(), 2);
}

void TestReplyDispatch::setpointsMoveKnobsWithinTheirRange()
{
    Window w;
    QCOMPARE(w.answer(Scpi::QueryVoltageSetpoints, "40.000,2.25,9"), QByteArrayList{"next\n"});
    QCOMPARE(w.readout("iSevenSegmentAnalogPresetV_1"), 40.0);
    QCOMPARE(w.knob("iKnobVoltage_1"), 31.0);
    QCOMPARE(w.knob("iKnobVoltage_2"), 2.25);
    QCOMPARE(w.knob("iKnobVoltage_3"), 6.0);
    w.answer(Scpi::QueryCurrentSetpoints, "1.5,0.125,4");
    QCOMPARE(w.knob("iKnobCurrent_2"), 0.125);
    QCOMPARE(w.knob("iKnobCurrent_3"), 3.1);
    QCOMPARE(w.readout("iSevenSegmentAnalogPresetA_3"), 4.0);
}

void TestReplyDispatch::outputEchoesOnlyAChange_data()
{
    QTest::addColumn<bool>("switchOn");
    QTest::addColumn<QByteArray>("reply");
    QTest::addColumn<bool>("nowOn");
    QTest::addColumn<QByteArrayList>("queued");
    QTest::newRow("off, reply 1") << false << QByteArray("1") << true
                                  << QByteArrayList{"next\n", "OUTP 1;:Syst:Err?\n"};
    QTest::newRow("on, reply 1") << true << QByteArray("1") << true << QByteArrayList{"next\n"};
    QTest::newRow("on, reply 0") << true << QByteArray("0") << false
                                 << QByteArrayList{"next\n", "OUTP 0;:Syst:Err?\n"};
    QTest::newRow("off, reply X") << false << QByteArray("X") << false << QByteArrayList{"next\n"};
}

void TestReplyDispatch::outputEchoesOnlyAChange()
{
    QFETCH(bool, switchOn);
    QFETCH(QByteArray, reply);
    QFETCH(bool, nowOn);
    QFETCH(QByteArrayList, queued);
    Window w;
    auto* outputSwitch = w.find<ToggleSwitch>("iSwitchToggleRun");
    outputSwitch->setChecked(switchOn);
    w.window.Pipeline().Clear();
    QCOMPARE(w.answer(Scpi::QueryOutput, reply), queued);
    QCOMPARE(outputSwitch->isChecked(), nowOn);
}

void TestReplyDispatch::selectedChannel_data()
{
    QTest::addColumn<QByteArray>("reply");
    QTest::addColumn<int>("channel");
    QTest::newRow("1") << QByteArray("1") << 1;
    QTest::newRow("2") << QByteArray("2") << 2;
    QTest::newRow("3") << QByteArray("3") << 3;
    QTest::newRow("X") << QByteArray("X") << 3;
}

void TestReplyDispatch::selectedChannel()
{
    QFETCH(QByteArray, reply);
    QFETCH(int, channel);
    Window w;
    auto* tabs = w.find<QTabWidget>("TeThemePageControl1");
    QVERIFY(!w.window.IsChannelSynced());
    // before synchronisation the tabs may be changed freely, without any command
    tabs->setCurrentIndex(1);
    QCOMPARE(w.answer(Scpi::QueryChannel, reply), QByteArrayList{"next\n"});
    QVERIFY(w.window.IsChannelSynced());
    QCOMPARE(tabs->currentIndex(), channel - 1);
    QCOMPARE(w.find<QLabel>("TeThemeLabelOutputOn")->text(),
             QStringLiteral("Channel %1 Output On").arg(channel));
    QCOMPARE(w.find<QLabel>("TeThemeLabelOutputOff")->text(),
             QStringLiteral("Channel %1 Output Off").arg(channel));

    // later replies only relabel; the operator's tab change sends the channel commands
    w.answer(Scpi::QueryChannel, "1");
    QCOMPARE(tabs->currentIndex(), channel - 1);
    w.window.Pipeline().Clear();
    tabs->setCurrentIndex(channel % 3);
    QCOMPARE(w.window.Pipeline().CommandQueue(),
             (QByteArrayList{BuildChannelCommand(channel % 3 + 1), Scpi::QueryOutput,
                             Scpi::QueryChannel}));
}

void TestReplyDispatch::refusalChangesNothing()
{
    Window w;
    const QString before = w.find<StatusPanels>("TeThemeStatusBar")->panelText(2);
    w.window.Pipeline().Start({Scpi::QueryVoltageSetpoints});
    w.port->receive("-100,\"Command error\"\n");
    QCOMPARE(w.port->written, (QByteArrayList{Scpi::QueryVoltageSetpoints, Scpi::QueryVoltageSetpoints}));
    QCOMPARE(w.find<StatusPanels>("TeThemeStatusBar")->panelText(2), before);
    QCOMPARE(w.readout("iSevenSegmentAnalogPresetV_1"), 0.0);
}

QTEST_MAIN(TestReplyDispatch)
#include "tst_replydispatch.moc"
