#include "TForm_Main.h"

#include "TFormVAWindow.h"
#include "TForm_About.h"
#include "TForm_Config.h"
#include "TForm_FastKey.h"
#include "TForm_GoNGTable.h"

#include "ErrorReport.h"
#include "GoNGResultStore.h"
#include "LedIndicator.h"
#include "PumpingWait.h"
#include "ReplyParsing.h"
#include "ScanTable.h"
#include "ScpiCommands.h"
#include "SequencePages.h"
#include "SettingsFile.h"
#include "StatusPanels.h"
#include "SystemSerialPort.h"

#include <QCloseEvent>
#include <QDir>
#include <QFileDialog>
#include <QMenu>
#include <QMessageBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QSpinBox>
#include <QStyle>
#include <QTabWidget>
#include <QTimer>
#include <QToolButton>

#include <qwt_plot.h>
#include <qwt_plot_canvas.h>

namespace {

constexpr QSize kDesignClientSize(970, 627);
constexpr quint32 kCloseWaitMs = 1000;
constexpr quint32 kReopenWaitMs = 1000;
constexpr quint32 kSettleWaitMs = 300;

// Texts of the settings file and the grid cells; the code page conversion comes with the
// language of the system.
QStringList Texts(const QByteArrayList& bytes)
{
    QStringList texts;
    for (const QByteArray& text : bytes)
        texts << QString::fromLatin1(text);
    return texts;
}

QByteArrayList Bytes(const QStringList& texts)
{
    QByteArrayList bytes;
    for (const QString& text : texts)
        bytes << text.toLatin1();
    return bytes;
}

template <typename Widget>
Widget* Named(Widget* widget, const char* name)
{
    widget->setObjectName(QLatin1String(name));
    return widget;
}

} // namespace

TForm_Main::TForm_Main(const QString& programDir, SerialPort* port, QWidget* parent)
    : QMainWindow(parent), m_programDir(programDir),
      PowerComPort(port ? port : new SystemSerialPort), m_pipeline(PowerComPort),
      TeThemeGroupBoxFastKey(Named(new QGroupBox(tr("HotKey(Right-click button to Setup)")),
                                   "TeThemeGroupBoxFastKey")),
      m_pages(new SequencePages(TeThemeGroupBoxFastKey, m_programSteps, m_goNGSteps)),
      m_scan(*m_pages->AdvStringGrid_VoltScan, [this](const QByteArray& c) { m_pipeline.Append(c); }),
      m_program(*m_pages->TeThemeStringGridList,
                [this](const QByteArray& c) { m_pipeline.Append(c); }),
      m_goNG(*m_pages->TeThemeStringGridGoNg, [this](const QByteArray& c) { m_pipeline.Append(c); })
{
    PowerComPort->setParent(this);
    PowerComPort->setObjectName(QStringLiteral("PowerComPort"));
    FormCreate();
    createWindows();
}

void TForm_Main::createWindows()
{
    // Created once, in this order, after the main window; each keeps its state between
    // openings.
    m_fastKeyDialog = new TForm_FastKey(this);
    m_configDialog = new TForm_Config(this);
    m_aboutBox = new TForm_About(this);
    m_goNGManager = new TForm_GoNGTable(this);
    m_plotWindow = new TFormVAWindow(this);
}

TForm_Main::~TForm_Main() = default;

QString TForm_Main::SettingsPath() const
{
    return QDir(m_programDir).filePath(QStringLiteral("Config.dat"));
}

void TForm_Main::FormCreate()
{
    setObjectName(QStringLiteral("Form_Main"));
    setWindowTitle(tr("QL5800"));
    buildLayout();
    connectLink();
    connectSequences();
    SetDefaults();
    ReadSettingsFile(SettingsPath());
}

void TForm_Main::SetDefaults()
{
    ChannelSynced = false;
    Closing = false;
    m_pipeline.Clear();
    const SettingsImage defaults = DefaultSettingsImage();
    m_commConfig = *defaults.comm;
    HotkeyCaptions = defaults.hotkeyCaptions;
    m_pages->SetDefaults();
}

