#pragma once
// The command line of orvessa-poll: what to poll, how, and where the readings go. Parsing only:
// nothing here opens a port, so a bad value is refused before anything is sent.
#include "gauge/variable_catalogue.h"
#include "link/link_settings.h"
#include "link/serial_line_settings.h"

#include <QString>
#include <QStringList>

#include <array>
#include <cstdint>
#include <functional>
#include <vector>

namespace orv {

enum class OutputFormat { Text, Csv, Json };

struct PollOptions {
    QString port;                         // as typed: COM3, /dev/ttyUSB0, ttyUSB0, emulator
    std::vector<std::uint8_t> emulatorGauges;   // "emulator:1,4-6"; none named: the emulator's own
    LineSettings line;
    LinkSettings link;
    std::vector<std::uint8_t> addresses;
    std::uint8_t command = 1;
    std::array<VariableCode, 4> variables{{0, 1, 2, 3}};
    int count = 0;                        // cycles; 0: until interrupted
    int periodMs = 1000;                  // from the start of one cycle to the start of the next
    OutputFormat format = OutputFormat::Text;
    QString surveyName;                   // empty: no survey files
    bool overwrite = false;
    bool scan = false;
    int scanFrom = 0;
    int scanTo = 15;
    bool trace = false;                   // the trace log to standard error
    QString settingsPath;                 // the Orvessa.ini whose link times are the defaults

    bool Emulator() const { return port.startsWith(QLatin1String("emulator"), Qt::CaseInsensitive); }
};

struct ParsedCommandLine {
    enum class Action { Run, Help, Version, Error };
    Action action = Action::Error;
    PollOptions options;
    QString error;   // one line naming the option and what it accepts
};

// The link times an Orvessa.ini gives (path empty: where the program looks for it); a line that
// cannot be read gives its default and a warning.
using SettingsLoader = std::function<LinkSettings(const QString &path)>;

// `arguments` without the program name.
ParsedCommandLine ParsePollCommandLine(const QStringList &arguments, const SettingsLoader &loadSettings);

// "1,2,5-7" within 0..255, each address once; false with the reason otherwise.
bool ParseAddressList(const QString &text, std::vector<std::uint8_t> *addresses, QString *why);

// The --help text.
QString PollUsageText();

} // namespace orv
