#pragma once

#include <QByteArray>
#include <QtGlobal>

// Field-by-field little-endian encoding of the fixed binary layouts the program stores
// (settings block, step records, settings container, language file).

class ByteWriter
{
public:
    void putInt32(qint32 value);
    void putDouble(double value);
    // text in a slot of `size` bytes: cut to `size` bytes, the rest zero-filled
    void putFixedText(const QByteArray& text, int size);
    // text in a slot of `size` bytes that always keeps a terminating zero
    void putTerminatedText(const QByteArray& text, int size);
    void putZeros(int count);
    void putBytes(const QByteArray& bytes);

    const QByteArray& bytes() const { return m_bytes; }

private:
    QByteArray m_bytes;
};

// Reads fields from a byte image. A read past the end yields a zero value and marks the reader
// as short; callers check ok() once after reading a group of fields.
class ByteReader
{
public:
    explicit ByteReader(const QByteArray& bytes) : m_bytes(bytes) {}

    qint32 int32();
    double float64();
    // the characters of a `size`-byte slot up to its first zero byte (all of them without one)
    QByteArray fixedText(int size);
    QByteArray bytes(int count);
    void skip(int count);

    bool ok() const { return !m_short; }
    int position() const { return m_position; }
    int remaining() const { return m_bytes.size() - m_position; }

private:
    const char* take(int count);

    QByteArray m_bytes;
    int m_position = 0;
    bool m_short = false;
};
