#pragma once

#include <QString>
#include <QStringView>

#include <algorithm>
#include <cmath>
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <memory>

// Turns the fuzzer's bytes into text a user could have typed or pasted.
// Valid UTF-8 is read as UTF-8, so a seed corpus of plain text files stays
// readable; anything else is read as raw UTF-16 code units, which reaches
// lone surrogates, direction marks and every other code unit.
// The text lives in a buffer of exactly its size, with no terminator, so a
// reader that runs past its end is caught by AddressSanitizer.
class FuzzText
{
public:
    FuzzText(const std::uint8_t *data, std::size_t size)
    {
        const QByteArrayView bytes(data, qsizetype(size));
        if (bytes.isValidUtf8()) {
            const QString text = QString::fromUtf8(bytes);
            m_size = text.size();
            m_units = std::make_unique<char16_t[]>(std::size_t(m_size));
            std::copy_n(text.utf16(), m_size, m_units.get());
        } else {
            m_size = qsizetype(size / 2);
            m_units = std::make_unique<char16_t[]>(std::size_t(m_size));
            std::memcpy(m_units.get(), data, std::size_t(m_size) * sizeof(char16_t));
        }
    }

    QStringView view() const { return QStringView(m_units.get(), m_size); }

private:
    std::unique_ptr<char16_t[]> m_units;
    qsizetype m_size = 0;
};

// A failed property: say which, and stop the run so libFuzzer keeps the input.
#define FUZZ_CHECK(condition, ...)                                                                           \
    do {                                                                                                     \
        if (!(condition)) {                                                                                  \
            qCritical("property failed: %s", #condition);                                                    \
            qCritical(__VA_ARGS__);                                                                          \
            std::abort();                                                                                    \
        }                                                                                                    \
    } while (false)

// Rounding to nearest with halves to the even neighbour, written out plainly
// as a second opinion on the conversions (2.5 gives 2, 3.5 gives 4).
inline double roundHalfToEven(double value)
{
    const double below = std::floor(value);
    const double fraction = value - below; // exact for every double
    if (fraction < 0.5)
        return below;
    if (fraction > 0.5)
        return below + 1;
    return std::fmod(below, 2.0) == 0 ? below : below + 1;
}
