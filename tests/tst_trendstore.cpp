#include "TrendDecimation.h"
#include "TrendStore.h"

#include <QtTest>

#include <cmath>
#include <limits>
#include <random>

namespace {

constexpr qint64 kStart = 1700000000000; // a clock reading, milliseconds since the epoch
constexpr qint64 kRowMs = 8;             // two rows per polling cycle at the fastest line rate
constexpr double kInfinity = std::numeric_limits<double>::infinity();

using Columns = QVector<QVector<QPointF>>;

TrendValues sameValues(double value)
{
    TrendValues values;
    values.fill(value);
    return values;
}

// Rows 8 ms apart with six slowly varying values between 0 and 13, as steady outputs give them.
void appendSteadyRows(TrendStore& store, qint64 count)
{
    for (qint64 i = 0; i < count; ++i) {
        const qint64 row = store.rowCount();
        const double ripple = double(row % 1000) * 0.001;
        store.append(kStart + row * kRowMs,
                     {12 + ripple, 5 - ripple, 3.3, 1 + ripple, 0.5, 0.1 * ripple});
    }
}

// Irregular rows: steps of 0 to 20 ms with now and then a pause of a minute, a random walk with
// noise, and now and then a value that is not a number.
void appendIrregularRows(TrendStore& store, qint64 count, quint32 seed)
{
    std::mt19937 random(seed);
    std::uniform_int_distribution<int> step(0, 20);
    std::uniform_real_distribution<double> noise(-1, 1);
    qint64 time = kStart;
    TrendValues walk = sameValues(0);
    for (qint64 i = 0; i < count; ++i) {
        time += random() % 5000 == 0 ? 60000 : step(random);
        TrendValues values;
        for (size_t c = 0; c < values.size(); ++c) {
            walk[c] += noise(random) * 0.1;
            values[c] = random() % 1000 == 0 ? qQNaN() : walk[c] + noise(random);
        }
        store.append(time, values);
    }
}

TrendViewRequest wholeRun(const TrendStore& store, int pixels, int firstColumn = 0,
                          int columnCount = kTrendColumns)
{
    return {store.firstTime(), store.lastTime(), pixels, firstColumn, columnCount};
}

// The reduction worked out from every row the store holds: rows grouped by pixel, and per pixel
// and column the first smallest and first largest number in the order they occurred.
Columns referenceReduction(const TrendStore& store, const TrendViewRequest& view)
{
    Columns points(view.columnCount);
    const double pixelsPerMs = view.pixels / double(qMax<qint64>(view.to - view.from, 1));
    const auto pixelOf = [&](qint64 time) {
        return int(qBound(0.0, std::floor((time - view.from) * pixelsPerMs), view.pixels - 1.0));
    };
    QVector<qint64> group;
    const auto emitGroup = [&] {
        for (int i = 0; i < view.columnCount && !group.isEmpty(); ++i) {
            qint64 minRow = -1;
            qint64 maxRow = -1;
            for (const qint64 row : group) {
                const double value = store.row(row).values[size_t(view.firstColumn + i)];
                if (std::isnan(value))
                    continue;
                if (minRow < 0 || value < store.row(minRow).values[size_t(view.firstColumn + i)])
                    minRow = row;
                if (maxRow < 0 || value > store.row(maxRow).values[size_t(view.firstColumn + i)])
                    maxRow = row;
            }
            if (minRow < 0)
                continue;
            const double min = store.row(minRow).values[size_t(view.firstColumn + i)];
            const double max = store.row(maxRow).values[size_t(view.firstColumn + i)];
            const qint64 first = store.row(group.first()).time;
            if (group.size() == 1) {
                points[i].append(QPointF(first, min));
                continue;
            }
            const qint64 last = store.row(group.last()).time;
            points[i].append(QPointF(first, minRow <= maxRow ? min : max));
            points[i].append(QPointF(last, minRow <= maxRow ? max : min));
        }
        group.clear();
    };
    for (qint64 row = store.firstKept(0); row < store.rowCount(); ++row) {
        const qint64 time = store.row(row).time;
        if (time < view.from || time > view.to)
            continue;
        if (!group.isEmpty() && pixelOf(store.row(group.last()).time) != pixelOf(time))
            emitGroup();
        group.append(row);
    }
    emitGroup();
    return points;
}

double largest(const QVector<QPointF>& points)
{
    double result = -kInfinity;
    for (const QPointF& point : points)
        result = qMax(result, point.y());
    return result;
}

double smallest(const QVector<QPointF>& points)
{
    double result = kInfinity;
    for (const QPointF& point : points)
        result = qMin(result, point.y());
    return result;
}

// Drawable at `pixels` wide: in time order, within [from, to], at most two points per pixel.
void checkDrawable(const QVector<QPointF>& points, const TrendViewRequest& view)
{
    QVERIFY(points.size() <= 2 * view.pixels);
    for (int i = 1; i < points.size(); ++i)
        QVERIFY(points.at(i - 1).x() <= points.at(i).x());
    QVERIFY(!points.isEmpty());
    QCOMPARE(points.first().x(), double(view.from));
    QCOMPARE(points.last().x(), double(view.to));
}

} // namespace

