#pragma once

#include <QLocale>
#include <QString>

class QTextCodec;

// Windows language identifiers (primary language in the low ten bits, sublanguage above) and the
// 8-bit ANSI code page Windows uses for each. The language files, their index and the 8-bit texts
// of the settings files are byte-compatible with those written on Windows, so the program picks
// its language and code page the way Windows does.

// The language identifier of a locale: its region's identifier where Windows has one, otherwise
// the language's default sublanguage; 0x0409 (English, United States) for the C locale and for
// languages Windows has no identifier for.
quint16 LanguageIdForLocale(const QLocale& locale);

// LanguageIdForLocale(QLocale::system())
quint16 SystemLanguageId();

// "0x" followed by four upper-case hexadecimal digits, e.g. "0x040C"
QString LanguageIdText(quint16 languageId);

// The ANSI code page number of a language: 1252 for Western languages, 936 for Simplified
// Chinese, 1251 for Cyrillic ones and so on.
int AnsiCodePageNumber(quint16 languageId);

// The codec of AnsiCodePageNumber(languageId); never null (windows-1252 when Qt lacks the page).
QTextCodec* AnsiCodePage(quint16 languageId);
