// Test entry point: one Qt application object per test program, headless.
#include <gtest/gtest.h>

#include <QCoreApplication>
#include <cstdlib>

#ifdef ZEL_TEST_WIDGETS
#include <QApplication>
#endif

int main(int argc, char** argv) {
    if (std::getenv("QT_QPA_PLATFORM") == nullptr && std::getenv("DISPLAY") == nullptr)
        setenv("QT_QPA_PLATFORM", "offscreen", 1);
    ::testing::InitGoogleTest(&argc, argv);
#ifdef ZEL_TEST_WIDGETS
    QApplication app(argc, argv);
#else
    QCoreApplication app(argc, argv);
#endif
    return RUN_ALL_TESTS();
}
