#pragma once

#include <QLocale>
#include <QString>
#include <QStringView>

#include <optional>

// Conversions between text and numbers. The numbers in the windows live as
// text, so every reader and writer of a number goes through these.
namespace Conversions {

// Reads a whole number in the given locale: surrounding blanks, a sign, the
// locale's decimal separator and an exponent are allowed. The value is rounded
// to nearest, halves to even (2.5 gives 2). No number, or one outside 32 bits,
// gives nothing.
std::optional<qint32> textToWhole(QStringView text, const QLocale &locale);

// Reads a number the same way, without rounding.
std::optional<double> textToReal(QStringView text, const QLocale &locale);

// Shortest form, up to 15 significant digits, no group separators and no
// trailing separator: 7, 6.5, -1. Digits and sign are plain in every locale;
// only the decimal separator is the locale's.
QString realToText(double value, const QLocale &locale);

// The longest prefix of the text that reads as a number, with a point as the
// decimal separator whatever the locale, digits of any script; blanks are
// skipped wherever they stand. 0 when there is none ("25x" gives 25, "abc" gives 0).
double numericPrefix(QStringView text);

// A point as decimal separator; a number that is not negative gets one
// leading blank, and a fraction between -1 and 1 loses its leading zero:
// 0.5 gives " .5", -0.5 gives "-.5", 250 gives " 250".
QString numberWithSignPlace(double value);

// Removes leading blanks.
QString trimLeft(QStringView text);

// a..z become A..Z; every other character stays as it is.
QString upperCase(QStringView text);

// Drops the fraction toward zero; nothing when the result leaves 16 bits.
std::optional<qint16> truncateToInt16(double value);

} // namespace Conversions
