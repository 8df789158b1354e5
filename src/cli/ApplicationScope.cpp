#include "cli/ApplicationScope.h"

#include <QApplication>
#include <QGuiApplication>

#include "platform/QtNumericLocale.h"

namespace zephirax {

ApplicationScope::ApplicationScope(bool gui, bool widgets) {
  if (QCoreApplication::instance() != nullptr) return;
  if (!gui) {
    app_ = std::make_unique<QCoreApplication>(argc_, argv_);
    KeepCNumberFormat();
    return;
  }
  if (!qEnvironmentVariableIsSet("QT_QPA_PLATFORM")) {
    qputenv("QT_QPA_PLATFORM", "offscreen");
    platformSet_ = true;
  }
  if (widgets) {
    app_ = std::make_unique<QApplication>(argc_, argv_);
  } else {
    app_ = std::make_unique<QGuiApplication>(argc_, argv_);
  }
  KeepCNumberFormat();
}

ApplicationScope::~ApplicationScope() {
  app_.reset();
  if (platformSet_) qunsetenv("QT_QPA_PLATFORM");
}

}  // namespace zephirax