void TForm_Main::showEvent(QShowEvent* event)
{
    QMainWindow::showEvent(event);
    if (m_shownOnce)
        return;
    m_shownOnce = true;
    // The connection starts once the event loop runs, after every window exists.
    QTimer::singleShot(0, this, &TForm_Main::FormShow);
}

void TForm_Main::FormShow()
{
    EnableControlGroups(false);
    ConnectPort();
}

void TForm_Main::closeEvent(QCloseEvent* event)
{
    // A second close request while the first one is waiting changes nothing.
    if (Closing) {
        event->ignore();
        return;
    }
    FormClose();
    event->accept();
}

void TForm_Main::FormClose()
{
    Closing = true;
    PumpingWait(kCloseWaitMs);
    m_pipeline.Clear();
    m_pipeline.DisarmTimeout();
    PowerComPort->close();
    WriteSettingsFile(SettingsPath());
}

void TForm_Main::ConnectPort()
{
    // A time-out left from the old connection would re-send into the closed port while the
    // new one is being opened.
    m_pipeline.DisarmTimeout();
    if (PowerComPort->isOpen())
        PowerComPort->close();
    PumpingWait(kReopenWaitMs);
    if (Closing)
        return;
    if (const std::optional<qint32> baudRate = BaudRateForIndex(m_commConfig.BaudRateIndex))
        PowerComPort->setBaudRate(*baudRate);
    if (PowerComPort->open(m_commConfig.portNameText())) {
        PumpingWait(kSettleWaitMs);
        if (Closing)
            return;
        m_pipeline.Start({Scpi::Identify, Scpi::QueryOutput, Scpi::QueryChannel,
                          Scpi::QueryVoltageSetpoints, Scpi::QueryCurrentSetpoints});
    } else {
        ErrorReport::Show(PowerComPort->errorString());
    }
    m_pipeline.ArmTimeout();
}

void TForm_Main::EnableControlGroups(bool enabled)
{
    TeThemeGroupBoxFastKey->setEnabled(enabled);
    TeThemePageControl1->setEnabled(enabled);
    TeThemeGroupBoxCtrl->setEnabled(enabled);
}

void TForm_Main::connectLink()
{
    connect(PowerComPort, &SerialPort::readyRead, this, &TForm_Main::PowerComPortRxChar);
    connect(PowerComPort, &SerialPort::failed, this, &TForm_Main::PowerComPortFailed);
    connect(&m_pipeline, &CommandPipeline::ReplyReceived, this, &TForm_Main::DispatchReply);
    connect(&m_pipeline, &CommandPipeline::CommandSent, iLedRectangleTx, &LedIndicator::toggle);
    connect(&m_pipeline, &CommandPipeline::ReplyTimedOut, this,
            [this] { EnableControlGroups(false); });
    connect(&m_pipeline, &CommandPipeline::WriteFailed, this, &ErrorReport::Show);
}

void TForm_Main::PowerComPortRxChar()
{
    if (Closing)
        return;
    iLedRectangleRx->toggle();
    if (!TeThemePageControl1->isEnabled() && !SequenceRunning())
        EnableControlGroups(true);
    m_pipeline.Receive();
}

void TForm_Main::PowerComPortFailed(const QString& message)
{
    // The port is closed already; nothing will answer until the operator reconnects.
    m_pipeline.DisarmTimeout();
    EnableControlGroups(false);
    ErrorReport::Show(message);
}

