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

    NickStore() = default;
    // A copy writes into chunks of its own from its first append on.
    NickStore(const NickStore &other);
    NickStore &operator=(const NickStore &other);
    // A store moved from is left empty, as a new one.
    NickStore(NickStore &&other) noexcept;
    NickStore &operator=(NickStore &&other) noexcept;
    ~NickStore() = default;

private:
    // The chunks' memory, shared by a store and its copies. A copy points
    // into the same chunks and takes one count of their owner, touching
    // none of the list's own memory: Save copies the list on the window's
    // thread, and on a busy machine a long list's pages may be far away
    // (moved or swapped out). A count kept in every chunk, touched by each
    // copy, once held the window 30 ms at 100 M entries.
    struct Chunks
    {
        std::vector<std::unique_ptr<quint64[]>> made;
        std::vector<std::shared_ptr<Chunks>> kept; // owners other stores hold too
    };

    quint64 word(qsizetype i) const;
    // Where entry i lies: its chunk and its place in the chunk.
    qsizetype slot(qsizetype i) const { return m_first + i; }
    // Gives the store a new owner, which takes over the one it had.
    void startOwner();
    // A new chunk, in an owner only this store adds to.
    quint64 *newChunk();
    // Moves what `from` owns into `into`, or has `into` keep it while
    // another store holds it too.
    static void takeChunks(Chunks &into, std::shared_ptr<Chunks> from);
    // Whether no other store writes any chunk this one reads.
    bool alone() const;

    std::vector<quint64 *> m_chunks;
    std::shared_ptr<Chunks> m_owner;
    // False in a copy: the owner's next chunks, and the places past the
    // entries in the last chunk, are the store's it was copied from.
    bool m_addsToOwner = true;
    bool m_ownsTail = true;
    QList<QString> m_others; // texts that do not pack into a word
    qsizetype m_count = 0;
    qsizetype m_first = 0; // the first entry's place in the first chunk
};
