#include <QApplication>
#include <QLocale>
#include <gtest/gtest.h>

// Every test runs with a widget application (some suites drive windows) and with the Russian
// locale as default, because the program's texts, numbers and dates are compared in that form.
int main(int argc, char **argv)
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    QLocale::setDefault(QLocale(QLocale::Russian, QLocale::Russia));
    ::testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
