#include "shell/app_windows.h"
#include "shell/command_line.h"
#include "shell/main_window.h"
#include "shell/toolkit_translations.h"

#include <QApplication>
#include <QLocale>

#include <cstdio>

int main(int argc, char **argv)
{
    // --help and --version answer in a terminal without a display, and open no window anywhere.
    if (orv::AsksOnlyForAnAnswer(argc, argv) && qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("Orvessa"));
    QApplication::setApplicationVersion(QStringLiteral(ORVESSA_VERSION));
    QGuiApplication::setDesktopFileName(QStringLiteral("org.orvessa.Orvessa"));

    // The interface is Russian; numbers and dates follow the user's locale, and a system without
    // one (the "C" locale) gets the Russian conventions the texts are written for.
    if (QLocale::system().language() == QLocale::C)
        QLocale::setDefault(QLocale(QLocale::Russian, QLocale::Russia));
    orv::InstallToolkitTranslations(&app);

    const orv::CommandLineOutcome command = orv::ReadCommandLine(QApplication::arguments());
    if (!command.run) {
        std::fputs(command.out.toLocal8Bit().constData(), stdout);
        std::fputs(command.err.toLocal8Bit().constData(), stderr);
        return command.exitCode;
    }

    const auto windows = orv::CreateAppWindows({});
    windows->Form1->showMaximized();
    return app.exec();
}
