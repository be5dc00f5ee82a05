#pragma once
// An off-screen drawing surface with the semantics the plot code is written
// against: integer pixels, 1-pixel solid pens, lines that leave their end
// pixel undrawn, transparent text, colours as 0x00BBGGRR.

#include <string_view>

#include <QFont>
#include <QImage>

#include "platform/color.h"

namespace detkit {

// Left/top inclusive, right/bottom exclusive, as the forms' rectangles are.
struct Rect {
    int left = 0;
    int top = 0;
    int right = 0;
    int bottom = 0;
};

class Canvas {
public:
    Canvas(int width, int height, Color fill = clBlack);

    int width() const { return image_.width(); }
    int height() const { return image_.height(); }

    void setPenColor(Color c);
    void setBrushColor(Color c);
    void setFontColor(Color c);
    Color penColor() const { return pen_; }
    Color brushColor() const { return brush_; }
    Color fontColor() const { return fontColor_; }
    void setFont(const QFont& font) { font_ = font; }
    const QFont& font() const { return font_; }

    void MoveTo(int x, int y);
    // Draws from the pen position to (x, y) without the pixel at (x, y), then moves there.
    void LineTo(int x, int y);
    int penX() const { return penX_; }
    int penY() const { return penY_; }

    // Text with its top-left corner at (x, y); the background between strokes is left unchanged.
    void TextOut(int x, int y, std::string_view text);
    int TextWidth(std::string_view text) const;
    int TextHeight(std::string_view text) const;

    Color Pixels(int x, int y) const;  // clBlack outside the surface
    void SetPixels(int x, int y, Color c);

    void FillRect(const Rect& r);   // brush colour
    void Rectangle(const Rect& r);  // pen outline, brush inside
    void Fill(Color c);             // the whole surface
    void CopyRect(const Rect& dest, const Canvas& src, const Rect& srcRect);  // same size only
    void Draw(int x, int y, const Canvas& src);

    const QImage& image() const { return image_; }

private:
    void hline(int x0, int x1, int y, QRgb c);
    void vline(int x, int y0, int y1, QRgb c);

    QImage image_;
    Color pen_ = clBlack;
    Color brush_ = clWhite;
    Color fontColor_ = clBlack;
    QRgb penRgb_;
    QFont font_;
    int penX_ = 0;
    int penY_ = 0;
};

}  // namespace detkit
