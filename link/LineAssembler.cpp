#include "LineAssembler.h"

void LineAssembler::append(const QByteArray& bytes)
{
    QByteArray data = bytes;
    data.replace('\0', QByteArray());
    if (m_discarding) {
        const int lineFeed = data.indexOf('\n');
        if (lineFeed < 0)
            return;
        data.remove(0, lineFeed + 1);
        m_discarding = false;
    }
    appendWithinLimit(data);
}

void LineAssembler::appendWithinLimit(const QByteArray& bytes)
{
    m_buffer.append(bytes);
    const int partialStart = m_buffer.lastIndexOf('\n') + 1;
    if (m_buffer.size() - partialStart > Limit) {
        m_buffer.truncate(partialStart);
        m_discarding = true;
    }
    // Complete lines wait here one per receive event; a device that floods lines would pile
    // them up, so the oldest are dropped beyond the limit.
    while (m_buffer.size() > Limit)
        m_buffer.remove(0, m_buffer.indexOf('\n') + 1);
}

std::optional<QByteArray> LineAssembler::takeLine()
{
    const int lineFeed = m_buffer.indexOf('\n');
    if (lineFeed < 0)
        return std::nullopt;
    QByteArray line = m_buffer.left(lineFeed);
    m_buffer.remove(0, lineFeed + 1);
    return line;
}
