#include "platform/save/disklife.h"

#include <QDir>
#include <QFile>

#include <algorithm>
#include <linux/magic.h>
#include <sys/sysmacros.h>

namespace {

// mountinfo writes a space, tab, newline or backslash in a name, and a mount
// option's comma, as \ and three octal digits.
QByteArray octalUnescaped(const QByteArray &text)
{
    QByteArray plain;
    for (qsizetype at = 0; at < text.size(); ++at) {
        if (text.at(at) != '\\') {
            plain += text.at(at);
            continue;
        }
        plain += char(text.mid(at + 1, 3).toInt(nullptr, 8));
        at += 3;
    }
    return plain;
}

// An overlay keeps its folder options as given at mount time, where a
// backslash stands before a comma or backslash of the name.
QByteArray overlayUnescaped(const QByteArray &text)
{
    QByteArray plain;
    for (qsizetype at = 0; at < text.size(); ++at) {
        if (text.at(at) == '\\' && at + 1 < text.size())
            ++at;
        plain += text.at(at);
    }
    return plain;
}

bool covers(const QByteArray &point, const QByteArray &path)
{
    return point == "/" || path == point || path.startsWith(point + '/');
}

// One KEY=value line of a device's uevent.
QByteArray ueventField(const QByteArray &uevent, const QByteArray &key)
{
    for (const QByteArray &line : uevent.split('\n')) {
        if (line.startsWith(key + '='))
            return line.mid(key.size() + 1);
    }
    return {};
}

// zram's compressed memory and brd's ram0, ram1 ...
bool memoryDisk(const QByteArray &name)
{
    return name.startsWith("zram") ||
           (name.startsWith("ram") && name.size() > 3 && name.at(3) >= '0' && name.at(3) <= '9');
}

} // namespace

DiskLife DiskLife::ofSystem()
{
    return DiskLife(
        [](const QByteArray &path) {
            QFile file(QFile::decodeName(path));
            return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
        },
        [](const QByteArray &folder) {
            QByteArrayList names;
            const QDir::Filters all = QDir::AllEntries | QDir::System | QDir::NoDotAndDotDot;
            for (const QString &name : QDir(QFile::decodeName(folder)).entryList(all))
                names << QFile::encodeName(name);
            return names;
        });
}

AfterPowerCut DiskLife::of(long type, dev_t device) const
{
    switch (type) {
    case TMPFS_MAGIC:
    case RAMFS_MAGIC:
        return AfterPowerCut::Lost;
    case FUSE_SUPER_MAGIC:
        return AfterPowerCut::Unknown;
    default:
        break;
    }
    const Mounts mounts = parse(m_read("/proc/self/mountinfo"));
    const QByteArray id = QByteArray::number(major(device)) + ':' + QByteArray::number(minor(device));
    qsizetype mount = -1;
    for (qsizetype at = 0; at < mounts.size(); ++at) {
        if (mounts[at].device == id)
            mount = at;
    }
    if (type == OVERLAYFS_SUPER_MAGIC)
        return mount < 0 ? AfterPowerCut::Unknown : ofOverlay(mounts, mount);
    // No block device: NFS, a btrfs subvolume and the like keep it.
    if (major(device) == 0)
        return AfterPowerCut::Kept;
    return ofBlock(mounts, "/sys/dev/block/" + id, mount);
}

AfterPowerCut DiskLife::ofMount(const Mounts &mounts, qsizetype mount) const
{
    const QByteArray &type = mounts[mount].type;
    if (type == "tmpfs" || type == "ramfs" || type == "devtmpfs")
        return AfterPowerCut::Lost;
    if (type == "fuse" || type == "fuseblk" || type.startsWith("fuse."))
        return AfterPowerCut::Unknown;
    if (type == "overlay")
        return ofOverlay(mounts, mount);
    if (mounts[mount].device.startsWith("0:"))
        return AfterPowerCut::Kept;
    return ofBlock(mounts, "/sys/dev/block/" + mounts[mount].device, mount);
}

