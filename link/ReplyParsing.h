#pragma once

#include <QByteArray>
#include <QString>

#include <array>

// A reply line refuses its command when, with its letters in capitals, it contains "TOO", or
// both "INVALID" and "PARA", or "COMMAND", anywhere in the line.
bool IsRefusal(const QByteArray& line);

// The three comma-separated fields of a per-channel reply: the text before the first comma,
// between the first and the second, and after the second. Without a second comma the second
// and third fields are empty; without any comma all three are.
std::array<QByteArray, 3> SplitReplyFields(const QByteArray& line);

// The model named by an identity reply: its second comma-separated field, empty when the line
// has fewer than two commas. A model containing "5837" is shown as "4720".
QString IdentityModel(const QByteArray& line);

// What a reply line means for the command it answers.
struct ReplyMeaning
{
    enum Kind
    {
        Refusal,          // the command is sent again or given up
        Identity,         // model: the instrument's model
        MeasuredVoltages, // values: measured voltage of channels 1..3
        MeasuredCurrents, // values: measured current of channels 1..3
        VoltageSetpoints, // values: voltage set-points of channels 1..3
        CurrentSetpoints, // values: current set-points of channels 1..3
        OutputState,      // outputOn
        SelectedChannel,  // channel 1..3
        Acknowledgement   // the error-queue line answering a set command
    };

    Kind kind = Acknowledgement;
    QString model;
    std::array<double, 3> values{};
    bool outputOn = false;
    int channel = 3;
};

// Interprets `line` as the reply to `command`, the command in flight (compared exactly,
// line feed included).
ReplyMeaning InterpretReply(const QByteArray& command, const QByteArray& line);
