#pragma once

class QTranslator;
class QString;

// Loads the built-in Simplified Chinese catalogue and installs it whatever the system's language; the
// translator must live as long as the application uses it.
void installBuiltInTranslation(QTranslator *translator);

// The built-in stylesheet, or an empty string when it cannot be read (the window then keeps the
// platform's look).
QString builtInStyleSheet();
