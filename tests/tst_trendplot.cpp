#include "TrendPlot.h"
#include "TrendStore.h"

#include <QSignalSpy>
#include <QtTest>
#include <qwt_plot_canvas.h>
#include <qwt_scale_div.h>

namespace {

constexpr qint64 kStart = 1700000000000;

TrendValues sameValues(double value)
{
    TrendValues values;
    values.fill(value);
    return values;
}

QwtInterval axisRange(const QwtPlot& plot, int axis)
{
    const QwtScaleDiv& div = plot.axisScaleDiv(axis);
    return QwtInterval(div.lowerBound(), div.upperBound());
}

// Counts the paint events a widget receives.
class PaintCounter : public QObject
{
public:
    explicit PaintCounter(QWidget* widget) { widget->installEventFilter(this); }
    int count = 0;

protected:
    bool eventFilter(QObject*, QEvent* event) override
    {
        if (event->type() == QEvent::Paint)
            ++count;
        return false;
    }
};

} // namespace

class TestTrendPlot : public QObject
{
    Q_OBJECT
private Q_SLOTS:
    void doubleClickIsReported();
    void valueAxisWidensButNeverNarrows();
    void timeAxisSpansTheRun();
    void redrawsArePacedAndOnlyOnChange();
    void curvesDrawTheirColumnsInChannelColours_data();
    void curvesDrawTheirColumnsInChannelColours();
};

void TestTrendPlot::doubleClickIsReported()
{
    TrendStore store;
    TrendPlot plot(store, 0, QwtInterval(0, 100));
    plot.show();
    QVERIFY(QTest::qWaitForWindowExposed(&plot));
    QSignalSpy spy(&plot, &TrendPlot::doubleClicked);
    QTest::mouseDClick(plot.canvas(), Qt::LeftButton);
    QCOMPARE(spy.count(), 1);
}

// The voltage plot (columns 0..2) and the current plot (columns 3..5) share one store; each
// widens only for its own columns, and clearing the store brings back the starting range.
void TestTrendPlot::valueAxisWidensButNeverNarrows()
{
    TrendStore store;
    TrendPlot voltage(store, 0, QwtInterval(0, 100));
    TrendPlot current(store, 3, QwtInterval(0, 10));
    const auto refreshBoth = [&] {
        voltage.refresh();
        current.refresh();
    };
    QCOMPARE(axisRange(voltage, QwtPlot::yLeft), QwtInterval(0, 100));

    store.append(kStart, {150, 1, 1, 1, 1, 1});
    refreshBoth();
    QCOMPARE(axisRange(voltage, QwtPlot::yLeft), QwtInterval(0, 150));
    QCOMPARE(axisRange(current, QwtPlot::yLeft), QwtInterval(0, 10));

    store.append(kStart + 8, {1, 1, -5, 1, 1, 12.5});
    store.append(kStart + 16, sameValues(50));
    refreshBoth();
    QCOMPARE(axisRange(voltage, QwtPlot::yLeft), QwtInterval(-5, 150));
    QCOMPARE(axisRange(current, QwtPlot::yLeft), QwtInterval(0, 50));

    store.clear();
    refreshBoth();
    QCOMPARE(axisRange(voltage, QwtPlot::yLeft), QwtInterval(0, 100));
    QCOMPARE(axisRange(current, QwtPlot::yLeft), QwtInterval(0, 10));
}

void TestTrendPlot::timeAxisSpansTheRun()
{
    TrendStore store;
    TrendPlot plot(store, 0, QwtInterval(0, 100));
    store.append(kStart, sameValues(1));
    plot.refresh();
    QCOMPARE(axisRange(plot, QwtPlot::xBottom),
             QwtInterval(kStart, kStart + TrendPlot::kMinimumSpanMs));

    store.append(kStart + 3600000, sameValues(1));
    plot.refresh();
    QCOMPARE(axisRange(plot, QwtPlot::xBottom), QwtInterval(kStart, kStart + 3600000));
}

// Rows arrive far faster than the frame rate, each followed by event handling as the reply
// dispatch gives it; the plot redraws at the frame rate and not at all while nothing changes.
void TestTrendPlot::redrawsArePacedAndOnlyOnChange()
{
    TrendStore store;
    TrendPlot plot(store, 0, QwtInterval(0, 100));
    plot.show();
    QVERIFY(QTest::qWaitForWindowExposed(&plot));
    PaintCounter paints(plot.canvas());

    QElapsedTimer clock;
    clock.start();
    int appends = 0;
    while (clock.elapsed() < 400) {
        store.append(kStart + appends * 100, sameValues(appends % 50));
        ++appends;
        QTest::qWait(1);
    }
    QTRY_COMPARE(axisRange(plot, QwtPlot::xBottom).maxValue(), double(store.lastTime()));
    QVERIFY2(paints.count >= 1 && paints.count <= int(clock.elapsed() / TrendPlot::kFrameMs) + 2,
             qPrintable(QStringLiteral("%1 paints for %2 appends").arg(paints.count).arg(appends)));

    paints.count = 0;
    QTest::qWait(5 * TrendPlot::kFrameMs);
    QCOMPARE(paints.count, 0);
}

void TestTrendPlot::curvesDrawTheirColumnsInChannelColours_data()
{
    QTest::addColumn<int>("firstColumn");
    QTest::addColumn<double>("scale"); // top of the starting range
    QTest::newRow("voltage plot") << 0 << 100.0;
    QTest::newRow("current plot") << 3 << 10.0;
}

// Channel n of the plot draws column firstColumn + n - 1 at a quarter, half and three quarters
// of the starting range; the other plot's columns hold values that would show elsewhere.
void TestTrendPlot::curvesDrawTheirColumnsInChannelColours()
{
    QFETCH(int, firstColumn);
    QFETCH(double, scale);
    TrendStore store;
    TrendValues values = sameValues(scale * 0.1);
    for (int channel = 0; channel < TrendPlot::kChannels; ++channel)
        values[size_t(firstColumn + channel)] = scale * (channel + 1) / 4;
    for (int row = 0; row < 100; ++row)
        store.append(kStart + row * 200, values);

    TrendPlot plot(store, firstColumn, QwtInterval(0, scale));
    plot.resize(600, 400);
    plot.show();
    QVERIFY(QTest::qWaitForWindowExposed(&plot));
    plot.refresh();
    const QImage canvas = plot.canvas()->grab().toImage();
    const QColor colours[] = {Qt::red, Qt::yellow, Qt::blue};
    for (int channel = 0; channel < TrendPlot::kChannels; ++channel) {
        const int y = qRound(plot.canvasMap(QwtPlot::yLeft).transform(scale * (channel + 1) / 4));
        bool found = false;
        for (int dy = -1; dy <= 1 && !found; ++dy)
            found = canvas.pixelColor(canvas.width() / 2, y + dy) == colours[channel];
        QVERIFY2(found, qPrintable(QStringLiteral("channel %1").arg(channel + 1)));
    }
}

QTEST_MAIN(TestTrendPlot)
#include "tst_trendplot.moc"