class TestTrendStore : public QObject
{
    Q_OBJECT
private Q_SLOTS:
    void appendKeepsRowsAndRanges();
    void nonNumbersStayOutOfRanges();
    void clockGoingBackKeepsTimeOrder();
    void clearEmptiesEverything();
    void fewRowsAreDrawnExactly_data();
    void fewRowsAreDrawnExactly();
    void reductionMatchesEveryRow_data();
    void reductionMatchesEveryRow();
    void spikeSurvivesAmongMillions_data();
    void spikeSurvivesAmongMillions();
    void historyKeepsWholeRunVisible();
    void memoryStaysBoundedForAWeek();
};

void TestTrendStore::appendKeepsRowsAndRanges()
{
    TrendStore store;
    QVERIFY(store.isEmpty());
    QVERIFY(store.columnRange(0).isEmpty());

    const quint64 before = store.revision();
    store.append(kStart, {12.5, 5, 3.3, 0.125, 1, 0});
    QVERIFY(store.revision() != before);
    store.append(kStart + 16, {30.001, 4, 3.3, 0.1, 2, 0});
    store.append(kStart + 33, {0.5, 6, 3.3, 0.2, 3, 0});

    QCOMPARE(store.rowCount(), qint64(3));
    QCOMPARE(store.firstTime(), kStart);
    QCOMPARE(store.lastTime(), kStart + 33);
    QCOMPARE(store.row(0).values[0], 12.5);
    QCOMPARE(store.row(1).values[0], 30.001);
    QCOMPARE(store.row(1).time, kStart + 16);
    const TrendRange expected[] = {{0.5, 30.001}, {4, 6}, {3.3, 3.3}, {0.1, 0.2}, {1, 3}, {0, 0}};
    for (int c = 0; c < kTrendColumns; ++c) {
        QCOMPARE(store.columnRange(c).min, expected[c].min);
        QCOMPARE(store.columnRange(c).max, expected[c].max);
    }
}

void TestTrendStore::nonNumbersStayOutOfRanges()
{
    TrendStore store;
    store.append(kStart, {qQNaN(), kInfinity, -kInfinity, 1, 1, 1});
    QVERIFY(store.columnRange(0).isEmpty());
    QVERIFY(store.columnRange(1).isEmpty());
    QVERIFY(std::isnan(store.row(0).values[1]));

    store.append(kStart + 8, {2, 3, 4, 1, 1, 1});
    QCOMPARE(store.columnRange(1).max, 3.0);
    const Columns points = DecimateTrend(store, wholeRun(store, 100));
    QCOMPARE(points.at(1), QVector<QPointF>({{double(kStart + 8), 3.0}}));
    QCOMPARE(points.at(3).size(), 2);
}

void TestTrendStore::clockGoingBackKeepsTimeOrder()
{
    TrendStore store;
    store.append(kStart, sameValues(1));
    store.append(kStart - 3600000, sameValues(2));
    store.append(kStart + 10, sameValues(3));
    QCOMPARE(store.row(1).time, kStart);
    QCOMPARE(store.lastTime(), kStart + 10);
}

