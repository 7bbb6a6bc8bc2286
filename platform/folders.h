#pragma once

#include <QByteArray>
#include <QByteArrayList>
#include <QString>

// Folders and paths are bytes as the system names them, not necessarily
// UTF-8 (Cyrillic in CP1251 from an old archive), until they are shown.

// The folder that holds the program file, without a trailing separator
// (except at the root); empty when the system does not tell it.
QByteArray applicationDirectory();

// The folders the program is installed into, as it was built to know: the
// bin folder of its install prefix and that of its Debian package, each as
// the system resolves it. A copy there is the system's, not the user's.
QByteArrayList installFolders();

// The folder the help page is installed into, for a program in the given
// folder: the documentation folder of the install prefix whose bin folder
// that is, else that of the Debian package.
QByteArray installedHelpFolder(const QByteArray &programFolder);

// Where a file goes when the program's folder cannot be written, as when the
// program is installed for the whole system: the user's documents folder, or
// the home folder where there is none; empty when there is no usable home
// folder.
QByteArray userDocumentsDirectory();

// A path as the user is shown it. A name that is UTF-8 shows as it is; one
// that is not shows in the first legacy charset that G_FILENAME_ENCODING
// names and that takes it whole, as GLib and the file managers built on it
// show it; else every byte that is not UTF-8 shows as \xHH, so that no two
// names look alike and the real bytes can still be told.
QString displayPath(const QByteArray &path);

// Whether the path leads to a regular file, or to a folder.
bool isFile(const QByteArray &path);
bool isFolder(const QByteArray &path);
