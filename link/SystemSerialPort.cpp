#include "SystemSerialPort.h"

#include <QRegularExpression>

QString SystemPortName(const QString& portName)
{
    static const QRegularExpression comName(QStringLiteral("^COM([1-9][0-9]*)$"),
                                            QRegularExpression::CaseInsensitiveOption);
    const QRegularExpressionMatch match = comName.match(portName);
    if (!match.hasMatch())
        return portName;
    return QStringLiteral("ttyS%1").arg(match.captured(1).toInt() - 1);
}

SystemSerialPort::SystemSerialPort(QObject* parent) : SerialPort(parent)
{
    m_port.setBaudRate(QSerialPort::Baud9600);
    m_port.setReadBufferSize(ReadBufferSize);
    connect(&m_port, &QSerialPort::readyRead, this, &SerialPort::readyRead);
    connect(&m_port, &QSerialPort::errorOccurred, this, &SystemSerialPort::onError);
}

void SystemSerialPort::setBaudRate(qint32 baudRate)
{
    m_port.setBaudRate(baudRate);
}

bool SystemSerialPort::open(const QString& portName)
{
    m_portName = portName;
    m_port.setPortName(SystemPortName(portName));
    m_port.setDataBits(QSerialPort::Data8);
    m_port.setParity(QSerialPort::NoParity);
    m_port.setStopBits(QSerialPort::OneStop);
    m_port.setFlowControl(QSerialPort::NoFlowControl);
    if (!m_port.open(QIODevice::ReadWrite)) {
        m_error = tr("Cannot open serial port \"%1\" (%2): %3")
                      .arg(portName, m_port.portName(), m_port.errorString());
        return false;
    }
    // Pseudo-terminals and some adapters have no modem lines; that is no reason to fail.
    m_port.setDataTerminalReady(true);
    m_port.setRequestToSend(true);
    m_port.clearError();
    return true;
}

void SystemSerialPort::close()
{
    m_port.close();
}

bool SystemSerialPort::isOpen() const
{
    return m_port.isOpen();
}

bool SystemSerialPort::write(const QByteArray& bytes)
{
    if (!m_port.isOpen()) {
        m_error = tr("Cannot write to serial port \"%1\": the port is not open.").arg(m_portName);
        return false;
    }
    if (m_port.write(bytes) != bytes.size()) {
        m_error = tr("Cannot write to serial port \"%1\": %2").arg(m_portName, m_port.errorString());
        return false;
    }
    return true;
}

QByteArray SystemSerialPort::readAll()
{
    return m_port.readAll();
}

QString SystemSerialPort::errorString() const
{
    return m_error;
}

void SystemSerialPort::onError(QSerialPort::SerialPortError error)
{
    // A port that vanishes while open (an unplugged adapter, a hung-up terminal) reports a
    // resource error, or a read error when reading meets the end of the stream, and keeps
    // reporting it for as long as it is left open; close it at once so it is reported once.
    const bool broken = error == QSerialPort::ResourceError || error == QSerialPort::ReadError;
    if (!broken || !m_port.isOpen())
        return;
    m_error = tr("Serial port \"%1\" stopped working: %2").arg(m_portName, m_port.errorString());
    m_port.close();
    Q_EMIT failed(m_error);
}
