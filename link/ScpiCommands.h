#pragma once

#include <QByteArray>
#include <QString>

// The command texts sent to the supply. Every command ends with exactly one line feed and is
// answered by exactly one reply line; set commands carry ";:Syst:Err?" so that the reply is the
// instrument's error-queue line.
namespace Scpi {

inline const QByteArray Identify = QByteArrayLiteral("*IDN?\n");
inline const QByteArray QueryOutput = QByteArrayLiteral("OUTP?\n");
inline const QByteArray QueryChannel = QByteArrayLiteral("INST:NSEL?\n");
inline const QByteArray QueryVoltageSetpoints = QByteArrayLiteral("APP:VOLT?\n");
inline const QByteArray QueryCurrentSetpoints = QByteArrayLiteral("APP:CURR?\n");
inline const QByteArray MeasureVoltages = QByteArrayLiteral("MEAS:ALL?\n");
inline const QByteArray MeasureCurrents = QByteArrayLiteral("MEAS:CURR:ALL?\n");

} // namespace Scpi

// Three-channel set commands. Each text is used as given ("N" leaves a channel unchanged),
// apart from every "," becoming ".".
QByteArray BuildAppVoltCommand(const QString& channel1, const QString& channel2,
                               const QString& channel3);
QByteArray BuildAppCurrCommand(const QString& channel1, const QString& channel2,
                               const QString& channel3);

// Single-value set commands for the selected channel, the number in the general format with a
// decimal point whatever the locale.
QByteArray BuildVoltCommand(double volts);
QByteArray BuildCurrCommand(double amperes);

QByteArray BuildChannelCommand(int channel);
QByteArray BuildOutputCommand(bool on);
