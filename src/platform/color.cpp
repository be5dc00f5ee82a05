#include "platform/color.h"

#include <QGuiApplication>
#include <QPalette>

namespace detkit {

Color resolveColor(Color c)
{
    if ((c & 0xFF000000u) != 0xFF000000u)
        return c & 0x00FFFFFFu;
    if (c == clBtnFace && qobject_cast<QGuiApplication*>(QCoreApplication::instance()) != nullptr)
        return fromQRgb(QGuiApplication::palette().color(QPalette::Button).rgb());
    return 0xF0F0F0;
}

QRgb toQRgb(Color c)
{
    const Color v = resolveColor(c);
    return qRgb(static_cast<int>(v & 0xFF), static_cast<int>((v >> 8) & 0xFF), static_cast<int>((v >> 16) & 0xFF));
}

Color fromQRgb(QRgb rgb)
{
    return static_cast<Color>(qRed(rgb)) | (static_cast<Color>(qGreen(rgb)) << 8) | (static_cast<Color>(qBlue(rgb)) << 16);
}

}  // namespace detkit
