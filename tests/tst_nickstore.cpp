#include "core/nickstore.h"
#include "processmemory.h"

#include <QTest>

using namespace Qt::Literals::StringLiterals;

namespace {
QByteArray bytesOf(const NickStore &store, qsizetype i)
{
    QByteArray out("prefix:");
    store.appendEntryTo(i, out);
    return out;
}
} // namespace

class TstNickStore : public QObject
{
    Q_OBJECT
private Q_SLOTS:
    void keepsEveryText_data();
    void keepsEveryText();
    void packsCapitalNicksIntoOneWordAndClearFreesAll();
    void streamsLinesAsTheEntriesRead_data();
    void streamsLinesAsTheEntriesRead();
    void aCopyKeepsItsEntriesWhateverTheStoreDoes();
    void takenEntriesComeBackInFront_data();
    void takenEntriesComeBackInFront();
};

void TstNickStore::keepsEveryText_data()
{
    QTest::addColumn<QString>("nick");
    const QString alphabet = QStringLiteral("ABCDEFGHIJKLMNOPQRSTUVWXYZ");
    for (int length = 0; length <= 10; ++length)
        QTest::addRow("capitals, length %d", length) << alphabet.mid(26 - length);
    for (int from = 0; from < 26; from += 10)
        QTest::addRow("capitals from %c", char('A' + from)) << alphabet.mid(from, 10);

    QTest::newRow("lower case") << QStringLiteral("abc");
    QTest::newRow("mixed case") << QStringLiteral("AbC");
    QTest::newRow("eleven capitals") << QStringLiteral("ABCDEFGHIJK");
    QTest::newRow("sixteen capitals") << QStringLiteral("ABCDEFGHIJKLMNOP");
    QTest::newRow("just outside A-Z") << QStringLiteral("@[");
    QTest::newRow("Cyrillic") << QString::fromUtf8("НИКНЕЙМ");
    QTest::newRow("outside the BMP") << QString::fromUtf8("A\xF0\x9F\x98\x80Z");
}

void TstNickStore::keepsEveryText()
{
    QFETCH(QString, nick);
    // Between packed neighbours, so a mix-up of the two kinds shows.
    NickStore store;
    store.append(u"QQ");
    store.append(nick);
    store.append(u"ABCDEFGHIK");

    QCOMPARE(store.count(), 3);
    QCOMPARE(store.entry(0), QStringLiteral("QQ"));
    QCOMPARE(store.entry(1), nick);
    QCOMPARE(store.entry(1).size(), nick.size());
    QCOMPARE(store.entry(2), QStringLiteral("ABCDEFGHIK"));
    QCOMPARE(bytesOf(store, 1), QByteArray("prefix:") + nick.toUtf8());
}

