#include "control/saveplaces.h"

SavePlaces SavePlaces::of(const QByteArray &programFolder, const QByteArray &documents,
                          const QByteArrayList &installFolders)
{
    if (!installFolders.contains(programFolder))
        return {{programFolder, documents}, false};
    // A folder of the system's is never written into, whoever runs it.
    if (documents.isEmpty())
        return {{}, true};
    return {{documents}, true};
}
