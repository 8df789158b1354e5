#pragma once

#include <QLocale>

#include "platform/NumberFormat.h"

namespace zephirax {

// The decimal and digit-group separators of `locale`, as the export files
// write them (cp1252 bytes).
NumberFormat RegionalNumberFormat(const QLocale& locale);

}  // namespace zephirax
