#include "platform/canvas.h"

#include <algorithm>
#include <cstdlib>

#include <QFontMetrics>
#include <QPainter>

namespace detkit {

namespace {

QFont defaultSurfaceFont()
{
    // Crisp, unsmoothed glyphs: transparent text must leave the pixels between
    // strokes exactly as they were, as on the analyser's own display.
    QFont f;
    f.setPixelSize(11);
    f.setStyleStrategy(QFont::NoAntialias);
    return f;
}

QString toQString(std::string_view text)
{
    return QString::fromLatin1(text.data(), static_cast<qsizetype>(text.size()));
}

}  // namespace

Canvas::Canvas(int width, int height, Color fill)
    : image_(width, height, QImage::Format_RGB32), penRgb_(toQRgb(clBlack)), font_(defaultSurfaceFont())
{
    image_.fill(toQRgb(fill));
}

void Canvas::setPenColor(Color c)
{
    pen_ = c;
    penRgb_ = toQRgb(c);
}

void Canvas::setBrushColor(Color c) { brush_ = c; }

void Canvas::setFontColor(Color c) { fontColor_ = c; }

void Canvas::MoveTo(int x, int y)
{
    penX_ = x;
    penY_ = y;
}

void Canvas::hline(int x0, int x1, int y, QRgb c)
{
    // Pixels x0..x1 inclusive, clipped.
    if (y < 0 || y >= height())
        return;
    x0 = std::max(x0, 0);
    x1 = std::min(x1, width() - 1);
    if (x0 > x1)
        return;
    auto* row = reinterpret_cast<QRgb*>(image_.scanLine(y));
    std::fill(row + x0, row + x1 + 1, c);
}

void Canvas::vline(int x, int y0, int y1, QRgb c)
{
    if (x < 0 || x >= width())
        return;
    y0 = std::max(y0, 0);
    y1 = std::min(y1, height() - 1);
    if (y0 > y1)
        return;
    const qsizetype stride = image_.bytesPerLine() / static_cast<qsizetype>(sizeof(QRgb));
    QRgb* p = reinterpret_cast<QRgb*>(image_.bits()) + static_cast<qsizetype>(y0) * stride + x;
    for (int y = y0; y <= y1; ++y, p += stride)
        *p = c;
}

void Canvas::LineTo(int x, int y)
{
    const int x0 = penX_;
    const int y0 = penY_;
    penX_ = x;
    penY_ = y;
    if (x0 == x && y0 == y)
        return;
    if (y0 == y) {
        if (x > x0)
            hline(x0, x - 1, y, penRgb_);
        else
            hline(x + 1, x0, y, penRgb_);
        return;
    }
    if (x0 == x) {
        if (y > y0)
            vline(x, y0, y - 1, penRgb_);
        else
            vline(x, y + 1, y0, penRgb_);
        return;
    }
    // Bresenham, stopping one pixel before the end point.
    const int dx = std::abs(x - x0);
    const int dy = -std::abs(y - y0);
    const int sx = x0 < x ? 1 : -1;
    const int sy = y0 < y ? 1 : -1;
    int err = dx + dy;
    int cx = x0;
    int cy = y0;
    const int w = width();
    const int h = height();
    while (cx != x || cy != y) {
        if (cx >= 0 && cx < w && cy >= 0 && cy < h)
            reinterpret_cast<QRgb*>(image_.scanLine(cy))[cx] = penRgb_;
        const int e2 = 2 * err;
        if (e2 >= dy) {
            err += dy;
            cx += sx;
        }
        if (e2 <= dx) {
            err += dx;
            cy += sy;
        }
    }
}

void Canvas::TextOut(int x, int y, std::string_view text)
{
    if (text.empty())
        return;
    QPainter p(&image_);
    p.setFont(font_);
    p.setPen(QColor(toQRgb(fontColor_)));
    p.drawText(x, y + QFontMetrics(font_).ascent(), toQString(text));
}

int Canvas::TextWidth(std::string_view text) const
{
    return QFontMetrics(font_).horizontalAdvance(toQString(text));
}

int Canvas::TextHeight(std::string_view) const { return QFontMetrics(font_).height(); }

Color Canvas::Pixels(int x, int y) const
{
    if (x < 0 || y < 0 || x >= width() || y >= height())
        return clBlack;
    return fromQRgb(reinterpret_cast<const QRgb*>(image_.constScanLine(y))[x]);
}

void Canvas::SetPixels(int x, int y, Color c)
{
    if (x < 0 || y < 0 || x >= width() || y >= height())
        return;
    reinterpret_cast<QRgb*>(image_.scanLine(y))[x] = toQRgb(c);
}

void Canvas::FillRect(const Rect& r)
{
    const QRgb c = toQRgb(brush_);
    for (int y = r.top; y < r.bottom; ++y)
        hline(r.left, r.right - 1, y, c);
}

void Canvas::Rectangle(const Rect& r)
{
    if (r.right - r.left < 1 || r.bottom - r.top < 1)
        return;
    FillRect(Rect{r.left + 1, r.top + 1, r.right - 1, r.bottom - 1});
    hline(r.left, r.right - 1, r.top, penRgb_);
    hline(r.left, r.right - 1, r.bottom - 1, penRgb_);
    vline(r.left, r.top, r.bottom - 1, penRgb_);
    vline(r.right - 1, r.top, r.bottom - 1, penRgb_);
}

void Canvas::Fill(Color c) { image_.fill(toQRgb(c)); }

void Canvas::CopyRect(const Rect& dest, const Canvas& src, const Rect& srcRect)
{
    // Only the unscaled copy is used: clip both rectangles to their surfaces.
    int w = std::min(dest.right - dest.left, srcRect.right - srcRect.left);
    int h = std::min(dest.bottom - dest.top, srcRect.bottom - srcRect.top);
    int dx = dest.left, dy = dest.top, sx = srcRect.left, sy = srcRect.top;
    if (dx < 0) { w += dx; sx -= dx; dx = 0; }
    if (dy < 0) { h += dy; sy -= dy; dy = 0; }
    if (sx < 0) { w += sx; dx -= sx; sx = 0; }
    if (sy < 0) { h += sy; dy -= sy; sy = 0; }
    w = std::min({w, width() - dx, src.width() - sx});
    h = std::min({h, height() - dy, src.height() - sy});
    if (w <= 0 || h <= 0)
        return;
    for (int row = 0; row < h; ++row) {
        const auto* from = reinterpret_cast<const QRgb*>(src.image_.constScanLine(sy + row)) + sx;
        auto* to = reinterpret_cast<QRgb*>(image_.scanLine(dy + row)) + dx;
        std::copy(from, from + w, to);
    }
}

void Canvas::Draw(int x, int y, const Canvas& src)
{
    CopyRect(Rect{x, y, x + src.width(), y + src.height()}, src, Rect{0, 0, src.width(), src.height()});
}

}  // namespace detkit
