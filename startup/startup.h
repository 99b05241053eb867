#pragma once

class QTranslator;
class QString;

// Loads the built-in Simplified Chinese catalogue and installs it whatever the system's language; the
// translator must live as long as the application uses it. False when the catalogue could not be
// loaded: the translator is installed all the same and the texts stay in English.
bool installBuiltInTranslation(QTranslator *translator);

// Loads Qt's own Simplified Chinese catalogue for its standard dialogs (file, colour, message boxes) from
// the Qt installation, beside the built-in one. False, and nothing installed, where it is missing.
bool installQtTranslation(QTranslator *translator);

// The built-in stylesheet, or an empty one where it cannot be read. Where the stylesheet's interface font
// is not installed, the installed Chinese stand-in is put right after it in the font list, so Latin text
// and digits do not fall to the monospace family listed next.
QString builtInStyleSheet();

// Scales the window to the screen's setting (150 % and 200 % are usual on laptops) instead of Qt 5's default
// of drawing at 100 %, with the fractional factors as they are rather than rounded; images are then drawn
// at the screen's own pixels. Call before the application exists.
void enableHighDpiScaling();

// Where no platform was chosen, the offscreen one: for the tools that need fonts but no screen, which
// would otherwise refuse to start on a machine without a display. Call before the application exists.
// Not on Windows, where the native platform needs no screen, and Qt 5's offscreen one knows only the
// fonts in Qt's own fonts folder (none), so that every glyph would be missing.
void preferOffscreenPlatform();
