#include "platform/QtCanvas.h"

#include <algorithm>
#include <cstdlib>
#include <utility>

#include <QString>

namespace zephirax {

namespace {

QColor ToQColor(Color color) {
  return QColor::fromRgb(static_cast<QRgb>(color | 0xFF000000u));
}

QString ToQString(const std::string& text) {
  return QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size()));
}

}  // namespace

QtCanvas::QtCanvas()
    : pen_(Qt::black), brush_(Qt::white), fontColor_(Qt::black), fontKey_("Arial", 14, false) {
  pen_.setCosmetic(true);
  font_ = &Resolve(fontKey_);
  SetSize(1, 1);
}

QtCanvas::~QtCanvas() = default;

void QtCanvas::Begin() {
  painter_ = std::make_unique<QPainter>(&image_);
  painter_->setRenderHint(QPainter::Antialiasing, false);
  painter_->setRenderHint(QPainter::TextAntialiasing, false);
  painter_->setPen(pen_);
  painterHasLinePen_ = true;
  painterHasTextPen_ = false;
  painter_->setFont(font_->Font);
}

void QtCanvas::SetSize(int width, int height) {
  // Whatever was drawn before is gone with the old picture.
  pendingLines_.clear();
  const QSize size(std::max(width, 1), std::max(height, 1));
  // Every redraw asks for the same size again: unless someone still holds the
  // old picture, whiting it over spares allocating and clearing a new one.
  if (painter_ && image_.size() == size && image_.isDetached()) {
    painter_->fillRect(image_.rect(), Qt::white);
    return;
  }
  painter_.reset();
  image_ = QImage(size, QImage::Format_RGB32);
  image_.fill(Qt::white);
  Begin();
}

void QtCanvas::SetPen(Color color, int width, PenStyle style) {
  const QColor newColor = ToQColor(color);
  const int newWidth = std::max(width, 1) == 1 ? 0 : width;
  const Qt::PenStyle newStyle = style == PenStyle::Dot ? Qt::DotLine : Qt::SolidLine;
  // The views set the pen again before most lines, mostly to the one it is.
  if (newColor == pen_.color() && newWidth == pen_.width() && newStyle == pen_.style()) return;
  DrawPendingLines();
  pen_.setColor(newColor);
  pen_.setWidth(newWidth);
  pen_.setStyle(newStyle);
  painterHasLinePen_ = false;
}

void QtCanvas::UseLinePen() {
  if (painterHasLinePen_) return;
  painter_->setPen(pen_);
  painterHasLinePen_ = true;
  painterHasTextPen_ = false;
}

namespace {

// The longest step, in pixels along either axis, set from a pattern.
constexpr int PatternReach = 64;
// Pixels kept clear of the picture's edge, where the painter would clip.
constexpr int EdgeMargin = 2;

// The pixels, relative to its start, that the painter sets for a thin solid
// line of the step (dx, dy). Its rasteriser works on whole-pixel steps the
// same way wherever the line lies, so it is asked once per shape.
const std::vector<QPoint>& LinePattern(const QPen& pen, int dx, int dy) {
  constexpr int Side = 2 * PatternReach + 1;
  static std::vector<std::vector<QPoint>> patterns(Side * Side);
  static std::vector<bool> known(Side * Side, false);
  const int key = (dx + PatternReach) * Side + (dy + PatternReach);
  if (known[key]) return patterns[key];
  const int centre = PatternReach + EdgeMargin;
  QImage scratch(2 * centre + 1, 2 * centre + 1, QImage::Format_RGB32);
  scratch.fill(Qt::white);
  QPen black = pen;
  black.setColor(Qt::black);
  QPainter painter(&scratch);
  painter.setRenderHint(QPainter::Antialiasing, false);
  painter.setPen(black);
  painter.drawLine(QPoint(centre, centre), QPoint(centre + dx, centre + dy));
  painter.end();
  // The line's own box and the margin around it hold every pixel it set.
  const QRect box = QRect(QPoint(centre, centre), QPoint(centre + dx, centre + dy))
                        .normalized()
                        .adjusted(-EdgeMargin, -EdgeMargin, EdgeMargin, EdgeMargin);
  const QRgb white = QColor(Qt::white).rgb();
  std::vector<QPoint> pattern;
  for (int y = box.top(); y <= box.bottom(); ++y) {
    const auto* row = reinterpret_cast<const QRgb*>(scratch.constScanLine(y));
    for (int x = box.left(); x <= box.right(); ++x) {
      if (row[x] != white) pattern.emplace_back(x - centre, y - centre);
    }
  }
  known[key] = true;
  return patterns[key] = std::move(pattern);
}

}  // namespace

