#include "TForm_Main.h"

#include "ErrorReport.h"
#include "LedIndicator.h"
#include "PumpingWait.h"
#include "ReplyParsing.h"
#include "ScpiCommands.h"
#include "SettingsFile.h"
#include "StatusPanels.h"
#include "SystemSerialPort.h"

#include <QCloseEvent>
#include <QDir>
#include <QGridLayout>
#include <QGroupBox>
#include <QLabel>
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

template <typename Widget>
Widget* Named(Widget* widget, const char* name)
{
    widget->setObjectName(QLatin1String(name));
    return widget;
}

} // namespace

TForm_Main::TForm_Main(const QString& programDir, QWidget* parent)
    : QMainWindow(parent), m_programDir(programDir),
      PowerComPort(Named(new SystemSerialPort(this), "PowerComPort")),
      m_pipeline(PowerComPort)
{
    FormCreate();
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
    ProgramSteps = defaults.programSteps;
    GoNGSteps = defaults.goNGSteps;
    HotkeyCaptions = defaults.hotkeyCaptions;
    ScanCells = defaults.scanCells;
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
    if (!TeThemePageControl1->isEnabled() && !SequenceRunning)
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
    if (IsRefusal(line)) {
        m_pipeline.RetryCommand();
        return;
    }
    TeThemeStatusBar->setPanelText(2, tr("Communication Status") + tr(": OK"));
    m_pipeline.SendNextCommand();
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
    for (int i = 0; i < image.scanCells.size(); ++i)
        ScanCells[i] = image.scanCells.at(i);
    if (!image.programSteps.isEmpty())
        ProgramSteps = image.programSteps;
    if (!image.goNGSteps.isEmpty())
        GoNGSteps = image.goNGSteps;
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
    image.scanCells = ScanCells;
    image.programSteps = ProgramSteps;
    image.goNGSteps = GoNGSteps;
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
    grid->addWidget(buildRunPages(), 1, 1, 4, 1);
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
    return bar;
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

QTabWidget* TForm_Main::buildRunPages()
{
    TeThemePageControl = Named(new QTabWidget, "TeThemePageControl");
    auto* quickSet = new QWidget;
    auto* column = new QVBoxLayout(quickSet);
    TeThemeGroupBoxFastKey = Named(new QGroupBox(tr("HotKey(Right-click button to Setup)")),
                                   "TeThemeGroupBoxFastKey");
    TeThemeGroupBoxFastKey->setMinimumHeight(150);
    column->addWidget(TeThemeGroupBoxFastKey);
    column->addWidget(Named(new QGroupBox(tr("Voltage Scan")), "TeThemeGroupBoxScan"), 1);
    TeThemePageControl->addTab(quickSet, tr("QuickSet"));
    TeThemePageControl->addTab(new QWidget, tr("Program"));
    TeThemePageControl->addTab(new QWidget, QStringLiteral("GO/NG"));
    return TeThemePageControl;
}
