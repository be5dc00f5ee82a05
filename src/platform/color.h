#pragma once
// Colours as the forms write them: 0x00BBGGRR, red in the low byte, or a
// system colour (high byte 0xFF) that is resolved from the application palette.

#include <cstdint>

#include <QRgb>

namespace detkit {

using Color = std::uint32_t;

inline constexpr Color clBlack = 0x000000;
inline constexpr Color clMaroon = 0x000080;
inline constexpr Color clGreen = 0x008000;
inline constexpr Color clOlive = 0x008080;
inline constexpr Color clNavy = 0x800000;
inline constexpr Color clPurple = 0x800080;
inline constexpr Color clTeal = 0x808000;
inline constexpr Color clGray = 0x808080;
inline constexpr Color clSilver = 0xC0C0C0;
inline constexpr Color clRed = 0x0000FF;
inline constexpr Color clLime = 0x00FF00;
inline constexpr Color clYellow = 0x00FFFF;
inline constexpr Color clBlue = 0xFF0000;
inline constexpr Color clFuchsia = 0xFF00FF;
inline constexpr Color clAqua = 0xFFFF00;
inline constexpr Color clWhite = 0xFFFFFF;

// System colour of button faces; its value comes from the palette at run time.
inline constexpr Color clBtnFace = 0xFF00000F;

// The concrete 0x00BBGGRR value of a colour, system colours looked up in the
// application palette (a fixed light grey when no application object exists).
Color resolveColor(Color c);

// The one place that knows both layouts.
QRgb toQRgb(Color c);
Color fromQRgb(QRgb rgb);

}  // namespace detkit
