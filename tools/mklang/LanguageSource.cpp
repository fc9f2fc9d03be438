#include "LanguageSource.h"

#include "LanguageFile.h"

#include <QTextCodec>
#include <QVector>

#include <optional>

namespace {

struct SourceText
{
    int line;
    QString text;
};

struct ParsedSource
{
    QVector<SourceText> texts;
    QString error;
};

QString lineError(int line, const QString& message)
{
    return QStringLiteral("line %1: %2").arg(line).arg(message);
}

std::optional<QString> decodeUtf8(const QByteArray& bytes)
{
    QTextCodec::ConverterState state;
    const QString text =
        QTextCodec::codecForName("UTF-8")->toUnicode(bytes.constData(), bytes.size(), &state);
    if (state.invalidChars > 0 || state.remainingChars > 0)
        return std::nullopt;
    return text;
}

std::optional<QChar> escapedCharacter(QChar code)
{
    switch (code.unicode()) {
    case 's':
        return QLatin1Char(' ');
    case 't':
        return QLatin1Char('\t');
    case 'n':
        return QLatin1Char('\n');
    case 'r':
        return QLatin1Char('\r');
    case '\\':
        return QLatin1Char('\\');
    default:
        return std::nullopt;
    }
}

// The text with its backslash sequences resolved; nothing on an unknown or unfinished one.
std::optional<QString> unescape(const QString& escaped)
{
    QString text;
    for (int i = 0; i < escaped.size(); ++i) {
        if (escaped.at(i) != QLatin1Char('\\')) {
            text += escaped.at(i);
            continue;
        }
        const std::optional<QChar> c =
            ++i < escaped.size() ? escapedCharacter(escaped.at(i)) : std::nullopt;
        if (!c)
            return std::nullopt;
        text += *c;
    }
    return text;
}

int leadingDigitCount(const QString& line)
{
    int count = 0;
    while (count < line.size() && line.at(count) >= QLatin1Char('0') &&
           line.at(count) <= QLatin1Char('9'))
        ++count;
    return count;
}

// The text of one "NNN text" line, which must carry `expectedIndex`; else the error in `error`.
std::optional<QString> parseEntry(const QString& line, int expectedIndex, QString& error)
{
    const int digits = leadingDigitCount(line);
    if (digits == 0 || (digits < line.size() && line.at(digits) != QLatin1Char(' '))) {
        error = QStringLiteral("expected the index, one space and the text");
        return std::nullopt;
    }
    if (line.left(digits).toInt() != expectedIndex) {
        error = QStringLiteral("index %1 where index %2 belongs")
                    .arg(line.left(digits))
                    .arg(expectedIndex);
        return std::nullopt;
    }
    std::optional<QString> text = unescape(line.mid(digits + 1));
    if (!text)
        error = QStringLiteral("unknown or unfinished backslash sequence "
                               "(known: \\s \\t \\n \\r \\\\)");
    return text;
}

ParsedSource parseSource(const QByteArray& utf8Source)
{
    ParsedSource parsed;
    int lineNumber = 0;
    for (QByteArray bytes : utf8Source.split('\n')) {
        ++lineNumber;
        if (bytes.endsWith('\r'))
            bytes.chop(1);
        const std::optional<QString> line = decodeUtf8(bytes);
        if (!line) {
            parsed.error = lineError(lineNumber, QStringLiteral("not valid UTF-8"));
            return parsed;
        }
        if (line->isEmpty() || line->startsWith(QLatin1Char('#')))
            continue;
        QString error;
        const std::optional<QString> text = parseEntry(*line, parsed.texts.size(), error);
        if (!text) {
            parsed.error = lineError(lineNumber, error);
            return parsed;
        }
        parsed.texts.append({lineNumber, *text});
    }
    if (parsed.texts.size() != LanguageTextCount)
        parsed.error = QStringLiteral("%1 texts where %2 (indices 0 to %3) are needed")
                           .arg(parsed.texts.size())
                           .arg(LanguageTextCount)
                           .arg(LanguageTextCount - 1);
    return parsed;
}

// The text in the code page, or an error when it cannot be stored there unchanged.
std::optional<QByteArray> encodeText(const SourceText& source, int index, QTextCodec* codePage,
                                     QString& error)
{
    const QByteArray bytes = codePage->fromUnicode(source.text);
    if (codePage->toUnicode(bytes) != source.text) {
        error =
            lineError(source.line, QStringLiteral("text %1 \"%2\" cannot be written in %3")
                                       .arg(index)
                                       .arg(source.text, QString::fromLatin1(codePage->name())));
        return std::nullopt;
    }
    if (bytes.size() > LanguageFile::MaxTextLength) {
        error = lineError(source.line, QStringLiteral("text %1 takes %2 bytes, more than %3")
                                           .arg(index)
                                           .arg(bytes.size())
                                           .arg(LanguageFile::MaxTextLength));
        return std::nullopt;
    }
    return bytes;
}

} // namespace

LanguageFileBuild BuildLanguageFile(const QByteArray& utf8Source, QTextCodec* codePage)
{
    const ParsedSource parsed = parseSource(utf8Source);
    if (!parsed.error.isEmpty())
        return {{}, parsed.error};

    QByteArrayList texts;
    for (const SourceText& source : parsed.texts) {
        QString error;
        const std::optional<QByteArray> bytes = encodeText(source, texts.size(), codePage, error);
        if (!bytes)
            return {{}, error};
        texts.append(*bytes);
    }
    // the texts are within the file's limits now, so the encoding always succeeds
    return {*EncodeLanguageFile(texts), {}};
}
