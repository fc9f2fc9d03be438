#include "SevenSegmentReadout.h"

#include <QSignalSpy>
#include <QtTest>

#include <limits>

// The seven-segment read-out: it holds the value unrounded, and what it shows always fits its
// six digits, with fewer decimals or an overload mark where three decimals would not.
class TestSevenSegmentReadout : public QObject
{
    Q_OBJECT
private Q_SLOTS:
    void showsWhatFits_data();
    void showsWhatFits();
    void holdsValueUnrounded();
};

void TestSevenSegmentReadout::showsWhatFits_data()
{
    constexpr double inf = std::numeric_limits<double>::infinity();
    QTest::addColumn<double>("value");
    QTest::addColumn<QString>("shown");
    QTest::newRow("zero") << 0.0 << "0.000";
    QTest::newRow("3 decimals rounded") << 12.3456 << "12.346";
    QTest::newRow("widest with 3") << 999.999 << "999.999";
    QTest::newRow("rounds into 4 digits") << 999.9996 << "1000.00";
    QTest::newRow("thousands") << 1234.5678 << "1234.57";
    QTest::newRow("ten thousands") << 12345.678 << "12345.7";
    QTest::newRow("whole only") << 123456.7 << "123457";
    QTest::newRow("widest whole") << 999999.4 << "999999";
    QTest::newRow("rounds past 6 digits") << 999999.5 << "OL";
    QTest::newRow("far too big") << 1e300 << "OL";
    QTest::newRow("negative") << -12.3456 << "-12.346";
    QTest::newRow("negative hundreds") << -123.4567 << "-123.46";
    QTest::newRow("widest negative") << -99999.4 << "-99999";
    QTest::newRow("negative too big") << -999999.0 << "-OL";
    QTest::newRow("tiny negative") << -0.0004 << "0.000";
    QTest::newRow("infinite") << inf << "OL";
    QTest::newRow("negative infinite") << -inf << "-OL";
    QTest::newRow("not a number") << std::numeric_limits<double>::quiet_NaN() << "------";
}

void TestSevenSegmentReadout::showsWhatFits()
{
    QFETCH(double, value);
    QFETCH(QString, shown);
    QCOMPARE(SevenSegmentText(value, 6, 3), shown);

    // The display agrees that the text fits its digits.
    SevenSegmentReadout readout;
    QSignalSpy overflow(&readout, &QLCDNumber::overflow);
    readout.setValue(value);
    QCOMPARE(readout.shownText(), shown);
    QCOMPARE(overflow.count(), 0);
}

void TestSevenSegmentReadout::holdsValueUnrounded()
{
    SevenSegmentReadout readout;
    QCOMPARE(readout.value(), 0.0);
    QCOMPARE(readout.shownText(), QStringLiteral("0.000"));
    QCOMPARE(readout.digitCount(), 6);
    QCOMPARE(readout.palette().color(QPalette::WindowText), QColor(128, 255, 0));
    QCOMPARE(readout.frameShadow(), QFrame::Sunken);

    readout.setValue(12.3456);
    QCOMPARE(readout.value(), 12.3456);
    QCOMPARE(readout.property("value").toDouble(), 12.3456);
    QCOMPARE(readout.shownText(), QStringLiteral("12.346"));
}

QTEST_MAIN(TestSevenSegmentReadout)
#include "tst_sevensegmentreadout.moc"
