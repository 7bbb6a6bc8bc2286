#include "control/nickgeneration.h"
#include "scriptedrandom.h"
#include "ui/list/nicklistbox.h"
#include "ui/toolkit/slotselector.h"
#include "ui/toolkit/textbox.h"

#include <QTest>

// The generate action on real controls, without the window around them.
class TstGeneration : public QObject
{
    Q_OBJECT
private Q_SLOTS:
    void init()
    {
        for (auto &combo : m_combos) {
            combo = new SlotSelector;
            combo->addItems({QStringLiteral("Гласная"), QStringLiteral("Согласная")});
        }
        // The window's default: consonant, vowel, consonant, consonant, vowel, ...
        setPattern({1, 0, 1, 1, 0, 1, 1, 0, 1, 0});
        m_length = new TextBox;
        m_length->setText(QStringLiteral("6"));
        m_nick = new TextBox;
        m_nick->setText(QStringLiteral("[.:] TOR(E)N [:.]"));
        m_counter = new TextBox;
        m_counter->setText(QStringLiteral("0"));
        m_list = new NickListBox;
        m_random.reseeds = 0;
        m_random.script({});
        m_generation = std::make_unique<NickGeneration>(
            GeneratorControls{m_combos, m_length, m_nick, m_list, m_counter}, m_random);
    }
    void cleanup()
    {
        m_generation.reset();
        qDeleteAll(m_combos);
        delete m_length;
        delete m_nick;
        delete m_counter;
        delete m_list;
    }
    void drawValuesPickTheirLetters_data();
    void drawValuesPickTheirLetters();
    void lengthCutsTheNickAndAllSlotsAreDrawn_data();
    void lengthCutsTheNickAndAllSlotsAreDrawn();
    void slotsWithoutAnyLetterGiveAnEmptyNick();
    void unreadableBoxesStopTheGeneration();

private:
    void setPattern(const QList<int> &indices)
    {
        for (int i = 0; i < 10; ++i)
            m_combos.at(i)->setListIndex(indices.at(i));
    }

    std::array<SlotSelector *, SlotCount> m_combos{};
    TextBox *m_length = nullptr;
    TextBox *m_nick = nullptr;
    TextBox *m_counter = nullptr;
    NickListBox *m_list = nullptr;
    ScriptedRandom m_random;
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

    m_length->setText(QStringLiteral("10"));
    setPattern({0, 1, 0, 1, 0, 1, 0, 1, 0, 1});
    m_random.script(sameDrawForEverySlot(r));
    QVERIFY(m_generation->GenerateNick());
    QCOMPARE(m_nick->text(), (vowel + consonant).repeated(5));
    for (int slot = 1; slot <= 10; ++slot) {
        // Both indices are kept, whichever class the slot has.
        QTEST(int(m_generation->generator().vowelIndex(slot)), "vowelIndex");
        QTEST(int(m_generation->generator().consonantIndex(slot)), "consonantIndex");
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
    m_length->setText(length);
    // Slots 1 to 5 draw the pairs (r, r) for r = 0, 0.25, 0.5, 0.75,
    // 0.96875; slots 6 to 10 draw zeros.
    m_random.script({0.0, 0.0, 0.25, 0.25, 0.5, 0.5, 0.75, 0.75, 0.96875, 0.96875});
    QVERIFY(m_generation->GenerateNick());
    QCOMPARE(m_nick->text(), nick);
    QCOMPARE(m_list->count(), 1);
    QCOMPARE(m_list->item(0), nick);
    QCOMPARE(m_counter->text(), QStringLiteral("1"));
    QCOMPARE(m_random.reseeds, 10);
    // Slots past the length were drawn too.
    QCOMPARE(m_generation->generator().slotLetter(10), 'a');
    QCOMPARE(m_nick->limit(), length.toInt());
}

void TstGeneration::slotsWithoutAnyLetterGiveAnEmptyNick()
{
    // Slot 2 never had a letter: the later slots move one place left.
    m_combos[1]->setListIndex(-1);
    m_random.script(sameDrawForEverySlot(0.0));
    QVERIFY(m_generation->GenerateNick());
    QCOMPARE(m_nick->text(), QStringLiteral("BBBABB"));

    cleanup();
    init();
    setPattern(QList<int>(10, -1));
    QVERIFY(m_generation->GenerateNick());
    QCOMPARE(m_nick->text(), QString());
    QCOMPARE(m_list->count(), 1);
    QCOMPARE(m_list->item(0), QString());
    QCOMPARE(m_counter->text(), QStringLiteral("1"));
}

void TstGeneration::unreadableBoxesStopTheGeneration()
{
    // An unreadable length stops it before any draw.
    m_length->setText(QStringLiteral("six"));
    QVERIFY(!m_generation->GenerateNick());
    QCOMPARE(m_random.reseeds, 0);
    QCOMPARE(m_nick->text(), QStringLiteral("[.:] TOR(E)N [:.]"));
    QCOMPARE(m_nick->limit(), 0);
    QCOMPARE(m_list->count(), 0);
    QCOMPARE(m_counter->text(), QStringLiteral("0"));

    // An unreadable counter, only after the nick is listed.
    m_length->setText(QStringLiteral("6"));
    m_counter->setText(QStringLiteral("many"));
    QVERIFY(!m_generation->GenerateNick());
    QCOMPARE(m_nick->text(), QStringLiteral("BABBAB"));
    QCOMPARE(m_list->count(), 1);
    QCOMPARE(m_counter->text(), QStringLiteral("many"));
}

QTEST_MAIN(TstGeneration)
#include "tst_generation.moc"
