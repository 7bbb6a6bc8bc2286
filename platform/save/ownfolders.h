#pragma once

#include <QByteArray>

class SystemCalls;

// The folders a save keeps things in that are the user's alone: the lock,
// the record of what the save left, and the new list while it waits to be
// copied into a file whose folder takes no new file.

// A real folder of this user's that grants others nothing, in a folder that
// others cannot take it out of: no other user can put, replace or hold a
// file there.
bool theirsAlone(const QByteArray &folder);

// This program's folder in the user's cache folder, which outlives the
// session, made when missing if asked; empty when there is none of the
// user's alone.
QByteArray cacheFolder(const SystemCalls &calls, bool make = true);

// Where the lock goes: the user's runtime folder, else this program's in the
// user's cache folder, else one of the user's in the temporary folder; empty
// when none of them is the user's alone.
QByteArray privateFolder(const SystemCalls &calls);

// Whether what is synced in the folder `keptFd` outlives a power cut
// wherever what is synced in the folder `fileFd` does: both are on one file
// system, or the second is known to lose it, or the first is known to keep
// it (DiskLife).
bool lastsAsLongAs(int keptFd, int fileFd);
