#include "TForm_About.h"
#include "TForm_Config.h"
#include "TForm_FastKey.h"
#include "TForm_GoNGTable.h"
#include "TForm_Main.h"
#include "TFormVAWindow.h"
#include "UnixSignalWatcher.h"

#include <QApplication>
#include <QStyleFactory>

#include <csignal>

int main(int argc, char* argv[])
{
    QApplication application(argc, argv);
    QApplication::setApplicationName(QStringLiteral("psu-control"));
    QApplication::setStyle(QStyleFactory::create(QStringLiteral("Fusion")));

    // The six windows are created once, in this order, and live until the program ends.
    TForm_Main mainWindow;
    TForm_FastKey fastKeyDialog(&mainWindow);
    TForm_Config configDialog(&mainWindow);
    TForm_About aboutBox(&mainWindow);
    TForm_GoNGTable goNGManager(&mainWindow);
    TFormVAWindow plotWindow(&mainWindow);

    UnixSignalWatcher terminationSignals({SIGTERM, SIGINT});
    QObject::connect(&terminationSignals, &UnixSignalWatcher::received, &mainWindow,
                     &QWidget::close);

    mainWindow.showMaximized();
    return application.exec();
}
