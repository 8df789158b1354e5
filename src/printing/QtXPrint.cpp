#include "printing/QtXPrint.h"

#include <QFontMetrics>
#include <QPainter>
#include <QPrinter>
#include <QTransform>
#include <algorithm>
#include <cmath>
#include <cstdlib>

#include "printing/QtPrintTarget.h"

namespace zephirax {

namespace {

// A font given in pixels is taken as designed on a 96-pixels-per-inch screen.
constexpr double DesignPixelsPerInch = 96;

int Points(const QFont& font) {
  if (font.pointSizeF() > 0) return static_cast<int>(std::lround(font.pointSizeF()));
  if (font.pixelSize() > 0) {
    return static_cast<int>(std::lround(font.pixelSize() * 72 / DesignPixelsPerInch));
  }
  return 12;
}

DeviceCaps ReadCaps(QPrinter& printer) {
  DeviceCaps caps;
  caps.PpiX = caps.PpiY = printer.resolution();
  const QRectF paper = printer.paperRect(QPrinter::DevicePixel);
  const QRectF page = printer.pageRect(QPrinter::DevicePixel);
  caps.PhysicalWidth = static_cast<int>(std::lround(paper.width()));
  caps.PhysicalHeight = static_cast<int>(std::lround(paper.height()));
  caps.PrintableWidth = static_cast<int>(std::lround(page.width()));
  caps.PrintableHeight = static_cast<int>(std::lround(page.height()));
  caps.OffsetX = static_cast<int>(std::lround(page.left() - paper.left()));
  caps.OffsetY = static_cast<int>(std::lround(page.top() - paper.top()));
  return caps;
}

}  // namespace

TXPrint::TXPrint(QtPrintTarget* target) : target_(target) {}

TXPrint::~TXPrint() {
  if (started_) EndJob();
}

void TXPrint::SetScaling(TScaling scaling) {
  if (started_ || scaling == scaling_) return;
  Margins = RescaleMargins(Margins, scaling_, scaling, caps_.PpiX, caps_.PpiY);
  scaling_ = scaling;
}

void TXPrint::SetAngle10(int angle10) {
  angle10_ = NormalizeAngle10(angle10);
}

bool TXPrint::Aborted() const {
  return target_ != nullptr && target_->Printer().printerState() == QPrinter::Aborted;
}

bool TXPrint::Printing() const {
  if (target_ == nullptr) return false;
  if (target_->Busy()) return true;
  // A system printer shared with another target is active while that one's
  // job runs. A PDF file's printer is the target's own and stays active from
  // its first page to the last.
  QPrinter& printer = target_->Printer();
  return printer.outputFormat() == QPrinter::NativeFormat &&
         printer.printerState() == QPrinter::Active;
}

bool TXPrint::BeginJob() {
  if (target_ == nullptr || started_) return false;
  QPrinter& printer = target_->Printer();
  printer.setCopyCount(Copies);
  printer.setPageOrientation(Orientation == xpoLandscape ? QPageLayout::Landscape
                                                         : QPageLayout::Portrait);
  painter_ = target_->BeginJob(Title);
  if (painter_ == nullptr) return false;
  started_ = true;
  caps_ = ReadCaps(printer);
  page_ = SetUpPage(caps_, scaling_, Margins);
  const PageScale scale = MappingScale(page_, caps_);
  painter_->setTransform(
      QTransform(scale.X, 0, 0, scale.Y, page_.ViewportOrgX, page_.ViewportOrgY));
  ApplyFont();
  return true;
}

bool TXPrint::EndJob() {
  if (!started_) return false;
  started_ = false;
  painter_ = nullptr;
  return target_->EndJob();
}

void TXPrint::SetFontSize(int points) {
  Font.setPointSize(std::max(1, std::abs(points)));
  if (started_) ApplyFont();
}

void TXPrint::ApplyFont() {
  QFont font = Font;
  font.setPixelSize(std::max(1, FontHeightUnderMapping(Points(Font), scaling_, caps_.PpiY)));
  painter_->setFont(font);
}

int TXPrint::UnitsToPixelsX(int units) const {
  return UnitsToPixels(units, caps_.PpiX, scaling_);
}

int TXPrint::UnitsToPixelsY(int units) const {
  return UnitsToPixels(units, caps_.PpiY, scaling_);
}

int TXPrint::PixelsToUnitsX(int pixels) const {
  return PixelsToUnits(pixels, caps_.PpiX, scaling_);
}

int TXPrint::PixelsToUnitsY(int pixels) const {
  return PixelsToUnits(pixels, caps_.PpiY, scaling_);
}

void TXPrint::TextOut(int x, int y, const QString& text) {
  if (!started_) return;
  const int ascent = painter_->fontMetrics().ascent();
  painter_->save();
  painter_->translate(x, y);
  // The painter's y axis points down: a counter-clockwise turn is negative.
  if (angle10_ != 0) painter_->rotate(-angle10_ / 10.0);
  painter_->drawText(0, ascent, text);
  painter_->restore();
}

int TXPrint::TextWidth(const QString& text) const {
  if (!started_) return 0;
  return painter_->fontMetrics().horizontalAdvance(text);
}

}  // namespace zephirax
