#pragma once

#include <QImage>
#include <QPainter>
#include <QRect>
#include <QString>
#include <functional>

// The two pages of the chart printouts, each drawn on the painter of one
// print job: the report page (the view with the measurement's header lines
// and a frame) and the hardcopy page (the main window as on screen).

namespace zephirax {

// Where the parts of the report page go on a printable page of `width` x
// `height` printer pixels.
struct ReportLayout {
  QRect Picture;    // the view: 0.8 of the page each way, 0.1 in from the top left
  QPoint FileLine;  // the top left of the file line's text
  QPoint ShipLine;
  QRect Frame;  // the frame's corners
};
ReportLayout ReportLayoutOf(int width, int height);

// Draws the report page. `drawPicture` paints the view into the rectangle it
// is given, stretched to fill it as a copy of the picture would be; the two
// lines follow in Arial bold 12 point, then the frame, one printer pixel wide.
void DrawReportPage(QPainter& painter,
                    const std::function<void(QPainter&, const QRect&)>& drawPicture,
                    const QString& fileLine, const QString& shipLine);

// Paints `picture` into `target`, stretched, without lossy compression.
void DrawPicture(QPainter& painter, const QImage& picture, const QRect& target);

// Where the window goes on a hardcopy page: from the top left corner, at the
// full page width in portrait and the full page height otherwise, keeping
// its proportions; it is made smaller where it would run off the page.
QRect HardcopyPlace(QSize page, QSize window);

// Draws the hardcopy page: `window` is the main window as on screen.
void DrawHardcopyPage(QPainter& painter, const QImage& window);

}  // namespace zephirax
