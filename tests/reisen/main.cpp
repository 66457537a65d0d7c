#include <QApplication>
#include <gtest/gtest.h>

#include <clocale>

int main(int argc, char** argv) {
    ::testing::InitGoogleTest(&argc, argv);
    // Listing the tests needs no display.
    if (::testing::GTEST_FLAG(list_tests)) return RUN_ALL_TESTS();
    // As the program's own main() does.
    QApplication app(argc, argv);
    std::setlocale(LC_NUMERIC, "C");
    // A journey ends with the main window closed; the next test needs the application.
    QApplication::setQuitOnLastWindowClosed(false);
    return RUN_ALL_TESTS();
}
