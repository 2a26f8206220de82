#pragma once
// The program's command line: --help and --version answer and end the run before any window exists.
// Qt's own options (-platform, -style, ...) are taken by QApplication before these are read.
#include <QString>
#include <QStringList>

namespace orv {

struct CommandLineOutcome {
    bool run = true;     // false: print the texts and end with exitCode
    int exitCode = 0;    // 0 after --help/--version, 2 for a command line the program does not take
    QString out;         // for standard output
    QString err;         // for standard error
};

// arguments as QCoreApplication::arguments() gives them, the program's name first.
CommandLineOutcome ReadCommandLine(const QStringList &arguments);

// True when the arguments ask only for an answer (help or version): no display is needed then.
bool AsksOnlyForAnAnswer(int argc, char **argv);

} // namespace orv
