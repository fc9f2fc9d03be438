// The main window's controls, laid out as designed (970 x 627, shown maximised), and their
// captions from the text table.

#include "TForm_Main.h"

#include "ChannelPage.h"
#include "HotkeyPanel.h"
#include "LedIndicator.h"
#include "SequencePages.h"
#include "SevenSegmentReadout.h"
#include "StatusPanels.h"
#include "TForm_About.h"
#include "TextTable.h"
#include "ToggleSwitch.h"
#include "TrendPlot.h"

#include <QGridLayout>
#include <QGroupBox>
#include <QLabel>
#include <QMenu>
#include <QStyle>
#include <QTabWidget>
#include <QToolButton>

namespace {

constexpr QSize kDesignClientSize(970, 627);

template <typename Widget>
Widget* Named(Widget* widget, const QString& name)
{
    widget->setObjectName(name);
    return widget;
}

} // namespace

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

    TeThemeStatusBar = Named(new StatusPanels(this), QStringLiteral("TeThemeStatusBar"));
    TeThemeStatusBar->setPanelText(0, tr("Power Type:"));
    TeThemeStatusBar->setPanelText(2, tr("Communication Status"));
    setStatusBar(TeThemeStatusBar);
    resize(kDesignClientSize);
}

void TForm_Main::LoadCaptions(const TextTable& texts)
{
    const auto caption = [&texts](auto* widget, int index) {
        widget->setText(texts.text(index, widget->text()));
    };
    setWindowTitle(texts.text(0, tr("QL5800")));
    caption(tbConfig, 1);
    caption(tbSave, 2);
    caption(tbOpen, 3);
    caption(tbHelp, 4);
    for (TrendPlot* plot : {iPlotVoltage, iPlotCurrent}) {
        for (int channel = 1; channel <= 3; ++channel)
            plot->setChannelTitle(channel, texts.text(8 + channel, tr("Channel %1").arg(channel)));
        plot->setTimeAxisTitle(texts.text(12, tr("Time(S)")));
    }
    iPlotVoltage->setPlotTitle(texts.text(7, tr("Voltage(V)")));
    iPlotCurrent->setPlotTitle(texts.text(8, tr("Current(A)")));
    for (int channel = 1; channel <= 3; ++channel) {
        const size_t i = static_cast<size_t>(channel - 1);
        const QString name = texts.text(8 + channel, m_summaryGroups[i]->title());
        m_summaryGroups[i]->setTitle(name);
        TeThemePageControl1->setTabText(channel - 1, name);
        m_channelPages[i]->LoadCaptions(texts);
    }
    caption(TeThemeLabelOutputOn, 20);
    caption(TeThemeLabelOutputOff, 21);
    caption(StaticTextPCCtrl, 24);
    TeThemeStatusBar->setPanelText(0, texts.text(25, TeThemeStatusBar->panelText(0)));
    TeThemeStatusBar->setPanelText(2, texts.text(26, TeThemeStatusBar->panelText(2)));
    TeThemeGroupBoxFastKey->setTitle(texts.text(28, TeThemeGroupBoxFastKey->title()));
    m_pages->LoadCaptions(texts);
}

