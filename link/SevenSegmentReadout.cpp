#include "SevenSegmentReadout.h"

#include <cmath>

namespace {

const QColor kSegmentColor(128, 255, 0);

// Digit positions the text takes on the display; the decimal point sits between digits.
int digitsTaken(const QString& text)
{
    return text.size() - (text.contains(QLatin1Char('.')) ? 1 : 0);
}

bool isAllZero(const QString& text)
{
    for (const QChar c : text)
        if (c != QLatin1Char('0') && c != QLatin1Char('.') && c != QLatin1Char('-'))
            return false;
    return true;
}

} // namespace

QString SevenSegmentText(double value, int digitCount, int decimals)
{
    if (std::isnan(value))
        return QString(digitCount, QLatin1Char('-'));
    for (int shown = decimals; shown >= 0 && std::isfinite(value); --shown) {
        QString text = QString::number(value, 'f', shown);
        if (text.startsWith(QLatin1Char('-')) && isAllZero(text))
            text.remove(0, 1);
        if (digitsTaken(text) <= digitCount)
            return text;
    }
    return value < 0 ? QStringLiteral("-OL") : QStringLiteral("OL");
}

SevenSegmentReadout::SevenSegmentReadout(QWidget* parent) : QLCDNumber(kDigits, parent)
{
    setSmallDecimalPoint(true);
    setSegmentStyle(QLCDNumber::Flat);
    setFrameStyle(QFrame::Panel | QFrame::Sunken);
    setLineWidth(2);
    QPalette colours = palette();
    colours.setColor(QPalette::WindowText, kSegmentColor);
    colours.setColor(QPalette::Window, Qt::black);
    setPalette(colours);
    setAutoFillBackground(true);
    setValue(0);
}

QSize SevenSegmentReadout::sizeHint() const
{
    return {120, 40};
}

void SevenSegmentReadout::setValue(double value)
{
    m_value = value;
    m_shown = SevenSegmentText(value, kDigits, kDecimals);
    QLCDNumber::display(m_shown);
}
