#include "ErrorReport.h"
#include "SettingsFile.h"
#include "SetpointKnob.h"
#include "SevenSegmentReadout.h"
#include "StatusPanels.h"
#include "TForm_Main.h"
#include "ToggleSwitch.h"
#include "support/SimProcess.h"

#include <QAbstractButton>
#include <QTabWidget>
#include <QTemporaryDir>
#include <QtTest>

// The operator's controls of the real main window against the simulator: read-outs after
// start, a preset click, knob gestures by wheel and key, and the output switch.
class TestManualControl : public QObject
{
    Q_OBJECT
private Q_SLOTS:
    void initTestCase()
    {
        ErrorReport::SetPresenter([](const QString& text) { QFAIL(qPrintable(text)); });
    }
    void controlsDriveTheInstrument();
};

void TestManualControl::controlsDriveTheInstrument()
{
    SimProcess sim({QStringLiteral("--load"), QStringLiteral("1=10,2=10,3=10")});
    QTemporaryDir programDir;
    SettingsImage settings = DefaultSettingsImage(); // step sizes 0.01 everywhere
    settings.comm->setPortName(sim.portName());
    settings.hotkeyCaptions[0] = "5V/1A;2V/0.5A;1V/0.1A";
    QVERIFY(WriteSettingsImage(programDir.filePath("Config.dat"), settings).isEmpty());
    TForm_Main window(programDir.path());
    window.show();
    const auto readout = [&](const char* name) {
        return window.findChild<SevenSegmentReadout*>(QLatin1String(name))->value();
    };
    auto* knob = window.findChild<SetpointKnob*>(QStringLiteral("iKnobVoltage_1"));
    QTRY_VERIFY_WITH_TIMEOUT(window.IsChannelSynced(), 5000);
    QTRY_VERIFY(window.findChild<QTabWidget*>(QStringLiteral("TeThemePageControl1"))->isEnabled());

    // after start: the simulator's model, set-points and measured values
    QCOMPARE(window.findChild<StatusPanels*>()->panelText(0), QStringLiteral("Power Type:4720"));
    QTRY_COMPARE(readout("iSevenSegmentAnalogPresetA_2"), 1.0);
    QCOMPARE(window.findChild<SetpointKnob*>(QStringLiteral("iKnobCurrent_2"))->position(), 1.0);
    QCOMPARE(readout("CH1_Voltage"), 0.0);

    // a left click on a preset: two three-channel commands, knobs at the preset's values
    QTest::mouseClick(window.findChild<QAbstractButton*>(QStringLiteral("tbFastKey1")),
                      Qt::LeftButton);
    QCOMPARE(knob->position(), 5.0);
    QTRY_VERIFY(sim.receivedLines().contains("APP:CURR 1,0.5,0.1;:Syst:Err?"));
    const int preset = sim.receivedLines().indexOf("APP:VOLT 5,2,1;:Syst:Err?");
    QVERIFY(preset > 0);
    QCOMPARE(sim.receivedLines().at(preset + 1), QStringLiteral("APP:CURR 1,0.5,0.1;:Syst:Err?"));

    // one wheel notch, then an arrow key: one command each, with the knob's new position
    knob->setFocus();
    QWheelEvent notch(QPointF(40, 40), QPointF(knob->mapToGlobal(QPoint(40, 40))), QPoint(),
                      QPoint(0, 120), Qt::NoButton, Qt::NoModifier, Qt::NoScrollPhase, false);
    QApplication::sendEvent(knob, &notch);
    QCOMPARE(readout("iSevenSegmentAnalogPresetV_1"), 5.01);
    QTRY_VERIFY(sim.receivedLines().contains("VOLT 5.01;:Syst:Err?"));
    QTest::keyClick(knob, Qt::Key_Up);
    QTRY_VERIFY(sim.receivedLines().contains("VOLT 5.02;:Syst:Err?"));

    // the output switch turns channel 1 on: the simulator's set-point shows in the read-out
    QTest::mouseClick(window.findChild<ToggleSwitch*>(QStringLiteral("iSwitchToggleRun")),
                      Qt::LeftButton);
    QTRY_VERIFY(sim.receivedLines().contains("OUTP 1;:Syst:Err?"));
    QTRY_COMPARE(readout("CH1_Voltage"), 5.02);
    QTRY_COMPARE(readout("CH1_Current"), 0.502);
    QCOMPARE(readout("iSevenSegmentAnalogVoltage_1"), 5.02);
}

QTEST_MAIN(TestManualControl)
#include "tst_manualcontrol.moc"
