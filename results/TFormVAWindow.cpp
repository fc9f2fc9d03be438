#include "TFormVAWindow.h"

TFormVAWindow::TFormVAWindow(QWidget* parent) : QDialog(parent)
{
    setObjectName(QStringLiteral("FormVAWindow"));
    setWindowTitle(tr("Voltage(V)"));
    setModal(true);
}
