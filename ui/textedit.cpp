#include "textedit.h"

TextEdit::TextEdit(QWidget *parent) : QTextEdit(parent) { }

TextEdit::~TextEdit() = default;

void TextEdit::focusOutEvent(QFocusEvent *event)
{
    QTextEdit::focusOutEvent(event);
    emit signalFocusOut();
}
