#include "printing/QtTextPrintouts.h"

#include <QFontMetrics>
#include <QPainter>
#include <QPen>

#include "printing/PrintoutTexts.h"
#include "printing/QtPrintTarget.h"
#include "printing/QtXPrint.h"

namespace zephirax {

namespace {

// The page of a printout for the height inside the margins, known once the
// job has begun.
using PageOfHeight = std::function<PrintoutPage(int pageHeight)>;

constexpr int LineWidth = 25;  // 0.25 mm

QString FromUtf8(const std::string& text) {
  return QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size()));
}

void DrawPage(TXPrint& xp, const PrintoutPage& page) {
  QPainter& painter = *xp.Canvas();
  painter.setPen(QPen(Qt::black, LineWidth));
  for (const PageLine& line : page.Lines) painter.drawLine(line.X1, line.Y1, line.X2, line.Y2);
  const QFontMetrics metrics = painter.fontMetrics();
  for (const PageText& item : page.Texts) {
    QString text = FromUtf8(item.Text);
    if (item.MaxWidth > 0) text = metrics.elidedText(text, Qt::ElideMiddle, item.MaxWidth);
    int x = item.X;
    if (item.Align == PageText::Centred) x -= xp.TextWidth(text) / 2;
    if (item.Align == PageText::PageCentre) x = (xp.PageWidth() - xp.TextWidth(text)) / 2;
    xp.TextOut(x, item.Y, text);
  }
  for (const PageBlock& block : page.Blocks) {
    painter.drawText(QRect(block.X, block.Y, block.Width, block.Height),
                     Qt::AlignLeft | Qt::AlignTop | Qt::TextWordWrap, FromUtf8(block.Text));
  }
}

// The frame every printout shares: no second job while one runs, the printer
// set-up, portrait, Arial bold, one page.
PrintResult Print(QtPrintTarget& target, const PrintoutStart& start, TScaling scaling, int margin,
                  const PageOfHeight& pageOf) {
  TXPrint xp(&target);
  if (xp.Printing()) {
    if (start.Ui != nullptr) {
      start.Ui->MessageBox(Tr(ErrorCaption, start.Language),
                           Tr(PrintJobRunningText, start.Language), MsgButtons::Ok, MsgIcon::Error);
    }
    return PrintResult::JobRunning;
  }
  if (start.SetupPrinter && !start.SetupPrinter()) return PrintResult::Cancelled;
  xp.SetScaling(scaling);
  xp.Margins = {margin, margin, margin, margin};
  xp.Copies = 1;
  xp.Orientation = xpoPortrait;
  // The title does not depend on the page's height.
  xp.Title = FromUtf8(pageOf(0).JobTitle);
  xp.Font = QFont(QStringLiteral("Arial"));
  xp.Font.setBold(true);
  xp.Font.setPointSize(PrintFontPoints);
  if (!xp.BeginJob()) return PrintResult::Failed;
  DrawPage(xp, pageOf(xp.PageHeight()));
  return xp.EndJob() ? PrintResult::Printed : PrintResult::Failed;
}

}  // namespace

PrintResult PrintAdditionalDataForm(QtPrintTarget& target, const PrintoutStart& start,
                                    const PrintUnits& units, int32_t cylCount) {
  return Print(target, start, pscMetric100, AddDataMargin, [&](int pageHeight) {
    return AdditionalDataFormPage(start.Language, units, cylCount, pageHeight);
  });
}

PrintResult PrintAdditionalData(QtPrintTarget& target, const PrintoutStart& start,
                                const PrintUnits& units, const AdditionalData& data,
                                int32_t cylCount, const PrintedMeasurement& measurement) {
  return Print(target, start, pscMetric100, AddDataMargin, [&](int pageHeight) {
    return AdditionalDataPage(start.Language, units, data, cylCount, measurement, pageHeight);
  });
}

PrintResult PrintEngineSetup(QtPrintTarget& target, const PrintoutStart& start,
                             const PrintUnits& units, const EngineSetup& setup,
                             const std::string& fileName) {
  return Print(target, start, pscMetric100, SetupListingMargin,
               [&](int) { return EngineSetupPage(start.Language, units, setup, fileName); });
}

}  // namespace zephirax
