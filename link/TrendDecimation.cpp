#include "TrendDecimation.h"

#include <cmath>
#include <limits>

namespace {

constexpr double kInfinity = std::numeric_limits<double>::infinity();

// Walks the store's levels from the top and gathers, pixel by pixel, the extremes of every
// requested column. Entries arrive in time order, so only the current pixel is open at a time.
class PixelReducer
{
public:
    PixelReducer(const TrendStore& store, const TrendViewRequest& request);

    QVector<QVector<QPointF>> run();

private:
    // Extremes of one column in the open pixel, with the position at which each occurred.
    struct Extremes
    {
        double min;
        double max;
        qint64 minOrder;
        qint64 maxOrder;
    };

    void visit(int level, qint64 index);
    bool childrenKept(int level, qint64 index) const;
    int pixelOf(qint64 time) const;
    void addRow(const TrendRow& row);
    void addBucket(const TrendBucket& bucket, qint64 rows);
    void enterPixel(qint64 firstTime, qint64 lastTime, qint64 rows);
    void flushPixel();

    const TrendStore& m_store;
    const TrendViewRequest m_request;
    const double m_pixelsPerMs;
    QVector<QVector<QPointF>> m_points;

    int m_pixel = -1;
    qint64 m_pixelFirstTime = 0;
    qint64 m_pixelLastTime = 0;
    qint64 m_pixelRows = 0;
    qint64 m_order = 0;
    std::array<Extremes, kTrendColumns> m_extremes{};
};

PixelReducer::PixelReducer(const TrendStore& store, const TrendViewRequest& request)
    : m_store(store), m_request(request),
      m_pixelsPerMs(request.pixels / double(qMax<qint64>(request.to - request.from, 1))),
      m_points(request.columnCount)
{
}

QVector<QVector<QPointF>> PixelReducer::run()
{
    const int top = m_store.levelCount() - 1;
    for (qint64 index = m_store.firstKept(top); index < m_store.entryCount(top); ++index)
        visit(top, index);
    flushPixel();
    return m_points;
}

void PixelReducer::visit(int level, qint64 index)
{
    if (level == 0) {
        const TrendRow& row = m_store.row(index);
        if (row.time >= m_request.from && row.time <= m_request.to)
            addRow(row);
        return;
    }
    const TrendBucket& bucket = m_store.bucket(level, index);
    if (bucket.lastTime < m_request.from || bucket.firstTime > m_request.to)
        return;
    const bool inside = bucket.firstTime >= m_request.from && bucket.lastTime <= m_request.to;
    if ((inside && pixelOf(bucket.firstTime) == pixelOf(bucket.lastTime)) ||
        !childrenKept(level, index)) {
        addBucket(bucket, m_store.rowsIn(level, index));
        return;
    }
    const qint64 firstChild = index * kTrendFanOut;
    const qint64 endChild = qMin(firstChild + kTrendFanOut, m_store.entryCount(level - 1));
    for (qint64 child = firstChild; child < endChild; ++child)
        visit(level - 1, child);
}

bool PixelReducer::childrenKept(int level, qint64 index) const
{
    return index * kTrendFanOut >= m_store.firstKept(level - 1);
}

int PixelReducer::pixelOf(qint64 time) const
{
    const double pixel = std::floor((time - m_request.from) * m_pixelsPerMs);
    return int(qBound(0.0, pixel, double(m_request.pixels - 1)));
}

void PixelReducer::addRow(const TrendRow& row)
{
    enterPixel(row.time, row.time, 1);
    for (int i = 0; i < m_request.columnCount; ++i) {
        const double value = row.values[size_t(m_request.firstColumn + i)];
        Extremes& extremes = m_extremes[size_t(i)];
        if (value < extremes.min) {
            extremes.min = value;
            extremes.minOrder = m_order;
        }
        if (value > extremes.max) {
            extremes.max = value;
            extremes.maxOrder = m_order;
        }
    }
}

void PixelReducer::addBucket(const TrendBucket& bucket, qint64 rows)
{
    enterPixel(bucket.firstTime, bucket.lastTime, rows);
    for (int i = 0; i < m_request.columnCount; ++i) {
        const size_t column = size_t(m_request.firstColumn + i);
        const bool minFirst = bucket.minComesFirst(int(column));
        Extremes& extremes = m_extremes[size_t(i)];
        if (bucket.min[column] < extremes.min) {
            extremes.min = bucket.min[column];
            extremes.minOrder = m_order + (minFirst ? 0 : 1);
        }
        if (bucket.max[column] > extremes.max) {
            extremes.max = bucket.max[column];
            extremes.maxOrder = m_order + (minFirst ? 1 : 0);
        }
    }
}

// Moves on to the pixel of an entry about to be added, closing the previous pixel when the entry
// lies in another one.
void PixelReducer::enterPixel(qint64 firstTime, qint64 lastTime, qint64 rows)
{
    const int pixel = pixelOf(firstTime);
    if (pixel != m_pixel) {
        flushPixel();
        m_pixel = pixel;
        m_pixelFirstTime = firstTime;
        m_pixelRows = 0;
        m_extremes.fill(Extremes{kInfinity, -kInfinity, 0, 0});
    }
    m_pixelLastTime = lastTime;
    m_pixelRows += rows;
    m_order += 2; // room for the two extremes of a bucket
}

void PixelReducer::flushPixel()
{
    if (m_pixel < 0)
        return;
    for (int i = 0; i < m_request.columnCount; ++i) {
        const Extremes& extremes = m_extremes[size_t(i)];
        if (extremes.min > extremes.max)
            continue; // no number in this pixel
        QVector<QPointF>& points = m_points[i];
        if (m_pixelRows == 1) {
            points.append(QPointF(double(m_pixelFirstTime), extremes.min));
            continue;
        }
        const bool minFirst = extremes.minOrder <= extremes.maxOrder;
        points.append(QPointF(double(m_pixelFirstTime), minFirst ? extremes.min : extremes.max));
        points.append(QPointF(double(m_pixelLastTime), minFirst ? extremes.max : extremes.min));
    }
}

bool isValid(const TrendViewRequest& request)
{
    return request.pixels > 0 && request.from <= request.to && request.firstColumn >= 0 &&
           request.columnCount >= 0 && request.firstColumn + request.columnCount <= kTrendColumns;
}

} // namespace

QVector<QVector<QPointF>> DecimateTrend(const TrendStore& store, const TrendViewRequest& request)
{
    if (!isValid(request))
        return QVector<QVector<QPointF>>(qBound(0, request.columnCount, kTrendColumns));
    return PixelReducer(store, request).run();
}
