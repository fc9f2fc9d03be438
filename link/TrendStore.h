#pragma once

#include "ChunkedArray.h"

#include <QtGlobal>

#include <array>
#include <vector>

// Number of values in one trend row: the measured voltages of channels 1..3, then the measured
// currents of channels 1..3.
constexpr int kTrendColumns = 6;

using TrendValues = std::array<double, kTrendColumns>;

// One sample of the live read-outs: the clock reading in milliseconds since the epoch and the
// six values exactly as they were parsed. A value that is not a finite number is held as NaN and
// is left out of every range and every drawing.
struct TrendRow
{
    qint64 time;
    TrendValues values;
};

// Summary of a run of consecutive rows: the times of its first and last row and, per column, the
// smallest and largest value and which of the two came first. A column without any number in
// the run has min +infinity and max -infinity.
struct TrendBucket
{
    qint64 firstTime;
    qint64 lastTime;
    TrendValues min;
    TrendValues max;
    quint8 minFirst; // bit c set: the minimum of column c comes no later than its maximum

    bool minComesFirst(int column) const { return (minFirst >> column) & 1; }
};

// Smallest and largest number seen in a column; empty while the column has none.
struct TrendRange
{
    double min;
    double max;

    bool isEmpty() const { return min > max; }
};

// Rows per bucket of level 1, and buckets per bucket of the next level up.
constexpr int kTrendFanOut = 8;
// Levels below this one keep only recent rows; this level and the coarser ones cover the whole
// run since clearing (buckets of 8^3 = 512 rows, a few seconds of polling).
constexpr int kTrendHistoryLevel = 3;

// How many of the most recent rows each of the fine levels covers at least (older entries are
// released in whole blocks). Entry k is level k: full-resolution rows, buckets of 8 rows,
// buckets of 64 rows. With the defaults, a week of polling at the fastest line rate (about
// 7.4 x 10^7 rows) stays below 256 MB; at that rate the rows cover the last 4.7 hours.
struct TrendRetention
{
    std::array<qint64, kTrendHistoryLevel> recentRows{
        {qint64(1) << 21, qint64(1) << 21, qint64(1) << 24}};
};

// The live samples of the six read-outs since the last clearing, for the trend plots and the
// plot window. Level 0 holds the rows; level k >= 1 holds buckets that each summarise 8^k rows
// (bucket j of level k covers rows j * 8^k up to (j + 1) * 8^k - 1), all kept up to date by
// every append, so a view can read any time range at the resolution it needs without touching
// every row. Times never decrease: a clock reading earlier than the previous row's is taken as
// the previous row's time.
class TrendStore
{
public:
    explicit TrendStore(const TrendRetention& retention = TrendRetention());

    void append(qint64 msecsSinceEpoch, const TrendValues& values);
    void clear();

    qint64 rowCount() const { return m_rows.size(); }
    bool isEmpty() const { return m_rows.isEmpty(); }
    // changes with every append and every clear(); views compare it to know when to redraw
    quint64 revision() const { return m_revision; }

    // time of the first and of the last row; only meaningful when the store is not empty
    qint64 firstTime() const { return m_firstTime; }
    qint64 lastTime() const { return m_lastTime; }
    // numbers of `column` since clearing, the released rows included
    TrendRange columnRange(int column) const { return m_ranges[size_t(column)]; }

    // Level 0 is the rows, levels 1 .. levelCount() - 1 the buckets; the top level holds one
    // entry, which covers every row.
    int levelCount() const { return int(m_levels.size()) + 1; }
    // entries made at `level` since clearing, released ones included
    qint64 entryCount(int level) const;
    // index of the oldest entry of `level` still held
    qint64 firstKept(int level) const;
    // rows covered by entry `index` of `level`
    qint64 rowsIn(int level, qint64 index) const;

    // `index` must lie in [firstKept(0), rowCount())
    const TrendRow& row(qint64 index) const { return m_rows[index]; }
    // `level` >= 1; `index` must lie in [firstKept(level), entryCount(level))
    const TrendBucket& bucket(int level, qint64 index) const
    {
        return m_levels[size_t(level - 1)][index];
    }

    // bytes held by the rows and buckets
    qint64 memoryBytes() const;

private:
    using Rows = ChunkedArray<TrendRow, 1024>;
    using Buckets = ChunkedArray<TrendBucket, 256>;

    void takeIntoRanges(const TrendRow& row);
    void addLevel();
    void takeIntoLevels(const TrendRow& row);
    void releaseOldEntries();

    TrendRetention m_retention;
    Rows m_rows;
    std::vector<Buckets> m_levels; // m_levels[k - 1] is level k
    // the newest bucket of each level, which every append updates (blocks never move, and the
    // block of a level's newest entry is never released)
    std::vector<TrendBucket*> m_openBuckets;
    std::array<TrendRange, kTrendColumns> m_ranges;
    qint64 m_firstTime = 0;
    qint64 m_lastTime = 0;
    quint64 m_revision = 0;
};
