#include "appinfo.h"
#include "fontfiles.h"
#include "fonts.h"
#include "mainwindow.h"
#include "startup.h"

#include <QApplication>
#include <QTranslator>
#include <cstdio>

namespace {

// Without a display Qt would abort with a plugin error that tells a user nothing.
bool displayAvailable()
{
#if defined(Q_OS_LINUX)
    return qEnvironmentVariableIsSet("QT_QPA_PLATFORM") || qEnvironmentVariableIsSet("DISPLAY")
        || qEnvironmentVariableIsSet("WAYLAND_DISPLAY");
#else
    return true;
#endif
}

} // namespace

int main(int argc, char *argv[])
{
    if (!displayAvailable()) {
        std::fputs("Lattiscribe: no display found (DISPLAY is not set); to make copybooks without one, use "
                   "lattiscribe-render.\n",
            stderr);
        return 1;
    }
    enableHighDpiScaling();
    QApplication app(argc, argv);
    AppInfo::applyIdentity();
    // Before the substitution, which may map "楷体" to a Kai shipped beside the program, and before the
    // window lists the families.
    FontFiles::registerBundledFonts();
    FontFiles::registerAddedFonts();
    installKaiFontSubstitution();
    installInterfaceFontSubstitution();

    QTranslator translator;
    installBuiltInTranslation(&translator);
    QTranslator qtTranslator;
    installQtTranslation(&qtTranslator);

    MainWindow window;
    // On the window, not the application: dialogs without the window as ancestor keep the platform look.
    window.setStyleSheet(builtInStyleSheet());
    window.show();
    return app.exec();
}
