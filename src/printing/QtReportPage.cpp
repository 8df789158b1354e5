#include "printing/QtReportPage.h"

#include <QFont>
#include <QFontMetrics>
#include <QPaintDevice>
#include <QPen>
#include <algorithm>
#include <cmath>

namespace zephirax {

namespace {

int Part(int length, double share) {
  return static_cast<int>(std::lround(length * share));
}

QSize PageSize(const QPainter& painter) {
  const QPaintDevice* device = painter.device();
  return device == nullptr ? QSize() : QSize(device->width(), device->height());
}

}  // namespace

ReportLayout ReportLayoutOf(int width, int height) {
  ReportLayout layout;
  layout.Picture = QRect(Part(width, 0.1), Part(height, 0.1), Part(width, 0.8), Part(height, 0.8));
  layout.FileLine = QPoint(Part(width, 0.1), height - Part(height, 0.1));
  layout.ShipLine = QPoint(Part(width, 0.1), height - Part(height, 0.05));
  layout.Frame = QRect(QPoint(Part(width, 0.075), Part(height, 0.09)),
                       QPoint(width - Part(width, 0.075), Part(height, 0.89)));
  return layout;
}

void DrawReportPage(QPainter& painter,
                    const std::function<void(QPainter&, const QRect&)>& drawPicture,
                    const QString& fileLine, const QString& shipLine) {
  const QSize page = PageSize(painter);
  const ReportLayout layout = ReportLayoutOf(page.width(), page.height());
  painter.save();
  drawPicture(painter, layout.Picture);
  painter.restore();

  painter.save();
  QFont font(QStringLiteral("Arial"));
  font.setPointSize(12);
  font.setBold(true);
  painter.setFont(font);
  painter.setPen(Qt::black);
  // The positions are the top left corners of the text cells.
  const int ascent = painter.fontMetrics().ascent();
  painter.drawText(layout.FileLine + QPoint(0, ascent), fileLine);
  painter.drawText(layout.ShipLine + QPoint(0, ascent), shipLine);

  QPen pen(Qt::black);
  pen.setWidth(1);
  painter.setPen(pen);
  painter.setBrush(Qt::NoBrush);
  const QRect& frame = layout.Frame;
  const QPoint corners[] = {frame.topLeft(), QPoint(frame.right(), frame.top()),
                            frame.bottomRight(), QPoint(frame.left(), frame.bottom()),
                            frame.topLeft()};
  painter.drawPolyline(corners, 5);
  painter.restore();
}

void DrawPicture(QPainter& painter, const QImage& picture, const QRect& target) {
  painter.save();
  // Lines of one pixel do not survive JPEG; the picture goes to the printer
  // as it is.
  painter.setRenderHint(QPainter::LosslessImageRendering, true);
  painter.setRenderHint(QPainter::SmoothPixmapTransform, false);
  painter.drawImage(target, picture);
  painter.restore();
}

QRect HardcopyPlace(QSize page, QSize window) {
  if (page.isEmpty() || window.isEmpty()) return {};
  const double byWidth = static_cast<double>(page.width()) / window.width();
  const double byHeight = static_cast<double>(page.height()) / window.height();
  double scale = page.width() < page.height() ? byWidth : byHeight;
  // A window of other proportions than the page would be cut off.
  scale = std::min({scale, byWidth, byHeight});
  return QRect(0, 0, static_cast<int>(std::floor(window.width() * scale)),
               static_cast<int>(std::floor(window.height() * scale)));
}

void DrawHardcopyPage(QPainter& painter, const QImage& window) {
  DrawPicture(painter, window, HardcopyPlace(PageSize(painter), window.size()));
}

}  // namespace zephirax
