#pragma once

#include <QByteArray>

#include <optional>

// Cuts received bytes into reply lines at the line feed. NUL bytes are discarded (as the serial
// driver of the instrument's link does) and a carriage return stays part of its line.
//
// The buffer is bounded: a device that never sends a line feed must not make it grow without
// limit. When more than Limit bytes pile up without a line feed they are dropped, and so is
// everything up to the next line feed, so the reader resynchronises on the line after it.
class LineAssembler
{
public:
    static constexpr int Limit = 4096;

    void append(const QByteArray& bytes);
    // the oldest complete line, without its line feed
    std::optional<QByteArray> takeLine();

    const QByteArray& buffer() const { return m_buffer; }
    bool isDiscarding() const { return m_discarding; }

private:
    void appendWithinLimit(const QByteArray& bytes);

    QByteArray m_buffer;
    bool m_discarding = false;
};
