#pragma once

#include "CommConfig.h"
#include "CommandPipeline.h"
#include "GoNGRunner.h"
#include "ProgramRunner.h"
#include "StepRecords.h"
#include "VoltageScanRunner.h"

#include <QByteArrayList>
#include <QCoreApplication>
#include <QMainWindow>
#include <QVector>

class LedIndicator;
class TForm_About;
class TForm_Config;
class TForm_FastKey;
class TForm_GoNGTable;
class TFormVAWindow;
class QGroupBox;
class QLabel;
class QTabWidget;
class QToolButton;
class QwtPlot;
class SequencePages;
class SerialPort;
class StatusPanels;

// The main window. It owns the state of a run: the serial port, the command pipeline, the
// communication settings, the step lists and the sequence runners, and it couples the link,
// the manual controls and the runners. It wires the parts together; their logic lives in them.
class TForm_Main : public QMainWindow
{
    Q_OBJECT
public:
    // `programDir` is the program's folder, which holds "Config.dat" and the result folder.
    // Without `port` the window drives the system's serial port.
    explicit TForm_Main(const QString& programDir = QCoreApplication::applicationDirPath(),
                        SerialPort* port = nullptr, QWidget* parent = nullptr);
    ~TForm_Main() override;

    QString SettingsPath() const;

    void ConnectPort();
    void EnableControlGroups(bool enabled);
    void ReadSettingsFile(const QString& path);
    void WriteSettingsFile(const QString& path);
    void DispatchReply(const QByteArray& line);
    void SaveGoNGResults();

    CommandPipeline& Pipeline() { return m_pipeline; }
    const TCommConfig& CommConfig() const { return m_commConfig; }
    const QVector<TProgramStep>& ProgramSteps() const { return m_programSteps; }
    const QVector<TGoNGStep>& GoNGSteps() const { return m_goNGSteps; }
    bool IsClosing() const { return Closing; }
    bool IsChannelSynced() const { return ChannelSynced; }
    // a voltage scan, program run or GO/NG run is active
    bool SequenceRunning() const;
    bool GoNGRunning() const { return m_goNG.isRunning(); }

protected:
    void showEvent(QShowEvent* event) override;
    void closeEvent(QCloseEvent* event) override;

private:
    void FormCreate();
    void createWindows();
    void SetDefaults();
    void FormShow();
    void FormClose();
    void PowerComPortRxChar();
    void PowerComPortFailed(const QString& message);
    void takeSelectedChannel(int channel);
    void tbConfigClick();
    void tbSaveClick();
    void tbOpenClick();
    void TeThemePageControlChange();
    void TeThemeRadioGroupRunClick();
    void TeThemeButton_RunPorgramRunClick();
    void runnerStarted(SequenceRunner& runner);
    void runnerStopped(SequenceRunner& runner);
    void setRunnerControls(const SequenceRunner& active, bool running);
    void startRunner(const std::function<QString()>& run);

    void buildLayout();
    QWidget* buildToolBar();
    QWidget* buildTrendPlots();
    QWidget* buildSummaryGroups();
    QTabWidget* buildChannelTabs();
    QGroupBox* buildOutputGroup();
    void connectLink();
    void connectSequences();

    QString m_programDir;

    // state of a run
    bool Closing = false;
    bool ChannelSynced = false;
    TCommConfig m_commConfig;
    QVector<TProgramStep> m_programSteps;
    QVector<TGoNGStep> m_goNGSteps;
    // The hotkey captions as the settings file carries them (8-bit texts).
    QByteArrayList HotkeyCaptions;
    bool m_shownOnce = false;

    SerialPort* PowerComPort;
    CommandPipeline m_pipeline;

    // controls
    QToolButton* tbConfig = nullptr;
    QToolButton* tbSave = nullptr;
    QToolButton* tbOpen = nullptr;
    QToolButton* tbHelp = nullptr;
    QwtPlot* iPlotVoltage = nullptr;
    QwtPlot* iPlotCurrent = nullptr;
    QTabWidget* TeThemePageControl1 = nullptr;
    QGroupBox* TeThemeGroupBoxCtrl = nullptr;
    QLabel* TeThemeLabelOutputOn = nullptr;
    QLabel* TeThemeLabelOutputOff = nullptr;
    LedIndicator* iLedRectangleRx = nullptr;
    LedIndicator* iLedRectangleTx = nullptr;
    QGroupBox* TeThemeGroupBoxFastKey = nullptr;
    SequencePages* m_pages = nullptr;
    StatusPanels* TeThemeStatusBar = nullptr;

    // the other windows, created once after this one
    TForm_FastKey* m_fastKeyDialog = nullptr;
    TForm_Config* m_configDialog = nullptr;
    TForm_About* m_aboutBox = nullptr;
    TForm_GoNGTable* m_goNGManager = nullptr;
    TFormVAWindow* m_plotWindow = nullptr;

    // sequence runners, reading the grids of the pages
    VoltageScanRunner m_scan;
    ProgramRunner m_program;
    GoNGRunner m_goNG;
};
