// The one main of the test programs. TRAYSKIN_TEST_APPLICATION says what the
// tests need around them: 0 nothing, 1 a QCoreApplication, 2 a
// QGuiApplication, 3 a QApplication; the last two on the offscreen platform.
#include <gtest/gtest.h>

#ifndef TRAYSKIN_TEST_APPLICATION
#define TRAYSKIN_TEST_APPLICATION 0
#endif
#if TRAYSKIN_TEST_APPLICATION == 1
#include <QCoreApplication>
using Application = QCoreApplication;
#elif TRAYSKIN_TEST_APPLICATION == 2
#include <QGuiApplication>
using Application = QGuiApplication;
#elif TRAYSKIN_TEST_APPLICATION == 3
#include <QApplication>
using Application = QApplication;
#endif

int main(int argc, char** argv) {
#if TRAYSKIN_TEST_APPLICATION >= 2
    qputenv("QT_QPA_PLATFORM", "offscreen");
#endif
#if TRAYSKIN_TEST_APPLICATION >= 1
    Application app(argc, argv);
#endif
    ::testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
