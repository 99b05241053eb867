#pragma once

// What the tests make and read: texts of many characters, whole files, a quick way to plant an old file,
// and a full disk.

#include <QByteArray>
#include <QFile>
#include <QString>
#include <QTest>
#ifndef Q_OS_WIN
#include <csignal>
#include <sys/resource.h>
#endif

// `count` different ideographs from U+4E00 on, `step` code points apart.
inline QString ideographs(int count, int step = 1)
{
    QString text;
    for (int i = 0; i < count; ++i)
        text += QChar(0x4E00 + i * step);
    return text;
}

inline QByteArray contentsOf(const QString &path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

inline bool writeFile(const QString &path, const QByteArray &bytes)
{
    QFile file(path);
    return file.open(QIODevice::WriteOnly) && file.write(bytes) == bytes.size();
}

// A font the machine has not installed, as a teacher's download is: the TTF of Debian's
// fonts-arphic-gkai00mp (the family "AR PL KaitiM GB", simplified characters only), which the test setup
// unpacks into the build tree. A test without it reports itself skipped, except in CI; under Wine, where
// the file's Linux path means nothing, always.
#ifdef Q_OS_WIN
#define REQUIRE_UNINSTALLED_FONT(path)                                                                                 \
    QSKIP("the test font is unpacked for the Linux build");                                                            \
    const QString path;
#else
#define REQUIRE_UNINSTALLED_FONT(path)                                                                                 \
    const QString path = QStringLiteral(LATTISCRIBE_TEST_FONT);                                                        \
    if (!QFile::exists(path)) {                                                                                        \
        if (qEnvironmentVariableIsSet("CI"))                                                                           \
            QFAIL("no test font at " LATTISCRIBE_TEST_FONT);                                                           \
        QSKIP("no test font at " LATTISCRIBE_TEST_FONT);                                                               \
    }
#endif

// A font of Latin letters alone, from fonts-dejavu-core.
inline QString latinFontFile()
{
    return QStringLiteral("/usr/share/fonts/truetype/dejavu/DejaVuSans.ttf");
}

#ifndef Q_OS_WIN
// Holds the process's file-size limit for its lifetime, as a full disk would; writes past it come back
// short or fail with EFBIG instead of killing the process.
struct FileSizeLimit
{
    explicit FileSizeLimit(rlim_t bytes)
    {
        std::signal(SIGXFSZ, SIG_IGN);
        getrlimit(RLIMIT_FSIZE, &saved);
        rlimit limited = saved;
        limited.rlim_cur = bytes;
        setrlimit(RLIMIT_FSIZE, &limited);
    }
    ~FileSizeLimit() { setrlimit(RLIMIT_FSIZE, &saved); }
    rlimit saved {};
};
#endif
