#pragma once

#include <QByteArray>
#include <QByteArrayList>

#include <functional>
#include <sys/types.h>

// What a power cut does to what was synced on a file system.
enum class AfterPowerCut
{
    Kept,
    Lost,
    Unknown
};

// Tells what a power cut does to a file system from what the kernel shows of
// it as text: the mounts in /proc/self/mountinfo and the block devices in
// /sys. tmpfs, ramfs and memory disks (zram, brd's ram) lose it; FUSE's
// files lie wherever its program puts them, so nobody knows; an overlay
// lasts as the file system that takes its new files; a loop device as the
// one its file lies on; a device built on others (device mapper, RAID) as
// all of them; any other disk keeps it. Where a step cannot be followed (no
// /sys, a folder or file since hidden by a mount over it, a deleted file) it
// is not known.
class DiskLife
{
public:
    // A file's text, empty where there is none; a folder's names.
    using Read = std::function<QByteArray(const QByteArray &path)>;
    using Names = std::function<QByteArrayList(const QByteArray &folder)>;

    DiskLife(Read read, Names names) : m_read(std::move(read)), m_names(std::move(names)) {}
    // Reading the system's own.
    static DiskLife ofSystem();

    // A file system by its type (statfs()'s f_type) and device (st_dev).
    AfterPowerCut of(long type, dev_t device) const;

private:
    struct Mount
    {
        QByteArray id;
        QByteArray parent;
        QByteArray point;
        QByteArray type;
        QByteArray device; // major:minor
        QByteArray options;
    };
    using Mounts = QList<Mount>;

    // `mount`: an index in `mounts`, in the order they were made.
    AfterPowerCut ofMount(const Mounts &mounts, qsizetype mount) const;
    AfterPowerCut ofOverlay(const Mounts &mounts, qsizetype mount) const;
    AfterPowerCut ofBlock(const Mounts &mounts, QByteArray block, qsizetype mount) const;
    AfterPowerCut ofPath(const Mounts &mounts, const QByteArray &path, qsizetype dependent) const;
    static Mounts parse(const QByteArray &mountinfo);
    static qsizetype holder(const Mounts &mounts, const QByteArray &path);

    Read m_read;
    Names m_names;
};
