// Any font file, registered as the renderer's --font-file and the window's "Add Font File…" register it:
// refused with its reason, or registered with a family that draws, then taken out again, without a crash
// or an unbounded allocation. The seeds are fonts of a few squares made with fontTools' FontBuilder: a
// font, a collection of two, and the font cut short inside its last table.
#include "fontfiles.h"
#include "fuzzapplication.h"

#include <QFile>
#include <QImage>
#include <QPainter>
#include <QTemporaryDir>
#include <cstdlib>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    ensureApplication();
    static QTemporaryDir directory;
    static int files = 0;
    // A file of its own each time: the font system may still hold an engine on the last one's file.
    const QString path = directory.filePath(QStringLiteral("font-%1.ttf").arg(++files));
    {
        QFile file(path);
        if (!file.open(QIODevice::WriteOnly)
            || file.write(reinterpret_cast<const char *>(data), qint64(size)) != qint64(size))
            return 0;
    }
    const FontFiles::FontFile font = FontFiles::registerFontFile(path);
    const bool registered = font.problem == FontFiles::Problem::None;
    if (registered != (font.id >= 0 && !font.families.isEmpty())
        || (!registered && FontFiles::problemText(font).isEmpty()))
        std::abort();
    if (registered) {
        QImage image(64, 64, QImage::Format_ARGB32_Premultiplied);
        image.fill(Qt::white);
        QPainter painter(&image);
        QFont face(font.families.constFirst());
        face.setPixelSize(48);
        painter.setFont(face);
        painter.drawText(image.rect(), Qt::AlignCenter, QStringLiteral("永A"));
    }
    FontFiles::unregisterFontFile(font);
    QFile::remove(path);
    return 0;
}
