#pragma once

#include "SequenceGrid.h"
#include "StepListEditor.h"

#include <QWidget>

class QGroupBox;
class QLabel;
class QLineEdit;
class QPushButton;
class QRadioButton;
class QSpinBox;
class QTabWidget;
class TextTable;

// The right-hand side of the main window: the page control with the QuickSet page (the hotkey
// group and the voltage scan), the Program page and the GO/NG page, and under it the command
// panel of the active page. It holds the three grids and the two list editors; the runners and
// the switching of panels stay with the main window.
class SequencePages : public QWidget
{
    Q_OBJECT
public:
    SequencePages(QWidget* hotkeyGroup, QVector<TProgramStep>& programSteps,
                  QVector<TGoNGStep>& goNGSteps, QWidget* parent = nullptr);

    void LoadCaptions(const TextTable& texts);
    // start-up grid contents and step lists
    void SetDefaults();

    QTabWidget* TeThemePageControl;
    SequenceGrid* AdvStringGrid_VoltScan;
    SequenceGrid* TeThemeStringGridList;
    SequenceGrid* TeThemeStringGridGoNg;
    ProgramListEditor* programEditor;
    GoNGListEditor* goNGEditor;

    QGroupBox* TeThemeRadioGroupRun;
    QRadioButton* runOnce;
    QRadioButton* runRepeat;
    QRadioButton* runCustom;
    QSpinBox* TeThemeSpinEdit;
    QLabel* TeThemeLabel21;
    QLineEdit* TeThemeEdit1;

    QWidget* Panel_ScanVoltageCommandPanel;
    QPushButton* TeThemeButton_VoltScanRun;
    QPushButton* TeThemeButton_VoltScanStop;
    QWidget* Panel_RunProgramPanel;
    QPushButton* TeThemeButton_RunPorgramRun;
    QPushButton* TeThemeButton_RunProgramStop;
    QLabel* Label_RunTimes;
    QWidget* Panel_GoNGRun;
    QPushButton* TeThemeButton_GoNGRun;
    QPushButton* TeThemeButton_GoNGStop;
    QPushButton* TeThemeButton_ReportOperation;

private:
    QWidget* buildQuickSetPage(QWidget* hotkeyGroup);
    QWidget* buildProgramPage();
    QWidget* buildGoNGPage();
    QWidget* buildPanels();
    QGroupBox* m_scanGroup;
};
