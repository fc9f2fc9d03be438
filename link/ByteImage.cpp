#include "ByteImage.h"

#include <QtEndian>

#include <cstring>

void ByteWriter::putInt32(qint32 value)
{
    char raw[4];
    qToLittleEndian<qint32>(value, raw);
    m_bytes.append(raw, sizeof raw);
}

void ByteWriter::putDouble(double value)
{
    quint64 bits = 0;
    static_assert(sizeof bits == sizeof value, "IEEE 754 binary64 expected");
    std::memcpy(&bits, &value, sizeof bits);
    char raw[8];
    qToLittleEndian<quint64>(bits, raw);
    m_bytes.append(raw, sizeof raw);
}

void ByteWriter::putFixedText(const QByteArray& text, int size)
{
    const QByteArray cut = text.left(size);
    m_bytes.append(cut);
    putZeros(size - cut.size());
}

void ByteWriter::putTerminatedText(const QByteArray& text, int size)
{
    putFixedText(text.left(size - 1), size);
}

void ByteWriter::putZeros(int count)
{
    m_bytes.append(count, '\0');
}

void ByteWriter::putBytes(const QByteArray& bytes)
{
    m_bytes.append(bytes);
}

const char* ByteReader::take(int count)
{
    if (m_short || count < 0 || count > remaining()) {
        m_short = true;
        m_position = m_bytes.size();
        return nullptr;
    }
    const char* field = m_bytes.constData() + m_position;
    m_position += count;
    return field;
}

qint32 ByteReader::int32()
{
    const char* field = take(4);
    return field ? qFromLittleEndian<qint32>(field) : 0;
}

double ByteReader::float64()
{
    const char* field = take(8);
    if (!field)
        return 0;
    const quint64 bits = qFromLittleEndian<quint64>(field);
    double value = 0;
    std::memcpy(&value, &bits, sizeof value);
    return value;
}

QByteArray ByteReader::fixedText(int size)
{
    const char* field = take(size);
    if (!field)
        return {};
    const void* zero = std::memchr(field, 0, static_cast<size_t>(size));
    const int length = zero ? static_cast<int>(static_cast<const char*>(zero) - field) : size;
    return QByteArray(field, length);
}

QByteArray ByteReader::bytes(int count)
{
    const char* field = take(count);
    return field ? QByteArray(field, count) : QByteArray();
}

void ByteReader::skip(int count)
{
    take(count);
}
