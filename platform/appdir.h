#pragma once

#include <QString>

// The folder that holds the program file, without a trailing separator
// (except at the root).
QString applicationDirectory();

// Where a file goes when the program's folder cannot be written, as when the
// program is installed for the whole system: the user's documents folder, or
// the home folder where there is none; empty when there is no usable home
// folder.
QString userDocumentsDirectory();
