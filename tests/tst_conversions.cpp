#include "core/conversions.h"
#include "platform/clockrandom.h"

#include <QTest>

#include <cmath>
#include <set>

using namespace Conversions;

class TstConversions : public QObject
{
    Q_OBJECT
private Q_SLOTS:
    void wholeNumbersRoundHalfToEven_data();
    void wholeNumbersRoundHalfToEven();
    void wholeNumbersFollowTheLocale();
    void numbersToText_data();
    void numbersToText();
    void numericPrefix_data();
    void numericPrefix();
    void smallHelpers();
    void reseedMixesTheClockIntoTheState();
};

void TstConversions::wholeNumbersRoundHalfToEven_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<bool>("ok");
    QTest::addColumn<int>("value");
    QTest::newRow("plain") << "250" << true << 250;
    QTest::newRow("surrounding blanks") << "  42  " << true << 42;
    QTest::newRow("sign") << "-5" << true << -5;
    QTest::newRow("half goes to even, down") << "2.5" << true << 2;
    QTest::newRow("half goes to even, up") << "3.5" << true << 4;
    QTest::newRow("negative half") << "-2.5" << true << -2;
    QTest::newRow("above half") << "2.51" << true << 3;
    QTest::newRow("exponent") << "1e3" << true << 1000;
    QTest::newRow("leading point") << ".5" << true << 0;
    QTest::newRow("no number") << "abc" << false << 0;
    QTest::newRow("empty") << "" << false << 0;
    QTest::newRow("trailing junk") << "25x" << false << 0;
    QTest::newRow("beyond 32 bits") << "3000000000" << false << 0;
    QTest::newRow("largest") << "2147483647" << true << 2147483647;
}

void TstConversions::wholeNumbersRoundHalfToEven()
{
    QFETCH(QString, text);
    QFETCH(bool, ok);
    const auto result = textToWhole(text, QLocale::c());
    QCOMPARE(result.has_value(), ok);
    if (ok)
        QTEST(*result, "value");
}

void TstConversions::wholeNumbersFollowTheLocale()
{
    const QLocale german(QLocale::German, QLocale::Germany);
    QCOMPARE(textToWhole(u"2,5", german), std::optional<qint32>(2));
    QCOMPARE(textToReal(u"6,5", german), std::optional<double>(6.5));
    QCOMPARE(realToText(6.5, german), QStringLiteral("6,5"));
    // Counters run into the millions: never a group separator.
    QCOMPARE(realToText(1234567, german), QStringLiteral("1234567"));
    QCOMPARE(realToText(1234567, QLocale(QLocale::English, QLocale::UnitedStates)),
             QStringLiteral("1234567"));
    // Locales with digits of their own still get plain ones, and read them back.
    for (const char *name : {"ar_EG", "fa_IR", "my_MM"}) {
        const QLocale native{QLatin1String(name)};
        QCOMPARE(realToText(7, native), QStringLiteral("7"));
        QCOMPARE(realToText(-11, native), QStringLiteral("-11"));
        QCOMPARE(textToWhole(u"11", native), std::optional<qint32>(11));
    }
    QCOMPARE(realToText(6.5, QLocale(QStringLiteral("ar_EG"))), QStringLiteral("6\u066B5"));
}

void TstConversions::numbersToText_data()
{
    // Shortest (realToText), or with a place for the sign (numberWithSignPlace).
    QTest::addColumn<bool>("signPlace");
    QTest::addColumn<double>("value");
    QTest::addColumn<QString>("text");
    QTest::newRow("whole") << false << 7.0 << "7";
    QTest::newRow("fraction") << false << 6.5 << "6.5";
    QTest::newRow("negative") << false << -1.0 << "-1";
    QTest::newRow("zero") << false << 0.0 << "0";
    QTest::newRow("negative zero") << false << -0.0 << "0";
    QTest::newRow("a day of ticks") << false << 86400000.0 << "86400000";
    QTest::newRow("fifteen digits") << false << 123456789012345.0 << "123456789012345";
    QTest::newRow("tenth") << false << 0.1 << "0.1";
    QTest::newRow("sign place: positive") << true << 250.0 << " 250";
    QTest::newRow("sign place: zero") << true << 0.0 << " 0";
    QTest::newRow("sign place: negative zero") << true << -0.0 << " 0";
    QTest::newRow("sign place: negative") << true << -5.0 << "-5";
    QTest::newRow("sign place: fraction") << true << 2.5 << " 2.5";
    QTest::newRow("sign place: half") << true << 0.5 << " .5";
    QTest::newRow("sign place: negative half") << true << -0.5 << "-.5";
    QTest::newRow("sign place: large") << true << 1e20 << " 1E+20";
}