void TestTrendStore::clearEmptiesEverything()
{
    TrendStore store;
    appendSteadyRows(store, 5000);
    const quint64 before = store.revision();
    store.clear();

    QVERIFY(store.revision() != before);
    QVERIFY(store.isEmpty());
    QCOMPARE(store.levelCount(), 1);
    QCOMPARE(store.memoryBytes(), qint64(0));
    QVERIFY(store.columnRange(0).isEmpty());
    QVERIFY(DecimateTrend(store, {kStart, kStart + 1000, 100, 0, 3}).at(0).isEmpty());

    store.append(kStart + 99999, sameValues(7));
    QCOMPARE(store.firstTime(), kStart + 99999);
    QCOMPARE(store.columnRange(2).min, 7.0);
    QCOMPARE(store.columnRange(2).max, 7.0);
}

void TestTrendStore::fewRowsAreDrawnExactly_data()
{
    QTest::addColumn<int>("rows");
    for (const int rows : {1, 2, 7, 8, 9, 64, 65, 512, 513, 1000})
        QTest::addRow("%d rows", rows) << rows;
}

void TestTrendStore::fewRowsAreDrawnExactly()
{
    QFETCH(int, rows);
    TrendStore store;
    std::mt19937 random(7);
    std::uniform_real_distribution<double> number(-10, 10);
    for (qint64 row = 0; row < rows; ++row) {
        TrendValues values;
        for (double& v : values)
            v = random() % 10 == 0 ? qQNaN() : number(random);
        store.append(kStart + row * kRowMs, values);
    }
    // fewer rows than pixels, evenly spread: at most one row per pixel
    const TrendViewRequest view = wholeRun(store, 4000, 3, 3);
    const Columns points = DecimateTrend(store, view);
    for (int i = 0; i < view.columnCount; ++i) {
        QVector<QPointF> expected;
        for (qint64 row = 0; row < rows; ++row) {
            const double value = store.row(row).values[size_t(view.firstColumn + i)];
            if (!std::isnan(value))
                expected.append(QPointF(store.row(row).time, value));
        }
        QCOMPARE(points.at(i), expected);
    }
}

void TestTrendStore::reductionMatchesEveryRow_data()
{
    QTest::addColumn<int>("rows");
    QTest::addColumn<int>("pixels");
    QTest::addColumn<double>("fromShare"); // view range as shares of the run's time span
    QTest::addColumn<double>("toShare");
    QTest::newRow("whole run, 997 pixels") << 200000 << 997 << 0.0 << 1.0;
    QTest::newRow("whole run, 3 pixels") << 200000 << 3 << 0.0 << 1.0;
    QTest::newRow("whole run, 1 pixel") << 200000 << 1 << 0.0 << 1.0;
    QTest::newRow("more pixels than rows") << 3000 << 5000 << 0.0 << 1.0;
    QTest::newRow("zoomed into the middle") << 200000 << 800 << 0.4 << 0.41;
    QTest::newRow("zoomed, uneven edges") << 200000 << 333 << 0.123 << 0.789;
}

void TestTrendStore::reductionMatchesEveryRow()
{
    QFETCH(int, rows);
    QFETCH(int, pixels);
    QFETCH(double, fromShare);
    QFETCH(double, toShare);
    TrendStore store;
    appendIrregularRows(store, rows, 42);
    const double span = double(store.lastTime() - store.firstTime());
    const TrendViewRequest view{store.firstTime() + qint64(span * fromShare),
                                store.firstTime() + qint64(span * toShare), pixels, 0,
                                kTrendColumns};
    QCOMPARE(DecimateTrend(store, view), referenceReduction(store, view));
}

void TestTrendStore::spikeSurvivesAmongMillions_data()
{
    QTest::addColumn<qint64>("spikeRow");
    // first and last rows, block boundaries of the rows, bucket boundaries of several levels
    for (const qint64 row : {0, 1023, 1024, 4095, 4096, 262143, 262144, 700001, 1048575})
        QTest::addRow("row %lld", row) << row;
}

