// The nick store keeps every text it is given, whatever it holds: packed
// nicks and texts kept whole alike come back exactly, in order, as text, as
// bytes, and streamed in blocks as Save writes them; an emptied store takes
// new entries as fresh.
#include "core/nickstore.h"
#include "fuzzinput.h"

#include <QList>

namespace {

void checkHolds(const NickStore &store, const QList<QString> &entries)
{
    FUZZ_CHECK(store.count() == entries.size(), "the store counts %lld of %lld entries",
               static_cast<long long>(store.count()), static_cast<long long>(entries.size()));
    QByteArray bytes;
    for (qsizetype i = 0; i < entries.size(); ++i) {
        FUZZ_CHECK(store.entry(i) == entries[i], "entry %lld comes back as '%s', not '%s'",
                   static_cast<long long>(i), qUtf8Printable(store.entry(i)), qUtf8Printable(entries[i]));
        bytes.clear();
        store.appendEntryTo(i, bytes);
        FUZZ_CHECK(bytes == entries[i].toUtf8(), "entry %lld is written as '%s'", static_cast<long long>(i),
                   bytes.constData());
    }
}

// The store streamed as Save streams it, a block of at least `block` bytes
// at a time, must give every entry once, in order, each with its line end.
void checkStreams(const NickStore &store, const QList<QString> &entries, QByteArrayView lineEnd,
                  qsizetype block)
{
    QByteArray expected;
    for (const QString &entry : entries)
        expected += entry.toUtf8() + lineEnd.toByteArray();
    QByteArray streamed;
    for (qsizetype next = 0; next < store.count();) {
        const qsizetype sizeBefore = streamed.size();
        const qsizetype after = store.appendLinesTo(next, lineEnd, block, streamed);
        FUZZ_CHECK(after > next && after <= store.count(), "a block from %lld ends at %lld",
                   static_cast<long long>(next), static_cast<long long>(after));
        FUZZ_CHECK(after == store.count() || streamed.size() - sizeBefore >= block,
                   "a block of %lld bytes stopped after %lld", static_cast<long long>(block),
                   static_cast<long long>(streamed.size() - sizeBefore));
        next = after;
    }
    FUZZ_CHECK(streamed == expected, "the streamed list differs from the entries (block %lld, %lld lines)",
               static_cast<long long>(block), static_cast<long long>(entries.size()));
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t *data, std::size_t size)
{
    const FuzzText input(data, size);
    // One entry a line; a line of a lone DEL empties the store, as Erase does.
    const QList<QStringView> lines = input.view().split(u'\n');

    NickStore store;
    QList<QString> entries;
    for (QStringView line : lines) {
        if (line == u"\x7f") {
            store.clear();
            entries.clear();
            checkHolds(store, entries);
            continue;
        }
        store.append(line);
        entries.append(line.toString());
    }
    checkHolds(store, entries);
    checkStreams(store, entries, "\r\n", 1 + qsizetype(size % 97));
    checkStreams(store, entries, "\n", 1 << 20);
    checkStreams(store, entries, "", 3);
    return 0;
}
