// Screenshots for looking at the program as an operator sees it: the main window connected to
// psu-sim, grabbed to PNG files in the folder given as the first argument.

#include "ErrorReport.h"
#include "PumpingWait.h"
#include "SettingsFile.h"
#include "TForm_Main.h"
#include "support/SimProcess.h"

#include <QApplication>
#include <QDir>
#include <QStyleFactory>
#include <QTemporaryDir>

#include <cstdio>

int main(int argc, char* argv[])
{
    QApplication application(argc, argv);
    QApplication::setStyle(QStyleFactory::create(QStringLiteral("Fusion")));
    if (argc < 2) {
        std::fprintf(stderr, "usage: snapshot <output folder>\n");
        return 2;
    }
    const QDir output(QString::fromLocal8Bit(argv[1]));
    ErrorReport::SetPresenter([](const QString& text) {
        std::fprintf(stderr, "error: %s\n", qPrintable(text));
    });

    SimProcess sim({QStringLiteral("--load"), QStringLiteral("1=10,2=5,3=100")});
    QTemporaryDir programDir;
    SettingsImage settings = DefaultSettingsImage();
    settings.comm->setPortName(sim.portName());
    WriteSettingsImage(programDir.filePath(QStringLiteral("Config.dat")), settings);

    TForm_Main window(programDir.path());
    window.resize(1280, 800);
    window.show();
    PumpingWait(3000);
    const QString path = output.filePath(QStringLiteral("main-window.png"));
    if (!window.grab().save(path)) {
        std::fprintf(stderr, "cannot write %s\n", qPrintable(path));
        return 1;
    }
    std::printf("%s\n", qPrintable(path));
    return 0;
}