void TestTrendStore::spikeSurvivesAmongMillions()
{
    QFETCH(qint64, spikeRow);
    constexpr qint64 kRows = qint64(1) << 20;
    TrendStore store;
    appendSteadyRows(store, spikeRow);
    TrendValues spike = sameValues(1);
    spike[1] = 1000;
    spike[4] = -1000;
    store.append(kStart + spikeRow * kRowMs, spike);
    appendSteadyRows(store, kRows - spikeRow - 1);

    const TrendViewRequest view = wholeRun(store, 1000);
    const Columns points = DecimateTrend(store, view);
    QCOMPARE(largest(points.at(1)), 1000.0);
    QCOMPARE(smallest(points.at(4)), -1000.0);
    for (const QVector<QPointF>& column : points)
        checkDrawable(column, view);

    // a view that ends just before the spike does not show it
    if (spikeRow > 0) {
        const TrendViewRequest before{store.firstTime(), store.row(spikeRow - 1).time, 500, 0, 6};
        QVERIFY(largest(DecimateTrend(store, before).at(1)) < 10);
    }
}

// A long run with tiny retention: old rows live on only in buckets, yet the plot still spans the
// whole run, keeps old extremes, and shows the recent rows exactly.
void TestTrendStore::historyKeepsWholeRunVisible()
{
    TrendStore store(TrendRetention{{1, 1, 1}});
    appendSteadyRows(store, 100);
    TrendValues spike = sameValues(1);
    spike[0] = 99;
    store.append(kStart + 100 * kRowMs, spike);
    appendSteadyRows(store, 300000);

    QVERIFY(store.firstKept(0) > 100);
    QVERIFY(store.firstKept(1) > 0);
    QVERIFY(store.firstKept(2) > 0);
    QCOMPARE(store.firstKept(kTrendHistoryLevel), qint64(0));
    QVERIFY(store.memoryBytes() < 300000 * qint64(sizeof(TrendRow)) / 20);

    const TrendViewRequest whole = wholeRun(store, 1000);
    const Columns points = DecimateTrend(store, whole);
    QCOMPARE(largest(points.at(0)), 99.0);
    for (const QVector<QPointF>& column : points)
        checkDrawable(column, whole);

    // from the first row that every fine level still holds, at a history bucket's start
    const qint64 historySpan = qint64(1) << (3 * kTrendHistoryLevel);
    qint64 keptRow = store.firstKept(0);
    for (int level = 1; level < kTrendHistoryLevel; ++level)
        keptRow = qMax(keptRow, store.firstKept(level) << (3 * level));
    keptRow = (keptRow + historySpan - 1) / historySpan * historySpan;
    const TrendViewRequest recent{store.row(keptRow).time, store.lastTime(), 700, 0, 6};
    QCOMPARE(DecimateTrend(store, recent), referenceReduction(store, recent));
}

// A week of polling at 38400 baud is about 7.4 x 10^7 rows. Once the fine levels hold their
// recent hours, only the history grows; its rate, from a run of a few seconds, bounds the week.
void TestTrendStore::memoryStaysBoundedForAWeek()
{
    constexpr qint64 kWeekRows = 74000000;
    constexpr qint64 kLimit = qint64(256) << 20;
    const qint64 fineLevelsFull = TrendRetention().recentRows.back() + (qint64(1) << 22);
    constexpr qint64 kMoreRows = qint64(1) << 22;

    TrendStore store;
    appendSteadyRows(store, fineLevelsFull);
    const qint64 bytesWhenFull = store.memoryBytes();
    appendSteadyRows(store, kMoreRows);
    const double bytesPerRow = double(store.memoryBytes() - bytesWhenFull) / kMoreRows;

    QVERIFY2(bytesPerRow < 0.5, qPrintable(QString::number(bytesPerRow)));
    const double weekBytes = bytesWhenFull + bytesPerRow * double(kWeekRows - fineLevelsFull);
    QVERIFY2(weekBytes < kLimit, qPrintable(QString::number(weekBytes / 1048576) + " MB"));
    QVERIFY(store.rowCount() - store.firstKept(0) >= TrendRetention().recentRows[0]);
    QVERIFY(store.firstKept(0) > 0);
}

QTEST_GUILESS_MAIN(TestTrendStore)
#include "tst_trendstore.moc"
