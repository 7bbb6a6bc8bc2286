#pragma once

#include <QFile>

#include <cstddef>

#include <malloc.h>

#if defined(__SANITIZE_ADDRESS__) || defined(__SANITIZE_THREAD__)
#define QUILLMARK_SANITIZED_HEAP 1
#elif defined(__has_feature)
#if __has_feature(address_sanitizer)
#define QUILLMARK_SANITIZED_HEAP 1
#endif
#endif

#ifdef QUILLMARK_SANITIZED_HEAP
// From the sanitizers' runtime; GCC ships no header declaring it.
extern "C" std::size_t __sanitizer_get_current_allocated_bytes();
#endif

// What this process holds in memory, read from the allocator and the system;
// the soak test and the benchmarks share them.

// Bytes the program holds on the heap right now: what it allocated and has
// not freed, without what the allocator keeps around for reuse (or, under
// AddressSanitizer, in quarantine).
inline qint64 heapInUse()
{
#ifdef QUILLMARK_SANITIZED_HEAP
    return qint64(__sanitizer_get_current_allocated_bytes());
#else
    const struct mallinfo2 info = mallinfo2();
    return qint64(info.uordblks + info.hblkhd);
#endif
}

// The most memory the process has had resident so far, in bytes.
inline qint64 peakResidentBytes()
{
    QFile status(QStringLiteral("/proc/self/status"));
    if (!status.open(QIODevice::ReadOnly))
        return -1;
    for (const QByteArray &line : status.readAll().split('\n')) {
        if (line.startsWith("VmHWM:"))
            return line.mid(6).trimmed().split(' ').value(0).toLongLong() * 1024;
    }
    return -1;
}
