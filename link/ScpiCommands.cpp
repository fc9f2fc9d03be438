#include "ScpiCommands.h"

#include "NumberText.h"

namespace {

constexpr char kErrorQuery[] = ";:Syst:Err?\n";

QByteArray WithDecimalPoints(const QString& text)
{
    QByteArray bytes = text.toLatin1();
    bytes.replace(',', '.');
    return bytes;
}

QByteArray TripleCommand(const char* keyword, const QString& a, const QString& b,
                         const QString& c)
{
    return QByteArray(keyword) + WithDecimalPoints(a) + ',' + WithDecimalPoints(b) + ',' +
           WithDecimalPoints(c) + kErrorQuery;
}

QByteArray SingleValueCommand(const char* keyword, double value)
{
    return QByteArray(keyword) + FormatGeneral(value, QLatin1Char('.')).toLatin1() + kErrorQuery;
}

} // namespace

QByteArray BuildAppVoltCommand(const QString& channel1, const QString& channel2,
                               const QString& channel3)
{
    return TripleCommand("APP:VOLT ", channel1, channel2, channel3);
}

QByteArray BuildAppCurrCommand(const QString& channel1, const QString& channel2,
                               const QString& channel3)
{
    return TripleCommand("APP:CURR ", channel1, channel2, channel3);
}

QByteArray BuildVoltCommand(double volts)
{
    return SingleValueCommand("VOLT ", volts);
}

QByteArray BuildCurrCommand(double amperes)
{
    return SingleValueCommand("Curr ", amperes);
}

QByteArray BuildChannelCommand(int channel)
{
    return "INST:NSEL " + QByteArray::number(channel) + kErrorQuery;
}

QByteArray BuildOutputCommand(bool on)
{
    return (on ? QByteArrayLiteral("OUTP 1") : QByteArrayLiteral("OUTP 0")) + kErrorQuery;
}
