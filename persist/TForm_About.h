#pragma once

#include <QDialog>

// The About box: the product's name, version and web address; nothing in it comes from the
// text table.
class TForm_About : public QDialog
{
    Q_OBJECT
public:
    static constexpr char WebAddress[] = "http://www.example.com/";

    explicit TForm_About(QWidget* parent = nullptr);

private:
    void Label3Click();
};

// Opens the help file "QL4720.chm" of the program folder with the desktop's default handler.
// A missing file does nothing; a file that no handler can show is reported.
void ShowHelpFile(const QString& programDir);
