#include "TrendPlot.h"

#include "PlotLayoutCompat.h"
#include "TrendCurve.h"
#include "TrendStore.h"

#include <QDateTime>
#include <QMouseEvent>
#include <qwt_date_scale_draw.h>
#include <qwt_date_scale_engine.h>
#include <qwt_legend.h>
#include <qwt_plot_grid.h>

namespace {

const QColor kChannelColors[TrendPlot::kChannels] = {Qt::red, Qt::yellow, Qt::blue};
const QColor kSilver(192, 192, 192);
const QColor kGridColor(128, 128, 128);
// room a time label needs on the X axis, in pixels
constexpr int kTimeLabelSpacing = 90;
constexpr int kInitialTimeLabels = 3;

} // namespace

TrendPlot::TrendPlot(const TrendStore& store, int firstColumn, const QwtInterval& initialRange,
                     QWidget* parent)
    : QwtPlot(parent), m_store(store),
      m_firstColumn(qBound(0, firstColumn, kTrendColumns - kChannels)),
      m_initialRange(initialRange.normalized()),
      m_samples(std::make_unique<TrendSamples>(store, m_firstColumn, kChannels))
{
    setUpLook();
    setUpTimeAxis();
    for (int i = 0; i < kChannels; ++i) {
        m_curves[size_t(i)] = new TrendCurve(*m_samples, i, tr("Channel %1").arg(i + 1));
        m_curves[size_t(i)]->setPen(kChannelColors[i]);
        m_curves[size_t(i)]->attach(this);
    }
    insertLegend(new QwtLegend, QwtPlot::BottomLegend);
    refresh();

    m_frameTimer.setInterval(kFrameMs);
    connect(&m_frameTimer, &QTimer::timeout, this, &TrendPlot::refreshIfChanged);
    m_frameTimer.start();
}

// The curves reach the samples through references, so they go before the samples do.
TrendPlot::~TrendPlot()
{
    detachItems();
}

void TrendPlot::setPlotTitle(const QString& title)
{
    setTitle(title);
}

void TrendPlot::setChannelTitle(int channel, const QString& title)
{
    if (channel >= 1 && channel <= kChannels)
        m_curves[size_t(channel - 1)]->setTitle(title);
}

void TrendPlot::setTimeAxisTitle(const QString& title)
{
    setAxisTitle(xBottom, title);
}

void TrendPlot::refresh()
{
    fitAxes();
    replot();
    m_shownRevision = m_store.revision();
}

void TrendPlot::mouseDoubleClickEvent(QMouseEvent* event)
{
    if (event->button() == Qt::LeftButton)
        Q_EMIT doubleClicked();
    QwtPlot::mouseDoubleClickEvent(event);
}

void TrendPlot::resizeEvent(QResizeEvent* event)
{
    setAxisMaxMajor(xBottom, qMax(2, width() / kTimeLabelSpacing));
    QwtPlot::resizeEvent(event);
}

void TrendPlot::refreshIfChanged()
{
    if (m_store.revision() != m_shownRevision)
        refresh();
}

void TrendPlot::fitAxes()
{
    const qint64 first =
        m_store.isEmpty() ? QDateTime::currentMSecsSinceEpoch() : m_store.firstTime();
    const qint64 last = m_store.isEmpty() ? first : m_store.lastTime();
    setAxisScale(xBottom, double(first), double(qMax(last, first + kMinimumSpanMs)));

    QwtInterval values = m_initialRange;
    for (int i = 0; i < kChannels; ++i) {
        const TrendRange range = m_store.columnRange(m_firstColumn + i);
        if (!range.isEmpty())
            values |= QwtInterval(range.min, range.max);
    }
    setAxisScale(yLeft, values.minValue(), values.maxValue());
}

void TrendPlot::setUpLook()
{
    setAutoFillBackground(true);
    QPalette silver = palette();
    silver.setColor(QPalette::Window, kSilver);
    setPalette(silver);
    setCanvasBackground(Qt::black);
    // the traces reach the canvas edges: the ends of the axes are the edges of the canvas
    AlignCanvasToScales(*this);

    auto* grid = new QwtPlotGrid;
    grid->setMajorPen(kGridColor, 0, Qt::DotLine);
    grid->attach(this);
}

void TrendPlot::setUpTimeAxis()
{
    auto* draw = new QwtDateScaleDraw(Qt::LocalTime);
    const QString timeOfDay = QStringLiteral("hh:mm:ss");
    for (const auto interval :
         {QwtDate::Millisecond, QwtDate::Second, QwtDate::Minute, QwtDate::Hour, QwtDate::Day,
          QwtDate::Week, QwtDate::Month, QwtDate::Year})
        draw->setDateFormat(interval, timeOfDay);
    setAxisScaleDraw(xBottom, draw);
    setAxisScaleEngine(xBottom, new QwtDateScaleEngine(Qt::LocalTime));
    // The axis asks for room for all its labels; a few keep the plot narrow until the first
    // resize fits their number to the width.
    setAxisMaxMajor(xBottom, kInitialTimeLabels);
    setAxisTitle(xBottom, tr("Time(S)"));
}
