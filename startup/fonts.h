#pragma once

// The default glyph family "楷体" (KaiTi) is a Windows font name. Where no installed family answers to
// it, fontconfig would take a Latin font for the metrics and any CJK font for the glyphs, which then look
// wrong and sit off the centre of their squares. This maps both names to an installed Kai family, only
// where the name itself is not installed. Needs the application object; call it once at start.
void installKaiFontSubstitution();
