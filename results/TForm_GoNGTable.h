#pragma once

#include <QDialog>

// The GoNG Manager: lists, shows, deletes, prints and exports the GO/NG result tables.
class TForm_GoNGTable : public QDialog
{
    Q_OBJECT
public:
    explicit TForm_GoNGTable(QWidget* parent = nullptr);
};