// Qt spends about a thousand instructions on every thin line however short,
// and a curve is thousands of lines of a pixel or two: those well inside the
// picture are set straight into it from the painter's own pattern for their
// shape, the rest are left to the painter.
void QtCanvas::DrawPendingLines() {
  if (pendingLines_.empty()) return;
  // A picture shared with a copy would be written through to the copy.
  if (pen_.style() == Qt::SolidLine && pen_.color().alpha() == 255 && image_.isDetached() &&
      image_.format() == QImage::Format_RGB32) {
    const QRgb colour = pen_.color().rgb();
    uchar* const bits = image_.bits();
    const qsizetype rowBytes = image_.bytesPerLine();
    const QRect inside = image_.rect().adjusted(EdgeMargin, EdgeMargin, -EdgeMargin, -EdgeMargin);
    const auto drawnHere = [&](const QLine& line) {
      const int dx = line.dx();
      const int dy = line.dy();
      if (!inside.contains(line.p1()) || !inside.contains(line.p2())) return false;
      // Along a row or a column the painter sets every pixel from end to end.
      if (dy == 0) {
        auto* row = reinterpret_cast<QRgb*>(bits + line.y1() * rowBytes);
        std::fill(row + std::min(line.x1(), line.x2()), row + std::max(line.x1(), line.x2()) + 1,
                  colour);
        return true;
      }
      if (dx == 0) {
        for (int y = std::min(line.y1(), line.y2()); y <= std::max(line.y1(), line.y2()); ++y) {
          reinterpret_cast<QRgb*>(bits + y * rowBytes)[line.x1()] = colour;
        }
        return true;
      }
      if (std::abs(dx) > PatternReach || std::abs(dy) > PatternReach) return false;
      for (const QPoint& offset : LinePattern(pen_, dx, dy)) {
        reinterpret_cast<QRgb*>(bits + (line.y1() + offset.y()) *
                                           rowBytes)[line.x1() + offset.x()] = colour;
      }
      return true;
    };
    pendingLines_.erase(std::remove_if(pendingLines_.begin(), pendingLines_.end(), drawnHere),
                        pendingLines_.end());
  }
  if (!pendingLines_.empty()) {
    UseLinePen();
    painter_->drawLines(pendingLines_.data(), static_cast<int>(pendingLines_.size()));
  }
  pendingLines_.clear();
}

void QtCanvas::SetBrush(Color color) {
  brush_ = ToQColor(color);
}

// The height the views ask for is that of the text cell, ascent plus
// descent, which their rows of text are spaced by; a font's pixel size is its
// em, some 15 % smaller than its cell.
void QtCanvas::SetFont(const std::string& name, int height, bool bold) {
  height = std::max(height, 1);
  const auto& [currentName, currentHeight, currentBold] = fontKey_;
  if (height == currentHeight && bold == currentBold && name == currentName) return;
  fontKey_ = FontKey(name, height, bold);
  font_ = &Resolve(fontKey_);
  painter_->setFont(font_->Font);
}

// The largest pixel size whose cell is no taller than the height asked for.
const QtCanvas::CellFont& QtCanvas::Resolve(const FontKey& key) {
  const auto found = fonts_.find(key);
  if (found != fonts_.end()) return found->second;
  const auto& [name, height, bold] = key;
  QFont font;
  font.setFamily(ToQString(name));
  font.setBold(bold);
  const auto cellHeight = [&font](int pixelSize) {
    font.setPixelSize(pixelSize);
    return QFontMetrics(font).height();
  };
  // Start from the font's own ratio of em to cell, then step: ascent and
  // descent are rounded separately, so the ratio is off by a pixel at times.
  int size = std::max(1, height * height / std::max(cellHeight(height), 1));
  while (size > 1 && cellHeight(size) > height) --size;
  // Bounded for a font whose cell would not grow with its size.
  while (size < 4 * height && cellHeight(size + 1) <= height) ++size;
  font.setPixelSize(size);
  return fonts_.emplace(key, CellFont{font, QFontMetrics(font)}).first->second;
}

void QtCanvas::SetFontColor(Color color) {
  const QColor newColor = ToQColor(color);
  if (newColor == fontColor_) return;
  fontColor_ = newColor;
  painterHasTextPen_ = false;
}

