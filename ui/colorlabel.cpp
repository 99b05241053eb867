#include "colorlabel.h"

ColorLabel::ColorLabel(QWidget *parent) : QLabel(parent)
{
    setAutoFillBackground(true);
}

ColorLabel::~ColorLabel() = default;

void ColorLabel::setColor(const QColor &color)
{
    QPalette swatch = palette();
    swatch.setBrush(QPalette::All, QPalette::Window, QBrush(color, Qt::SolidPattern));
    setPalette(swatch);
}

// Any button counts, and a release outside the swatch still belongs to it: Qt delivers the release to the
// widget that got the press.
void ColorLabel::mouseReleaseEvent(QMouseEvent *)
{
    emit signalClicked();
}
