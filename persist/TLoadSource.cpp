#include "TLoadSource.h"

#include "LanguageFile.h"

#include <QFile>
#include <QFileInfo>
#include <QTextCodec>

namespace {

constexpr int IdColumns = 6;
constexpr int NameColumn = 7; // counted from 0; column 7 is the separator
// Index lines are read up to this length; the rest of a longer line is skipped.
constexpr int MaxIndexLineLength = 255;

// The next line of the index file without its CR LF or LF ending, cut to MaxIndexLineLength.
QByteArray readIndexLine(QIODevice& file)
{
    QByteArray line = file.readLine(MaxIndexLineLength + 2);
    if (!line.endsWith('\n')) {
        // skip the rest of an overlong line so that it is not taken for the next one
        while (!file.atEnd() && !file.readLine(4096).endsWith('\n')) {
        }
    }
    if (line.endsWith('\n'))
        line.chop(1);
    if (line.endsWith('\r'))
        line.chop(1);
    return line.left(MaxIndexLineLength);
}

} // namespace

TLoadSource::TLoadSource(const QString& programDir, quint16 languageId)
    : m_programDir(programDir), m_languageId(LanguageIdText(languageId)),
      m_codePage(AnsiCodePage(languageId))
{
    m_languageFileName = FindLanguageFile();
}

QString TLoadSource::FindLanguageFile()
{
    const QString name = nameForLanguage();
    m_found = !name.isEmpty() && QFileInfo(m_programDir.filePath(name)).isFile();
    return name;
}

QString TLoadSource::nameForLanguage() const
{
    QFile index(m_programDir.filePath(QString::fromLatin1(IndexFileName)));
    if (!index.open(QIODevice::ReadOnly))
        return {};
    const QByteArray id = m_languageId.toLatin1();
    while (!index.atEnd()) {
        const QByteArray line = readIndexLine(index);
        if (line.left(IdColumns) == id)
            return m_codePage->toUnicode(line.mid(NameColumn));
    }
    return {};
}

void TLoadSource::LoadTexts()
{
    m_texts.clear();
    const QString name = m_found ? m_languageFileName : QString::fromLatin1(FallbackFileName);
    QFile file(m_programDir.filePath(name));
    if (!file.open(QIODevice::ReadOnly))
        return;
    m_texts = DecodeLanguageFile(file.read(qMin(file.size(), LanguageFile::MaxSize))).texts;
}

std::optional<QByteArray> TLoadSource::GetText(int index) const
{
    if (index < 0 || index >= m_texts.size())
        return std::nullopt;
    return m_texts.at(index);
}

std::optional<QString> TLoadSource::text(int index) const
{
    const std::optional<QByteArray> raw = GetText(index);
    if (!raw)
        return std::nullopt;
    return m_codePage->toUnicode(*raw);
}
