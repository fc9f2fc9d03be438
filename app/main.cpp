#include "TForm_Main.h"
#include "UnixSignalWatcher.h"

#include <QApplication>
#include <QStyleFactory>

#include <csignal>

int main(int argc, char* argv[])
{
    QApplication application(argc, argv);
    QApplication::setApplicationName(QStringLiteral("psu-control"));
    QApplication::setStyle(QStyleFactory::create(QStringLiteral("Fusion")));

    // The main window creates the program's other windows; all live until the program ends.
    TForm_Main mainWindow;

    UnixSignalWatcher terminationSignals({SIGTERM, SIGINT});
    QObject::connect(&terminationSignals, &UnixSignalWatcher::received, &mainWindow,
                     &QWidget::close);

    mainWindow.showMaximized();
    return application.exec();
}
