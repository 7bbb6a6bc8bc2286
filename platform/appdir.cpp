#include "platform/appdir.h"

#include <QCoreApplication>
#include <QDir>
#include <QStandardPaths>

QString applicationDirectory()
{
    return QCoreApplication::applicationDirPath();
}

QString userDocumentsDirectory()
{
    const QString documents = QStandardPaths::writableLocation(QStandardPaths::DocumentsLocation);
    if (!documents.isEmpty() && QDir(documents).exists())
        return documents;
    return QDir::homePath();
}
