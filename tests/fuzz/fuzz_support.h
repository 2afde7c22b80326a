#pragma once

#include <QByteArray>
#include <QDir>
#include <QString>

#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <unistd.h>

// Small helpers shared by the fuzz targets.
namespace Fuzz {

inline QByteArray bytesOf(const uint8_t *data, size_t size)
{
    return QByteArray(reinterpret_cast<const char *>(data), qsizetype(size));
}

// A broken invariant is a finding like a crash: libFuzzer keeps the input.
[[noreturn]] inline void fail(const char *what)
{
    std::fprintf(stderr, "invariant broken: %s\n", what);
    std::abort();
}

inline void check(bool condition, const char *what)
{
    if (!condition)
        fail(what);
}

// One scratch folder per process, in memory when the machine offers it.
inline const QString &scratchFolder()
{
    static const QString folder = [] {
        if (const QString given = qEnvironmentVariable("VANTORIA_FUZZ_SCRATCH"); !given.isEmpty()) {
            QDir().mkpath(given);
            return given + QLatin1Char('/');
        }
        const QString base = QDir(QStringLiteral("/dev/shm")).exists() ? QStringLiteral("/dev/shm")
                                                                       : QDir::tempPath();
        const QString path = base + QStringLiteral("/vantoria-fuzz-%1/").arg(qint64(::getpid()));
        QDir().mkpath(path);
        return path;
    }();
    return folder;
}

} // namespace Fuzz