void TstNickStore::packsCapitalNicksIntoOneWordAndClearFreesAll()
{
    const qint64 heapBefore = heapInUse();
    NickStore store;
    const qsizetype entries = 300'000;
    for (qsizetype i = 0; i < entries; ++i)
        store.append(u"ABCDEFGHIJ");
    // 8 bytes per entry plus at most one part-filled chunk.
    const qint64 held = heapInUse() - heapBefore;
    QVERIFY2(held <= entries * 8 + 600 * 1024, QByteArray::number(held));
    QVERIFY(held >= entries * 8);

    for (int i = 0; i < 50'000; ++i)
        store.append(u"abc"); // kept aside, unpacked
    store.clear();
    QCOMPARE(store.count(), 0);
    QVERIFY2(heapInUse() - heapBefore <= 4096, QByteArray::number(heapInUse() - heapBefore));

    store.append(u"лес");
    store.append(u"NEW");
    QCOMPARE(store.count(), 2);
    QCOMPARE(store.entry(0), QString::fromUtf8("лес"));
    QCOMPARE(store.entry(1), QStringLiteral("NEW"));
}

void TstNickStore::streamsLinesAsTheEntriesRead_data()
{
    QTest::addColumn<qsizetype>("bytes");
    QTest::addColumn<QByteArray>("lineEnd");
    QTest::newRow("one byte a call") << qsizetype(1) << QByteArray("\r\n");
    QTest::newRow("ends inside a line") << qsizetype(29) << QByteArray("\r\n");
    QTest::newRow("a few hundred lines a call") << qsizetype(4000) << QByteArray("\r\n");
    QTest::newRow("all at once") << (qsizetype(1) << 30) << QByteArray("\r\n");
    QTest::newRow("a line end of three bytes") << qsizetype(4000) << QByteArray("<>\n");
}

void TstNickStore::streamsLinesAsTheEntriesRead()
{
    QFETCH(qsizetype, bytes);
    QFETCH(QByteArray, lineEnd);
    // Every packed length, side-list texts now and then, packed entries on
    // both sides of two chunk boundaries; each read back in its place.
    NickStore store;
    const QString alphabet = QStringLiteral("ABCDEFGHIJKLMNOPQRSTUVWXYZ");
    const qsizetype entries = 2 * 65536 + 2000;
    QStringList nicks;
    QByteArray expected = "kept:";
    for (qsizetype i = 0; i < entries; ++i) {
        QString nick = alphabet.mid(i % 26, i % 11);
        if (i % 997 == 5)
            nick = i % 2 ? QString::fromUtf8("ник") : QStringLiteral("ABCDEFGHIJKL");
        store.append(nick);
        nicks << nick;
        expected += nick.toUtf8() + lineEnd;
    }
    QCOMPARE(store.count(), entries);
    for (qsizetype i = 0; i < entries; ++i)
        if (store.entry(i) != nicks.at(i))
            QFAIL(
                qPrintable(QStringLiteral("entry %1 is %2, not %3").arg(i).arg(store.entry(i), nicks.at(i))));
    for (qsizetype i : {qsizetype(65535), qsizetype(65536), qsizetype(131072), entries - 1})
        QCOMPARE(bytesOf(store, i), QByteArray("prefix:") + nicks.at(i).toUtf8());

    QByteArray streamed = "kept:";
    qsizetype next = 0;
    while (next < entries) {
        const qsizetype before = streamed.size();
        const qsizetype after = store.appendLinesTo(next, lineEnd, bytes, streamed);
        const qsizetype grown = streamed.size() - before;
        QVERIFY2(after > next, "every call moves on");
        // It stops at the first line end past the bytes asked for, or at the end.
        QVERIFY(after == entries || grown >= bytes);
        QVERIFY2(grown < bytes + 16, qPrintable(QString::number(grown)));
        next = after;
    }
    QCOMPARE(next, entries);
    QCOMPARE(streamed.size(), expected.size());
    QVERIFY(streamed == expected);
    QCOMPARE(store.appendLinesTo(entries, lineEnd, bytes, streamed), entries);
    QCOMPARE(streamed.size(), expected.size());
}

void TstNickStore::aCopyKeepsItsEntriesWhateverTheStoreDoes()
{
    // The copy and the store share a part-filled chunk; each goes on
    // appending its own entries, and Erase of one leaves the other whole.
    NickStore store;
    for (int i = 0; i < 140'000; ++i) // past two chunks of 65 536
        store.append(u"AB");
    store.append(u"Ёж");
    NickStore copy = store;
    store.append(u"STORE");
    copy.append(u"COPY");
    copy.append(u"Ёжик");
    QCOMPARE(store.count(), 140'002);
    QCOMPARE(copy.count(), 140'003);
    QCOMPARE(store.entry(140'001), u"STORE"_s);
    QCOMPARE(copy.entry(140'001), u"COPY"_s);
    QCOMPARE(copy.entry(140'002), u"Ёжик"_s);
    store.clear();
    // A long list again, in memory the store let go of.
    for (int i = 0; i < 140'000; ++i)
        store.append(u"NEW");
    QCOMPARE(store.entry(0), u"NEW"_s);
    for (const int i : {0, 70'000, 139'999})
        QCOMPARE(copy.entry(i), u"AB"_s);
    QCOMPARE(copy.entry(140'000), u"Ёж"_s);
    // Moved into another store, the copy is left empty, as a new store.
    store = std::move(copy);
    QCOMPARE(copy.count(), 0);
    QCOMPARE(store.entry(140'002), u"Ёжик"_s);
}

void TstNickStore::takenEntriesComeBackInFront_data()
{
    QTest::addColumn<int>("taken");
    QTest::addColumn<int>("since");
    QTest::addColumn<QString>("how"); // take, copy held, copy before, again (taken twice), apart, others
    QTest::newRow("back alone") << 70'000 << 0 << u"take"_s;
    QTest::newRow("in front of a few, one chunk joined") << 70'000 << 100 << u"take"_s;
    QTest::newRow("taken up to a chunk's end") << 65'536 << 10 << u"take"_s;
    QTest::newRow("in front of many") << 70'000 << 140'000 << u"take"_s;
    QTest::newRow("taken from a short store") << 3 << 5 << u"take"_s;
    QTest::newRow("a copy of the store reads on") << 70'000 << 70'000 << u"copy held"_s;
    QTest::newRow("taken after an earlier Erase") << 5 << 7 << u"again"_s;
    QTest::newRow("a copy made before Erase reads on") << 70'000 << 100 << u"copy before"_s;
    QTest::newRow("entries not taken from the store") << 5 << 70'000 << u"apart"_s;
    QTest::newRow("unpacked texts on both sides") << 70'000 << 100 << u"others"_s;
}

void TstNickStore::takenEntriesComeBackInFront()
{
    QFETCH(int, taken);
    QFETCH(int, since);
    QFETCH(QString, how);
    // "T" entries, then "N" ones, each named by its number in three letters.
    const auto nick = [&how](QChar kind, int i) {
        if (how == u"others" && i == 1)
            return kind == u'T' ? u"тот"_s : u"новый"_s;
        return QString(kind) + QChar(u'A' + i / 676 % 26) + QChar(u'A' + i / 26 % 26) + QChar(u'A' + i % 26);
    };
    const auto filled = [&nick](QChar kind, int count) {
        NickStore made;
        for (int i = 0; i < count; ++i)
            made.append(nick(kind, i));
        return made;
    };
    NickStore store = filled(u'O', how == u"again" ? 10 : 0);
    store.takeAll();
    NickStore front;
    for (int i = 0; i < taken; ++i)
        (how == u"apart" ? front : store).append(nick(u'T', i));
    // A copy of what is taken, read once the store's memory is used again.
    const NickStore before = how == u"copy before" ? store : NickStore();
    if (how != u"apart")
        front = store.takeAll();
    QCOMPARE(store.count(), 0);
    for (int i = 0; i < since; ++i)
        store.append(nick(u'N', i));
    NickStore copy = how == u"copy held" ? store : NickStore();
    NickStore twin = copy;

    store.prepend(std::move(front));
    QCOMPARE(front.count(), 0); // handed over: left empty, as a new store
    if (how == u"copy held") {
        // Copies of the store are given other entries in front of their own.
        copy.append(u"COPY");
        copy.prepend(filled(u'C', taken));
        twin.prepend(filled(u'D', taken));
        QCOMPARE(twin.count(), qsizetype(taken) + since);
        for (int i = 0; i < taken + since; ++i) {
            QCOMPARE(copy.entry(i), i < taken ? nick(u'C', i) : nick(u'N', i - taken));
            QCOMPARE(twin.entry(i), i < taken ? nick(u'D', i) : nick(u'N', i - taken));
        }
        QCOMPARE(copy.entry(taken + since), u"COPY"_s);
    }
    // Later, the copies gone, Erase and Bring back once more, and a long
    // list made meanwhile in the memory let go of.
    copy = twin = NickStore();
    NickStore again = store.takeAll();
    store.append(u"X");
    store.prepend(std::move(again));
    const NickStore meanwhile = filled(u'M', 140'000);
    store.append(u"LAST");
    QCOMPARE(store.count(), qsizetype(taken) + since + 2);
    QByteArray expected;
    for (int i = 0; i < taken + since; ++i) {
        const QString want = i < taken ? nick(u'T', i) : nick(u'N', i - taken);
        if (store.entry(i) != want)
            QFAIL(qPrintable(u"entry %1 is %2, not %3"_s.arg(i).arg(store.entry(i), want)));
        expected += want.toUtf8() + "\n";
    }
    expected += "X\nLAST\n";
    QByteArray streamed;
    QCOMPARE(store.appendLinesTo(0, "\n", qsizetype(1) << 30, streamed), qsizetype(taken) + since + 2);
    QVERIFY(streamed == expected);
    store.clear();
    store = filled(u'M', 140'000);
    QCOMPARE(before.count(), how == u"copy before" ? taken : 0);
    for (int i = 0; i < before.count(); ++i)
        QCOMPARE(before.entry(i), nick(u'T', i));
}

QTEST_APPLESS_MAIN(TstNickStore)
#include "tst_nickstore.moc"
