#include "TrendStore.h"

#include <cmath>
#include <limits>

namespace {

constexpr double kInfinity = std::numeric_limits<double>::infinity();
constexpr int kFanOutBits = 3;
static_assert(kTrendFanOut == 1 << kFanOutBits, "fan-out and its bit count agree");
static_assert(kTrendColumns <= 8, "the order bits of a bucket fit one byte");

constexpr TrendRange kEmptyRange{kInfinity, -kInfinity};

// rows covered by one full entry of `level`
qint64 spanOf(int level)
{
    return qint64(1) << (kFanOutBits * level);
}

constexpr quint8 kAllColumns = (1u << kTrendColumns) - 1;

// Takes the row's values of the columns in `columns` into the bucket and returns the columns
// whose minimum or maximum the row changed.
quint8 mergeRow(TrendBucket& bucket, const TrendRow& row, quint8 columns)
{
    bucket.lastTime = row.time;
    quint8 changed = 0;
    for (int c = 0; c < kTrendColumns; ++c) {
        if (!(columns & (1u << c)))
            continue;
        const double value = row.values[size_t(c)];
        // NaN fails both comparisons and so never enters a bucket
        if (value < bucket.min[size_t(c)]) {
            bucket.min[size_t(c)] = value;
            bucket.minFirst &= quint8(~(1u << c));
            changed |= quint8(1u << c);
        }
        if (value > bucket.max[size_t(c)]) {
            bucket.max[size_t(c)] = value;
            bucket.minFirst |= quint8(1u << c);
            changed |= quint8(1u << c);
        }
    }
    return changed;
}

TrendBucket bucketOf(const TrendRow& row)
{
    TrendBucket bucket;
    bucket.firstTime = row.time;
    bucket.min.fill(kInfinity);
    bucket.max.fill(-kInfinity);
    bucket.minFirst = 0;
    mergeRow(bucket, row, kAllColumns);
    return bucket;
}

} // namespace

TrendStore::TrendStore(const TrendRetention& retention) : m_retention(retention)
{
    // Every level keeps at least its newest entry, and a finer level covers no more rows than a
    // coarser one: views reach the fine entries through the coarse ones above them.
    qint64 floor = 1;
    for (qint64& rows : m_retention.recentRows) {
        rows = qMax(rows, floor);
        floor = rows;
    }
    m_ranges.fill(kEmptyRange);
}

void TrendStore::append(qint64 msecsSinceEpoch, const TrendValues& values)
{
    const qint64 index = m_rows.size();
    if (index > 0 && index == spanOf(int(m_levels.size())))
        addLevel();

    TrendRow& row = m_rows.append();
    row.time = index == 0 ? msecsSinceEpoch : qMax(msecsSinceEpoch, m_lastTime);
    for (size_t c = 0; c < values.size(); ++c)
        row.values[c] = std::isfinite(values[c]) ? values[c] : qQNaN();
    if (index == 0)
        m_firstTime = row.time;
    m_lastTime = row.time;

    takeIntoRanges(row);
    takeIntoLevels(row);
    releaseOldEntries();
    ++m_revision;
}

void TrendStore::clear()
{
    m_rows.clear();
    m_levels.clear();
    m_openBuckets.clear();
    m_ranges.fill(kEmptyRange);
    m_firstTime = 0;
    m_lastTime = 0;
    ++m_revision;
}

qint64 TrendStore::entryCount(int level) const
{
    return level == 0 ? m_rows.size() : m_levels[size_t(level - 1)].size();
}

qint64 TrendStore::firstKept(int level) const
{
    return level == 0 ? m_rows.firstKept() : m_levels[size_t(level - 1)].firstKept();
}

qint64 TrendStore::rowsIn(int level, qint64 index) const
{
    const qint64 begin = index * spanOf(level);
    return qMin(begin + spanOf(level), rowCount()) - begin;
}

qint64 TrendStore::memoryBytes() const
{
    qint64 bytes = m_rows.memoryBytes();
    for (const Buckets& level : m_levels)
        bytes += level.memoryBytes();
    return bytes;
}

void TrendStore::takeIntoRanges(const TrendRow& row)
{
    for (size_t c = 0; c < row.values.size(); ++c) {
        const double value = row.values[c];
        TrendRange& range = m_ranges[c];
        if (value < range.min)
            range.min = value;
        if (value > range.max)
            range.max = value;
    }
}

// The top level is about to need a second entry: a new level on top starts with one bucket that
// summarises everything so far, which is exactly the old top level's single entry.
void TrendStore::addLevel()
{
    const TrendBucket top = m_levels.empty() ? bucketOf(m_rows[0]) : m_levels.back()[0];
    m_levels.emplace_back();
    TrendBucket& bucket = m_levels.back().append();
    bucket = top;
    m_openBuckets.push_back(&bucket);
}

// Each level's newest bucket holds all rows of the newest bucket of the level below it, so a
// value that changes no extreme of a column at one level changes none further up either: above
// that point only the bucket's last time moves on. This keeps most appends to one or two levels.
void TrendStore::takeIntoLevels(const TrendRow& row)
{
    const qint64 index = m_rows.size() - 1;
    quint8 columns = kAllColumns; // columns whose extremes the row may still change
    for (size_t k = 0; k < m_levels.size(); ++k) {
        TrendBucket*& open = m_openBuckets[k];
        if ((index & (spanOf(int(k) + 1) - 1)) == 0) {
            open = &m_levels[k].append();
            *open = bucketOf(row);
        } else if (columns != 0) {
            columns = mergeRow(*open, row, columns);
        } else {
            open->lastTime = row.time;
        }
    }
}

void TrendStore::releaseOldEntries()
{
    const qint64 rows = m_rows.size();
    for (int level = 0; level < kTrendHistoryLevel && level < levelCount(); ++level) {
        const qint64 recent = m_retention.recentRows[size_t(level)];
        if (rows <= recent)
            return; // the finer levels keep no more rows than the coarser ones
        const qint64 cutoff = (rows - recent) >> (kFanOutBits * level);
        if (level == 0)
            m_rows.releaseBefore(cutoff);
        else
            m_levels[size_t(level - 1)].releaseBefore(cutoff);
    }
}