void TForm_Main::DispatchReply(const QByteArray& line)
{
    const ReplyMeaning reply = InterpretReply(m_pipeline.CommandQueue().constFirst(), line);
    if (reply.kind == ReplyMeaning::Refusal) {
        m_pipeline.RetryCommand();
        return;
    }
    TeThemeStatusBar->setPanelText(2, tr("Communication Status") + tr(": OK"));
    switch (reply.kind) {
    case ReplyMeaning::Identity:
        TeThemeStatusBar->setPanelText(0, tr("Power Type:") + reply.model);
        break;
    case ReplyMeaning::MeasuredCurrents:
        if (GoNGRunning())
            m_goNG.Judge(reply.values);
        break;
    case ReplyMeaning::SelectedChannel:
        takeSelectedChannel(reply.channel);
        break;
    default:
        break;
    }
    m_pipeline.SendNextCommand();
}

void TForm_Main::takeSelectedChannel(int channel)
{
    // Only the first reply moves the tabs; later ones follow the operator's tab changes.
    if (!ChannelSynced)
        TeThemePageControl1->setCurrentIndex(channel - 1);
    TeThemeLabelOutputOn->setText(QStringLiteral("Channel %1 Output On").arg(channel));
    TeThemeLabelOutputOff->setText(QStringLiteral("Channel %1 Output Off").arg(channel));
    ChannelSynced = true;
}

bool TForm_Main::SequenceRunning() const
{
    return m_scan.isRunning() || m_program.isRunning() || m_goNG.isRunning();
}

void TForm_Main::SaveGoNGResults()
{
    const QString error = GoNGResultStore::SaveGoNGResults(
        m_programDir, m_pages->TeThemeEdit1->text(), *m_pages->TeThemeStringGridGoNg);
    if (!error.isEmpty())
        ErrorReport::Show(error);
}

