#include <QApplication>
#include <cstdlib>

#include <gtest/gtest.h>

#include "platform/QtNumericLocale.h"

// Window tests run without a display: the offscreen platform must be chosen
// before the application object exists, also when CTest lists the tests.
int main(int argc, char** argv) {
  setenv("QT_QPA_PLATFORM", "offscreen", 0);
  QApplication app(argc, argv);
  zephirax::KeepCNumberFormat();
  ::testing::InitGoogleTest(&argc, argv);
  return RUN_ALL_TESTS();
}
