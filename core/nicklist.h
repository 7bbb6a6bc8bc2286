#pragma once

#include "core/nickstore.h"

#include <QObject>
#include <QString>
#include <QStringView>

// The generated nicks as the window lists them, the save writes them and a
// screen reader reads them, and what the last Стереть took from them. Views
// and readers follow it through its signals; each says what changed, so a
// view repaints only that and an append costs the same at any length.
class NickList : public QObject
{
    Q_OBJECT
public:
    explicit NickList(QObject *parent = nullptr);

    qsizetype count() const { return m_entries.count(); }
    // Empty for an entry that does not exist.
    QString entry(qsizetype row) const;
    // The entries as they are now, whatever the list does next: the save
    // writes them on its own thread. It shares the list's memory.
    NickStore snapshot() const { return m_entries; }

    void append(QStringView nick);
    // Empties the list. What it held is kept for bringBack(); erasing an
    // empty list keeps what an earlier erase took.
    void erase();
    // How many entries bringBack() would bring back.
    qsizetype kept() const { return m_kept.count(); }
    // Puts what was kept in front of the entries listed since; returns how
    // many came back, 0 when none were kept.
    qsizetype bringBack();

Q_SIGNALS:
    void appended(qsizetype row);
    void erased();
    // `entries` came in front: every earlier entry's row grew by as many.
    void broughtBack(qsizetype entries);

private:
    NickStore m_entries;
    NickStore m_kept; // what the last erase that found entries took
};
