#include "platform/appdir.h"

#include <QDir>
#include <QFileInfo>
#include <QStandardPaths>

#include <climits>
#include <unistd.h>

QByteArray applicationDirectory()
{
    // Taken as bytes: a folder name that is not UTF-8 (Cyrillic in CP1251
    // from an old archive) would otherwise turn into another path.
    QByteArray path(PATH_MAX, '\0');
    const ssize_t size = ::readlink("/proc/self/exe", path.data(), size_t(path.size()));
    if (size <= 0 || size >= path.size() || path.at(0) != '/')
        return {};
    path.truncate(size);
    const qsizetype slash = path.lastIndexOf('/');
    return slash == 0 ? QByteArrayLiteral("/") : path.left(slash);
}

QString userDocumentsDirectory()
{
    // Without HOME, Qt would offer the root folder; that is nobody's home.
    const QString home = qEnvironmentVariable("HOME");
    if (home.isEmpty() || !QDir::isAbsolutePath(home) || !QFileInfo(home).isDir())
        return QString();
    const QString documents = QStandardPaths::writableLocation(QStandardPaths::DocumentsLocation);
    if (!documents.isEmpty() && QDir(documents).exists())
        return documents;
    return QDir::homePath();
}
