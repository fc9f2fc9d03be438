#include "TrendCurve.h"

#include <qwt_scale_map.h>

#include <cmath>

TrendSamples::TrendSamples(const TrendStore& store, int firstColumn, int columnCount)
    : m_store(store), m_firstColumn(firstColumn), m_points(columnCount)
{
}

void TrendSamples::update(qint64 from, qint64 to, int pixels)
{
    const TrendViewRequest view{from, to, pixels, m_firstColumn, m_points.size()};
    if (m_current && m_revision == m_store.revision() && view.from == m_view.from &&
        view.to == m_view.to && view.pixels == m_view.pixels)
        return;
    m_points = DecimateTrend(m_store, view);
    m_view = view;
    m_revision = m_store.revision();
    m_current = true;
}

TrendSeriesData::TrendSeriesData(const TrendSamples& samples, int index)
    : m_samples(samples), m_index(index)
{
}

size_t TrendSeriesData::size() const
{
    return size_t(m_samples.points(m_index).size());
}

QPointF TrendSeriesData::sample(size_t i) const
{
    return m_samples.points(m_index).at(int(i));
}

QRectF TrendSeriesData::boundingRect() const
{
    const TrendStore& store = m_samples.store();
    const TrendRange range = store.columnRange(m_samples.firstColumn() + m_index);
    if (store.isEmpty() || range.isEmpty())
        return QRectF(1.0, 1.0, -2.0, -2.0); // Qwt's "no bounds"
    return QRectF(double(store.firstTime()), range.min,
                  double(store.lastTime() - store.firstTime()), range.max - range.min);
}

TrendCurve::TrendCurve(TrendSamples& samples, int index, const QString& title)
    : QwtPlotCurve(title), m_samples(samples)
{
    setData(new TrendSeriesData(samples, index));
    setLegendAttribute(LegendShowLine);
    setLegendIconSize(QSize(16, 8));
}

void TrendCurve::drawSeries(QPainter* painter, const QwtScaleMap& xMap, const QwtScaleMap& yMap,
                            const QRectF& canvasRect, int, int) const
{
    const double first = qMin(xMap.s1(), xMap.s2());
    const double last = qMax(xMap.s1(), xMap.s2());
    const int pixels = qMax(1, int(std::ceil(xMap.pDist())));
    m_samples.update(qint64(std::floor(first)), qint64(std::ceil(last)), pixels);
    QwtPlotCurve::drawSeries(painter, xMap, yMap, canvasRect, 0, -1);
}
