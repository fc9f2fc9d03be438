#include "SequencePages.h"

#include "ScanTable.h"
#include "TextTable.h"

#include <QGroupBox>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QSpinBox>
#include <QTabWidget>
#include <QVBoxLayout>

namespace {

template <typename Widget>
Widget* Named(Widget* widget, const char* name)
{
    widget->setObjectName(QLatin1String(name));
    return widget;
}

QPushButton* Button(const char* name, const QString& text, QHBoxLayout* row)
{
    auto* button = Named(new QPushButton(text), name);
    row->addWidget(button);
    return button;
}

// header texts from the table, by index, keeping the form default where it has none
void SetHeaders(SequenceGrid* grid, const TextTable& texts, const QVector<int>& indices)
{
    QStringList headers;
    for (int column = 0; column < indices.size(); ++column) {
        const QTableWidgetItem* header = grid->horizontalHeaderItem(column);
        headers << texts.text(indices[column], header ? header->text() : QString());
    }
    grid->setHeaderTexts(headers);
}

} // namespace

SequencePages::SequencePages(QWidget* hotkeyGroup, QVector<TProgramStep>& programSteps,
                             QVector<TGoNGStep>& goNGSteps, QWidget* parent)
    : QWidget(parent),
      AdvStringGrid_VoltScan(Named(new SequenceGrid(ScanTable::GridLayout()), "AdvStringGrid_VoltScan")),
      TeThemeStringGridList(
          Named(new SequenceGrid(ProgramListEditor::GridLayout()), "TeThemeStringGridList")),
      TeThemeStringGridGoNg(
          Named(new SequenceGrid(GoNGListEditor::GridLayout()), "TeThemeStringGridGoNg")),
      programEditor(new ProgramListEditor(*TeThemeStringGridList, programSteps, this)),
      goNGEditor(new GoNGListEditor(*TeThemeStringGridGoNg, goNGSteps, this))
{
    AdvStringGrid_VoltScan->setHeaderTexts({tr("CH"), tr("Start(V)"), tr("Stop(V)"),
                                            tr("Step(V)"), tr("Interval(S)")});
    TeThemeStringGridList->setHeaderTexts(
        {tr("Step"), tr("CH"), tr("Voltage(V)"), tr("Current(A)"), tr("Time(S)")});
    TeThemeStringGridGoNg->setHeaderTexts({tr("Step"), tr("CH"), tr("Setting(V)"),
                                           tr("Real(A)"), tr("Max(A)"), tr("Min(A)"),
                                           tr("Time(S)"), tr("Result")});

    TeThemePageControl = Named(new QTabWidget, "TeThemePageControl");
    TeThemePageControl->addTab(buildQuickSetPage(hotkeyGroup), tr("QuickSet"));
    TeThemePageControl->addTab(buildProgramPage(), tr("Program"));
    TeThemePageControl->addTab(buildGoNGPage(), QStringLiteral("GO/NG"));

    auto* column = new QVBoxLayout(this);
    column->setContentsMargins(0, 0, 0, 0);
    column->addWidget(TeThemePageControl, 1);
    column->addWidget(buildPanels());
}

void SequencePages::SetDefaults()
{
    ScanTable::SetDefaults(*AdvStringGrid_VoltScan);
    programEditor->SetDefaults();
    goNGEditor->SetDefaults();
}

void SequencePages::LoadCaptions(const TextTable& texts)
{
    const auto caption = [&texts](auto* widget, int index) {
        widget->setText(texts.text(index, widget->text()));
    };
    TeThemePageControl->setTabText(0, texts.text(27, TeThemePageControl->tabText(0)));
    TeThemePageControl->setTabText(1, texts.text(42, TeThemePageControl->tabText(1)));
    m_scanGroup->setTitle(texts.text(29, m_scanGroup->title()));
    SetHeaders(AdvStringGrid_VoltScan, texts, {142, 32, 33, 34, 35});
    SetHeaders(TeThemeStringGridList, texts, {46, 142, 7, 8, 12});
    SetHeaders(TeThemeStringGridGoNg, texts, {46, 142, 54, 55, 56, 57, 58, 59});
    TeThemeRadioGroupRun->setTitle(texts.text(47, TeThemeRadioGroupRun->title()));
    caption(Label_RunTimes, 47);
    caption(runOnce, 48);
    caption(runRepeat, 49);
    caption(runCustom, 50);
    for (QPushButton* run : {TeThemeButton_VoltScanRun, TeThemeButton_RunPorgramRun,
                             TeThemeButton_GoNGRun})
        caption(run, 113);
    for (QPushButton* stop : {TeThemeButton_VoltScanStop, TeThemeButton_RunProgramStop,
                              TeThemeButton_GoNGStop})
        caption(stop, 115);
    caption(TeThemeLabel21, 116);
    caption(TeThemeButton_ReportOperation, 119);
    programEditor->LoadCaptions(texts);
    goNGEditor->LoadCaptions(texts);
}

