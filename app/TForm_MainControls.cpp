// The main window's handlers of the operator's controls: knobs, output switch, channel tabs,
// hotkeys, toolbar and the sequence pages.

#include "TForm_Main.h"

#include "ChannelPage.h"
#include "ErrorReport.h"
#include "HotkeyPanel.h"
#include "ScpiCommands.h"
#include "SequencePages.h"
#include "SetpointKnob.h"
#include "SettingsFile.h"
#include "SevenSegmentReadout.h"
#include "TForm_About.h"
#include "TForm_Config.h"
#include "ToggleSwitch.h"

#include <QFileDialog>
#include <QLabel>
#include <QPushButton>
#include <QRadioButton>
#include <QSpinBox>
#include <QTabWidget>
#include <QToolButton>

void TForm_Main::connectControls()
{
    for (int channel = 1; channel <= 3; ++channel) {
        for (PresetQuantity quantity : {PresetQuantity::Voltage, PresetQuantity::Current})
            connect(m_channelPages[channel - 1]->knob(quantity),
                    &SetpointKnob::positionChangeFinished, this,
                    [this, channel, quantity](double position) {
                        iKnobPositionChangeFinished(channel, quantity, position);
                    });
    }
    connect(iSwitchToggleRun, &QAbstractButton::toggled, this, &TForm_Main::iSwitchToggleRunChange);
    connect(TeThemePageControl1, &QTabWidget::currentChanged, this,
            &TForm_Main::TeThemePageControl1Change);
    connect(tbConfig, &QToolButton::clicked, this, &TForm_Main::tbConfigClick);
    connect(tbSave, &QToolButton::clicked, this, &TForm_Main::tbSaveClick);
    connect(tbOpen, &QToolButton::clicked, this, &TForm_Main::tbOpenClick);
}

void TForm_Main::iKnobPositionChangeFinished(int channel, PresetQuantity quantity,
                                             double position)
{
    const QByteArray command = quantity == PresetQuantity::Voltage ? BuildVoltCommand(position)
                                                                   : BuildCurrCommand(position);
    showSetpoint(channel, quantity, position);
    appendCommand(command);
}

void TForm_Main::iSwitchToggleRunChange(bool on)
{
    appendCommand(BuildOutputCommand(on));
}

void TForm_Main::TeThemePageControl1Change(int index)
{
    // Before the instrument's own channel is known, the tabs may be changed freely.
    if (!ChannelSynced)
        return;
    appendCommand(BuildChannelCommand(index + 1));
    appendCommand(Scpi::QueryOutput);
    appendCommand(Scpi::QueryChannel);
}

void TForm_Main::ApplyStepSizes()
{
    const TCommConfig& c = m_commConfig;
    for (ChannelPage* page : m_channelPages) {
        SetpointKnob* voltage = page->knob(PresetQuantity::Voltage);
        voltage->setKeyArrowStepSize(c.VoltageKeyArrowStep);
        voltage->setKeyPageStepSize(c.VoltageKeyPageStep);
        voltage->setMouseWheelStepSize(c.VoltageMouseWheelStep);
        SetpointKnob* current = page->knob(PresetQuantity::Current);
        current->setKeyArrowStepSize(c.CurrentKeyArrowStep);
        current->setKeyPageStepSize(c.CurrentKeyPageStep);
        current->setMouseWheelStepSize(c.CurrentMouseWheelStep);
    }
}

double TForm_Main::setKnob(int channel, PresetQuantity quantity, double value)
{
    SetpointKnob* knob = m_channelPages[static_cast<size_t>(channel - 1)]->knob(quantity);
    knob->setPosition(value);
    return knob->position();
}

void TForm_Main::showSetpoint(int channel, PresetQuantity quantity, double value)
{
    m_channelPages[static_cast<size_t>(channel - 1)]->setup(quantity)->setValue(value);
}

void TForm_Main::appendCommand(const QByteArray& command)
{
    m_pipeline.Append(command);
}

void TForm_Main::tbConfigClick()
{
    const std::optional<TCommConfig> edited = m_configDialog->Edit(m_commConfig);
    if (!edited)
        return;
    m_commConfig = *edited;
    ApplyStepSizes();
    // every confirmation reconnects, changed or not
    ConnectPort();
}

void TForm_Main::tbSaveClick()
{
    const QString path = QFileDialog::getSaveFileName(
        this, tbSave->text(), m_programDir, QStringLiteral("Param files (*.Par)"), nullptr,
        QFileDialog::DontConfirmOverwrite);
    if (!path.isEmpty())
        WriteSettingsFile(ParameterFilePath(path));
}

void TForm_Main::tbOpenClick()
{
    // A program or GO/NG run took its step count when it started; replacing the lists under
    // it would run steps that are no longer there.
    if (m_program.isRunning() || m_goNG.isRunning()) {
        ErrorReport::Show(tr("A parameter file cannot be opened while a program or GO/NG run "
                             "is going on. Stop the run first."));
        return;
    }
    const QString path = QFileDialog::getOpenFileName(this, tbOpen->text(), m_programDir,
                                                      QStringLiteral("Param files (*.Par)"));
    if (!path.isEmpty())
        ReadSettingsFile(path);
}

