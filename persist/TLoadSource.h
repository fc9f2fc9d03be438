#pragma once

#include "SystemLanguage.h"
#include "TextTable.h"

#include <QByteArrayList>
#include <QDir>
#include <QString>

#include <optional>

class QTextCodec;

// The program-wide table of user-interface texts. The index file "CountryName.Txt" in the program
// folder names a language file per language id; the file of the system's language is loaded, or
// "English (United States)" when the index names none or names a file that is missing. Missing,
// unreadable or short files never fail: the table then lacks those texts and every element keeps
// its form default.
class TLoadSource : public TextTable
{
public:
    static constexpr char IndexFileName[] = "CountryName.Txt";
    static constexpr char FallbackFileName[] = "English (United States)";

    // Finds the language file for `languageId`; LoadTexts reads it.
    explicit TLoadSource(const QString& programDir, quint16 languageId = SystemLanguageId());

    // The file name the index gives for the language id, or an empty text; sets found() when
    // such a file exists in the program folder.
    QString FindLanguageFile();
    // Replaces the table with the texts of the found file, or of the fallback file.
    void LoadTexts();
    // The 8-bit text of `index` as the file holds it, or nothing beyond the loaded texts.
    std::optional<QByteArray> GetText(int index) const;

    // GetText converted from the language's ANSI code page
    std::optional<QString> text(int index) const override;
    using TextTable::text;

    const QString& languageId() const { return m_languageId; }
    const QString& languageFileName() const { return m_languageFileName; }
    bool found() const { return m_found; }
    int count() const { return m_texts.size(); }

private:
    QString nameForLanguage() const;

    QDir m_programDir;
    QString m_languageId;
    QTextCodec* m_codePage;
    QString m_languageFileName;
    bool m_found = false;
    QByteArrayList m_texts;
};
