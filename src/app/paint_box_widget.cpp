#include "app/paint_box_widget.h"

#include <QMouseEvent>
#include <QPainter>

namespace detkit {

void PaintBoxWidget::paintEvent(QPaintEvent*)
{
    if (!composed_ && paintHandler_)
        paintHandler_();
    composed_ = false;
    QPainter p(this);
    p.drawImage(0, 0, surface_.image());
}

void PaintBoxWidget::mousePressEvent(QMouseEvent* event)
{
    const QPoint pos = event->position().toPoint();
    emit mouseDown(static_cast<int>(event->button()), pos.x(), pos.y());
}

}  // namespace detkit
