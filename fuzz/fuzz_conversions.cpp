// The conversions between text and numbers, fed any text in several
// locales: whole numbers round as the program promises (2.5 gives 2), the
// numeric prefix agrees with the C library wherever the text is a plain
// number, and no reader looks past the end of its text.
#include "fuzzinput.h"
#include "core/conversions.h"

#include <QLocale>
#include <QRegularExpression>

#include <array>
#include <cerrno>
#include <cfloat>
#include <limits>

using namespace Conversions;

namespace {

const std::array<QLocale, 6> &locales()
{
    static const std::array<QLocale, 6> all{
        QLocale::c(),
        QLocale(QLocale::Russian, QLocale::Russia),
        QLocale(QLocale::German, QLocale::Germany),
        QLocale(QLocale::English, QLocale::UnitedStates),
        QLocale(QLocale::French, QLocale::France),
        QLocale(QLocale::Arabic, QLocale::Egypt),
    };
    return all;
}

bool isBlank(QChar c)
{
    return c == u' ' || c == u'\t' || c == u'\r' || c == u'\n';
}

QString withoutBlanks(QStringView text)
{
    QString kept;
    for (QChar c : text) {
        if (!isBlank(c))
            kept += c;
    }
    return kept;
}

bool sameDouble(double a, double b)
{
    return a == b && std::signbit(a) == std::signbit(b);
}

void checkWholeAgreesWithReal(QStringView text, const QLocale &locale)
{
    const auto real = textToReal(text, locale);
    const auto whole = textToWhole(text, locale);
    const QByteArray printable = text.toUtf8();
    if (!real) {
        FUZZ_CHECK(!whole, "'%s' gives a whole number but no real one", printable.constData());
        return;
    }
    FUZZ_CHECK(std::isfinite(*real), "'%s' reads as %g", printable.constData(), *real);
    const double rounded = roundHalfToEven(*real);
    const bool fits =
        rounded >= std::numeric_limits<qint32>::min() && rounded <= std::numeric_limits<qint32>::max();
    FUZZ_CHECK(whole.has_value() == fits, "'%s' (%.17g) fits 32 bits: %d, read: %d", printable.constData(),
               *real, fits, whole.has_value());
    if (whole) {
        FUZZ_CHECK(double(*whole) == rounded, "'%s' (%.17g) rounds to %d, not %g", printable.constData(),
                   *real, *whole, rounded);
    }

    // Surrounding blanks are allowed and change nothing.
    const QString padded = QStringLiteral("  ") + text.toString() + QStringLiteral(" ");
    const auto paddedReal = textToReal(padded, locale);
    FUZZ_CHECK(paddedReal && sameDouble(*paddedReal, *real), "blanks around '%s' change it",
               printable.constData());
}

// The C library's reading of a text that is nothing but a number.
double libraryReading(const QString &number)
{
    const QByteArray ascii = number.toLatin1();
    errno = 0;
    const double value = std::strtod(ascii.constData(), nullptr);
    if (std::isinf(value))
        return std::copysign(DBL_MAX, value); // the prefix caps an overflow at the largest number
    return value;
}

void checkNumericPrefix(QStringView text)
{
    const double value = numericPrefix(text);
    const QByteArray printable = text.toUtf8();
    FUZZ_CHECK(std::isfinite(value), "'%s' has the prefix %g", printable.constData(), value);

    const QString compact = withoutBlanks(text);
    FUZZ_CHECK(sameDouble(numericPrefix(compact), value), "blanks inside '%s' matter", printable.constData());
    const QString junkAfter = text.toString() + QStringLiteral("x");
    FUZZ_CHECK(sameDouble(numericPrefix(junkAfter), value), "junk after '%s' matters", printable.constData());

    static const QRegularExpression plainNumber(
        QStringLiteral("\\A[+-]?([0-9]+\\.?[0-9]*|\\.[0-9]+)([eE][+-]?[0-9]+)?\\z"));
    if (plainNumber.match(compact).hasMatch()) {
        const double expected = libraryReading(compact);
        FUZZ_CHECK(sameDouble(value, expected), "'%s' has the prefix %.17g, the C library reads %.17g",
                   printable.constData(), value, expected);
    }
}

void checkTextHelpers(QStringView text)
{
    const QString trimmed = trimLeft(text);
    const qsizetype cut = text.size() - trimmed.size();
    FUZZ_CHECK(cut >= 0 && text.sliced(cut) == trimmed && !trimmed.startsWith(u' '), "trimLeft is wrong");
    for (qsizetype i = 0; i < cut; ++i)
        FUZZ_CHECK(text[i] == u' ', "trimLeft removed a character that is no blank");

    const QString upper = upperCase(text);
    FUZZ_CHECK(upper.size() == text.size(), "upperCase changed the length");
    for (qsizetype i = 0; i < text.size(); ++i) {
        const char16_t c = text[i].unicode();
        const char16_t expected = c >= u'a' && c <= u'z' ? char16_t(c - u'a' + u'A') : c;
        FUZZ_CHECK(upper[i].unicode() == expected, "upperCase changed U+%04X into U+%04X", unsigned(c),
                   unsigned(upper[i].unicode()));
    }
}

void checkNumberFromBytes(const std::uint8_t *data, std::size_t size)
{
    double value = 0;
    if (size < sizeof value)
        return;
    std::memcpy(&value, data, sizeof value);

    const auto truncated = truncateToInt16(value);
    const double whole = std::trunc(value);
    const bool fits = std::isfinite(value) && whole >= -32768 && whole <= 32767;
    FUZZ_CHECK(truncated.has_value() == fits && (!fits || double(*truncated) == whole), "truncating %.17g",
               value);

    if (!std::isfinite(value))
        return;
    const QString text = numberWithSignPlace(value);
    const QByteArray printable = text.toUtf8();
    FUZZ_CHECK(text.startsWith(value < 0 ? u'-' : u' '), "%.17g is written '%s'", value,
               printable.constData());
    FUZZ_CHECK(!text.sliced(1).startsWith(u"0."), "%.17g keeps its leading zero: '%s'", value,
               printable.constData());
    const double back = numericPrefix(text);
    FUZZ_CHECK(std::fabs(back - value) <= std::fabs(value) * 1e-14 + 2 * DBL_TRUE_MIN,
               "%.17g is written '%s', which reads as %.17g", value, printable.constData(), back);
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t *data, std::size_t size)
{
    const FuzzText input(data, size);
    const QStringView text = input.view();
    for (const QLocale &locale : locales())
        checkWholeAgreesWithReal(text, locale);
    checkNumericPrefix(text);
    checkTextHelpers(text);
    checkNumberFromBytes(data, size);
    return 0;
}
