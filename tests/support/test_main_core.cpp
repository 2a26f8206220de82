#include <QCoreApplication>
#include <QLocale>
#include <gtest/gtest.h>

// The protocol core's tests run without any window system: a plain core application proves that
// the frames, the serial port and the engine need no screen.
int main(int argc, char **argv)
{
    QCoreApplication app(argc, argv);
    QLocale::setDefault(QLocale(QLocale::Russian, QLocale::Russia));
    ::testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
