#include "control/saveplaces.h"

SavePlaces SavePlaces::of(const QByteArray &programFolder, const QByteArray &documents,
                          const QByteArrayList &installFolders)
{
    if (documents.isEmpty() || !installFolders.contains(programFolder))
        return {{programFolder, documents}, false};
    return {{documents}, true};
}
