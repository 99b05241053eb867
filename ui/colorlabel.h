#pragma once

#include <QLabel>

// A colour swatch that acts as a button. The stylesheet addresses this class by its name.
class ColorLabel : public QLabel
{
    Q_OBJECT

public:
    explicit ColorLabel(QWidget *parent = nullptr);
    ~ColorLabel() override;

    void setColor(const QColor &color);

signals:
    void signalClicked();

protected:
    void mouseReleaseEvent(QMouseEvent *event) override;
};
