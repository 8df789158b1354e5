#include "app/QtBackground.h"

#include <QLinearGradient>
#include <QPainter>
#include <QPainterPath>
#include <algorithm>
#include <cmath>

namespace zephirax {
namespace {

// A stylised cylinder-pressure trace over one working cycle: compression,
// the combustion peak just after top dead centre, expansion. `t` runs 0..1
// over the cycle, the result 0..1 over the height.
double PressureShape(double t) {
  const double angle = (t - 0.5) * 2.0;  // -1 .. 1, top dead centre at 0
  const double compression = 0.55 / (1.0 + 40.0 * angle * angle);
  const double combustion = 0.45 * std::exp(-std::pow((angle - 0.06) / 0.07, 2.0));
  return std::min(1.0, 0.04 + compression + combustion);
}

}  // namespace

QImage BackgroundPicture(QSize size) {
  const int width = std::max(size.width(), 1);
  const int height = std::max(size.height(), 1);
  QImage image(width, height, QImage::Format_RGB32);
  QPainter painter(&image);
  painter.setRenderHint(QPainter::Antialiasing, true);

  QLinearGradient sky(0, 0, 0, height);
  sky.setColorAt(0.0, QColor(18, 42, 74));
  sky.setColorAt(0.65, QColor(44, 88, 128));
  sky.setColorAt(1.0, QColor(128, 160, 184));
  painter.fillRect(image.rect(), sky);

  // A faint measuring grid.
  const int step = std::max(24, std::min(width, height) / 16);
  painter.setPen(QPen(QColor(255, 255, 255, 22), 1));
  for (int x = step; x < width; x += step) painter.drawLine(x, 0, x, height);
  for (int y = step; y < height; y += step) painter.drawLine(0, y, width, y);

  // The trace stands on a base line in the lower part of the picture.
  const double left = width * 0.08;
  const double right = width * 0.92;
  const double base = height * 0.82;
  const double top = height * 0.18;
  QPainterPath trace;
  const int points = 400;
  for (int i = 0; i <= points; ++i) {
    const double t = static_cast<double>(i) / points;
    const QPointF point(left + t * (right - left), base - PressureShape(t) * (base - top));
    if (i == 0) {
      trace.moveTo(point);
    } else {
      trace.lineTo(point);
    }
  }
  QPainterPath area = trace;
  area.lineTo(right, base);
  area.lineTo(left, base);
  area.closeSubpath();
  QLinearGradient glow(0, top, 0, base);
  glow.setColorAt(0.0, QColor(255, 196, 92, 110));
  glow.setColorAt(1.0, QColor(255, 196, 92, 8));
  painter.fillPath(area, glow);
  painter.setPen(QPen(QColor(255, 214, 140, 220), std::max(2.0, height / 300.0)));
  painter.drawPath(trace);

  // The top dead centre line and the base line.
  painter.setPen(QPen(QColor(255, 255, 255, 60), 1, Qt::DashLine));
  const double centre = (left + right) / 2;
  painter.drawLine(QPointF(centre, top * 0.8), QPointF(centre, base));
  painter.setPen(QPen(QColor(255, 255, 255, 90), 1));
  painter.drawLine(QPointF(left, base), QPointF(right, base));
  return image;
}

}  // namespace zephirax
