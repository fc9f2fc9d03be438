#pragma once

#include "GridCells.h"

#include <QByteArray>
#include <QString>
#include <QVector>

#include <functional>
#include <optional>

// Where a runner puts the commands it queues for the instrument.
using CommandSink = std::function<void(const QByteArray&)>;

// A channel takes part in a step when each of its relevant cells is neither empty nor "N".
bool TakesPart(const QString& cellText);

// The value a channel sends: the cell's text when the channel takes part, "N" otherwise.
QString ValueOrN(const QString& cellText, bool takesPart);

// A step time in whole seconds from 0 to 2147483, as milliseconds for a timer.
std::optional<int> StepTimeMs(const QString& cellText);

// The message for a step time that StepTimeMs refuses; `step` counts from 1.
QString StepTimeError(int step, const QString& cellText);

// The times of every step of a step grid (time in the first row of each step, `timeColumn`),
// as milliseconds; on the first time StepTimeMs refuses, the message naming its step instead.
struct StepTimes
{
    QVector<int> ms;
    QString error;
};
StepTimes ReadStepTimes(const GridCells& grid, int timeColumn);

// Number of whole steps of a grid of three rows per step below its header row.
int StepCountOf(const GridCells& grid);

// The grid row of channel `channel` (1..3) in step `stepIndex` (from 0).
inline int StepRow(int stepIndex, int channel)
{
    return 3 * stepIndex + channel;
}
