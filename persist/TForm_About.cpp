#include "TForm_About.h"

TForm_About::TForm_About(QWidget* parent) : QDialog(parent)
{
    setObjectName(QStringLiteral("Form_About"));
    setWindowTitle(tr("About"));
    setModal(true);
}
