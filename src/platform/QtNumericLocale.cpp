#include "platform/QtNumericLocale.h"

#include <clocale>

namespace zephirax {

void KeepCNumberFormat() {
  std::setlocale(LC_NUMERIC, "C");
}

}  // namespace zephirax