// As lasting as the file system that takes its new files.
AfterPowerCut DiskLife::ofOverlay(const Mounts &mounts, qsizetype mount) const
{
    for (const QByteArray &option : mounts[mount].options.split(',')) {
        if (!option.startsWith("upperdir="))
            continue;
        const QByteArray upper = overlayUnescaped(octalUnescaped(option.mid(9)));
        const qsizetype below = holder(mounts, upper);
        // An overlay never keeps its new files on another, so a name that
        // leads to one was mounted over (or is seen from inside a container).
        if (below >= 0 && mounts[below].type == "overlay")
            return AfterPowerCut::Unknown;
        return ofPath(mounts, upper, mount);
    }
    return AfterPowerCut::Unknown;
}

// A block device by its folder in /sys; `mount`, where it is mounted.
AfterPowerCut DiskLife::ofBlock(const Mounts &mounts, QByteArray block, qsizetype mount) const
{
    QByteArray uevent = m_read(block + "/uevent");
    if (ueventField(uevent, "DEVTYPE") == "partition") {
        block += "/..";
        uevent = m_read(block + "/uevent");
    }
    const QByteArray name = ueventField(uevent, "DEVNAME");
    if (name.isEmpty())
        return AfterPowerCut::Unknown;
    if (memoryDisk(name))
        return AfterPowerCut::Lost;
    if (name.startsWith("loop")) {
        QByteArray file = m_read(block + "/loop/backing_file");
        if (file.endsWith('\n'))
            file.chop(1);
        // A file removed since is no longer found by its name.
        if (file.endsWith(" (deleted)"))
            return AfterPowerCut::Unknown;
        return ofPath(mounts, file, mount);
    }
    // Built on other devices (device mapper, RAID): as all of them.
    bool kept = true;
    bool lost = true;
    for (const QByteArray &below : m_names(block + "/slaves")) {
        const AfterPowerCut life = ofBlock(mounts, "/sys/class/block/" + below, mount);
        kept = kept && life == AfterPowerCut::Kept;
        lost = lost && life == AfterPowerCut::Lost;
    }
    return kept ? AfterPowerCut::Kept : lost ? AfterPowerCut::Lost : AfterPowerCut::Unknown;
}

// The file system a path lies on, for the mount `dependent` that uses it.
// Each step goes to a mount listed before the one that uses it, so the walk ends.
AfterPowerCut DiskLife::ofPath(const Mounts &mounts, const QByteArray &path, qsizetype dependent) const
{
    const qsizetype below = holder(mounts, path);
    // A mount over the path (the one that uses it, or a later one) hides
    // what was there when it was taken into use.
    if (below < 0 || (dependent >= 0 && below >= dependent))
        return AfterPowerCut::Unknown;
    return ofMount(mounts, below);
}

DiskLife::Mounts DiskLife::parse(const QByteArray &mountinfo)
{
    // ID, parent, major:minor, root, mount point, options, tags, "-", type, source, its own options.
    Mounts mounts;
    for (const QByteArray &line : mountinfo.split('\n')) {
        const QByteArrayList fields = line.split(' ');
        const qsizetype dash = fields.indexOf("-");
        if (dash < 6)
            continue;
        mounts.append({fields[0], fields[1], octalUnescaped(fields[4]), fields.value(dash + 1), fields[2],
                       fields.value(dash + 3)});
    }
    return mounts;
}

// The mount a path is seen on now: from the root mount down through the
// mounts over it, the last one made where several stand at one place.
qsizetype DiskLife::holder(const Mounts &mounts, const QByteArray &path)
{
    if (!path.startsWith('/'))
        return -1;
    qsizetype found = -1;
    for (qsizetype at = 0; at < mounts.size(); ++at) {
        const bool root = mounts[at].parent == mounts[at].id ||
                          std::none_of(mounts.begin(), mounts.end(),
                                       [&](const Mount &other) { return other.id == mounts[at].parent; });
        if (root && mounts[at].point == "/")
            found = at;
    }
    for (qsizetype next = found; next >= 0;) {
        found = next;
        next = -1;
        for (qsizetype at = 0; at < mounts.size(); ++at) {
            if (at != found && mounts[at].parent == mounts[found].id && covers(mounts[at].point, path))
                next = at;
        }
    }
    return found;
}
