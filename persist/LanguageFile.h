#pragma once

#include <QByteArrayList>

#include <optional>

// The binary language file, little-endian: a two-byte count field whose low byte N announces
// N - 1 texts (N = 0 announces 255; the high byte is ignored), then per text a 16-bit length L
// and L bytes of 8-bit text in the language's ANSI code page, without terminator. Text k is the
// text of index k.
namespace LanguageFile {
constexpr int MaxTextCount = 255;
constexpr int MaxTextLength = 0xFFFF;
// The largest file that can hold anything the count field announces; bytes beyond it are unread.
constexpr qint64 MaxSize = 2 + qint64(MaxTextCount) * (2 + MaxTextLength);
} // namespace LanguageFile

struct DecodedLanguageFile
{
    QByteArrayList texts; // the complete entries, in index order
    bool complete = true; // false when the bytes ended before the last announced entry
};
DecodedLanguageFile DecodeLanguageFile(const QByteArray& bytes);

// Nothing when there are more than MaxTextCount texts or a text is longer than MaxTextLength.
std::optional<QByteArray> EncodeLanguageFile(const QByteArrayList& texts);
