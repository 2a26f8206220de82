#include <QApplication>
#include <QMainWindow>

int main(int argc, char **argv)
{
    QApplication app(argc, argv);
    QMainWindow window;
    window.setWindowTitle(QStringLiteral("Программа для работы с цифровыми манометрами КВ-310"));
    window.showMaximized();
    return app.exec();
}
