#pragma once

#include <QLCDNumber>

// The text a read-out of digitCount digits shows for a value with the given decimals. A value
// too wide for them loses decimals, rounded, down to a whole number ("1234.57", "-123.46",
// "123457"); a value that does not fit even then shows the overload mark "OL" ("-OL" when
// negative), and a value that is not a number shows dashes. A negative sign takes a digit; the
// decimal point does not. A value that rounds to zero shows no sign.
QString SevenSegmentText(double value, int digitCount, int decimals);

// A seven-segment read-out of one measured or set value: 6 digits with 3 decimals, green
// segments (RGB 128, 255, 0) on black behind a lowered border. It holds the value as given,
// unrounded, beside the text it shows; it starts at 0.
class SevenSegmentReadout : public QLCDNumber
{
    Q_OBJECT
    Q_PROPERTY(double value READ value WRITE setValue)
public:
    static constexpr int kDigits = 6;
    static constexpr int kDecimals = 3;

    explicit SevenSegmentReadout(QWidget* parent = nullptr);

    double value() const { return m_value; }
    // What the segments show, e.g. "12.346" for 12.3456.
    QString shownText() const { return m_shown; }

    QSize sizeHint() const override;

public Q_SLOTS:
    void setValue(double value);

private:
    // display() would show a value without holding it; setValue is the one way in.
    using QLCDNumber::display;

    double m_value = 0;
    QString m_shown;
};