void TForm_Main::connectSequences()
{
    SequencePages& pages = *m_pages;
    connect(pages.TeThemePageControl, &QTabWidget::currentChanged, this,
            &TForm_Main::TeThemePageControlChange);
    connect(pages.TeThemeButton_VoltScanRun, &QPushButton::clicked, this,
            [this] { startRunner([this] { return m_scan.Run(); }); });
    connect(pages.TeThemeButton_VoltScanStop, &QPushButton::clicked, &m_scan,
            &SequenceRunner::Stop);
    connect(pages.TeThemeButton_RunPorgramRun, &QPushButton::clicked, this,
            &TForm_Main::TeThemeButton_RunPorgramRunClick);
    connect(pages.TeThemeButton_RunProgramStop, &QPushButton::clicked, &m_program,
            &SequenceRunner::Stop);
    connect(pages.TeThemeButton_GoNGRun, &QPushButton::clicked, this,
            [this] { startRunner([this] { return m_goNG.Run(); }); });
    connect(pages.TeThemeButton_GoNGStop, &QPushButton::clicked, &m_goNG, &SequenceRunner::Stop);
    connect(&m_goNG, &GoNGRunner::completed, this, &TForm_Main::SaveGoNGResults);
    for (QRadioButton* choice : {pages.runOnce, pages.runRepeat, pages.runCustom})
        connect(choice, &QRadioButton::toggled, this, &TForm_Main::TeThemeRadioGroupRunClick);
    connect(pages.TeThemeSpinEdit, qOverload<int>(&QSpinBox::valueChanged), &m_program,
            &ProgramRunner::setCustomPasses);
    connect(&m_program, &ProgramRunner::passStarted, this, [this](int runNumber) {
        m_pages->Label_RunTimes->setText(QStringLiteral("Run Times:%1").arg(runNumber));
    });
    for (SequenceRunner* runner : {static_cast<SequenceRunner*>(&m_scan),
                                   static_cast<SequenceRunner*>(&m_program),
                                   static_cast<SequenceRunner*>(&m_goNG)}) {
        connect(runner, &SequenceRunner::started, this, [this, runner] { runnerStarted(*runner); });
        connect(runner, &SequenceRunner::stopped, this, [this, runner] { runnerStopped(*runner); });
    }
}

void TForm_Main::startRunner(const std::function<QString()>& run)
{
    // the runners exclude each other; their Run buttons are disabled meanwhile
    if (SequenceRunning())
        return;
    const QString error = run();
    if (!error.isEmpty())
        ErrorReport::Show(error);
}

void TForm_Main::TeThemeButton_RunPorgramRunClick()
{
    startRunner([this] { return m_program.Run(); });
    if (m_program.isRunning())
        m_pages->Label_RunTimes->setVisible(!m_pages->runOnce->isChecked());
}

void TForm_Main::TeThemeRadioGroupRunClick()
{
    const SequencePages& pages = *m_pages;
    pages.TeThemeSpinEdit->setVisible(pages.runCustom->isChecked());
    m_program.setRunMode(pages.runCustom->isChecked()   ? ProgramRunner::Custom
                         : pages.runRepeat->isChecked() ? ProgramRunner::Repeat
                                                        : ProgramRunner::Once);
}

void TForm_Main::runnerStarted(SequenceRunner& runner)
{
    EnableControlGroups(false);
    setRunnerControls(runner, true);
}

void TForm_Main::runnerStopped(SequenceRunner& runner)
{
    EnableControlGroups(true);
    setRunnerControls(runner, false);
}

void TForm_Main::setRunnerControls(const SequenceRunner& active, bool running)
{
    // A run disables its own Run button and grid and the panels of the other two runners.
    struct Controls
    {
        const SequenceRunner* runner;
        QWidget* panel;
        QPushButton* run;
        QPushButton* stop;
        QWidget* grid;
    };
    SequencePages& p = *m_pages;
    const Controls all[] = {
        {&m_scan, p.Panel_ScanVoltageCommandPanel, p.TeThemeButton_VoltScanRun,
         p.TeThemeButton_VoltScanStop, p.AdvStringGrid_VoltScan},
        {&m_program, p.Panel_RunProgramPanel, p.TeThemeButton_RunPorgramRun,
         p.TeThemeButton_RunProgramStop, p.TeThemeStringGridList},
        {&m_goNG, p.Panel_GoNGRun, p.TeThemeButton_GoNGRun, p.TeThemeButton_GoNGStop,
         p.TeThemeStringGridGoNg}};
    for (const Controls& controls : all) {
        if (controls.runner != &active) {
            controls.panel->setEnabled(!running);
            continue;
        }
        controls.run->setEnabled(!running);
        controls.stop->setEnabled(running);
        controls.grid->setEnabled(!running);
    }
}

void TForm_Main::TeThemePageControlChange()
{
    if (!ChannelSynced)
        return;
    SequencePages& pages = *m_pages;
    const int page = pages.TeThemePageControl->currentIndex();
    pages.Panel_ScanVoltageCommandPanel->setVisible(page == 0);
    pages.Panel_RunProgramPanel->setVisible(page == 1);
    pages.Panel_GoNGRun->setVisible(page > 1);
}
