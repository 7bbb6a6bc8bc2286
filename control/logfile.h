#pragma once

#include <QString>

#include <atomic>

class NickStore;

// Saving the list as NIK.log: one nick a line, CR LF after every line, no
// header, the whole file rewritten each time. The file goes into the
// program's folder; when that folder refuses it for want of rights or
// because it is read-only (an installed program's folder), or is gone, it
// goes into the user's documents folder instead. A failed save leaves the
// previous file whole.
class NickLog
{
public:
    static const QString FileName; // "NIK.log"

    enum class Outcome
    {
        Saved,
        SavedToFallback,
        Failed,
        Cancelled // stopped through Progress::stop; no file was changed
    };
    struct Result
    {
        Outcome outcome = Outcome::Failed;
        QString path;   // the file written, or the one that could not be
        QString reason; // why it failed, in Russian
        // Why the program folder's file (refusedPath) was not written, when
        // the list went, or was to go, to the documents folder.
        QString refusedPath;
        QString refusedReason;
        // The program folder refused, and there is no documents or home folder.
        bool nowhereElse = false;
    };

    // What a save running on another thread shares with the window: the
    // entries written so far, whether it waits for another copy's save into
    // the folder, and the window's wish that it stop.
    struct Progress
    {
        std::atomic<qsizetype> written{0};
        std::atomic<bool> waiting{false};
        std::atomic<bool> stop{false};
    };

    // An empty fallbackFolder means there is none. Safe on any thread.
    static Result save(const NickStore &store, const QString &programFolder, const QString &fallbackFolder,
                       Progress *progress = nullptr);

private:
    // code: the errno of the failure, -1 for a refusal, 0 on success.
    static Result writeFile(const NickStore &store, const QString &path, int &code, Progress *progress);
};