void TForm_Main::connectSequences()
{
    SequencePages& pages = *m_pages;
    connect(pages.TeThemePageControl, &QTabWidget::currentChanged, this,
            &TForm_Main::TeThemePageControlChange);
    connect(pages.TeThemeButton_VoltScanRun, &QPushButton::clicked, this,
            [this] { startRunner([this] { return m_scan.Run(); }); });
    connect(pages.TeThemeButton_VoltScanStop, &QPushButton::clicked, &m_scan,
            &VoltageScanRunner::Stop);
    connect(pages.TeThemeButton_RunPorgramRun, &QPushButton::clicked, this,
            &TForm_Main::TeThemeButton_RunPorgramRunClick);
    connect(pages.TeThemeButton_RunProgramStop, &QPushButton::clicked, &m_program,
            &ProgramRunner::Stop);
    connect(pages.TeThemeButton_GoNGRun, &QPushButton::clicked, this,
            [this] { startRunner([this] { return m_goNG.Run(); }); });
    connect(pages.TeThemeButton_GoNGStop, &QPushButton::clicked, &m_goNG, &GoNGRunner::Stop);
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

void TForm_Main::ReadSettingsFile(const QString& path)
{
    const SettingsReadResult result = ReadSettingsImage(path);
    if (result.status == SettingsReadResult::Missing)
        return;
    if (result.status == SettingsReadResult::Failed) {
        ErrorReport::Show(result.error);
        return;
    }
    const SettingsImage& image = result.settings.image;
    if (image.comm)
        m_commConfig = *image.comm;
    for (int i = 0; i < image.hotkeyCaptions.size(); ++i)
        HotkeyCaptions[i] = image.hotkeyCaptions.at(i);
    ScanTable::SetStoredCells(*m_pages->AdvStringGrid_VoltScan, Texts(image.scanCells));
    if (!image.programSteps.isEmpty())
        m_pages->programEditor->Load(image.programSteps);
    if (!image.goNGSteps.isEmpty())
        m_pages->goNGEditor->Load(image.goNGSteps);
    if (!result.settings.complete)
        ErrorReport::Show(tr("The file \"%1\" is incomplete; the settings it held up to its end "
                             "have been loaded.")
                              .arg(QDir::toNativeSeparators(path)));
}

void TForm_Main::WriteSettingsFile(const QString& path)
{
    SettingsImage image;
    if (PathHasCommBlock(path))
        image.comm = m_commConfig;
    image.hotkeyCaptions = HotkeyCaptions;
    image.scanCells = Bytes(ScanTable::StoredCells(*m_pages->AdvStringGrid_VoltScan));
    image.programSteps = m_programSteps;
    image.goNGSteps = m_goNGSteps;
    const QString error = WriteSettingsImage(path, image);
    if (!error.isEmpty())
        ErrorReport::Show(error);
}

void TForm_Main::buildLayout()
{
    auto* central = new QWidget(this);
    auto* grid = new QGridLayout(central);
    grid->setContentsMargins(4, 4, 4, 4);
    grid->addWidget(buildToolBar(), 0, 0, 1, 2);
    grid->addWidget(buildTrendPlots(), 1, 0);
    grid->addWidget(buildSummaryGroups(), 2, 0);
    grid->addWidget(buildChannelTabs(), 3, 0);
    grid->addWidget(buildOutputGroup(), 4, 0);
    grid->addWidget(m_pages, 1, 1, 4, 1);
    grid->setColumnStretch(0, 64);
    grid->setColumnStretch(1, 33);
    grid->setRowStretch(1, 1);
    setCentralWidget(central);

    TeThemeStatusBar = Named(new StatusPanels(this), "TeThemeStatusBar");
    TeThemeStatusBar->setPanelText(0, tr("Power Type:"));
    TeThemeStatusBar->setPanelText(2, tr("Communication Status"));
    setStatusBar(TeThemeStatusBar);
    resize(kDesignClientSize);
}

QWidget* TForm_Main::buildToolBar()
{
    auto* bar = Named(new QFrame, "TeThemeGroupBoxToolBar");
    bar->setFrameShape(QFrame::StyledPanel);
    auto* row = new QHBoxLayout(bar);
    row->setContentsMargins(4, 2, 4, 2);
    const auto button = [&](const char* name, const QString& text, QStyle::StandardPixmap icon) {
        auto* b = Named(new QToolButton(bar), name);
        b->setText(text);
        b->setIcon(style()->standardIcon(icon));
        b->setToolButtonStyle(Qt::ToolButtonTextUnderIcon);
        b->setAutoRaise(true);
        row->addWidget(b);
        return b;
    };
    tbConfig = button("tbConfig", tr("Config"), QStyle::SP_FileDialogDetailedView);
    tbSave = button("tbSave", tr("Save"), QStyle::SP_DialogSaveButton);
    tbOpen = button("tbOpen", tr("Open"), QStyle::SP_DialogOpenButton);
    tbHelp = button("tbHelp", tr("Help"), QStyle::SP_DialogHelpButton);
    row->addStretch();

    auto* helpMenu = Named(new QMenu(tbHelp), "PopupMenuHelp");
    Named(helpMenu->addAction(QStringLiteral("Content"), this,
                              [this] { ShowHelpFile(m_programDir); }),
          "MenuHelpConnext");
    Named(helpMenu->addAction(QStringLiteral("About..."), this, [this] { m_aboutBox->exec(); }),
          "MenuHelpAbout");
    tbHelp->setMenu(helpMenu);
    tbHelp->setPopupMode(QToolButton::MenuButtonPopup);
    tbHelp->setContextMenuPolicy(Qt::CustomContextMenu);
    connect(tbHelp, &QWidget::customContextMenuRequested, tbHelp, &QToolButton::showMenu);
    connect(tbHelp, &QToolButton::clicked, this, [this] { m_aboutBox->exec(); });
    connect(tbConfig, &QToolButton::clicked, this, &TForm_Main::tbConfigClick);
    connect(tbSave, &QToolButton::clicked, this, &TForm_Main::tbSaveClick);
    connect(tbOpen, &QToolButton::clicked, this, &TForm_Main::tbOpenClick);
    return bar;
}

void TForm_Main::tbConfigClick()
{
    const std::optional<TCommConfig> edited = m_configDialog->Edit(m_commConfig);
    if (!edited)
        return;
    m_commConfig = *edited;
    // every confirmation reconnects, changed or not
    ConnectPort();
}

void TForm_Main::tbSaveClick()
{
    QString path = QFileDialog::getSaveFileName(this, tbSave->text(), m_programDir,
                                                QStringLiteral("Param files (*.Par)"), nullptr,
                                                QFileDialog::DontConfirmOverwrite);
    if (path.isEmpty())
        return;
    if (!path.contains(QLatin1String(".PAR")))
        path += QStringLiteral(".PAR");
    WriteSettingsFile(path);
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

QWidget* TForm_Main::buildTrendPlots()
{
    auto* area = new QWidget;
    auto* row = new QHBoxLayout(area);
    row->setContentsMargins(0, 0, 0, 0);
    const auto plot = [&](const char* name, const QString& title) {
        auto* p = Named(new QwtPlot(title, area), name);
        p->setAxisTitle(QwtPlot::xBottom, tr("Time(S)"));
        p->setCanvasBackground(Qt::black);
        p->setAutoFillBackground(true);
        QPalette silver = p->palette();
        silver.setColor(QPalette::Window, QColor(192, 192, 192));
        p->setPalette(silver);
        row->addWidget(p);
        return p;
    };
    iPlotVoltage = plot("iPlotVoltage", tr("Voltage(V)"));
    iPlotCurrent = plot("iPlotCurrent", tr("Current(A)"));
    return area;
}

QWidget* TForm_Main::buildSummaryGroups()
{
    auto* area = new QWidget;
    auto* row = new QHBoxLayout(area);
    row->setContentsMargins(0, 0, 0, 0);
    const char* names[] = {"TeThemeGroupBox5", "TeThemeGroupBox6", "TeThemeGroupBox7"};
    for (int channel = 1; channel <= 3; ++channel) {
        auto* box = Named(new QGroupBox(tr("Channel %1").arg(channel), area), names[channel - 1]);
        box->setMinimumHeight(60);
        row->addWidget(box);
    }
    return area;
}

QTabWidget* TForm_Main::buildChannelTabs()
{
    TeThemePageControl1 = Named(new QTabWidget, "TeThemePageControl1");
    for (int channel = 1; channel <= 3; ++channel)
        TeThemePageControl1->addTab(new QWidget, tr("Channel %1").arg(channel));
    TeThemePageControl1->setMinimumHeight(180);
    return TeThemePageControl1;
}

QGroupBox* TForm_Main::buildOutputGroup()
{
    TeThemeGroupBoxCtrl = Named(new QGroupBox, "TeThemeGroupBoxCtrl");
    auto* grid = new QGridLayout(TeThemeGroupBoxCtrl);
    TeThemeLabelOutputOn = Named(new QLabel(tr("Channel 1 Output On")), "TeThemeLabelOutputOn");
    TeThemeLabelOutputOff =
        Named(new QLabel(tr("Channel 1 Output Off")), "TeThemeLabelOutputOff");
    iLedRectangleRx = Named(new LedIndicator(Qt::green), "iLedRectangleRx");
    iLedRectangleTx = Named(new LedIndicator(Qt::red), "iLedRectangleTx");
    auto* notice = Named(new QLabel(tr("All Control Operation Must Be On PC Control Mode")),
                         "StaticTextPCCtrl");
    grid->addWidget(TeThemeLabelOutputOn, 0, 0);
    grid->addWidget(TeThemeLabelOutputOff, 1, 0);
    grid->addWidget(new QLabel(QStringLiteral("RX")), 0, 2, Qt::AlignRight);
    grid->addWidget(iLedRectangleRx, 0, 3);
    grid->addWidget(new QLabel(QStringLiteral("TX")), 1, 2, Qt::AlignRight);
    grid->addWidget(iLedRectangleTx, 1, 3);
    grid->addWidget(notice, 0, 4, 2, 1, Qt::AlignCenter);
    grid->setColumnStretch(4, 1);
    return TeThemeGroupBoxCtrl;
}

