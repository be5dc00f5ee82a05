// main() for test programs that draw or build widgets: Qt needs its
// application object before any font, image text or widget is used.
#include <gtest/gtest.h>

#include <clocale>
#include <cstdlib>

#ifdef DETKIT_TEST_WIDGETS
#include <QApplication>
using TestApp = QApplication;
#else
#include <QGuiApplication>
using TestApp = QGuiApplication;
#endif

int main(int argc, char** argv)
{
    // Tests never need a display; ctest sets this too, but a test run by hand should not either.
    setenv("QT_QPA_PLATFORM", "offscreen", 0);
    TestApp app(argc, argv);
    std::setlocale(LC_NUMERIC, "C");  // as the program does
    ::testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
