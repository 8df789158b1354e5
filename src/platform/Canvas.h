#pragma once

#include <cstdint>
#include <string>

// The surface every view draws on. Coordinates are integer pixels with the
// origin at the top left; TextOut places the top-left corner of the text cell.
// The desktop paints a QImage through it, tests record the calls.

namespace zephirax {

// 0xRRGGBB.
using Color = uint32_t;

namespace Colors {
inline constexpr Color Black = 0x000000;
inline constexpr Color White = 0xFFFFFF;
inline constexpr Color Silver = 0xC0C0C0;
inline constexpr Color Gray = 0x808080;
inline constexpr Color Red = 0xFF0000;
inline constexpr Color Green = 0x008000;
inline constexpr Color Blue = 0x0000FF;
inline constexpr Color Purple = 0x800080;
inline constexpr Color Olive = 0x808000;
inline constexpr Color Maroon = 0x800000;
inline constexpr Color Navy = 0x000080;
inline constexpr Color Teal = 0x008080;
inline constexpr Color Aqua = 0x00FFFF;
inline constexpr Color Lime = 0x00FF00;
inline constexpr Color Fuchsia = 0xFF00FF;
inline constexpr Color Yellow = 0xFFFF00;
}  // namespace Colors

enum class PenStyle { Solid, Dot };

class Canvas {
 public:
  virtual ~Canvas() = default;

  // Resizes the picture; its content is undefined until drawn over.
  virtual void SetSize(int width, int height) = 0;
  virtual int Width() const = 0;
  virtual int Height() const = 0;

  virtual void SetPen(Color color, int width = 1, PenStyle style = PenStyle::Solid) = 0;
  virtual void SetBrush(Color color) = 0;
  // `height` is the height in pixels of the text cell, ascent plus descent:
  // the height TextHeight measures and rows of text are spaced by.
  virtual void SetFont(const std::string& name, int height, bool bold) = 0;
  virtual void SetFontColor(Color color) = 0;

  virtual void MoveTo(int x, int y) = 0;
  // A line from the pen position to (x, y); the pen position moves there.
  virtual void LineTo(int x, int y) = 0;
  // Outline with the pen, inside filled with the brush; the right and bottom
  // coordinates lie just outside the rectangle.
  virtual void Rectangle(int x1, int y1, int x2, int y2) = 0;
  // Filled with the brush, no outline; right and bottom excluded.
  virtual void FillRect(int x1, int y1, int x2, int y2) = 0;
  // UTF-8 text in the font colour, on a transparent background.
  virtual void TextOut(int x, int y, const std::string& text) = 0;

  virtual int TextWidth(const std::string& text) = 0;
  virtual int TextHeight(const std::string& text) = 0;
};

}  // namespace zephirax
