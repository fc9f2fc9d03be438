#pragma once

#include <QString>

#include <functional>

// The application's one place for reporting a fault of the environment (a port that cannot be
// opened, a file that cannot be written): a message box with the error's text.
namespace ErrorReport {

void Show(const QString& text);

// Replaces how errors are shown (tests record them instead of opening a modal box); returns
// the previous way.
using Presenter = std::function<void(const QString&)>;
Presenter SetPresenter(Presenter presenter);

} // namespace ErrorReport
