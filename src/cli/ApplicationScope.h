#pragma once

#include <QCoreApplication>
#include <memory>

// Qt's serial port and text drawing need an application object. A host that
// has one (the desktop, the window tests) keeps it; otherwise one lives for
// the command: a GUI application on the offscreen platform (unless the caller
// chose another) when `gui` is set, a widget application when `widgets` is
// set as well, else a plain one.

namespace zephirax {

class ApplicationScope {
 public:
  explicit ApplicationScope(bool gui, bool widgets = false);
  ~ApplicationScope();
  ApplicationScope(const ApplicationScope&) = delete;
  ApplicationScope& operator=(const ApplicationScope&) = delete;

 private:
  // The application keeps references to these for its whole life.
  int argc_ = 1;
  char name_[13] = "zephirax-cli";
  char* argv_[2] = {name_, nullptr};
  std::unique_ptr<QCoreApplication> app_;
  bool platformSet_ = false;
};

}  // namespace zephirax
