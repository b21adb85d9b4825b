// The floor under any reading of a data folder, shared by the benchmarks that load one.
#pragma once

#include "FileSystem.h"

#include <QElapsedTimer>
#include <QFile>
#include <QString>
#include <QStringList>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>
#include <vector>

// What any program must do to see the data: list the folder, then open, read and close every file. Listed
// once, or once per kind of file as LoadAll lists it.
inline qint64 plainLoop(const QString& folder, bool listPerKind, qint64& bytes)
{
    QElapsedTimer timer;
    timer.start();
    QStringList names;
    if (listPerKind) {
        for (const char* mask : {"person_*.kvfile", "fact_*.kvfile", "picture_*.kvfile"})
            names += FileSystem::listFiles(folder, QLatin1String(mask));
    } else {
        names = FileSystem::listFiles(folder, QStringLiteral("*.kvfile"));
    }
    bytes = 0;
    std::vector<char> buffer;
    for (const QString& name : std::as_const(names)) {
        const int fd = ::open(QFile::encodeName(folder + u'/' + name).constData(), O_RDONLY | O_CLOEXEC);
        if (fd < 0)
            continue;
        struct stat info
        {};
        ::fstat(fd, &info);
        buffer.resize(size_t(info.st_size) + 1);
        bytes += ::read(fd, buffer.data(), size_t(info.st_size));
        ::close(fd);
    }
    return timer.elapsed();
}
