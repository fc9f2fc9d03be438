#pragma once

#include <QByteArray>
#include <QObject>
#include <QString>

// The operations the command pipeline needs of a serial port: open by name at a baud rate
// (8 data bits, no parity, one stop bit, no flow control), write whole commands, and a receive
// event with the bytes waiting. Implemented over QSerialPort for the program and by a fake in
// unit tests.
class SerialPort : public QObject
{
    Q_OBJECT
public:
    using QObject::QObject;

    virtual void setBaudRate(qint32 baudRate) = 0;
    virtual bool open(const QString& portName) = 0;
    virtual void close() = 0;
    virtual bool isOpen() const = 0;
    // hands the whole command to the port; false when it cannot (errorString() says why)
    virtual bool write(const QByteArray& bytes) = 0;
    virtual QByteArray readAll() = 0;
    virtual QString errorString() const = 0;

Q_SIGNALS:
    void readyRead();
    // The port broke while open (for example a USB adapter was unplugged); it has been
    // closed already.
    void failed(const QString& message);
};
