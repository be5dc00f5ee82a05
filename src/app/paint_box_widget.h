#pragma once
// PaintBox1: shows the composed paint-box surface; nothing is drawn here.

#include <functional>

#include <QWidget>

#include "platform/canvas.h"

namespace detkit {

class PaintBoxWidget : public QWidget {
    Q_OBJECT
public:
    PaintBoxWidget(const Canvas& surface, QWidget* parent) : QWidget(parent), surface_(surface)
    {
        setAttribute(Qt::WA_OpaquePaintEvent);
    }

    // Runs before each paint: the full redraw of the plot into the surface.
    void setPaintHandler(std::function<void()> handler) { paintHandler_ = std::move(handler); }

signals:
    void mouseDown(int button, int x, int y);

protected:
    void paintEvent(QPaintEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;

private:
    const Canvas& surface_;
    std::function<void()> paintHandler_;
};

}  // namespace detkit
