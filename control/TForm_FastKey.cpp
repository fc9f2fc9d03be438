#include "TForm_FastKey.h"

TForm_FastKey::TForm_FastKey(QWidget* parent) : QDialog(parent)
{
    setObjectName(QStringLiteral("Form_FastKey"));
    setWindowTitle(tr("HotKey(Right-click button to Setup)"));
    setModal(true);
}
