#pragma once

#include <QByteArray>
#include <QString>

class QTextCodec;

// A language source is UTF-8 text with one line per text index:
//
//     NNN text
//
// the index in decimal (written with three digits by convention), one space, then the text up to
// the end of the line (CR LF or LF). A line of the index alone, or with one space after it, is an
// empty text. In the text, "\s" is a space (for leading or trailing spaces an editor might eat),
// "\t" a tab, "\n" a line feed, "\r" a carriage return and "\\" a backslash; no other backslash
// sequence is allowed. Lines that are empty or start with "#" are comments. The indices must run
// from 0 upward without gaps, and the source must hold exactly LanguageTextCount texts.
constexpr int LanguageTextCount = 162;

struct LanguageFileBuild
{
    QByteArray bytes; // the binary language file
    QString error;    // "line N: ..." or a whole-file problem; bytes are empty when set
};

// The binary language file of a source, every text encoded in `codePage`. Fails on a text that
// the code page cannot represent exactly or that encodes to more than 65535 bytes, a malformed
// line, a wrong index or a count other than LanguageTextCount.
LanguageFileBuild BuildLanguageFile(const QByteArray& utf8Source, QTextCodec* codePage);