void QtCanvas::MoveTo(int x, int y) {
  position_ = QPoint(x, y);
}

// A curve of a thousand samples across a few hundred pixels is mostly steps
// that stay on their pixel or run along one row or column. A thin solid line
// covers both its end pixels, so such a step adds no pixel beyond the line
// it continues: it is folded into that line instead of drawn on its own.
// Dotted lines are left alone, their pattern starts again with every line.
bool QtCanvas::FoldIntoLastLine(const QPoint& to) {
  if (pendingLines_.empty() || pen_.style() != Qt::SolidLine) return false;
  QLine& last = pendingLines_.back();
  if (last.p2() != position_) return false;
  if (to == position_) return true;
  const bool row = to.y() == position_.y() && last.y1() == last.y2() && last.y1() == to.y();
  const bool column = to.x() == position_.x() && last.x1() == last.x2() && last.x1() == to.x();
  if (!row && !column) return false;
  // Both cover the shared pixel, so together they are one unbroken run.
  const QPoint low(std::min({last.x1(), last.x2(), to.x()}),
                   std::min({last.y1(), last.y2(), to.y()}));
  const QPoint high(std::max({last.x1(), last.x2(), to.x()}),
                    std::max({last.y1(), last.y2(), to.y()}));
  // Kept ending where the pen now stands, so that the next step can fold too.
  last = to == low ? QLine(high, low) : QLine(low, high);
  return true;
}

void QtCanvas::LineTo(int x, int y) {
  const QPoint to(x, y);
  if (pen_.width() == 0) {
    if (!FoldIntoLastLine(to)) pendingLines_.emplace_back(position_, to);
  } else {
    UseLinePen();
    painter_->drawLine(position_, to);
  }
  position_ = to;
}

void QtCanvas::Rectangle(int x1, int y1, int x2, int y2) {
  // Corners may come in any order, as bars growing down from a zero line do.
  if (x2 < x1) std::swap(x1, x2);
  if (y2 < y1) std::swap(y1, y2);
  if (x2 == x1 || y2 == y1) return;
  DrawPendingLines();
  // The outline lies on the rectangle's own pixels: x1..x2-1, y1..y2-1.
  painter_->fillRect(QRect(QPoint(x1, y1), QPoint(x2 - 1, y2 - 1)), brush_);
  if (pen_.style() == Qt::SolidLine && pen_.width() == 0) {
    // A thin solid outline is four one-pixel strips, or nothing to add when
    // it has the fill's colour: much faster than stroking, which counts for
    // charts of 600 bars.
    const QColor outline = pen_.color();
    if (outline == brush_) return;
    painter_->fillRect(QRect(QPoint(x1, y1), QPoint(x2 - 1, y1)), outline);
    painter_->fillRect(QRect(QPoint(x1, y2 - 1), QPoint(x2 - 1, y2 - 1)), outline);
    painter_->fillRect(QRect(QPoint(x1, y1), QPoint(x1, y2 - 1)), outline);
    painter_->fillRect(QRect(QPoint(x2 - 1, y1), QPoint(x2 - 1, y2 - 1)), outline);
    return;
  }
  UseLinePen();
  painter_->setBrush(Qt::NoBrush);
  painter_->drawRect(QRect(x1, y1, x2 - x1 - 1, y2 - y1 - 1));
}

void QtCanvas::FillRect(int x1, int y1, int x2, int y2) {
  if (x2 < x1) std::swap(x1, x2);
  if (y2 < y1) std::swap(y1, y2);
  if (x2 == x1 || y2 == y1) return;
  DrawPendingLines();
  painter_->fillRect(QRect(QPoint(x1, y1), QPoint(x2 - 1, y2 - 1)), brush_);
}

void QtCanvas::TextOut(int x, int y, const std::string& text) {
  DrawPendingLines();
  if (!painterHasTextPen_) {
    painter_->setPen(fontColor_);
    painterHasTextPen_ = true;
    painterHasLinePen_ = false;
  }
  painter_->drawText(QPoint(x, y + font_->Metrics.ascent()), ToQString(text));
}

int QtCanvas::TextWidth(const std::string& text) {
  return font_->Metrics.horizontalAdvance(ToQString(text));
}

int QtCanvas::TextHeight(const std::string&) {
  return font_->Metrics.height();
}

const QImage& QtCanvas::Image() {
  // Finish pending painting so the pixels are all there, then go on.
  DrawPendingLines();
  painter_->end();
  painter_.reset();
  Begin();
  return image_;
}

}  // namespace zephirax
