#pragma once

#include <QDialog>

// The About box.
class TForm_About : public QDialog
{
    Q_OBJECT
public:
    explicit TForm_About(QWidget* parent = nullptr);
};
