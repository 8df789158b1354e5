#pragma once

#include <QApplication>
#include <QLabel>
#include <QLineEdit>
#include <QTest>
#include <QTimer>
#include <functional>

#include <gtest/gtest.h>

// Helpers of the window tests that play the user at a modal dialog.

namespace zephirax::test {

// Runs `answer` on the modal dialog of type Dialog once it is up. Any other
// modal window is closed, so that a test that goes wrong fails instead of
// waiting forever. An answer left over when no dialog came runs at the next
// event loop: process the events at the end of the test.
template <class Dialog>
void WhenModal(std::function<void(Dialog&)> answer) {
  QTimer::singleShot(0, [answer] {
    QWidget* modal = QApplication::activeModalWidget();
    auto* dialog = qobject_cast<Dialog*>(modal);
    if (dialog == nullptr) {
      ADD_FAILURE() << "the expected dialog is not shown";
      if (modal != nullptr) modal->close();
      return;
    }
    answer(*dialog);
  });
}

// Types `text` over the whole content of `edit`, key by key.
inline void Type(QLineEdit* edit, const QString& text) {
  ASSERT_NE(edit, nullptr);
  edit->selectAll();
  if (text.isEmpty()) {
    QTest::keyClick(edit, Qt::Key_Backspace);
  } else {
    QTest::keyClicks(edit, text);
  }
}

inline bool HasLabel(const QWidget& parent, const QString& text) {
  for (const QLabel* label : parent.findChildren<QLabel*>()) {
    if (label->text() == text) return true;
  }
  return false;
}

}  // namespace zephirax::test
