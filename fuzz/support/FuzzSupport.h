// What the fuzz targets share: the Qt application they run in, a scratch folder, the input as bytes or text, and
// the check that turns a broken promise of a reader into a finding.
#pragma once

#include <QByteArray>
#include <QString>
#include <QTemporaryDir>

#include <cstdint>
#include <cstdio>
#include <cstdlib>

// A finding: libFuzzer keeps the input that got here and the run fails.
[[noreturn]] inline void fuzzFinding(const char* broken, const QString& detail)
{
    std::fprintf(stderr, "finding: %s\n%s\n", broken, qPrintable(detail));
    std::fflush(stderr);
    std::abort();
}

#define FUZZ_CHECK(condition, detail)                                                                                  \
    do {                                                                                                               \
        if (!(condition))                                                                                              \
            fuzzFinding(#condition, detail);                                                                           \
    } while (false)

inline QByteArray inputBytes(const uint8_t* data, size_t size)
{
    return QByteArray(reinterpret_cast<const char*>(data), qsizetype(size));
}

inline QString inputText(const uint8_t* data, size_t size)
{
    return QString::fromUtf8(reinterpret_cast<const char*>(data), qsizetype(size));
}

// The Qt application of the process, made once; Qt is given the program's name only, never libFuzzer's options.
template <typename Application>
void startApplication(const char* program)
{
    static int argc = 1;
    static char* argv[] = {const_cast<char*>(program), nullptr};
    static Application application(argc, argv);
}

// A folder of the process's own for the files a target writes; removed when the process ends normally.
inline const QString& scratchFolder()
{
    static QTemporaryDir folder;
    static const QString path = folder.path() + u'/';
    return path;
}
