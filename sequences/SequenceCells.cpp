#include "SequenceCells.h"

#include <QCoreApplication>
#include <QRegularExpression>

namespace {

constexpr qint64 kMaxStepSeconds = 2147483; // the most a millisecond timer interval holds

} // namespace

bool TakesPart(const QString& cellText)
{
    return !cellText.isEmpty() && cellText != QLatin1String("N");
}

QString ValueOrN(const QString& cellText, bool takesPart)
{
    return takesPart ? cellText : QStringLiteral("N");
}

std::optional<int> StepTimeMs(const QString& cellText)
{
    static const QRegularExpression wholeNumber(QStringLiteral("^\\s*\\+?([0-9]{1,10})\\s*$"));
    const QRegularExpressionMatch match = wholeNumber.match(cellText);
    if (!match.hasMatch())
        return std::nullopt;
    const qint64 seconds = match.captured(1).toLongLong();
    if (seconds > kMaxStepSeconds)
        return std::nullopt;
    return static_cast<int>(seconds * 1000);
}

QString StepTimeError(int step, const QString& cellText)
{
    return QCoreApplication::translate("SequenceCells",
                                       "Step %1: '%2' is not a valid integer value. A step time "
                                       "is a whole number of seconds from 0 to %3.")
        .arg(step)
        .arg(cellText)
        .arg(kMaxStepSeconds);
}

int StepCountOf(const GridCells& grid)
{
    return (grid.rows() - 1) / 3;
}

StepTimes ReadStepTimes(const GridCells& grid, int timeColumn)
{
    StepTimes times;
    for (int step = 0; step < StepCountOf(grid); ++step) {
        const QString time = grid.cell(timeColumn, StepRow(step, 1));
        const std::optional<int> ms = StepTimeMs(time);
        if (!ms)
            return {{}, StepTimeError(step + 1, time)};
        times.ms.append(*ms);
    }
    return times;
}
