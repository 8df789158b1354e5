#include "platform/QtCanvas.h"

#include <utility>

#include <QFontMetrics>
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

QtCanvas::QtCanvas() : pen_(Qt::black), brush_(Qt::white), fontColor_(Qt::black) {
  pen_.setCosmetic(true);
  font_.setFamily(QStringLiteral("Arial"));
  font_.setPixelSize(14);
  SetSize(1, 1);
}

QtCanvas::~QtCanvas() = default;

void QtCanvas::Begin() {
  painter_ = std::make_unique<QPainter>(&image_);
  painter_->setRenderHint(QPainter::Antialiasing, false);
  painter_->setRenderHint(QPainter::TextAntialiasing, false);
  painter_->setPen(pen_);
  painter_->setFont(font_);
}

void QtCanvas::SetSize(int width, int height) {
  painter_.reset();
  image_ = QImage(std::max(width, 1), std::max(height, 1), QImage::Format_RGB32);
  image_.fill(Qt::white);
  Begin();
}

void QtCanvas::SetPen(Color color, int width, PenStyle style) {
  pen_.setColor(ToQColor(color));
  pen_.setWidth(std::max(width, 1) == 1 ? 0 : width);
  pen_.setStyle(style == PenStyle::Dot ? Qt::DotLine : Qt::SolidLine);
  painter_->setPen(pen_);
}

void QtCanvas::SetBrush(Color color) {
  brush_ = ToQColor(color);
}

void QtCanvas::SetFont(const std::string& name, int height, bool bold) {
  font_.setFamily(ToQString(name));
  font_.setPixelSize(std::max(height, 1));
  font_.setBold(bold);
  painter_->setFont(font_);
}

void QtCanvas::SetFontColor(Color color) {
  fontColor_ = ToQColor(color);
}

void QtCanvas::MoveTo(int x, int y) {
  position_ = QPoint(x, y);
}

void QtCanvas::LineTo(int x, int y) {
  const QPoint to(x, y);
  painter_->drawLine(position_, to);
  position_ = to;
}

void QtCanvas::Rectangle(int x1, int y1, int x2, int y2) {
  // Corners may come in any order, as bars growing down from a zero line do.
  if (x2 < x1) std::swap(x1, x2);
  if (y2 < y1) std::swap(y1, y2);
  if (x2 == x1 || y2 == y1) return;
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
  painter_->setBrush(Qt::NoBrush);
  painter_->drawRect(QRect(x1, y1, x2 - x1 - 1, y2 - y1 - 1));
}

void QtCanvas::FillRect(int x1, int y1, int x2, int y2) {
  if (x2 < x1) std::swap(x1, x2);
  if (y2 < y1) std::swap(y1, y2);
  if (x2 == x1 || y2 == y1) return;
  painter_->fillRect(QRect(QPoint(x1, y1), QPoint(x2 - 1, y2 - 1)), brush_);
}

void QtCanvas::TextOut(int x, int y, const std::string& text) {
  painter_->setPen(fontColor_);
  painter_->drawText(QPoint(x, y + QFontMetrics(font_).ascent()), ToQString(text));
  painter_->setPen(pen_);
}

int QtCanvas::TextWidth(const std::string& text) {
  return QFontMetrics(font_).horizontalAdvance(ToQString(text));
}

int QtCanvas::TextHeight(const std::string&) {
  return QFontMetrics(font_).height();
}

const QImage& QtCanvas::Image() {
  // Finish pending painting so the pixels are all there, then go on.
  painter_->end();
  painter_.reset();
  Begin();
  return image_;
}

}  // namespace zephirax
