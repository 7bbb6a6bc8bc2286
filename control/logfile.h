#pragma once

#include "control/saveoutcome.h"
#include "platform/save/systemcalls.h"

#include <QByteArray>
#include <QString>

#include <atomic>

class NickStore;

// Saving the list as NIK.log: one nick a line, CR LF after every line, no
// header, the whole file rewritten each time. The file goes into the
// program's folder; when the place where it lives there refuses this user
// (the folder, the file, or where the user's link leads) for want of rights
// or because it is read-only (an installed program's folder), the folder is
// gone, or the list finds no safe place to wait while the file is written in
// place, it goes into the user's documents folder instead. A failed save
// leaves the previous file whole, unless that file could only be written in
// place, which the outcome then says, with what the file holds and where
// the whole list is.
class NickLog
{
public:
    static const QString FileName; // "NIK.log"

    // What a save running on another thread shares with the window: the
    // entries written so far, whether it waits for another copy's save into
    // the file, and the window's wish that it stop. A stop is heeded while
    // the earlier file is still whole; a file written in place is finished.
    struct Progress
    {
        std::atomic<qsizetype> written{0};
        std::atomic<bool> waiting{false};
        std::atomic<bool> stop{false};
    };

    // Into the first of `places` (SavePlaces), the folders as the system
    // names them (bytes, not necessarily UTF-8), and into each next one when
    // the one before refused. An empty first place means it is unknown:
    // nothing is written; an empty later one, that there is none; no place
    // at all, an installed copy without a home folder. Every file
    // is changed through `calls`. Safe on any thread.
    static SaveOutcome save(const NickStore &store, const QByteArrayList &places,
                            Progress *progress = nullptr, const SystemCalls &calls = SystemCalls());

private:
    static Save::Outcome writeFile(const NickStore &store, const QByteArray &path, Progress *progress,
                                   const SystemCalls &calls);
};
