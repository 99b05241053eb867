#include "textedit.h"

#include <QMimeData>
#include <algorithm>

TextEdit::TextEdit(QWidget *parent) : QTextEdit(parent) { }

TextEdit::~TextEdit() = default;

void TextEdit::focusOutEvent(QFocusEvent *event)
{
    QTextEdit::focusOutEvent(event);
    emit signalFocusOut();
}

bool TextEdit::canInsertFromMimeData(const QMimeData *source) const
{
    const QList<QUrl> urls = source->urls();
    const bool files = std::any_of(urls.begin(), urls.end(), [](const QUrl &url) { return url.isLocalFile(); });
    return !files && QTextEdit::canInsertFromMimeData(source);
}
