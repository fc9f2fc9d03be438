#pragma once

#include <QDialog>

// The configuration dialog: serial port, baud rate and the knobs' step sizes.
class TForm_Config : public QDialog
{
    Q_OBJECT
public:
    explicit TForm_Config(QWidget* parent = nullptr);
};
