// Screenshots for looking at the program as an operator sees it: the main window connected to
// psu-sim with each of its pages, and the dialogs, grabbed to PNG files.
//
//   snapshot <output folder> [name prefix]
// The language follows the system's (LANG), as in the program.

#include "ErrorReport.h"
#include "PumpingWait.h"
#include "SettingsFile.h"
#include "TForm_About.h"
#include "TForm_Config.h"
#include "TForm_FastKey.h"
#include "TForm_Main.h"
#include "support/SimProcess.h"

#include <QMouseEvent>
#include <QApplication>
#include <QDir>
#include <QStyleFactory>
#include <QTabWidget>
#include <QTemporaryDir>

#include <cstdio>

namespace {

bool Save(QWidget* widget, const QDir& output, const QString& name)
{
    const QString path = output.filePath(name + QStringLiteral(".png"));
    if (!widget->grab().save(path)) {
        std::fprintf(stderr, "cannot write %s\n", qPrintable(path));
        return false;
    }
    std::printf("%s\n", qPrintable(path));
    return true;
}

void LeftClick(QWidget* widget)
{
    const QPointF centre = QRectF(widget->rect()).center();
    for (QEvent::Type type : {QEvent::MouseButtonPress, QEvent::MouseButtonRelease}) {
        QMouseEvent event(type, centre, Qt::LeftButton,
                          type == QEvent::MouseButtonPress ? Qt::LeftButton : Qt::NoButton,
                          Qt::NoModifier);
        QApplication::sendEvent(widget, &event);
    }
}

bool SaveDialog(QDialog* dialog, const QDir& output, const QString& name)
{
    dialog->show();
    PumpingWait(200);
    const bool saved = Save(dialog, output, name);
    dialog->hide();
    return saved;
}

} // namespace

int main(int argc, char* argv[])
{
    QApplication application(argc, argv);
    QApplication::setStyle(QStyleFactory::create(QStringLiteral("Fusion")));
    if (argc < 2) {
        std::fprintf(stderr, "usage: snapshot <output folder> [name prefix]\n");
        return 2;
    }
    const QDir output(QString::fromLocal8Bit(argv[1]));
    const QString prefix = argc > 2 ? QString::fromLocal8Bit(argv[2]) : QString();
    ErrorReport::SetPresenter([](const QString& text) {
        std::fprintf(stderr, "error: %s\n", qPrintable(text));
    });

    // a program folder with the installed language files and a settings file for the simulator
    SimProcess sim({QStringLiteral("--load"), QStringLiteral("1=10,2=5,3=100")});
    QTemporaryDir programDir;
    const QDir installed(QStringLiteral(PSU_PROGRAM_DIR));
    for (const QString& name : installed.entryList(QDir::Files))
        QFile::copy(installed.filePath(name), programDir.filePath(name));
    QFile::remove(programDir.filePath(QStringLiteral("Config.dat")));
    SettingsImage settings = DefaultSettingsImage();
    settings.comm->setPortName(sim.portName());
    settings.hotkeyCaptions[0] = "5V/1A;12V/0.5A;3.3V/0.2A";
    WriteSettingsImage(programDir.filePath(QStringLiteral("Config.dat")), settings);

    TForm_Main window(programDir.path());
    window.resize(1280, 800);
    window.show();
    PumpingWait(2500);
    // some live values: the first preset applied and the output of channel 1 switched on
    for (const char* name : {"tbFastKey1", "iSwitchToggleRun"})
        LeftClick(window.findChild<QWidget*>(QLatin1String(name)));
    PumpingWait(3000);

    auto* pages = window.findChild<QTabWidget*>(QStringLiteral("TeThemePageControl"));
    const char* pageNames[] = {"main-window", "page-program", "page-gong"};
    for (int page = 0; page < 3; ++page) {
        pages->setCurrentIndex(page);
        PumpingWait(300);
        if (!Save(&window, output, prefix + QLatin1String(pageNames[page])))
            return 1;
    }
    auto* config = window.findChild<TForm_Config*>();
    config->Load(window.CommConfig(), ProbeSerialPorts());
    const bool dialogs =
        SaveDialog(config, output, prefix + "dialog-config") &&
        SaveDialog(window.findChild<TForm_FastKey*>(), output, prefix + "dialog-hotkey") &&
        SaveDialog(window.findChild<TForm_About*>(), output, prefix + "dialog-about");
    return dialogs ? 0 : 1;
}
