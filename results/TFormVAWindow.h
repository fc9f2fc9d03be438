#pragma once

#include <QDialog>

// The large plot window with markers, zoom and plot files.
class TFormVAWindow : public QDialog
{
    Q_OBJECT
public:
    explicit TFormVAWindow(QWidget* parent = nullptr);
};
