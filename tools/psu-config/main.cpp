// psu-config: sets the serial port name in a settings file "Config.dat", keeping every other
// setting the file holds. A missing file is created with the program's defaults.
//
//   psu-config --port <name> <path to Config.dat>

#include "CommConfig.h"
#include "SettingsFile.h"

#include <QCommandLineParser>
#include <QCoreApplication>
#include <QFile>
#include <QSaveFile>

#include <cstdio>

namespace {

int Fail(const QString& message)
{
    std::fprintf(stderr, "psu-config: %s\n", qPrintable(message));
    return 1;
}

// Rewrites the port name inside the communication block of an existing file, byte for byte
// otherwise.
QString PatchPortName(const QString& path, QByteArray bytes, const QString& portName)
{
    TCommConfig config = TCommConfig::fromImage(bytes);
    config.setPortName(portName);
    bytes.replace(0, TCommConfig::ImageSize, config.toImage());
    QSaveFile file(path);
    if (file.open(QIODevice::WriteOnly) && file.write(bytes) == bytes.size() && file.commit())
        return {};
    return QStringLiteral("cannot write \"%1\": %2").arg(path, file.errorString());
}

} // namespace

int main(int argc, char* argv[])
{
    QCoreApplication application(argc, argv);
    QCommandLineParser parser;
    parser.setApplicationDescription(QStringLiteral("Sets the serial port in a Config.dat file."));
    parser.addHelpOption();
    const QCommandLineOption portOption(QStringLiteral("port"),
                                        QStringLiteral("Serial port name, at most 11 characters."),
                                        QStringLiteral("name"));
    parser.addOption(portOption);
    parser.addPositionalArgument(QStringLiteral("file"), QStringLiteral("The settings file."));
    parser.process(application);

    const QStringList files = parser.positionalArguments();
    const QString portName = parser.value(portOption);
    if (files.size() != 1 || portName.isEmpty())
        return Fail(QStringLiteral("usage: psu-config --port <name> <Config.dat>"));
    if (portName.size() > TCommConfig::PortNameSize)
        return Fail(QStringLiteral("port name \"%1\" is longer than %2 characters")
                        .arg(portName)
                        .arg(TCommConfig::PortNameSize));

    const QString path = files.first();
    if (!PathHasCommBlock(path))
        return Fail(QStringLiteral("\"%1\" contains \".PAR\", so the program keeps no port "
                                   "setting in it").arg(path));
    QFile existing(path);
    if (existing.exists()) {
        if (!existing.open(QIODevice::ReadOnly))
            return Fail(QStringLiteral("cannot read \"%1\": %2").arg(path, existing.errorString()));
        const QByteArray bytes = existing.readAll();
        if (bytes.size() >= TCommConfig::ImageSize) {
            const QString error = PatchPortName(path, bytes, portName);
            return error.isEmpty() ? 0 : Fail(error);
        }
    }
    SettingsImage image = DefaultSettingsImage();
    image.comm->setPortName(portName);
    const QString error = WriteSettingsImage(path, image);
    return error.isEmpty() ? 0 : Fail(error);
}
