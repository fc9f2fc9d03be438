#include "LanguageSource.h"
#include "SystemLanguage.h"

#include <QCoreApplication>
#include <QFile>
#include <QSaveFile>
#include <QTextCodec>

#include <cstdio>

// Build-time generator of the program's language files:
//   mklang <language id> <UTF-8 source> <language file>
// writes the source's texts in the ANSI code page of the language id (e.g. 0x0804 -> GBK).

namespace {

int fail(const QString& message)
{
    std::fprintf(stderr, "mklang: %s\n", qUtf8Printable(message));
    return 1;
}

} // namespace

int main(int argc, char* argv[])
{
    QCoreApplication app(argc, argv);
    const QStringList args = app.arguments();
    if (args.size() != 4)
        return fail(QStringLiteral("usage: mklang <language id, e.g. 0x0409> <source> <output>"));

    bool validId = false;
    const uint languageId = args.at(1).toUInt(&validId, 0);
    if (!validId || languageId > 0xFFFF || !args.at(1).startsWith(QLatin1String("0x")))
        return fail(QStringLiteral("\"%1\" is not a language id such as 0x0409").arg(args.at(1)));

    const QString sourcePath = args.at(2);
    QFile source(sourcePath);
    if (!source.open(QIODevice::ReadOnly))
        return fail(QStringLiteral("%1: %2").arg(sourcePath, source.errorString()));

    QTextCodec* codePage = AnsiCodePage(static_cast<quint16>(languageId));
    const LanguageFileBuild build = BuildLanguageFile(source.readAll(), codePage);
    if (!build.error.isEmpty())
        return fail(QStringLiteral("%1: %2").arg(sourcePath, build.error));

    QSaveFile output(args.at(3));
    if (!output.open(QIODevice::WriteOnly) || output.write(build.bytes) != build.bytes.size() ||
        !output.commit())
        return fail(QStringLiteral("%1: %2").arg(args.at(3), output.errorString()));
    return 0;
}
