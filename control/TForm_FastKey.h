#pragma once

#include <QDialog>

// The hotkey set-up dialog: the voltage and current of each channel for one preset.
class TForm_FastKey : public QDialog
{
    Q_OBJECT
public:
    explicit TForm_FastKey(QWidget* parent = nullptr);
};
