#pragma once

#include "control/generatorview.h"
#include "core/nicklist.h"
#include "ui/wording/wording.h"

#include <QStringList>

#include <array>

// The window's boxes, selectors and list as plain values, for the actions
// tested without a window: the nick box keeps the first characters up to its
// limit, the list follows a NickList's changes, and refusals are recorded, as
// the window words them, instead of shown.
class ValuePanel : public GeneratorView
{
public:
    QString text(Box box) const override { return boxes.at(index(box)); }
    void setText(Box box, const QString &text) override
    {
        boxes.at(index(box)) = box == Box::Nick && nickLimit > 0 ? text.left(nickLimit) : text;
    }
    void setNickLimit(int limit) override { nickLimit = limit; }
    int intervalCaret() const override { return 0; }
    void setIntervalCaret(int) override {}
    int listIndex(int slot) const override { return listIndices.at(slot - 1); }
    // Keeps `list` as the nicks list their entries.
    void follow(NickList &nicks)
    {
        QObject::connect(&nicks, &NickList::appended, &nicks,
                         [this, &nicks](qsizetype row) { list.append(nicks.entry(row)); });
        QObject::connect(&nicks, &NickList::erased, &nicks, [this] { list.clear(); });
        QObject::connect(&nicks, &NickList::broughtBack, &nicks, [this, &nicks](qsizetype entries) {
            for (qsizetype row = entries - 1; row >= 0; --row)
                list.prepend(nicks.entry(row));
        });
    }
    void refuse(const Refusal &refusal) override
    {
        const Wording::Message told = Wording::refusal(refusal);
        refusals.append(told.title + u'|' + told.text);
    }

    // Length, interval, nick, counter: the window's texts at start.
    std::array<QString, 4> boxes{QStringLiteral("6"), QStringLiteral("250"),
                                 QStringLiteral("[.:] TOR(E)N [:.]"), QStringLiteral("0")};
    int nickLimit = 0;
    // The window's default pattern: consonant, vowel, consonant, consonant, vowel, ...
    std::array<int, 10> listIndices{1, 0, 1, 1, 0, 1, 1, 0, 1, 0};
    QStringList list;
    QStringList refusals;

private:
    static std::size_t index(Box box) { return static_cast<std::size_t>(box); }
};
