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

    // Runs before a paint the window system asks for: the full redraw.
    void setPaintHandler(std::function<void()> handler) { paintHandler_ = std::move(handler); }
    // The surface was just composed by a handler: the next paint only shows it.
    // (A tick of the scan mode draws its own picture, which a redraw would wipe.)
    void showComposed()
    {
        composed_ = true;
        update();
    }

signals:
    void mouseDown(int button, int x, int y);

protected:
    void paintEvent(QPaintEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;

private:
    const Canvas& surface_;
    std::function<void()> paintHandler_;
    bool composed_ = false;
};

}  // namespace detkit
