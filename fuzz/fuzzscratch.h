#pragma once
// A private folder for one fuzz process, memory-backed when possible, and a
// way to put an input into a file in it.
#include <QByteArray>
#include <QDir>
#include <QFile>
#include <QString>

#include <unistd.h>

namespace velmoro::fuzz {

inline QString ScratchDir(const char* target)
{
    static const QString dir = [target] {
        const QString base =
            QFile::exists(QStringLiteral("/dev/shm")) ? QStringLiteral("/dev/shm") : QStringLiteral("/tmp");
        const QString path = QStringLiteral("%1/velmoro-%2-%3").arg(base, target).arg(::getpid());
        QDir().mkpath(path);
        return path;
    }();
    return dir;
}

inline bool WriteScratch(const QString& path, const QByteArray& bytes)
{
    QFile f(path);
    return f.open(QIODevice::WriteOnly | QIODevice::Truncate) && f.write(bytes) == bytes.size();
}

} // namespace velmoro::fuzz