QWidget* SequencePages::buildQuickSetPage(QWidget* hotkeyGroup)
{
    auto* page = new QWidget;
    auto* column = new QVBoxLayout(page);
    column->addWidget(hotkeyGroup);
    m_scanGroup = Named(new QGroupBox(tr("Voltage Scan")), "TeThemeGroupBoxScan");
    auto* scanLayout = new QVBoxLayout(m_scanGroup);
    scanLayout->addWidget(AdvStringGrid_VoltScan);
    column->addWidget(m_scanGroup);
    column->addStretch();
    return page;
}

QWidget* SequencePages::buildProgramPage()
{
    auto* page = new QWidget;
    auto* column = new QVBoxLayout(page);
    column->addWidget(TeThemeStringGridList, 1);
    TeThemeRadioGroupRun = Named(new QGroupBox(tr("RunTimes")), "TeThemeRadioGroupRun");
    auto* choices = new QHBoxLayout(TeThemeRadioGroupRun);
    runOnce = Named(new QRadioButton(tr("Once")), "runOnce");
    runRepeat = Named(new QRadioButton(tr("Repeat")), "runRepeat");
    runCustom = Named(new QRadioButton(tr("Custom")), "runCustom");
    runOnce->setChecked(true);
    for (QRadioButton* choice : {runOnce, runRepeat, runCustom})
        choices->addWidget(choice);
    TeThemeSpinEdit = Named(new QSpinBox, "TeThemeSpinEdit");
    TeThemeSpinEdit->setRange(2, 10000);
    TeThemeSpinEdit->setValue(2);
    TeThemeSpinEdit->hide();
    choices->addWidget(TeThemeSpinEdit);
    column->addWidget(TeThemeRadioGroupRun);
    return page;
}

QWidget* SequencePages::buildGoNGPage()
{
    auto* page = new QWidget;
    auto* column = new QVBoxLayout(page);
    column->addWidget(TeThemeStringGridGoNg, 1);
    auto* recorder = new QHBoxLayout;
    TeThemeLabel21 = Named(new QLabel(tr("Current GoNG Recorder Name:")), "TeThemeLabel21");
    TeThemeEdit1 = Named(new QLineEdit(QStringLiteral("GoNG")), "TeThemeEdit1");
    recorder->addWidget(TeThemeLabel21);
    recorder->addWidget(TeThemeEdit1, 1);
    column->addLayout(recorder);
    return page;
}

QWidget* SequencePages::buildPanels()
{
    auto* area = new QWidget;
    auto* stack = new QVBoxLayout(area);
    stack->setContentsMargins(0, 0, 0, 0);

    Panel_ScanVoltageCommandPanel = Named(new QWidget, "Panel_ScanVoltageCommandPanel");
    auto* scanRow = new QHBoxLayout(Panel_ScanVoltageCommandPanel);
    TeThemeButton_VoltScanRun = Button("TeThemeButton_VoltScanRun", tr("Run"), scanRow);
    TeThemeButton_VoltScanStop = Button("TeThemeButton_VoltScanStop", tr("Stop"), scanRow);

    Panel_RunProgramPanel = Named(new QWidget, "Panel_RunProgramPanel");
    auto* programRow = new QHBoxLayout(Panel_RunProgramPanel);
    TeThemeButton_RunPorgramRun = Button("TeThemeButton_RunPorgramRun", tr("Run"), programRow);
    TeThemeButton_RunProgramStop = Button("TeThemeButton_RunProgramStop", tr("Stop"), programRow);
    Label_RunTimes = Named(new QLabel(tr("Run Times：")), "Label_RunTimes");
    Label_RunTimes->setStyleSheet(QStringLiteral("color: blue"));
    Label_RunTimes->hide();
    programRow->addWidget(Label_RunTimes);

    Panel_GoNGRun = Named(new QWidget, "Panel_GoNGRun");
    auto* goNGRow = new QHBoxLayout(Panel_GoNGRun);
    TeThemeButton_GoNGRun = Button("TeThemeButton_GoNGRun", tr("Run"), goNGRow);
    TeThemeButton_GoNGStop = Button("TeThemeButton_GoNGStop", tr("Stop"), goNGRow);
    TeThemeButton_ReportOperation =
        Button("TeThemeButton_ReportOperation", tr("Report Operation"), goNGRow);

    for (QPushButton* stop : {TeThemeButton_VoltScanStop, TeThemeButton_RunProgramStop,
                              TeThemeButton_GoNGStop})
        stop->setEnabled(false);
    for (QWidget* panel : {Panel_ScanVoltageCommandPanel, Panel_RunProgramPanel, Panel_GoNGRun})
        stack->addWidget(panel);
    Panel_RunProgramPanel->hide();
    Panel_GoNGRun->hide();
    return area;
}
