#pragma once

#include <QApplication>
#include <QTimer>
#include <functional>
#include <memory>

#include <gtest/gtest.h>

namespace zephirax::test {

// Runs `act` on the next modal dialog of type Dialog once its own event loop
// has it on screen and active. Dialogs that open one after another each get their own
// call before the first one opens. A dialog that never comes fails the test
// after a few seconds instead of leaving the timer behind.
template <class Dialog>
void WhenModal(std::function<void(Dialog&)> act) {
  auto* timer = new QTimer;
  auto tries = std::make_shared<int>(0);
  QObject::connect(timer, &QTimer::timeout, [timer, tries, act = std::move(act)] {
    auto* dialog = qobject_cast<Dialog*>(QApplication::activeModalWidget());
    // Active as well: focus and key handling need the window activated, which
    // the platform reports a little after showing it.
    const bool up = dialog != nullptr && dialog->isVisible() && dialog->isActiveWindow();
    if (!up && ++*tries < 1000) return;
    timer->stop();
    timer->deleteLater();
    if (up) {
      act(*dialog);
    } else {
      ADD_FAILURE() << "no " << Dialog::staticMetaObject.className() << " came up";
    }
  });
  timer->start(5);
}

}  // namespace zephirax::test
