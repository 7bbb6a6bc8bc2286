#pragma once

#include <QByteArray>
#include <QByteArrayList>

// Where Save puts NIK.log. A copy run from a folder of its own (a checkout,
// an unpacked copy) saves beside itself, and into the user's documents
// folder when its folder refuses. A copy installed into a folder of the
// system's saves into the documents folder as its normal place, with
// nowhere else to go; without a home folder it has no place at all, and is
// told so, even where it could write into its own folder (run as root).
struct SavePlaces
{
    // Where NIK.log goes, and in order where it goes when the place before
    // refuses; an empty one is a place the user has none of (no home). None
    // at all for an installed copy without a home folder.
    QByteArrayList places;
    bool installed = false;

    static SavePlaces of(const QByteArray &programFolder, const QByteArray &documents,
                         const QByteArrayList &installFolders);
};
