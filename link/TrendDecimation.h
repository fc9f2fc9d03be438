#pragma once

#include "TrendStore.h"

#include <QPointF>
#include <QVector>

// What a view wants drawn: the columns firstColumn .. firstColumn + columnCount - 1 of the rows
// whose times lie in [from, to] (milliseconds since the epoch), across `pixels` pixel columns.
struct TrendViewRequest
{
    qint64 from;
    qint64 to;
    int pixels;
    int firstColumn;
    int columnCount;
};

// Reduces a time range of the store to what the pixels can show. For each requested column it
// returns points in time order, X in milliseconds since the epoch: every pixel whose rows hold
// numbers of the column contributes its smallest and its largest value in the order they
// occurred, placed at the times of the pixel's first and last row, or its single row as it is.
// A pixel with one or two rows therefore yields exactly its rows, and no extreme value is ever
// lost. The work follows the store's levels down only where an entry spans more than one pixel,
// so it grows with the pixel count and the number of levels, not with the number of rows.
// Where the fine levels have been released, the finest bucket left stands for its rows.
QVector<QVector<QPointF>> DecimateTrend(const TrendStore& store, const TrendViewRequest& request);
