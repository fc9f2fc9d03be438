#include "TForm_Config.h"

TForm_Config::TForm_Config(QWidget* parent) : QDialog(parent)
{
    setObjectName(QStringLiteral("Form_Config"));
    setWindowTitle(tr("Config"));
    setModal(true);
}
