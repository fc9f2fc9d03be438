#include "ReplyParsing.h"

#include "NumberText.h"
#include "ScpiCommands.h"

namespace {

std::array<double, 3> FieldValues(const QByteArray& line)
{
    const std::array<QByteArray, 3> fields = SplitReplyFields(line);
    return {ParseReplyNumber(fields[0]), ParseReplyNumber(fields[1]),
            ParseReplyNumber(fields[2])};
}

ReplyMeaning Meaning(ReplyMeaning::Kind kind)
{
    ReplyMeaning meaning;
    meaning.kind = kind;
    return meaning;
}

ReplyMeaning PerChannelMeaning(ReplyMeaning::Kind kind, const QByteArray& line)
{
    ReplyMeaning meaning = Meaning(kind);
    meaning.values = FieldValues(line);
    return meaning;
}

} // namespace

bool IsRefusal(const QByteArray& line)
{
    const QByteArray upper = line.toUpper();
    return upper.contains("TOO") || (upper.contains("INVALID") && upper.contains("PARA")) ||
           upper.contains("COMMAND");
}

std::array<QByteArray, 3> SplitReplyFields(const QByteArray& line)
{
    const int first = line.indexOf(',');
    if (first < 0)
        return {};
    const int second = line.indexOf(',', first + 1);
    if (second < 0)
        return {line.left(first), {}, {}};
    return {line.left(first), line.mid(first + 1, second - first - 1), line.mid(second + 1)};
}

QString IdentityModel(const QByteArray& line)
{
    const int first = line.indexOf(',');
    const int second = first < 0 ? -1 : line.indexOf(',', first + 1);
    if (second < 0)
        return {};
    const QByteArray model = line.mid(first + 1, second - first - 1);
    return QString::fromLatin1(model.contains("5837") ? QByteArrayLiteral("4720") : model);
}

ReplyMeaning InterpretReply(const QByteArray& command, const QByteArray& line)
{
    if (IsRefusal(line))
        return Meaning(ReplyMeaning::Refusal);
    if (command == Scpi::Identify) {
        ReplyMeaning meaning = Meaning(ReplyMeaning::Identity);
        meaning.model = IdentityModel(line);
        return meaning;
    }
    if (command == Scpi::MeasureVoltages)
        return PerChannelMeaning(ReplyMeaning::MeasuredVoltages, line);
    if (command == Scpi::MeasureCurrents)
        return PerChannelMeaning(ReplyMeaning::MeasuredCurrents, line);
    if (command == Scpi::QueryVoltageSetpoints)
        return PerChannelMeaning(ReplyMeaning::VoltageSetpoints, line);
    if (command == Scpi::QueryCurrentSetpoints)
        return PerChannelMeaning(ReplyMeaning::CurrentSetpoints, line);
    if (command == Scpi::QueryOutput) {
        ReplyMeaning meaning = Meaning(ReplyMeaning::OutputState);
        meaning.outputOn = line == "1";
        return meaning;
    }
    if (command == Scpi::QueryChannel) {
        ReplyMeaning meaning = Meaning(ReplyMeaning::SelectedChannel);
        meaning.channel = line == "1" ? 1 : line == "2" ? 2 : 3;
        return meaning;
    }
    return Meaning(ReplyMeaning::Acknowledgement);
}
