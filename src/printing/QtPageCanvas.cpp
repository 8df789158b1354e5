#include "printing/QtPageCanvas.h"

#include <QString>
#include <algorithm>
#include <cmath>
#include <utility>

namespace zephirax {

namespace {

QColor ToQColor(Color color) {
  return QColor::fromRgb(static_cast<QRgb>(color | 0xFF000000u));
}

// A picture pixel's line runs through the pixel's centre, so that a line one
// pixel wide covers the same pixels as in the picture.
QPointF Centre(QPoint point) {
  return QPointF(point.x() + 0.5, point.y() + 0.5);
}

}  // namespace

QtPageCanvas::QtPageCanvas(QPainter& painter, const QRectF& target, int width, int height)
    : painter_(painter), target_(target), brush_(Qt::white), fontColor_(Qt::black) {
  painter_.save();
  painter_.setRenderHint(QPainter::Antialiasing, false);
  painter_.setRenderHint(QPainter::TextAntialiasing, false);
  painter_.setClipRect(target_);
  pen_.setColor(Qt::black);
  pen_.setWidthF(1);
  pen_.setJoinStyle(Qt::MiterJoin);  // square corners, as the picture's rectangles have
  SetSize(width, height);
}

QtPageCanvas::~QtPageCanvas() {
  Flush();
  painter_.restore();
}

void QtPageCanvas::Map() {
  QTransform transform;
  transform.translate(target_.left(), target_.top());
  transform.scale(target_.width() / width_, target_.height() / height_);
  painter_.setTransform(transform);
}

void QtPageCanvas::SetSize(int width, int height) {
  Flush();
  width_ = std::max(width, 1);
  height_ = std::max(height, 1);
  Map();
  painter_.fillRect(QRectF(0, 0, width_, height_), Qt::white);
}

void QtPageCanvas::Flush() {
  if (pending_.size() >= 2) {
    painter_.setPen(pen_);
    painter_.drawPolyline(pending_);
  }
  pending_.clear();
}

void QtPageCanvas::SetPen(Color color, int width, PenStyle style) {
  Flush();
  pen_.setColor(ToQColor(color));
  pen_.setWidthF(std::max(width, 1));
  pen_.setStyle(style == PenStyle::Dot ? Qt::DotLine : Qt::SolidLine);
  // A dot is one pixel long, as in the picture, not stretched by the cap.
  pen_.setCapStyle(style == PenStyle::Dot ? Qt::FlatCap : Qt::SquareCap);
}

void QtPageCanvas::SetBrush(Color color) {
  brush_ = ToQColor(color);
}

void QtPageCanvas::SetFont(const std::string& name, int height, bool bold) {
  metrics_.SetFont(name, height, bold);
}

void QtPageCanvas::SetFontColor(Color color) {
  fontColor_ = ToQColor(color);
}

void QtPageCanvas::MoveTo(int x, int y) {
  Flush();
  position_ = QPoint(x, y);
}

void QtPageCanvas::LineTo(int x, int y) {
  const QPoint to(x, y);
  if (pen_.style() == Qt::SolidLine) {
    if (pending_.isEmpty()) pending_.append(Centre(position_));
    pending_.append(Centre(to));
  } else {
    // Each dotted line starts its pattern afresh, as in the picture, at the
    // edge of its first pixel.
    QPointF from = Centre(position_);
    QPointF end = Centre(to);
    const QPointF along = end - from;
    const double length = std::hypot(along.x(), along.y());
    if (length > 0) {
      from -= along * (0.5 / length);
      end += along * (0.5 / length);
    }
    painter_.setPen(pen_);
    painter_.drawLine(from, end);
  }
  position_ = to;
}

void QtPageCanvas::Rectangle(int x1, int y1, int x2, int y2) {
  Flush();
  if (x2 < x1) std::swap(x1, x2);
  if (y2 < y1) std::swap(y1, y2);
  if (x2 == x1 || y2 == y1) return;
  painter_.fillRect(QRectF(x1, y1, x2 - x1, y2 - y1), brush_);
  if (pen_.style() == Qt::SolidLine && pen_.widthF() <= 1 && pen_.color() == brush_) return;
  // The outline lies on the rectangle's own outer pixels.
  painter_.setPen(pen_);
  painter_.setBrush(Qt::NoBrush);
  painter_.drawRect(QRectF(x1 + 0.5, y1 + 0.5, x2 - x1 - 1, y2 - y1 - 1));
}

void QtPageCanvas::FillRect(int x1, int y1, int x2, int y2) {
  Flush();
  if (x2 < x1) std::swap(x1, x2);
  if (y2 < y1) std::swap(y1, y2);
  if (x2 == x1 || y2 == y1) return;
  painter_.fillRect(QRectF(x1, y1, x2 - x1, y2 - y1), brush_);
}

void QtPageCanvas::TextOut(int x, int y, const std::string& text) {
  Flush();
  painter_.setPen(fontColor_);
  painter_.setFont(metrics_.TextFont());
  painter_.drawText(QPointF(x, y + metrics_.TextMetrics().ascent()),
                    QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size())));
}

int QtPageCanvas::TextWidth(const std::string& text) {
  return metrics_.TextWidth(text);
}

int QtPageCanvas::TextHeight(const std::string& text) {
  return metrics_.TextHeight(text);
}

}  // namespace zephirax