void TstConversions::numbersToText()
{
    QFETCH(bool, signPlace);
    QFETCH(double, value);
    QTEST(signPlace ? numberWithSignPlace(value) : realToText(value, QLocale::c()), "text");
}

void TstConversions::numericPrefix_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<double>("value");
    QTest::newRow("number") << "250" << 250.0;
    QTest::newRow("junk after") << "25x" << 25.0;
    QTest::newRow("letters") << "abc" << 0.0;
    QTest::newRow("empty") << "" << 0.0;
    QTest::newRow("leading zeros") << "007" << 7.0;
    QTest::newRow("leading blank") << " 25" << 25.0;
    QTest::newRow("blank inside") << "2 5" << 25.0;
    QTest::newRow("minus") << "-5" << -5.0;
    QTest::newRow("lone minus") << "-" << 0.0;
    QTest::newRow("second sign ends it") << "--5" << 0.0;
    QTest::newRow("fraction") << "2.5" << 2.5;
    QTest::newRow("point then nothing") << "2." << 2.0;
    QTest::newRow("leading point") << ".5" << 0.5;
    QTest::newRow("second point ends it") << "1.2.3" << 1.2;
    QTest::newRow("comma is no separator") << "2,5" << 2.0;
    QTest::newRow("exponent") << "1e3" << 1000.0;
    QTest::newRow("bare exponent mark") << "2e" << 2.0;
    QTest::newRow("exponent sign without digits") << "2e-" << 2.0;
    QTest::newRow("huge exponent") << "9e999" << std::numeric_limits<double>::max();
    QTest::newRow("tiny exponent") << "9e-999" << 0.0;
    QTest::newRow("tiny without exponent") << QStringLiteral("0.%1").arg(QString(400, u'0')) + u'1' << 0.0;
    QTest::newRow("huge despite a negative exponent")
        << u'1' + QString(400, u'0') + QStringLiteral("e-1") << std::numeric_limits<double>::max();
    QTest::newRow("tiny despite a large exponent")
        << QStringLiteral("0.%1").arg(QString(700, u'0')) + QStringLiteral("1e300") << 0.0;
    QTest::newRow("exponent beyond 64 bits") << QStringLiteral("1e-99999999999999999999999") << 0.0;
    QTest::newRow("an Arabic-Indic digit is the digit it writes") << QString::fromUtf8("\u0663") << 3.0;
}

void TstConversions::numericPrefix()
{
    QFETCH(QString, text);
    QTEST(Conversions::numericPrefix(text), "value");
}

void TstConversions::smallHelpers()
{
    QCOMPARE(trimLeft(u"  25 "), QStringLiteral("25 "));
    QCOMPARE(trimLeft(u"\t25"), QStringLiteral("\t25"));
    QCOMPARE(upperCase(u"abyz-w\u00e9"), QString::fromUtf8("ABYZ-W\u00e9"));
    // Truncation stays within 16 bits.
    QCOMPARE(truncateToInt16(5.999), std::optional<qint16>(5));
    QCOMPARE(truncateToInt16(-5.999), std::optional<qint16>(-5));
    QCOMPARE(truncateToInt16(0.999999 * 20.0), std::optional<qint16>(19));
    QCOMPARE(truncateToInt16(32767.9), std::optional<qint16>(32767));
    QVERIFY(!truncateToInt16(32768.0));
    QVERIFY(!truncateToInt16(std::nan("")));
}

void TstConversions::reseedMixesTheClockIntoTheState()
{
    // A stopped clock: every reseed reads the same value.
    ClockRandom random([] { return std::uint64_t(42); });
    std::set<double> firstDraws;
    for (int i = 0; i < 10; ++i) {
        random.reseedFromClock();
        const double r = random.next();
        QVERIFY(r >= 0.0 && r < 1.0);
        firstDraws.insert(r);
    }
    QCOMPARE(firstDraws.size(), std::size_t(10));

    // The draws spread over the whole range.
    ClockRandom spread;
    int buckets[6] = {};
    for (int i = 0; i < 60000; ++i) {
        spread.reseedFromClock();
        ++buckets[static_cast<int>(spread.next() * 6.0)];
    }
    for (int count : buckets)
        QVERIFY2(count > 9000 && count < 11000, qPrintable(QString::number(count)));
}

QTEST_APPLESS_MAIN(TstConversions)
#include "tst_conversions.moc"
