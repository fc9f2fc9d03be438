#include "LanguageFile.h"

#include "ByteImage.h"

#include <QtEndian>

#include <algorithm>

namespace {

quint16 readUInt16(ByteReader& reader)
{
    const QByteArray field = reader.bytes(2);
    return reader.ok() ? qFromLittleEndian<quint16>(field.constData()) : 0;
}

QByteArray uint16Bytes(quint16 value)
{
    char raw[2];
    qToLittleEndian<quint16>(value, raw);
    return QByteArray(raw, sizeof raw);
}

int announcedTextCount(quint8 countByte)
{
    return countByte == 0 ? LanguageFile::MaxTextCount : countByte - 1;
}

} // namespace

DecodedLanguageFile DecodeLanguageFile(const QByteArray& bytes)
{
    DecodedLanguageFile decoded;
    ByteReader reader(bytes);
    const quint16 countField = readUInt16(reader);
    const int announced = announcedTextCount(static_cast<quint8>(countField & 0xFF));
    while (reader.ok() && decoded.texts.size() < announced) {
        const quint16 length = readUInt16(reader);
        const QByteArray text = reader.bytes(length);
        if (reader.ok())
            decoded.texts.append(text);
    }
    decoded.complete = reader.ok();
    return decoded;
}

std::optional<QByteArray> EncodeLanguageFile(const QByteArrayList& texts)
{
    const bool tooLong = std::any_of(texts.begin(), texts.end(), [](const QByteArray& text) {
        return text.size() > LanguageFile::MaxTextLength;
    });
    if (texts.size() > LanguageFile::MaxTextCount || tooLong)
        return std::nullopt;

    ByteWriter writer;
    // N = count + 1 in the low byte; 255 texts wrap to N = 0
    writer.putBytes(uint16Bytes(static_cast<quint8>(texts.size() + 1)));
    for (const QByteArray& text : texts) {
        writer.putBytes(uint16Bytes(static_cast<quint16>(text.size())));
        writer.putBytes(text);
    }
    return writer.bytes();
}
