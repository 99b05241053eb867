#pragma once

#include <QString>

// The program names two Windows fonts: "楷体" (KaiTi) for the glyphs and "微软雅黑" (Microsoft YaHei) for
// the interface. Where a name is not installed, fontconfig would take a Latin font for the metrics and any
// CJK font for the glyphs, which then look wrong (and glyphs sit off the centre of their squares). These
// map each name to an installed family of the same kind, only where the name itself is missing. They
// need the application object; call them once at start.
void installKaiFontSubstitution();
void installInterfaceFontSubstitution();

// The installed Chinese interface family that stands in for "微软雅黑", or an empty string where that
// family is installed itself or no stand-in is.
QString interfaceFontStandIn();
