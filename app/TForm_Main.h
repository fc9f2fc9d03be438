#pragma once

#include "CommConfig.h"
#include "CommandPipeline.h"
#include "StepRecords.h"

#include <QByteArrayList>
#include <QCoreApplication>
#include <QMainWindow>
#include <QVector>

class LedIndicator;
class QGroupBox;
class QLabel;
class QTabWidget;
class QToolButton;
class QwtPlot;
class StatusPanels;
class SystemSerialPort;

// The main window. It owns the state of a run: the serial port, the command pipeline, the
// communication settings and the step lists, and the flags that couple the link, the manual
// controls and the sequence runners. It wires the parts together; their logic lives in them.
class TForm_Main : public QMainWindow
{
    Q_OBJECT
public:
    // `programDir` is the program's folder, which holds "Config.dat".
    explicit TForm_Main(const QString& programDir = QCoreApplication::applicationDirPath(),
                        QWidget* parent = nullptr);
    ~TForm_Main() override;

    QString SettingsPath() const;

    void ConnectPort();
    void EnableControlGroups(bool enabled);
    void ReadSettingsFile(const QString& path);
    void WriteSettingsFile(const QString& path);
    void DispatchReply(const QByteArray& line);

    CommandPipeline& Pipeline() { return m_pipeline; }
    const TCommConfig& CommConfig() const { return m_commConfig; }
    bool IsClosing() const { return Closing; }
    bool IsChannelSynced() const { return ChannelSynced; }
    bool IsSequenceRunning() const { return SequenceRunning; }

protected:
    void showEvent(QShowEvent* event) override;
    void closeEvent(QCloseEvent* event) override;

private:
    void FormCreate();
    void SetDefaults();
    void FormShow();
    void FormClose();
    void PowerComPortRxChar();
    void PowerComPortFailed(const QString& message);

    void buildLayout();
    QWidget* buildToolBar();
    QWidget* buildTrendPlots();
    QWidget* buildSummaryGroups();
    QTabWidget* buildChannelTabs();
    QGroupBox* buildOutputGroup();
    QTabWidget* buildRunPages();
    void connectLink();

    QString m_programDir;

    // state of a run
    bool Closing = false;
    bool ChannelSynced = false;
    bool SequenceRunning = false;
    TCommConfig m_commConfig;
    QVector<TProgramStep> ProgramSteps;
    QVector<TGoNGStep> GoNGSteps;
    // The hotkey captions and the voltage-scan cells as the settings file carries them
    // (8-bit texts).
    QByteArrayList HotkeyCaptions;
    QByteArrayList ScanCells;
    bool m_shownOnce = false;

    SystemSerialPort* PowerComPort;
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
    QTabWidget* TeThemePageControl = nullptr;
    QGroupBox* TeThemeGroupBoxFastKey = nullptr;
    StatusPanels* TeThemeStatusBar = nullptr;
};
