#pragma once

#include "TrendDecimation.h"

#include <qwt_plot_curve.h>
#include <qwt_series_data.h>

// The reduced points of consecutive store columns for the time range and width last drawn. The
// curves of one plot share it, so that a redraw reduces the store once for all of them.
class TrendSamples
{
public:
    TrendSamples(const TrendStore& store, int firstColumn, int columnCount);

    // Reduces the store for this view unless neither the store nor the view has changed.
    void update(qint64 from, qint64 to, int pixels);

    const QVector<QPointF>& points(int index) const { return m_points.at(index); }
    const TrendStore& store() const { return m_store; }
    int firstColumn() const { return m_firstColumn; }

private:
    const TrendStore& m_store;
    const int m_firstColumn;
    QVector<QVector<QPointF>> m_points;
    bool m_current = false;
    quint64 m_revision = 0;
    TrendViewRequest m_view{};
};

// Hands one column of TrendSamples to a curve, with the column's whole extent as bounds.
class TrendSeriesData : public QwtSeriesData<QPointF>
{
public:
    TrendSeriesData(const TrendSamples& samples, int index);

    size_t size() const override;
    QPointF sample(size_t i) const override;
    QRectF boundingRect() const override;

private:
    const TrendSamples& m_samples;
    const int m_index;
};

// A curve of one store column that reduces the store to the range and width it is about to be
// drawn at, whether on the screen or rendered into an image of another size.
class TrendCurve : public QwtPlotCurve
{
public:
    TrendCurve(TrendSamples& samples, int index, const QString& title);

protected:
    void drawSeries(QPainter* painter, const QwtScaleMap& xMap, const QwtScaleMap& yMap,
                    const QRectF& canvasRect, int from, int to) const override;

private:
    TrendSamples& m_samples;
};
