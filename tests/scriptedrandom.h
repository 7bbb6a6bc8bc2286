#pragma once

#include "core/randomsource.h"

#include <QList>

// Hands out the values a test scripts, in order, and counts the reseeds.
class ScriptedRandom final : public RandomSource
{
public:
    explicit ScriptedRandom(QList<double> values = {}) : m_values(std::move(values)) {}

    void script(QList<double> values) { m_values = std::move(values); m_next = 0; }
    void reseedFromClock() override { ++reseeds; }
    double next() override { return m_next < m_values.size() ? m_values[m_next++] : 0.0; }

    int reseeds = 0;

private:
    QList<double> m_values;
    qsizetype m_next = 0;
};

// Two draws a slot, vowel first: r rising 0, 0.25, 0.5, 0.75, 0.96875 over
// slots 1 to 5 and again over 6 to 10, whose letters the tables fix.
inline const QList<double> RisingDraws{0, 0, .25, .25, .5, .5, .75, .75, .96875, .96875,
                                       0, 0, .25, .25, .5, .5, .75, .75, .96875, .96875};

// Two values for every slot, vowel draw first: one pair per slot 1..10.
inline QList<double> sameDrawForEverySlot(double r)
{
    return QList<double>(20, r);
}
