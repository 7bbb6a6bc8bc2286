#pragma once

#include <QString>
#include <QStringView>

class GenerationTimer;
class GeneratorView;

// Generation on the timer: the interval box keeps its text a plain number as
// the user types, Start runs the timer at the box's interval, Stop halts it.
// The tick itself is connected by the window to the generate action.
class AutoGeneration
{
public:
    AutoGeneration(GeneratorView &panel, GenerationTimer &timer);

    // Every change of the interval box, typed or set, comes here. Setting
    // the normal form changes the text again and re-enters; a text already
    // in normal form maps to itself, which ends the chain.
    void intervalChanged();
    // True when the timer runs at the box's interval afterwards.
    bool start();
    void stop();

    // One normalising step: the numeric prefix written with a sign place,
    // leading blanks removed ("007" -> "7", "abc" -> "0", "0.5" -> ".5").
    static QString normalForm(QStringView text);

private:
    GeneratorView &m_panel;
    GenerationTimer &m_timer;
};
