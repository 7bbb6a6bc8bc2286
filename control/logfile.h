#pragma once

#include <QString>

class NickStore;

// Saving the list as NIK.log: one nick a line, CR LF after every line, no
// header, the whole file rewritten each time. The file goes into the
// program's folder; when that folder cannot be written at all (an installed
// program's folder), it goes into the user's documents folder instead.
// A failed save leaves the previous file whole.
class NickLog
{
public:
    static const QString FileName; // "NIK.log"

    enum class Outcome { Saved, SavedToFallback, Failed };
    struct Result
    {
        Outcome outcome = Outcome::Failed;
        QString path;   // the file written, or the one that could not be
        QString reason; // why it failed, in the system's words
    };

    static Result save(const NickStore &store, const QString &programFolder, const QString &fallbackFolder);

private:
    static Result writeFile(const NickStore &store, const QString &path);
};
