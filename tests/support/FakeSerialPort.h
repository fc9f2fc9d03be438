#pragma once

#include "SerialPort.h"

#include <QByteArrayList>

// A serial port for unit tests: records what is written and delivers bytes the test pushes
// as one receive event each.
class FakeSerialPort : public SerialPort
{
    Q_OBJECT
public:
    using SerialPort::SerialPort;

    void setBaudRate(qint32 baudRate) override { m_baudRate = baudRate; }
    bool open(const QString& portName) override
    {
        m_portName = portName;
        m_open = m_openSucceeds;
        return m_open;
    }
    void close() override { m_open = false; }
    bool isOpen() const override { return m_open; }
    bool write(const QByteArray& bytes) override
    {
        if (!m_open)
            return false;
        written.append(bytes);
        return true;
    }
    QByteArray readAll() override { return std::exchange(m_pending, {}); }
    QString errorString() const override { return QStringLiteral("fake port error"); }

    // delivers `bytes` in one receive event
    void receive(const QByteArray& bytes)
    {
        m_pending += bytes;
        Q_EMIT readyRead();
    }

    void setOpenSucceeds(bool succeeds) { m_openSucceeds = succeeds; }
    qint32 baudRate() const { return m_baudRate; }
    QString portName() const { return m_portName; }

    QByteArrayList written;

private:
    QByteArray m_pending;
    QString m_portName;
    qint32 m_baudRate = 9600;
    bool m_open = true;
    bool m_openSucceeds = true;
};
