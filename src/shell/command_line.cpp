#include "shell/command_line.h"

#include <QCommandLineParser>
#include <QCoreApplication>

#include <cstring>

namespace orv {

CommandLineOutcome ReadCommandLine(const QStringList &arguments)
{
    QCommandLineParser parser;
    parser.setApplicationDescription(QStringLiteral("Программа для работы с цифровыми манометрами КВ-310"));
    const QCommandLineOption help = parser.addHelpOption();
    const QCommandLineOption version = parser.addVersionOption();

    CommandLineOutcome outcome;
    const QString program = QCoreApplication::applicationName();
    if (!parser.parse(arguments) || !parser.positionalArguments().isEmpty()) {
        const QString what = parser.errorText().isEmpty()
                                 ? QStringLiteral("Лишний аргумент «%1».").arg(parser.positionalArguments().first())
                                 : parser.errorText();
        outcome.run = false;
        outcome.exitCode = 2;
        outcome.err = QStringLiteral("%1: %2\nСправка: %3 --help\n").arg(program, what, arguments.value(0, program));
    } else if (parser.isSet(version)) {
        outcome.run = false;
        outcome.out = QStringLiteral("%1 %2\n").arg(program, QCoreApplication::applicationVersion());
    } else if (parser.isSet(QStringLiteral("help-all"))) {
        parser.process(arguments);   // prints the help with Qt's own options and ends the process
    } else if (parser.isSet(help)) {
        outcome.run = false;
        outcome.out = parser.helpText();
    }
    return outcome;
}

bool AsksOnlyForAnAnswer(int argc, char **argv)
{
    for (int i = 1; i < argc; ++i) {
        for (const char *option : {"-h", "-?", "--help", "--help-all", "-v", "--version"})
            if (std::strcmp(argv[i], option) == 0)
                return true;
    }
    return false;
}

} // namespace orv
