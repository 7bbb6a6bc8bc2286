#include "control/nickgeneration.h"
#include "scriptedrandom.h"
#include "valuepanel.h"

#include <QTest>

// The generate action on the window's values, without the window.
class TstGeneration : public QObject
{
    Q_OBJECT
private Q_SLOTS:
    void init()
    {
        m_panel = ValuePanel();
        m_nicks = std::make_unique<NickList>();
        m_panel.follow(*m_nicks);
        m_random.reseeds = 0;
        m_random.script({});
        m_slots = std::make_unique<SlotState>(m_random);
        m_generation = std::make_unique<NickGeneration>(m_panel, *m_nicks, *m_slots);
    }
    void drawValuesPickTheirLetters_data();
    void drawValuesPickTheirLetters();
    void lengthCutsTheNickAndAllSlotsAreDrawn_data();
    void lengthCutsTheNickAndAllSlotsAreDrawn();
    void slotsWithoutAnyLetterGiveAnEmptyNick();
    void unreadableBoxesStopTheGeneration();

private:
    QString shownNick() const { return m_panel.text(GeneratorView::Box::Nick); }

    ValuePanel m_panel;
    std::unique_ptr<NickList> m_nicks;
    ScriptedRandom m_random;
    std::unique_ptr<SlotState> m_slots;
    std::unique_ptr<NickGeneration> m_generation;
};

void TstGeneration::drawValuesPickTheirLetters_data()
{
    QTest::addColumn<double>("r");
    QTest::addColumn<QString>("vowel");
    QTest::addColumn<QString>("consonant");
    QTest::addColumn<int>("vowelIndex");
    QTest::addColumn<int>("consonantIndex");
    // clang-format off
    QTest::newRow("0") << 0.0 << "A" << "B" << 0 << 0;
    QTest::newRow("0.25") << 0.25 << "E" << "H" << 1 << 5;
    QTest::newRow("0.5") << 0.5 << "O" << "N" << 3 << 10;
    QTest::newRow("0.75") << 0.75 << "U" << "T" << 4 << 15;
    QTest::newRow("0.96875") << 0.96875 << "Y" << "W" << 5 << 19;
    QTest::newRow("z sits before w") << 0.9 << "Y" << "Z" << 5 << 18;
    QTest::newRow("just below 1") << 0.9999999999999999 << "Y" << "W" << 5 << 19;
    // clang-format on
}

void TstGeneration::drawValuesPickTheirLetters()
{
    QFETCH(double, r);
    QFETCH(QString, vowel);
    QFETCH(QString, consonant);

    m_panel.boxes[0] = QStringLiteral("10");
    m_panel.listIndices = {0, 1, 0, 1, 0, 1, 0, 1, 0, 1};
    m_random.script(sameDrawForEverySlot(r));
    QVERIFY(m_generation->GenerateNick());
    QCOMPARE(shownNick(), (vowel + consonant).repeated(5));
    for (int slot = 1; slot <= 10; ++slot) {
        // Both indices are kept, whichever class the slot has.
        QTEST(int(m_slots->vowelIndex(slot)), "vowelIndex");
        QTEST(int(m_slots->consonantIndex(slot)), "consonantIndex");
    }
}

void TstGeneration::lengthCutsTheNickAndAllSlotsAreDrawn_data()
{
    QTest::addColumn<QString>("length");
    QTest::addColumn<QString>("nick");
    for (const char *nick : {"BE", "BENTYB", "BENTYBBABA"})
        QTest::newRow(nick) << QString::number(qstrlen(nick)) << QString::fromLatin1(nick);
}

void TstGeneration::lengthCutsTheNickAndAllSlotsAreDrawn()
{
    QFETCH(QString, length);
    QFETCH(QString, nick);
    m_panel.boxes[0] = length;
    // Slots 1 to 5 draw the pairs (r, r) for r = 0, 0.25, 0.5, 0.75,
    // 0.96875; slots 6 to 10 draw zeros.
    m_random.script({0.0, 0.0, 0.25, 0.25, 0.5, 0.5, 0.75, 0.75, 0.96875, 0.96875});
    QVERIFY(m_generation->GenerateNick());
    QCOMPARE(shownNick(), nick);
    QCOMPARE(m_panel.list, QStringList{nick});
    QCOMPARE(m_panel.boxes[3], QStringLiteral("1"));
    QCOMPARE(m_random.reseeds, 10);
    // Slots past the length were drawn too.
    QCOMPARE(m_slots->slotLetter(10), 'a');
    QCOMPARE(m_panel.nickLimit, length.toInt());
}

void TstGeneration::slotsWithoutAnyLetterGiveAnEmptyNick()
{
    // Slot 2 never had a letter: the later slots move one place left.
    m_panel.listIndices[1] = -1;
    m_random.script(sameDrawForEverySlot(0.0));
    QVERIFY(m_generation->GenerateNick());
    QCOMPARE(shownNick(), QStringLiteral("BBBABB"));

    init();
    m_panel.listIndices.fill(-1);
    QVERIFY(m_generation->GenerateNick());
    QCOMPARE(shownNick(), QString());
    QCOMPARE(m_panel.list, QStringList{QString()});
    QCOMPARE(m_panel.boxes[3], QStringLiteral("1"));
}

void TstGeneration::unreadableBoxesStopTheGeneration()
{
    // An unreadable length stops it before any draw.
    m_panel.boxes[0] = QStringLiteral("six");
    QVERIFY(!m_generation->GenerateNick());
    QCOMPARE(m_random.reseeds, 0);
    QCOMPARE(shownNick(), QStringLiteral("[.:] TOR(E)N [:.]"));
    QCOMPARE(m_panel.nickLimit, 0);
    QCOMPARE(m_panel.list, QStringList());
    QCOMPARE(m_panel.boxes[3], QStringLiteral("0"));

    // An unreadable counter, only after the nick is listed.
    m_panel.boxes[0] = QStringLiteral("6");
    m_panel.boxes[3] = QStringLiteral("many");
    QVERIFY(!m_generation->GenerateNick());
    QCOMPARE(shownNick(), QStringLiteral("BABBAB"));
    QCOMPARE(m_panel.list, QStringList{QStringLiteral("BABBAB")});
    QCOMPARE(m_panel.boxes[3], QStringLiteral("many"));
}

QTEST_APPLESS_MAIN(TstGeneration)
#include "tst_generation.moc"
