#pragma once

#include <QByteArray>
#include <QChar>
#include <QString>

// Number texts as the instrument, the grids and the hotkey captions use them.

// General floating-point format: at most 15 significant digits, trailing zeros dropped, fixed
// notation for 1e-4 <= |value| < 1e15 and scientific notation ("1E-5", "1.5E20") otherwise.
QString FormatGeneral(double value, QChar decimalSeparator);

// FormatGeneral with the decimal separator of the current locale.
QString FormatGeneralLocal(double value);

// Reads a number the way the instrument's replies and the grid cells are read: control
// characters and spaces at both ends are removed; the digits before the first non-digit form the
// whole part, every later digit belongs to the fraction (only its first six digits count, cut,
// not rounded). Signs and exponents are not recognised. A text without any digit gives 0.
double ParseReplyNumber(const QByteArray& text);
double ParseReplyNumber(const QString& text);
