#include "core/conversions.h"

#include <algorithm>
#include <charconv>
#include <cmath>
#include <limits>
#include <string>
#include <string_view>

namespace Conversions {

namespace {

bool isBlank(QChar c)
{
    return c == u' ' || c == u'\t' || c == u'\r' || c == u'\n';
}

bool isDigit(char c)
{
    return c >= '0' && c <= '9';
}

// For a number too large or too small for a double: whether it is too small.
// The place of its first significant digit, moved by the exponent, decides:
// "0.000...1" and "1e-400" are too small, "1000...0e-1" and "1e400" too large.
bool isTooSmall(std::string_view number)
{
    const std::size_t exponentMark = number.find('e');
    const std::string_view mantissa = number.substr(0, exponentMark);
    const std::size_t point = std::min(mantissa.find('.'), mantissa.size());
    const std::size_t first = mantissa.find_first_not_of("0.");
    if (first == std::string_view::npos)
        return true;
    // 0 for the units, -1 for the tenths, 2 for the hundreds.
    long long place =
        first < point ? static_cast<long long>(point - first - 1) : -static_cast<long long>(first - point);
    if (exponentMark != std::string_view::npos) {
        std::string_view digits = number.substr(exponentMark + 1);
        const bool negative = !digits.empty() && digits.front() == '-';
        if (!digits.empty() && (digits.front() == '-' || digits.front() == '+'))
            digits.remove_prefix(1);
        // An exponent past a billion says all there is to say.
        long long exponent = 0;
        for (char c : digits)
            exponent = std::min(exponent * 10 + (c - '0'), 1'000'000'000LL);
        place += negative ? -exponent : exponent;
    }
    return place < 0;
}

} // namespace

std::optional<double> textToReal(QStringView text, const QLocale &locale)
{
    bool ok = false;
    double value = locale.toDouble(text.trimmed(), &ok);
    if (!ok && locale.zeroDigit() != QStringLiteral("0")) {
        // A locale with digits of its own: the windows write plain digits
        // with the locale's separator (realToText), so read those too.
        QString plain = text.trimmed().toString();
        plain.replace(locale.decimalPoint(), QStringLiteral("."));
        value = QLocale::c().toDouble(plain, &ok);
    }
    if (!ok || !std::isfinite(value))
        return std::nullopt;
    return value;
}

std::optional<qint32> textToWhole(QStringView text, const QLocale &locale)
{
    const std::optional<double> value = textToReal(text, locale);
    if (!value)
        return std::nullopt;
    // nearbyint follows the default rounding mode: to nearest, halves to even.
    const double rounded = std::nearbyint(*value);
    if (rounded < double(std::numeric_limits<qint32>::min()) ||
        rounded > double(std::numeric_limits<qint32>::max()))
        return std::nullopt;
    return static_cast<qint32>(rounded);
}

QString realToText(double value, const QLocale &locale)
{
    if (value == 0)
        value = 0; // no "-0"
    // Plain digits and sign in every locale (some would write Arabic-Indic or
    // other digits of their own); only the decimal separator is the locale's.
    QString text = QLocale::c().toString(value, 'g', 15);
    text.replace(u'.', locale.decimalPoint());
    return text;
}

double numericPrefix(QStringView text)
{
    // Collect the characters that still fit the shape
    //   [sign] digits [. digits] [(e|E) [sign] digits]
    // skipping blanks, and stop at the first one that does not.
    std::string number;
    std::string pending; // an exponent part is kept only once it has a digit
    enum class Stage { Sign, Mantissa, Fraction, ExponentSign, Exponent } stage = Stage::Sign;
    bool mantissaDigits = false;

    for (const char32_t code : text.toUcs4()) {
        if (code < 0x10000 && isBlank(QChar(code)))
            continue;
        // A digit of any script is the digit it writes: a desktop's own
        // digits (Arabic-Indic ١٢٠, full-width ５００) count as 0 to 9.
        const char c = QChar::isDigit(code) ? char('0' + QChar::digitValue(code))
                       : code < 128         ? static_cast<char>(code)
                                            : '\0';
        if (stage == Stage::Sign && (c == '+' || c == '-')) {
            number += c;
            stage = Stage::Mantissa;
        } else if ((stage == Stage::Sign || stage == Stage::Mantissa || stage == Stage::Fraction) && isDigit(c)) {
            number += c;
            mantissaDigits = true;
            if (stage == Stage::Sign)
                stage = Stage::Mantissa;
        } else if ((stage == Stage::Sign || stage == Stage::Mantissa) && c == '.') {
            number += c;
            stage = Stage::Fraction;
        } else if ((stage == Stage::Mantissa || stage == Stage::Fraction) && mantissaDigits &&
                   (c == 'e' || c == 'E')) {
            pending.assign(1, 'e'); // not = "e": GCC 12 warns falsely of overlapping copies there
            stage = Stage::ExponentSign;
        } else if (stage == Stage::ExponentSign && (c == '+' || c == '-') && pending.size() == 1) {
            pending += c;
        } else if ((stage == Stage::ExponentSign || stage == Stage::Exponent) && isDigit(c)) {
            pending += c;
            number += pending;
            pending.clear();
            stage = Stage::Exponent;
        } else {
            break;
        }
    }
    if (!mantissaDigits)
        return 0;

    const char *begin = number.data();
    const char *end = begin + number.size();
    bool negative = false;
    if (*begin == '+' || *begin == '-') {
        negative = *begin == '-';
        ++begin;
    }
    double value = 0;
    const auto [ptr, error] = std::from_chars(begin, end, value);
    (void)ptr;
    if (error == std::errc::result_out_of_range) {
        // Too large reads as the largest number, too small as zero.
        const std::string_view digits(begin, std::size_t(end - begin));
        value = isTooSmall(digits) ? 0.0 : std::numeric_limits<double>::max();
    }
    return negative ? -value : value;
}

QString numberWithSignPlace(double value)
{
    if (value == 0)
        value = 0; // "-0" reads as " 0"
    QString digits = QString::number(std::fabs(value), 'G', 15);
    if (digits.startsWith(u"0.") && digits.size() > 1)
        digits.remove(0, 1);
    return (value < 0 ? u'-' : u' ') + digits;
}

QString trimLeft(QStringView text)
{
    qsizetype first = 0;
    while (first < text.size() && text[first] == u' ')
        ++first;
    return text.mid(first).toString();
}

QString upperCase(QStringView text)
{
    QString result = text.toString();
    for (QChar &c : result) {
        if (c >= u'a' && c <= u'z')
            c = QChar(c.unicode() - u'a' + u'A');
    }
    return result;
}

std::optional<qint16> truncateToInt16(double value)
{
    if (!std::isfinite(value))
        return std::nullopt;
    const double whole = std::trunc(value);
    if (whole < std::numeric_limits<qint16>::min() || whole > std::numeric_limits<qint16>::max())
        return std::nullopt;
    return static_cast<qint16>(whole);
}

} // namespace Conversions
