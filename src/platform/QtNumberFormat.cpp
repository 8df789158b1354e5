#include "platform/QtNumberFormat.h"

#include "platform/TextEncoding.h"

namespace zephirax {

namespace {
std::string Cp1252(const QString& text) {
  QString adjusted = text;
  // Some locales group digits with a narrow no-break space, which the Windows
  // character set lacks; the ordinary no-break space stands in for it.
  adjusted.replace(QChar(0x202F), QChar(0x00A0));
  return Utf8ToCp1252(adjusted.toStdString());
}
}  // namespace

NumberFormat RegionalNumberFormat(const QLocale& locale) {
  return {Cp1252(locale.decimalPoint()), Cp1252(locale.groupSeparator())};
}

}  // namespace zephirax
