#pragma once

class QTranslator;
class QWidget;

// Loads the built-in Simplified Chinese catalogue and installs it whatever the system's language; the
// translator must live as long as the application uses it. False when the catalogue could not be
// loaded: the translator is installed all the same and the texts stay in English.
bool installBuiltInTranslation(QTranslator *translator);

// Styles the main window with the built-in stylesheet; unreadable, the window keeps the platform's look.
// On the window, not the application: dialogs without the window as ancestor keep the platform look.
void applyBuiltInStyle(QWidget *window);

// Where no platform was chosen, the offscreen one: for the tools that need fonts but no screen, which
// would otherwise refuse to start on a machine without a display. Call before the application exists.
void preferOffscreenPlatform();
