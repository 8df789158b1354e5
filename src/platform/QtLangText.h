#pragma once

#include <QString>

#include "platform/LangText.h"

// A text of the four program languages as the widgets take it.

namespace zephirax {

inline QString Text(const LangText& text, int language) {
  return QString::fromUtf8(Tr(text, language));
}

}  // namespace zephirax
