#pragma once

#include <QByteArray>
#include <QString>

// The folder that holds the program file, as the system names it (bytes,
// not necessarily UTF-8), without a trailing separator (except at the root);
// empty when the system does not tell it.
QByteArray applicationDirectory();

// Where a file goes when the program's folder cannot be written, as when the
// program is installed for the whole system: the user's documents folder, or
// the home folder where there is none; empty when there is no usable home
// folder.
QString userDocumentsDirectory();
