#include "appinfo.h"
#include "fontfiles.h"
#include "fonts.h"
#include "renderer.h"
#include "startup.h"

#include <QFile>
#include <QGuiApplication>
#include <QTranslator>
#include <cstdio>

#ifdef Q_OS_WIN
#include <fcntl.h>
#include <io.h>
#else
#include <unistd.h>
#endif

namespace {

bool standardErrorIsTerminal()
{
#ifdef Q_OS_WIN
    return _isatty(_fileno(stderr)) != 0;
#else
    return isatty(STDERR_FILENO) != 0;
#endif
}

} // namespace

int main(int argc, char *argv[])
{
    preferOffscreenPlatform();
    QGuiApplication app(argc, argv);
    AppInfo::applyIdentity();
    // Before the substitution, which may map "楷体" to a Kai shipped beside the program.
    FontFiles::registerBundledFonts();
    installKaiFontSubstitution();
    // Texts drawn on the pages come out in Chinese, as in the program's window.
    QTranslator translator;
    installBuiltInTranslation(&translator);

    QFile input;
    QFile output;
    QFile errors;
#ifdef Q_OS_WIN
    // Qt 5 on Windows takes the end of a pipe read through a FILE * for a failed read, so the text comes
    // through the descriptor, where a pipe's end reads as the end; and in binary mode, as text mode would
    // turn CR LF into LF and stop at the first Ctrl+Z.
    _setmode(_fileno(stdin), _O_BINARY);
    input.open(_fileno(stdin), QIODevice::ReadOnly);
#else
    input.open(stdin, QIODevice::ReadOnly);
#endif
    output.open(stdout, QIODevice::WriteOnly | QIODevice::Unbuffered);
    errors.open(stderr, QIODevice::WriteOnly | QIODevice::Unbuffered);
    return runRenderer(QCoreApplication::arguments(), {&input, &output, &errors, standardErrorIsTerminal()});
}
