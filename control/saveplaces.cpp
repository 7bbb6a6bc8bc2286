#include "control/saveplaces.h"

SavePlaces SavePlaces::of(const QByteArray &programFolder, const QByteArray &documents,
                          const QByteArrayList &installFolders)
{
    if (documents.isEmpty() || !installFolders.contains(programFolder))
        return {programFolder, documents, false};
    // The same folder twice: NickLog tries no folder a second time.
    return {documents, documents, true};
}
