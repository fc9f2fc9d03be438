#pragma once

#include "CommConfig.h"
#include "CommandPipeline.h"
#include "GoNGRunner.h"
#include "HotkeyController.h"
#include "ProgramRunner.h"
#include "StepRecords.h"
#include "TrendStore.h"
#include "VoltageScanRunner.h"

#include <QCoreApplication>
#include <QMainWindow>
#include <QVector>

#include <array>
#include <memory>

class ChannelPage;
class HotkeyPanel;
class LedIndicator;
class QGroupBox;
class QLabel;
class QTabWidget;
class QTextCodec;
class QToolButton;
class SequencePages;
class SerialPort;
class SevenSegmentReadout;
class StatusPanels;
class TForm_About;
class TForm_Config;
class TForm_FastKey;
class TForm_GoNGTable;
class TFormVAWindow;
class TLoadSource;
class TextTable;
class ToggleSwitch;
class TrendPlot;

// The main window. It owns the state of a run: the serial port, the command pipeline, the
// communication settings, the step lists, the trend data and the sequence runners, and it
// couples the link, the manual controls and the runners. It wires the parts together; their
// logic lives in them.
class TForm_Main : public QMainWindow, private PresetTarget
{
    Q_OBJECT
public:
    // `programDir` is the program's folder, which holds "Config.dat", the language files and
    // the result folder. Without `port` the window drives the system's serial port.
    explicit TForm_Main(const QString& programDir = QCoreApplication::applicationDirPath(),
                        SerialPort* port = nullptr, QWidget* parent = nullptr);
    ~TForm_Main() override;

    QString SettingsPath() const;

    void ConnectPort();
    void EnableControlGroups(bool enabled);
    void ApplyStepSizes();
    void ReadSettingsFile(const QString& path);
    void WriteSettingsFile(const QString& path);
    void DispatchReply(const QByteArray& line);
    void PlotReadings();
    void SaveGoNGResults();

    CommandPipeline& Pipeline() { return m_pipeline; }
    const TCommConfig& CommConfig() const { return m_commConfig; }
    const QVector<TProgramStep>& ProgramSteps() const { return m_programSteps; }
    const QVector<TGoNGStep>& GoNGSteps() const { return m_goNGSteps; }
    const TrendStore& Trend() const { return m_trend; }
    bool IsChannelSynced() const { return ChannelSynced; }
    // a voltage scan, program run or GO/NG run is active
    bool SequenceRunning() const;
    bool GoNGRunning() const { return m_goNG.isRunning(); }

protected:
    void showEvent(QShowEvent* event) override;
    void closeEvent(QCloseEvent* event) override;

private:
    // start, connection and close
    void FormCreate();
    void createWindows();
    void SetDefaults();
    void FormShow();
    void FormClose();
    void LoadCaptions(const TextTable& texts);
    void PowerComPortRxChar();
    void PowerComPortFailed(const QString& message);

    // reply dispatch
    void takeMeasured(PresetQuantity quantity, const std::array<double, 3>& values);
    void takeSetpoints(PresetQuantity quantity, const std::array<double, 3>& values);
    void takeSelectedChannel(int channel);

    // manual control
    void iKnobPositionChangeFinished(int channel, PresetQuantity quantity, double position);
    void iSwitchToggleRunChange(bool on);
    void TeThemePageControl1Change(int index);
    double setKnob(int channel, PresetQuantity quantity, double value) override;
    void showSetpoint(int channel, PresetQuantity quantity, double value) override;
    void appendCommand(const QByteArray& command) override;

    // toolbar
    void tbConfigClick();
    void tbSaveClick();
    void tbOpenClick();

    // sequences
    void TeThemePageControlChange();
    void TeThemeRadioGroupRunClick();
    void TeThemeButton_RunPorgramRunClick();
    void runnerStarted(SequenceRunner& runner);
    void runnerStopped(SequenceRunner& runner);
    void setRunnerControls(const SequenceRunner& active, bool running);
    void startRunner(const std::function<QString()>& run);

    // layout
    void buildLayout();
    QWidget* buildToolBar();
    QWidget* buildTrendPlots();
    QWidget* buildSummaryGroups();
    QTabWidget* buildChannelTabs();
    QGroupBox* buildOutputGroup();
    void connectLink();
    void connectControls();
    void connectSequences();

    QString m_programDir;
    std::unique_ptr<TLoadSource> m_texts;
    QTextCodec* m_codePage = nullptr; // of the settings files' texts

    // state of a run
    bool Closing = false;
    bool ChannelSynced = false;
    TCommConfig m_commConfig;
    QVector<TProgramStep> m_programSteps;
    QVector<TGoNGStep> m_goNGSteps;
    TrendStore m_trend;
    bool m_shownOnce = false;

    SerialPort* PowerComPort;
    CommandPipeline m_pipeline;

    // controls
    QToolButton* tbConfig = nullptr;
    QToolButton* tbSave = nullptr;
    QToolButton* tbOpen = nullptr;
    QToolButton* tbHelp = nullptr;
    TrendPlot* iPlotVoltage = nullptr;
    TrendPlot* iPlotCurrent = nullptr;
    std::array<QGroupBox*, 3> m_summaryGroups{};
    std::array<SevenSegmentReadout*, 3> m_measuredVoltage{}; // CH1_Voltage..CH3_Voltage
    std::array<SevenSegmentReadout*, 3> m_measuredCurrent{}; // CH1_Current..CH3_Current
    QTabWidget* TeThemePageControl1 = nullptr;
    std::array<ChannelPage*, 3> m_channelPages{};
    QGroupBox* TeThemeGroupBoxCtrl = nullptr;
    ToggleSwitch* iSwitchToggleRun = nullptr;
    QLabel* TeThemeLabelOutputOn = nullptr;
    QLabel* TeThemeLabelOutputOff = nullptr;
    QLabel* StaticTextPCCtrl = nullptr;
    LedIndicator* iLedRectangleRx = nullptr;
    LedIndicator* iLedRectangleTx = nullptr;
    HotkeyPanel* TeThemeGroupBoxFastKey = nullptr;
    SequencePages* m_pages = nullptr;
    StatusPanels* TeThemeStatusBar = nullptr;

    // the other windows, created once after this one
    TForm_FastKey* m_fastKeyDialog = nullptr;
    TForm_Config* m_configDialog = nullptr;
    TForm_About* m_aboutBox = nullptr;
    TForm_GoNGTable* m_goNGManager = nullptr;
    TFormVAWindow* m_plotWindow = nullptr;
    HotkeyController* m_hotkeys = nullptr;

    // sequence runners, reading the grids of the pages
    VoltageScanRunner m_scan;
    ProgramRunner m_program;
    GoNGRunner m_goNG;
};
