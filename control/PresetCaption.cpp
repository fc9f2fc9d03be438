#include "PresetCaption.h"

#include "NumberText.h"
#include "ScpiCommands.h"

#include <QStringList>

#include <algorithm>

namespace {

QByteArray cutBefore(const QByteArray& part, char unitLetter)
{
    const int letter = part.indexOf(unitLetter);
    return letter < 0 ? QByteArray() : part.left(letter);
}

PresetChannelTexts splitSegment(const QByteArray& segment)
{
    const int slash = segment.indexOf('/');
    const QByteArray voltagePart = slash < 0 ? QByteArray() : segment.left(slash);
    const QByteArray currentPart = slash < 0 ? segment : segment.mid(slash + 1);
    return {cutBefore(voltagePart, 'V'), cutBefore(currentPart, 'A')};
}

// The builders take text; Latin-1 carries the caption's bytes through unchanged.
QString commandText(const QByteArray& part)
{
    return QString::fromLatin1(part);
}

} // namespace

PresetTexts SplitPresetCaption(const QByteArray& caption)
{
    PresetTexts texts;
    int segmentStart = 0;
    int channelIndex = 0;
    for (int end = caption.indexOf(';'); end >= 0; end = caption.indexOf(';', segmentStart)) {
        if (channelIndex < 2)
            texts[channelIndex] = splitSegment(caption.mid(segmentStart, end - segmentStart));
        ++channelIndex;
        segmentStart = end + 1;
    }
    const QByteArray rest = caption.mid(segmentStart);
    if (rest.contains('/'))
        texts[2] = splitSegment(rest);
    return texts;
}

std::optional<double> PresetPartValue(const QByteArray& part)
{
    const bool hasDigit =
        std::any_of(part.begin(), part.end(), [](char c) { return c >= '0' && c <= '9'; });
    if (!hasDigit)
        return std::nullopt;
    return ParseReplyNumber(part);
}

PresetReading ReadPreset(const QByteArray& caption)
{
    const PresetTexts texts = SplitPresetCaption(caption);
    PresetReading reading;
    for (int i = 0; i < PresetChannelCount; ++i) {
        if (texts[i])
            reading[i] = {PresetPartValue(texts[i]->voltage), PresetPartValue(texts[i]->current)};
    }
    return reading;
}

QByteArrayList BuildPresetCommands(const QByteArray& caption)
{
    const PresetTexts texts = SplitPresetCaption(caption);
    if (!texts[2])
        return {};
    std::array<QString, PresetChannelCount> voltages;
    std::array<QString, PresetChannelCount> currents;
    for (int i = 0; i < PresetChannelCount; ++i) {
        const PresetChannelTexts channel = texts[i].value_or(PresetChannelTexts());
        voltages[i] = commandText(channel.voltage);
        currents[i] = commandText(channel.current);
    }
    return {BuildAppVoltCommand(voltages[0], voltages[1], voltages[2]),
            BuildAppCurrCommand(currents[0], currents[1], currents[2])};
}

QString BuildPresetCaption(const PresetValues& values)
{
    QStringList pieces;
    for (const PresetChannelValues& channel : values) {
        pieces.append(FormatGeneralLocal(channel.voltage) + QLatin1String("V/") +
                      FormatGeneralLocal(channel.current) + QLatin1Char('A'));
    }
    return pieces.join(QLatin1Char(';'));
}
