#pragma once

#include <QTextEdit>

// The content editor. The text reaches the page engine when the editor loses the focus, not on every
// keystroke: laying out and rendering a page per key would make typing stutter.
class TextEdit : public QTextEdit
{
    Q_OBJECT

public:
    explicit TextEdit(QWidget *parent = nullptr);
    ~TextEdit() override;

signals:
    void signalFocusOut();

protected:
    void focusOutEvent(QFocusEvent *event) override;
    // A file dropped here is left to the window, which opens it, rather than its name written in.
    bool canInsertFromMimeData(const QMimeData *source) const override;
};
