#pragma once

#include <QByteArray>
#include <QByteArrayView>
#include <QList>
#include <QString>
#include <QStringView>

#include <memory>
#include <vector>

// The generated nicks, kept compact enough for tens of millions of entries.
// A nick of up to ten capital Latin letters takes one 64-bit word; any other
// text is kept whole in a side list, so nothing is ever lost. The words live
// in fixed-size chunks, so an append never moves what is already stored.
//
// A copy is cheap and shares the chunks: it holds the entries the store held
// when it was made, whatever the store does afterwards, and can be read on
// another thread while the store goes on appending (an append writes only
// past the copy's entries, into a chunk of its own once the last one is
// shared). Erase then leaves the copy's chunks alive until the copy goes.
class NickStore
{
public:
    void append(QStringView nick);
    qsizetype count() const { return m_count; }
    QString entry(qsizetype i) const;
    // Appends entry i as UTF-8 without going through a QString, for writers
    // that stream the whole list.
    void appendEntryTo(qsizetype i, QByteArray &out) const;
    // Appends entries from `first` on, each followed by `lineEnd`, until out
    // has grown by at least `bytes` or the entries run out; returns the index
    // of the first entry not appended. For writers that stream the whole
    // list: packed entries go from their words straight into the bytes.
    qsizetype appendLinesTo(qsizetype first, QByteArrayView lineEnd, qsizetype bytes, QByteArray &out) const;
    // Empties the store and gives its memory back.
    void clear();
    // Empties the store and returns its entries without copying them. The
    // store's next entry goes where it would have gone after them, so that
    // prepend() can join the two again.
    NickStore takeAll();
    // Puts the entries of `front` before the store's own. Joining what
    // takeAll() returned copies at most one chunk; otherwise the store's own
    // entries are copied after those of `front`.
    void prepend(NickStore front);

private:
    quint64 word(qsizetype i) const;
    // Where entry i lies: its chunk and its place in the chunk.
    qsizetype slot(qsizetype i) const { return m_first + i; }

    std::vector<std::shared_ptr<quint64[]>> m_chunks;
    QList<QString> m_others; // texts that do not pack into a word
    qsizetype m_count = 0;
    qsizetype m_first = 0; // the first entry's place in the first chunk
};
