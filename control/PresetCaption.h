#pragma once

#include <QByteArray>
#include <QByteArrayList>
#include <QString>

#include <array>
#include <optional>

// The grammar of a hotkey preset caption, "5V/1.5A;12V/0.2A;3.3V/1A": voltage and current of
// channels 1, 2 and 3. The caption is read as 8-bit text. It is never rejected: parts that do not
// follow the grammar become empty texts.

constexpr int PresetChannelCount = 3;

enum class PresetQuantity
{
    Voltage,
    Current
};

// One channel's voltage and current texts as cut from the caption: the text before the unit
// letter ("V", "A", upper case only); empty when the part lacks its letter.
struct PresetChannelTexts
{
    QByteArray voltage;
    QByteArray current;
};

// Per channel (index 0 = channel 1): the texts, or nothing when the caption gives that channel
// no segment.
using PresetTexts = std::array<std::optional<PresetChannelTexts>, PresetChannelCount>;

// Segments ending in ";" belong to channels 1 and 2 in turn; a third or later such segment is
// ignored. The rest after the last ";" (the whole caption when it has no ";") belongs to
// channel 3, but only when it contains "/". Within a segment the voltage part precedes the first
// "/" and the current part follows it; a segment without "/" is all current part.
PresetTexts SplitPresetCaption(const QByteArray& caption);

// The value of one voltage or current, or nothing when the part holds no digit (empty, "N"):
// such a part leaves its knob, read-out and dialog entry as they are.
std::optional<double> PresetPartValue(const QByteArray& part);

struct PresetChannelReading
{
    std::optional<double> voltage;
    std::optional<double> current;

    std::optional<double> value(PresetQuantity quantity) const
    {
        return quantity == PresetQuantity::Voltage ? voltage : current;
    }
};
using PresetReading = std::array<PresetChannelReading, PresetChannelCount>;

// The numbers a caption gives each channel's knobs (apply) or dialog entries (edit).
PresetReading ReadPreset(const QByteArray& caption);

// The commands that applying the caption queues: "APP:VOLT" then "APP:CURR" carrying the texts as
// cut (channels without a segment send an empty text; "," becomes "."), or none when channel 3
// got no segment.
QByteArrayList BuildPresetCommands(const QByteArray& caption);

struct PresetChannelValues
{
    double voltage = 0;
    double current = 0;
};
using PresetValues = std::array<PresetChannelValues, PresetChannelCount>;

// The caption for six values, numbers in the general format with the locale's decimal
// separator: "1.5V/0.25A;0V/0A;0V/0A", or "1,5V/0,25A;0V/0A;0V/0A" under a comma locale.
QString BuildPresetCaption(const PresetValues& values);
