#include "platform/folders.h"

#include <QByteArrayList>
#include <QFile>
#include <QStringDecoder>

#include <climits>
#include <cstdlib>
#include <fcntl.h>
#include <iconv.h>
#include <langinfo.h>
#include <sys/stat.h>
#include <unistd.h>

QByteArray applicationDirectory()
{
    QByteArray path(PATH_MAX, '\0');
    const ssize_t size = ::readlink("/proc/self/exe", path.data(), size_t(path.size()));
    if (size <= 0 || size >= path.size() || path.at(0) != '/')
        return {};
    path.truncate(size);
    const qsizetype slash = path.lastIndexOf('/');
    return slash == 0 ? QByteArrayLiteral("/") : path.left(slash);
}

QByteArrayList installFolders()
{
    QByteArrayList folders;
    for (const char *folder : {QUILLMARK_INSTALL_BINDIR, QUILLMARK_PACKAGE_BINDIR}) {
        // The same form /proc/self/exe gives: /bin is /usr/bin on a merged /usr.
        char resolved[PATH_MAX];
        if (::realpath(folder, resolved) && !folders.contains(resolved))
            folders.append(resolved);
    }
    return folders;
}

QByteArray installedHelpFolder(const QByteArray &programFolder)
{
    char resolved[PATH_MAX];
    const bool inInstallPrefix = ::realpath(QUILLMARK_INSTALL_BINDIR, resolved) && programFolder == resolved;
    return inInstallPrefix ? QUILLMARK_INSTALL_DOCDIR : QUILLMARK_PACKAGE_DOCDIR;
}

namespace {

// The folder named for a key in the user's ~/.config/user-dirs.dirs, as
// xdg-user-dirs writes it: XDG_DOCUMENTS_DIR="$HOME/Documents".
QByteArray userDirectory(const QByteArray &home, QByteArrayView key)
{
    QByteArray config = qgetenv("XDG_CONFIG_HOME");
    if (!config.startsWith('/'))
        config = home + "/.config";
    QByteArray found;
    const int fd = ::open((config + "/user-dirs.dirs").constData(), O_RDONLY | O_CLOEXEC);
    QFile file;
    if (fd < 0 || !file.open(fd, QIODevice::ReadOnly, QFileDevice::AutoCloseHandle))
        return found;
    for (QByteArray line : file.readAll().split('\n')) {
        line = line.trimmed();
        if (!line.startsWith("XDG_") || !line.contains('=') || line.left(line.indexOf('=')) != key)
            continue;
        QByteArray value = line.mid(line.indexOf('=') + 1);
        if (value.size() >= 2 && value.startsWith('"') && value.endsWith('"'))
            value = value.mid(1, value.size() - 2);
        if (value.startsWith("$HOME"))
            value = home + value.mid(5);
        found.clear();
        for (qsizetype i = 0; i < value.size(); ++i)
            found += value.at(i) == '\\' && i + 1 < value.size() ? value.at(++i) : value.at(i);
        if (found.size() > 1 && found.endsWith('/'))
            found.chop(1);
    }
    return found;
}

// One name of a path that is not UTF-8, in the first legacy charset of
// G_FILENAME_ENCODING that takes it whole; empty when none does.
QString inLegacyCharset(const QByteArray &name)
{
    for (QByteArray charset : qgetenv("G_FILENAME_ENCODING").split(',')) {
        charset = charset.trimmed();
        if (charset == "@locale")
            charset = ::nl_langinfo(CODESET);
        const iconv_t convert = charset.isEmpty() ? iconv_t(-1) : ::iconv_open("UTF-8", charset.constData());
        if (convert == iconv_t(-1))
            continue;
        QByteArray in = name;
        QByteArray out(name.size() * 4, '\0');
        char *from = in.data();
        char *to = out.data();
        size_t left = size_t(in.size());
        size_t room = size_t(out.size());
        const bool whole = ::iconv(convert, &from, &left, &to, &room) != size_t(-1) && left == 0;
        ::iconv_close(convert);
        if (whole)
            return QString::fromUtf8(out.constData(), out.size() - qsizetype(room));
    }
    return {};
}

} // namespace

QByteArray userDocumentsDirectory()
{
    // Without HOME, Qt would offer the root folder; that is nobody's home.
    const QByteArray home = qgetenv("HOME");
    if (!home.startsWith('/') || !isFolder(home))
        return {};
    QByteArray documents = userDirectory(home, "XDG_DOCUMENTS_DIR");
    if (documents.isEmpty())
        documents = home + "/Documents";
    return isFolder(documents) ? documents : home;
}

QString displayPath(const QByteArray &path)
{
    constexpr auto Exact = QStringConverter::Flag::Stateless | QStringConverter::Flag::ConvertInitialBom;
    QString shown;
    const QByteArrayList names = path.split('/');
    for (qsizetype n = 0; n < names.size(); ++n) {
        const QByteArray &name = names[n];
        if (n > 0)
            shown += u'/';
        QStringDecoder utf8(QStringConverter::Utf8, Exact);
        const QString whole = utf8(name);
        const QString legacy = utf8.hasError() ? inLegacyCharset(name) : QString();
        if (!utf8.hasError() || !legacy.isEmpty()) {
            shown += utf8.hasError() ? legacy : whole;
            continue;
        }
        // The longest UTF-8 character at each place, else one byte as \xHH.
        for (qsizetype i = 0; i < name.size();) {
            qsizetype length = std::min<qsizetype>(4, name.size() - i);
            QString character;
            for (; length > 0; --length) {
                QStringDecoder one(QStringConverter::Utf8, Exact);
                character = one(QByteArrayView(name).sliced(i, length));
                if (!one.hasError())
                    break;
            }
            shown += length > 0
                         ? character
                         : QStringLiteral("\\x") +
                               QString::number(uchar(name.at(i)), 16).toUpper().rightJustified(2, u'0');
            i += std::max<qsizetype>(length, 1);
        }
    }
    return shown;
}

bool isFile(const QByteArray &path)
{
    struct stat st
    {
    };
    return ::stat(path.constData(), &st) == 0 && S_ISREG(st.st_mode);
}

bool isFolder(const QByteArray &path)
{
    struct stat st
    {
    };
    return ::stat(path.constData(), &st) == 0 && S_ISDIR(st.st_mode);
}
