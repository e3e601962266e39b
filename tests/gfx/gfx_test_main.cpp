// The main of the drawing tests: one QGuiApplication on the offscreen
// platform, which is all Qt's fonts and painters need.

#include <gtest/gtest.h>

#include <QGuiApplication>
#include <clocale>

int main(int argc, char** argv) {
  qputenv("QT_QPA_PLATFORM", "offscreen");
  QGuiApplication application(argc, argv);
  std::setlocale(LC_NUMERIC, "C");
  ::testing::InitGoogleTest(&argc, argv);
  return RUN_ALL_TESTS();
}
