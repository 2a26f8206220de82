#include "shell/app_windows.h"
#include "shell/main_window.h"
#include "shell/toolkit_translations.h"

#include <QApplication>
#include <QLocale>

int main(int argc, char **argv)
{
    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("Orvessa"));

    // The interface is Russian; numbers and dates follow the user's locale, and a system without
    // one (the "C" locale) gets the Russian conventions the texts are written for.
    if (QLocale::system().language() == QLocale::C)
        QLocale::setDefault(QLocale(QLocale::Russian, QLocale::Russia));
    orv::InstallToolkitTranslations(&app);

    const auto windows = orv::CreateAppWindows({});
    windows->Form1->showMaximized();
    return app.exec();
}
