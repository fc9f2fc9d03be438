#include "NumberText.h"

#include <QLocale>

#include <cmath>
#include <cstdio>
#include <cstdlib>

namespace {

constexpr int kSignificantDigits = 15;
constexpr int kMaxFractionDigits = 6;

struct Decimal
{
    bool negative = false;
    QByteArray digits; // significant digits without trailing zeros, at least one
    int exponent = 0;  // value = d.ddd x 10^exponent
};

Decimal ToDecimal(double value)
{
    char buffer[40];
    std::snprintf(buffer, sizeof buffer, "%.*e", kSignificantDigits - 1, value);
    const QByteArray text(buffer);
    const int e = text.indexOf('e');
    Decimal d;
    d.negative = text.startsWith('-');
    for (const char c : text.left(e))
        if (c >= '0' && c <= '9')
            d.digits.append(c);
    while (d.digits.size() > 1 && d.digits.endsWith('0'))
        d.digits.chop(1);
    d.exponent = std::atoi(text.constData() + e + 1);
    return d;
}

QString FixedText(const Decimal& d, QChar separator)
{
    QString whole;
    QString fraction;
    const int wholeCount = d.exponent + 1;
    if (wholeCount <= 0) {
        whole = QStringLiteral("0");
        fraction = QString(-wholeCount, QLatin1Char('0')) + QString::fromLatin1(d.digits);
    } else {
        const QString digits = QString::fromLatin1(d.digits);
        whole = digits.left(wholeCount).leftJustified(wholeCount, QLatin1Char('0'));
        fraction = digits.mid(wholeCount);
    }
    return fraction.isEmpty() ? whole : whole + separator + fraction;
}

QString ScientificText(const Decimal& d, QChar separator)
{
    QString text = QString(QLatin1Char(d.digits.at(0)));
    if (d.digits.size() > 1)
        text += separator + QString::fromLatin1(d.digits.mid(1));
    return text + QLatin1Char('E') + QString::number(d.exponent);
}

} // namespace

QString FormatGeneral(double value, QChar decimalSeparator)
{
    if (std::isnan(value))
        return QStringLiteral("NAN");
    if (std::isinf(value))
        return value > 0 ? QStringLiteral("INF") : QStringLiteral("-INF");
    if (value == 0)
        return QStringLiteral("0");
    const Decimal d = ToDecimal(value);
    const bool fixed = d.exponent >= -4 && d.exponent < kSignificantDigits;
    const QString text = fixed ? FixedText(d, decimalSeparator) : ScientificText(d, decimalSeparator);
    return d.negative ? QLatin1Char('-') + text : text;
}

QString FormatGeneralLocal(double value)
{
    return FormatGeneral(value, QLocale().decimalPoint());
}

double ParseReplyNumber(const QByteArray& text)
{
    const auto isBlank = [](char c) { return static_cast<unsigned char>(c) <= 32; };
    int begin = 0;
    int end = text.size();
    while (begin < end && isBlank(text.at(begin)))
        ++begin;
    while (end > begin && isBlank(text.at(end - 1)))
        --end;

    // The whole part is accumulated as a double: a reply with more digits than a 32-bit
    // integer holds reads as the large number it is instead of failing.
    double whole = 0;
    qint64 fraction = 0;
    int fractionDigits = 0;
    bool inFraction = false;
    for (int i = begin; i < end; ++i) {
        const char c = text.at(i);
        const bool digit = c >= '0' && c <= '9';
        if (!inFraction && digit)
            whole = whole * 10 + (c - '0');
        else if (!inFraction)
            inFraction = true;
        else if (digit && fractionDigits < kMaxFractionDigits) {
            fraction = fraction * 10 + (c - '0');
            ++fractionDigits;
        }
    }
    return whole + static_cast<double>(fraction) / std::pow(10.0, fractionDigits);
}

double ParseReplyNumber(const QString& text)
{
    return ParseReplyNumber(text.toLatin1());
}
