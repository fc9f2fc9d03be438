#include "ErrorReport.h"

#include <QApplication>
#include <QMessageBox>

namespace ErrorReport {
namespace {

void ShowMessageBox(const QString& text)
{
    QMessageBox::critical(QApplication::activeWindow(), QApplication::applicationDisplayName(),
                          text);
}

Presenter& CurrentPresenter()
{
    static Presenter presenter = ShowMessageBox;
    return presenter;
}

} // namespace

void Show(const QString& text)
{
    CurrentPresenter()(text);
}

Presenter SetPresenter(Presenter presenter)
{
    return std::exchange(CurrentPresenter(), std::move(presenter));
}

} // namespace ErrorReport
