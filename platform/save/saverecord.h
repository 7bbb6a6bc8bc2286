#pragma once

#include <QByteArray>
#include <QByteArrayList>

#include <sys/stat.h>

class SystemCalls;

// What an in-place save keeps of the full list it names, in a folder of the
// user's alone, so that a later save touches only a list this program wrote:
// its disk, inode and size, where it is, the file it was for and that file's
// change time, and how far the save got ("named" while the file was still
// whole, "copying" once it may have been emptied). Beside it, the marked
// files the user has been told of.
class SaveRecord
{
public:
    // `key` names the file the record is for.
    SaveRecord(const SystemCalls &calls, const QByteArray &key) : m_calls(calls), m_key(key) {}

    // Written and synced, so that it outlives a power cut where its folder does.
    bool write(const QByteArray &state, const QByteArray &where, const QByteArray &name, int listFd,
               int targetFd);
    // Reads what a crashed save left; false when there is none.
    bool read();
    void remove();
    // Whether the record names this list, `where` ("beside" or "cache") under this name.
    bool names(const QByteArray &where, const QByteArray &name, const struct stat &list) const;
    bool copying() const { return m_fields.value(0) == "copying"; }
    // Whether it was written for the file open at `targetFd`, and, if asked,
    // whether that file is untouched since: then it never began to hold the list.
    bool isFor(int targetFd, bool untouched = false) const;
    // Whether a list left alone is told of for the first time; notes it.
    bool firstTold(const struct stat &list) const;
    // No folder of the user's alone could hold it.
    bool placeless() const { return path().isEmpty(); }

private:
    QByteArray path() const;

    const SystemCalls &m_calls;
    QByteArray m_key;
    QByteArrayList m_fields;
};
