#pragma once

#include "SerialPort.h"

#include <QSerialPort>

// The device path for a port name as the operator writes it: "COMn" names the n-th serial port
// (/dev/ttyS(n-1)); any other name (ttyUSB0, pts/7, /dev/ttyACM0) is used as it is.
QString SystemPortName(const QString& portName);

// SerialPort over QSerialPort, set up as the instrument expects: 8N1, no flow control, DTR and
// RTS on while open, a bounded read buffer.
class SystemSerialPort : public SerialPort
{
    Q_OBJECT
public:
    static constexpr qint64 ReadBufferSize = 4096;

    explicit SystemSerialPort(QObject* parent = nullptr);

    void setBaudRate(qint32 baudRate) override;
    bool open(const QString& portName) override;
    void close() override;
    bool isOpen() const override;
    bool write(const QByteArray& bytes) override;
    QByteArray readAll() override;
    QString errorString() const override;

private:
    void onError(QSerialPort::SerialPortError error);

    QSerialPort m_port;
    QString m_portName;
    QString m_error;
};
