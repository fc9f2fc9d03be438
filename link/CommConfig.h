#pragma once

#include <QByteArray>
#include <QString>

#include <optional>

// Communication settings and knob step sizes, stored as one 64-byte little-endian block:
//   0 BaudRateIndex (int32)   4 PortName (11 bytes, zero-padded)   15 filler
//  16 VoltageKeyArrowStep  24 VoltageKeyPageStep  32 VoltageMouseWheelStep
//  40 CurrentKeyArrowStep  48 CurrentKeyPageStep  56 CurrentMouseWheelStep (doubles)
struct TCommConfig
{
    static constexpr int ImageSize = 64;
    static constexpr int PortNameSize = 11;

    qint32 BaudRateIndex = 1;
    QByteArray PortName = QByteArrayLiteral("COM1"); // 8-bit text, at most 11 characters
    double VoltageKeyArrowStep = 0.01;
    double VoltageKeyPageStep = 0.01;
    double VoltageMouseWheelStep = 0.01;
    double CurrentKeyArrowStep = 0.01;
    double CurrentKeyPageStep = 0.01;
    double CurrentMouseWheelStep = 0.01;

    QByteArray toImage() const;
    // `image` must hold at least ImageSize bytes; only the first ImageSize are read.
    static TCommConfig fromImage(const QByteArray& image);

    void setPortName(const QString& name);
    QString portNameText() const;

    bool operator==(const TCommConfig& other) const;
    bool operator!=(const TCommConfig& other) const { return !(*this == other); }
};

// The baud rate of a BaudRateIndex (0..3: 4800, 9600, 19200, 38400); none for any other index,
// in which case the port keeps the rate it has.
std::optional<qint32> BaudRateForIndex(qint32 index);
