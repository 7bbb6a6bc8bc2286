// The interval box: whatever text reaches it, it settles on a plain number
// of at most four characters that maps to itself and reads back as the
// number it shows.
#include "control/autogeneration.h"
#include "fuzzinput.h"
#include "core/conversions.h"

#include <QLocale>

namespace {

constexpr int BoxLimit = 4;
// Each pass either ends the chain or makes the text shorter or plainer;
// a handful is plenty.
constexpr int MaxPasses = 8;

bool isPlainNumberCharacter(QChar c)
{
    return (c >= u'0' && c <= u'9') || c == u'.' || c == u'-';
}

// What the box does with a text typed or pasted into it: it keeps at most
// four characters, then normalises, keeps the first four characters of the
// normal form, and goes again on every change, as the change notification
// does.
QString settle(QStringView typed, int &passes)
{
    QString text = typed.left(BoxLimit).toString();
    for (passes = 1;; ++passes) {
        FUZZ_CHECK(passes <= MaxPasses, "no fixed point after %d passes from '%s'", MaxPasses,
                   qUtf8Printable(typed.toString()));
        const QString normal = AutoGeneration::normalForm(text);
        if (normal == text)
            return text;
        const QString kept = normal.left(BoxLimit);
        // Setting the text the box already holds raises no notification.
        if (kept == text)
            return text;
        text = kept;
    }
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t *data, std::size_t size)
{
    const FuzzText typed(data, size);
    int passes = 0;
    const QString shown = settle(typed.view(), passes);
    const QByteArray printable = shown.toUtf8();

    FUZZ_CHECK(AutoGeneration::normalForm(shown) == shown, "'%s' is not in normal form",
               printable.constData());
    FUZZ_CHECK(!shown.isEmpty() && shown.size() <= BoxLimit, "'%s' has %lld characters",
               printable.constData(), static_cast<long long>(shown.size()));
    for (qsizetype i = 0; i < shown.size(); ++i) {
        FUZZ_CHECK(isPlainNumberCharacter(shown[i]) && (shown[i] != u'-' || i == 0),
                   "'%s' is no plain number", printable.constData());
    }

    // Start reads the box with a point whatever the locale.
    const double value = Conversions::numericPrefix(shown);
    const auto read = Conversions::textToReal(shown, QLocale::c());
    FUZZ_CHECK(read && *read == value, "'%s' reads back as %g, not %g", printable.constData(),
               read.value_or(-1), value);
    const auto whole = Conversions::textToWhole(shown, QLocale::c());
    FUZZ_CHECK(whole && double(*whole) == roundHalfToEven(value), "'%s' starts the timer at %d, not %g",
               printable.constData(), whole.value_or(-1), roundHalfToEven(value));
    return 0;
}
