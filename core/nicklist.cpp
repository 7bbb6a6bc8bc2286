#include "core/nicklist.h"

#include <utility>

NickList::NickList(QObject *parent) : QObject(parent) {}

QString NickList::entry(qsizetype row) const
{
    return row >= 0 && row < count() ? m_entries.entry(row) : QString();
}

void NickList::append(QStringView nick)
{
    m_entries.append(nick);
    Q_EMIT appended(count() - 1);
}

void NickList::erase()
{
    // The chunks change hands, nothing is copied: Ctrl+Z can bring them back.
    NickStore taken = m_entries.takeAll();
    if (taken.count() > 0)
        m_kept = std::move(taken);
    Q_EMIT erased();
}

qsizetype NickList::bringBack()
{
    const qsizetype back = m_kept.count();
    if (back == 0)
        return 0;
    m_entries.prepend(std::exchange(m_kept, NickStore()));
    Q_EMIT broughtBack(back);
    return back;
}