QWidget* TForm_Main::buildToolBar()
{
    auto* bar = Named(new QFrame, QStringLiteral("TeThemeGroupBoxToolBar"));
    bar->setFrameShape(QFrame::StyledPanel);
    auto* row = new QHBoxLayout(bar);
    row->setContentsMargins(4, 2, 4, 2);
    const auto button = [&](const char* name, const QString& text, QStyle::StandardPixmap icon) {
        auto* b = Named(new QToolButton(bar), QLatin1String(name));
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

    // A plain click on Help shows the About box; its arrow and a right click offer the menu.
    auto* helpMenu = Named(new QMenu(tbHelp), QStringLiteral("PopupMenuHelp"));
    Named(helpMenu->addAction(QStringLiteral("Content"), this,
                              [this] { ShowHelpFile(m_programDir); }),
          QStringLiteral("MenuHelpConnext"));
    Named(helpMenu->addAction(QStringLiteral("About..."), this, [this] { m_aboutBox->exec(); }),
          QStringLiteral("MenuHelpAbout"));
    tbHelp->setMenu(helpMenu);
    tbHelp->setPopupMode(QToolButton::MenuButtonPopup);
    tbHelp->setContextMenuPolicy(Qt::CustomContextMenu);
    connect(tbHelp, &QWidget::customContextMenuRequested, tbHelp, &QToolButton::showMenu);
    connect(tbHelp, &QToolButton::clicked, this, [this] { m_aboutBox->exec(); });
    return bar;
}

QWidget* TForm_Main::buildTrendPlots()
{
    auto* area = new QWidget;
    auto* row = new QHBoxLayout(area);
    row->setContentsMargins(0, 0, 0, 0);
    iPlotVoltage = Named(new TrendPlot(m_trend, 0, QwtInterval(0, 100)),
                         QStringLiteral("iPlotVoltage"));
    iPlotCurrent = Named(new TrendPlot(m_trend, 3, QwtInterval(0, 10)),
                         QStringLiteral("iPlotCurrent"));
    row->addWidget(iPlotVoltage);
    row->addWidget(iPlotCurrent);
    return area;
}

QWidget* TForm_Main::buildSummaryGroups()
{
    auto* area = new QWidget;
    auto* row = new QHBoxLayout(area);
    row->setContentsMargins(0, 0, 0, 0);
    for (int channel = 1; channel <= 3; ++channel) {
        const size_t i = static_cast<size_t>(channel - 1);
        auto* box = Named(new QGroupBox(tr("Channel %1").arg(channel)),
                          QStringLiteral("TeThemeGroupBox%1").arg(channel + 4));
        m_measuredVoltage[i] = Named(new SevenSegmentReadout, QStringLiteral("CH%1_Voltage").arg(channel));
        m_measuredCurrent[i] = Named(new SevenSegmentReadout, QStringLiteral("CH%1_Current").arg(channel));
        auto* grid = new QGridLayout(box);
        grid->setContentsMargins(4, 2, 4, 2);
        grid->addWidget(m_measuredVoltage[i], 0, 0);
        grid->addWidget(new QLabel(QStringLiteral("V")), 0, 1);
        grid->addWidget(m_measuredCurrent[i], 0, 2);
        grid->addWidget(new QLabel(QStringLiteral("A")), 0, 3);
        m_summaryGroups[i] = box;
        row->addWidget(box);
    }
    return area;
}

QTabWidget* TForm_Main::buildChannelTabs()
{
    TeThemePageControl1 = Named(new QTabWidget, QStringLiteral("TeThemePageControl1"));
    for (int channel = 1; channel <= 3; ++channel) {
        m_channelPages[static_cast<size_t>(channel - 1)] = new ChannelPage(channel);
        TeThemePageControl1->addTab(m_channelPages[static_cast<size_t>(channel - 1)],
                                    tr("Channel %1").arg(channel));
    }
    return TeThemePageControl1;
}

QGroupBox* TForm_Main::buildOutputGroup()
{
    TeThemeGroupBoxCtrl = Named(new QGroupBox, QStringLiteral("TeThemeGroupBoxCtrl"));
    auto* grid = new QGridLayout(TeThemeGroupBoxCtrl);
    grid->setContentsMargins(6, 4, 6, 4);
    iSwitchToggleRun = Named(new ToggleSwitch, QStringLiteral("iSwitchToggleRun"));
    TeThemeLabelOutputOn =
        Named(new QLabel(tr("Channel 1 Output On")), QStringLiteral("TeThemeLabelOutputOn"));
    TeThemeLabelOutputOff =
        Named(new QLabel(tr("Channel 1 Output Off")), QStringLiteral("TeThemeLabelOutputOff"));
    iLedRectangleRx = Named(new LedIndicator(Qt::green), QStringLiteral("iLedRectangleRx"));
    iLedRectangleTx = Named(new LedIndicator(Qt::red), QStringLiteral("iLedRectangleTx"));
    StaticTextPCCtrl = Named(new QLabel(tr("All Control Operation Must Be On PC Control Mode")),
                             QStringLiteral("StaticTextPCCtrl"));
    StaticTextPCCtrl->setWordWrap(true);
    grid->addWidget(iSwitchToggleRun, 0, 0, 2, 1);
    grid->addWidget(TeThemeLabelOutputOn, 0, 1);
    grid->addWidget(TeThemeLabelOutputOff, 1, 1);
    grid->addWidget(new QLabel(QStringLiteral("RX")), 0, 2, Qt::AlignRight);
    grid->addWidget(iLedRectangleRx, 0, 3);
    grid->addWidget(new QLabel(QStringLiteral("TX")), 1, 2, Qt::AlignRight);
    grid->addWidget(iLedRectangleTx, 1, 3);
    grid->addWidget(StaticTextPCCtrl, 0, 4, 2, 1, Qt::AlignCenter);
    grid->setColumnStretch(4, 1);
    return TeThemeGroupBoxCtrl;
}
