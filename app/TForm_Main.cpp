#include "TForm_Main.h"

#include "ChannelPage.h"
#include "ErrorReport.h"
#include "GoNGResultStore.h"
#include "HotkeyPanel.h"
#include "LedIndicator.h"
#include "PumpingWait.h"
#include "ReplyParsing.h"
#include "ScanTable.h"
#include "ScpiCommands.h"
#include "SequencePages.h"
#include "SettingsFile.h"
#include "SetpointKnob.h"
#include "SevenSegmentReadout.h"
#include "StatusPanels.h"
#include "SystemLanguage.h"
#include "SystemSerialPort.h"
#include "TFormVAWindow.h"
#include "TForm_About.h"
#include "TForm_Config.h"
#include "TForm_FastKey.h"
#include "TForm_GoNGTable.h"
#include "TLoadSource.h"
#include "ToggleSwitch.h"
#include "TrendPlot.h"

#include <QCloseEvent>
#include <QDateTime>
#include <QDir>
#include <QLabel>
#include <QLineEdit>
#include <QTabWidget>
#include <QTextCodec>
#include <QTimer>

namespace {

constexpr quint32 kCloseWaitMs = 1000;
constexpr quint32 kReopenWaitMs = 1000;
constexpr quint32 kSettleWaitMs = 300;

} // namespace

TForm_Main::TForm_Main(const QString& programDir, SerialPort* port, QWidget* parent)
    : QMainWindow(parent), m_programDir(programDir),
      PowerComPort(port ? port : new SystemSerialPort), m_pipeline(PowerComPort),
      TeThemeGroupBoxFastKey(new HotkeyPanel),
      m_pages(new SequencePages(TeThemeGroupBoxFastKey, m_programSteps, m_goNGSteps)),
      m_scan(*m_pages->AdvStringGrid_VoltScan, [this](const QByteArray& c) { appendCommand(c); }),
      m_program(*m_pages->TeThemeStringGridList, [this](const QByteArray& c) { appendCommand(c); }),
      m_goNG(*m_pages->TeThemeStringGridGoNg, [this](const QByteArray& c) { appendCommand(c); })
{
    PowerComPort->setParent(this);
    PowerComPort->setObjectName(QStringLiteral("PowerComPort"));
    FormCreate();
    createWindows();
}

TForm_Main::~TForm_Main() = default;

QString TForm_Main::SettingsPath() const
{
    return QDir(m_programDir).filePath(QStringLiteral("Config.dat"));
}

void TForm_Main::FormCreate()
{
    setObjectName(QStringLiteral("Form_Main"));
    const quint16 language = SystemLanguageId();
    m_texts = std::make_unique<TLoadSource>(m_programDir, language);
    m_texts->LoadTexts();
    m_codePage = AnsiCodePage(language);
    buildLayout();
    LoadCaptions(*m_texts);
    connectLink();
    connectControls();
    connectSequences();
    SetDefaults();
    ReadSettingsFile(SettingsPath());
}

void TForm_Main::createWindows()
{
    // Created once, in this order, after the main window; each keeps its state between
    // openings.
    m_fastKeyDialog = new TForm_FastKey(this);
    m_fastKeyDialog->LoadCaptions(*m_texts);
    m_configDialog = new TForm_Config(this);
    m_configDialog->LoadCaptions(*m_texts);
    m_aboutBox = new TForm_About(this);
    m_goNGManager = new TForm_GoNGTable(this);
    m_plotWindow = new TFormVAWindow(this);
    m_hotkeys = new HotkeyController(TeThemeGroupBoxFastKey, m_fastKeyDialog, this, this);
}

void TForm_Main::SetDefaults()
{
    ChannelSynced = false;
    Closing = false;
    m_pipeline.Clear();
    m_commConfig = TCommConfig();
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
    m_trend.clear();
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
    TeThemeStatusBar->setPanelText(2, m_texts->text(26, tr("Communication Status")) +
                                          m_texts->text(132, QString()));
    switch (reply.kind) {
    case ReplyMeaning::Identity:
        TeThemeStatusBar->setPanelText(0, m_texts->text(25, tr("Power Type:")) + reply.model);
        break;
    case ReplyMeaning::MeasuredVoltages:
        takeMeasured(PresetQuantity::Voltage, reply.values);
        break;
    case ReplyMeaning::MeasuredCurrents:
        takeMeasured(PresetQuantity::Current, reply.values);
        if (GoNGRunning())
            m_goNG.Judge(reply.values);
        break;
    case ReplyMeaning::VoltageSetpoints:
        takeSetpoints(PresetQuantity::Voltage, reply.values);
        break;
    case ReplyMeaning::CurrentSetpoints:
        takeSetpoints(PresetQuantity::Current, reply.values);
        break;
    case ReplyMeaning::OutputState:
        // a change echoes "OUTP" through the switch's handler, as a click does
        iSwitchToggleRun->setChecked(reply.outputOn);
        break;
    case ReplyMeaning::SelectedChannel:
        takeSelectedChannel(reply.channel);
        break;
    case ReplyMeaning::Refusal:
    case ReplyMeaning::Acknowledgement:
        break;
    }
    m_pipeline.SendNextCommand();
}

void TForm_Main::takeMeasured(PresetQuantity quantity, const std::array<double, 3>& values)
{
    const auto& summary =
        quantity == PresetQuantity::Voltage ? m_measuredVoltage : m_measuredCurrent;
    for (size_t i = 0; i < 3; ++i) {
        summary[i]->setValue(values[i]);
        m_channelPages[i]->present(quantity)->setValue(summary[i]->value());
    }
    PlotReadings();
}

void TForm_Main::takeSetpoints(PresetQuantity quantity, const std::array<double, 3>& values)
{
    for (size_t i = 0; i < 3; ++i) {
        m_channelPages[i]->setup(quantity)->setValue(values[i]);
        m_channelPages[i]->knob(quantity)->setPosition(values[i]);
    }
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

void TForm_Main::PlotReadings()
{
    // One clock reading serves the six points of a reply.
    TrendValues row{};
    for (size_t i = 0; i < 3; ++i) {
        row[i] = m_measuredVoltage[i]->value();
        row[i + 3] = m_measuredCurrent[i]->value();
    }
    m_trend.append(QDateTime::currentMSecsSinceEpoch(), row);
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
    if (image.comm) {
        m_commConfig = *image.comm;
        ApplyStepSizes();
    }
    for (int i = 0; i < image.hotkeyCaptions.size(); ++i)
        TeThemeGroupBoxFastKey->setCaption(i, m_codePage->toUnicode(image.hotkeyCaptions.at(i)));
    QStringList scanCells;
    for (const QByteArray& cell : image.scanCells)
        scanCells << m_codePage->toUnicode(cell);
    ScanTable::SetStoredCells(*m_pages->AdvStringGrid_VoltScan, scanCells);
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
    for (int i = 0; i < HotkeyPanel::ButtonCount; ++i)
        image.hotkeyCaptions << m_codePage->fromUnicode(TeThemeGroupBoxFastKey->caption(i));
    for (const QString& cell : ScanTable::StoredCells(*m_pages->AdvStringGrid_VoltScan))
        image.scanCells << m_codePage->fromUnicode(cell);
    image.programSteps = m_programSteps;
    image.goNGSteps = m_goNGSteps;
    const QString error = WriteSettingsImage(path, image);
    if (!error.isEmpty())
        ErrorReport::Show(error);
}
