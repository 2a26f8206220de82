#include "poll/poll_options.h"

#include <QCommandLineOption>
#include <QCommandLineParser>
#include <QRegularExpression>

#include <cmath>
#include <optional>

namespace orv {

namespace {

constexpr int MaxAddress = 255;
constexpr int MaxCount = 1000000000;
constexpr double MinPeriodS = 0.1;
constexpr double MaxPeriodS = 86400.0;
constexpr int MinRate = 50;
constexpr int MaxRate = 4000000;

QString OutOfRange(const QString &option, const QString &value, const QString &range)
{
    return QStringLiteral("%1: «%2» — допустимо %3").arg(option, value, range);
}

std::optional<int> IntegerIn(const QString &text, int low, int high)
{
    bool ok = false;
    const qlonglong value = text.trimmed().toLongLong(&ok, 10);
    if (!ok || value < low || value > high)
        return std::nullopt;
    return static_cast<int>(value);
}

// Names of the standard rates the port component knows; any other rate goes as a user rate.
BaudRateSetting RateSetting(int rate)
{
    switch (rate) {
    case 110: return br110;
    case 300: return br300;
    case 600: return br600;
    case 1200: return br1200;
    case 2400: return br2400;
    case 4800: return br4800;
    case 9600: return br9600;
    case 14400: return br14400;
    case 19200: return br19200;
    case 38400: return br38400;
    case 56000: return br56000;
    case 57600: return br57600;
    case 115200: return br115200;
    case 128000: return br128000;
    case 256000: return br256000;
    default: return brUser;
    }
}

QString CatalogueCodesText()
{
    QStringList codes;
    for (const CatalogueEntry &e : VariableCatalogue())
        codes << QString::number(e.variableCode);
    return codes.join(QLatin1Char(','));
}

struct Spec {
    QStringList names;
    const char *valueName;   // nullptr: a flag
};

} // namespace

bool ParseAddressList(const QString &text, std::vector<std::uint8_t> *addresses, QString *why)
{
    static const QRegularExpression item(QStringLiteral("^\\s*(\\d{1,3})\\s*(?:-\\s*(\\d{1,3})\\s*)?$"));
    std::vector<std::uint8_t> out;
    std::array<bool, MaxAddress + 1> seen{};
    for (const QString &part : text.split(QLatin1Char(','))) {
        const QRegularExpressionMatch m = item.match(part);
        if (!m.hasMatch()) {
            *why = QStringLiteral("«%1» — не адрес и не диапазон адресов (0..255, например 1,2,5-7)").arg(part);
            return false;
        }
        const int from = m.captured(1).toInt();
        const int to = m.captured(2).isEmpty() ? from : m.captured(2).toInt();
        if (from > MaxAddress || to > MaxAddress || from > to) {
            *why = QStringLiteral("«%1» — допустимы адреса 0..255, диапазон от меньшего к большему").arg(part.trimmed());
            return false;
        }
        for (int a = from; a <= to; ++a) {
            if (seen[static_cast<std::size_t>(a)]) {
                *why = QStringLiteral("адрес %1 указан дважды").arg(a);
                return false;
            }
            seen[static_cast<std::size_t>(a)] = true;
            out.push_back(static_cast<std::uint8_t>(a));
        }
    }
    *addresses = std::move(out);
    return true;
}

ParsedCommandLine ParsePollCommandLine(const QStringList &arguments, const SettingsLoader &loadSettings)
{
    ParsedCommandLine result;
    const auto fail = [&result](const QString &error) {
        result.action = ParsedCommandLine::Action::Error;
        result.error = error;
        return result;
    };

    QCommandLineParser parser;
    parser.setSingleDashWordOptionMode(QCommandLineParser::ParseAsCompactedShortOptions);
    const Spec specs[] = {
        {{QStringLiteral("a"), QStringLiteral("address")}, "list"},
        {{QStringLiteral("f"), QStringLiteral("command")}, "n"},
        {{QStringLiteral("variables")}, "codes"},
        {{QStringLiteral("c"), QStringLiteral("count")}, "n"},
        {{QStringLiteral("1"), QStringLiteral("once")}, nullptr},
        {{QStringLiteral("l"), QStringLiteral("period")}, "s"},
        {{QStringLiteral("F"), QStringLiteral("format")}, "f"},
        {{QStringLiteral("survey")}, "name"},
        {{QStringLiteral("overwrite")}, nullptr},
        {{QStringLiteral("scan")}, "range"},
        {{QStringLiteral("b"), QStringLiteral("baud")}, "rate"},
        {{QStringLiteral("d"), QStringLiteral("databits")}, "n"},
        {{QStringLiteral("p"), QStringLiteral("parity")}, "p"},
        {{QStringLiteral("s"), QStringLiteral("stopbits")}, "n"},
        {{QStringLiteral("t"), QStringLiteral("timeout")}, "ms"},
        {{QStringLiteral("n"), QStringLiteral("next-transmit")}, "ms"},
        {{QStringLiteral("w"), QStringLiteral("post-transmit")}, "ms"},
        {{QStringLiteral("rs485-delay")}, "ms"},
        {{QStringLiteral("4"), QStringLiteral("rs485")}, nullptr},
        {{QStringLiteral("settings")}, "file"},
        {{QStringLiteral("trace")}, nullptr},
        {{QStringLiteral("h"), QStringLiteral("help")}, nullptr},
        {{QStringLiteral("V"), QStringLiteral("version")}, nullptr},
    };
    for (const Spec &spec : specs) {
        QCommandLineOption option(spec.names);
        if (spec.valueName)
            option.setValueName(QString::fromLatin1(spec.valueName));
        parser.addOption(option);
    }
    parser.addPositionalArgument(QStringLiteral("port"), QString());

    if (!parser.parse(QStringList{QStringLiteral("orvessa-poll")} + arguments)) {
        const QStringList unknown = parser.unknownOptionNames();
        if (!unknown.isEmpty())
            return fail(QStringLiteral("неизвестный ключ %1%2")
                            .arg(unknown.first().size() == 1 ? QStringLiteral("-") : QStringLiteral("--"),
                                 unknown.first()));
        return fail(parser.errorText());
    }
    if (parser.isSet(QStringLiteral("help"))) {
        result.action = ParsedCommandLine::Action::Help;
        return result;
    }
    if (parser.isSet(QStringLiteral("version"))) {
        result.action = ParsedCommandLine::Action::Version;
        return result;
    }

    PollOptions &o = result.options;
    const QStringList positional = parser.positionalArguments();
    if (positional.isEmpty())
        return fail(QStringLiteral("не указан порт (COM3, /dev/ttyUSB0 или emulator)"));
    if (positional.size() > 1)
        return fail(QStringLiteral("указан лишний аргумент «%1»: порт только один").arg(positional.at(1)));
    o.port = positional.first();
    if (o.Emulator()) {
        const QString gauges = o.port.mid(QStringLiteral("emulator").size());
        if (!gauges.isEmpty()) {
            QString why;
            if (!gauges.startsWith(QLatin1Char(':')) || !ParseAddressList(gauges.mid(1), &o.emulatorGauges, &why) ||
                o.emulatorGauges.empty() || o.emulatorGauges.size() > 10)
                return fail(QStringLiteral("порт %1: emulator или emulator:СПИСОК, до 10 адресов 0..255").arg(o.port));
        }
    }

    const auto value = [&parser](const char *name) { return parser.value(QString::fromLatin1(name)); };
    const auto isSet = [&parser](const char *name) { return parser.isSet(QString::fromLatin1(name)); };
    // Integer options: the long name, the accepted range, and where the value goes.
    struct IntegerOption {
        const char *name;
        int low;
        int high;
        int *target;
        bool fromFile;   // the default comes from the settings file
    };
    int rate = 9600;
    int databits = 8;
    o.settingsPath = value("settings");
    o.link = loadSettings(o.settingsPath);
    const IntegerOption integers[] = {
        {"count", 1, MaxCount, &o.count, false},
        {"baud", MinRate, MaxRate, &rate, false},
        {"databits", 5, 8, &databits, false},
        {"timeout", ResponseWaitRange.min, ResponseWaitRange.max, &o.link.ResponseWaitTime, true},
        {"next-transmit", NextTransmitRange.min, NextTransmitRange.max, &o.link.NextTransmitTime, true},
        // In the file, a delay of 0 or less means none.
        {"post-transmit", PostTransmitDelayRange.min, PostTransmitDelayRange.max, &o.link.PostTransmitDelay, false},
        {"rs485-delay", Rs485DelayRange.min, Rs485DelayRange.max, &o.link.Rs485Delay, false},
    };
    for (const IntegerOption &option : integers) {
        const QString name = QStringLiteral("--") + QString::fromLatin1(option.name);
        const QString range = QStringLiteral("целое %1..%2").arg(option.low).arg(option.high);
        if (isSet(option.name)) {
            const std::optional<int> v = IntegerIn(value(option.name), option.low, option.high);
            if (!v)
                return fail(OutOfRange(name, value(option.name), range));
            *option.target = *v;
        } else if (option.fromFile && (*option.target < option.low || *option.target > option.high)) {
            // A link time from the settings file that could never work is refused like a typed one.
            return fail(OutOfRange(name, QString::number(*option.target), range) +
                        QStringLiteral(" (значение из Orvessa.ini; задайте ключ)"));
        }
    }
    if (isSet("rs485"))
        o.link.Rs485Mode = true;
    if (isSet("once")) {
        if (isSet("count") && o.count != 1)
            return fail(QStringLiteral("--once и --count %1: выберите одно").arg(o.count));
        o.count = 1;
    }
    o.trace = isSet("trace");

    o.line.baudrate = RateSetting(rate);
    o.line.userBaudrate = rate;
    o.line.databits = static_cast<DataBitsSetting>(db4 + (databits - 4));
    if (isSet("parity")) {
        const QStringList parities{QStringLiteral("none"), QStringLiteral("odd"), QStringLiteral("even"),
                                   QStringLiteral("mark"), QStringLiteral("space")};
        const int i = static_cast<int>(parities.indexOf(value("parity").toLower()));
        if (i < 0)
            return fail(OutOfRange(QStringLiteral("--parity"), value("parity"), parities.join(QLatin1Char('|'))));
        o.line.parity = static_cast<ParitySetting>(paNone + i);
    }
    if (isSet("stopbits")) {
        const QStringList stops{QStringLiteral("1"), QStringLiteral("1.5"), QStringLiteral("2")};
        const int i = static_cast<int>(stops.indexOf(value("stopbits")));
        if (i < 0)
            return fail(OutOfRange(QStringLiteral("--stopbits"), value("stopbits"), stops.join(QLatin1Char('|'))));
        o.line.stopbits = static_cast<StopBitsSetting>(sb1 + i);
    }
    if (CheckLineSettings(o.line) != 0)
        return fail(QStringLiteral("--stopbits %1 с --databits %2: 1.5 стоповых бита только при 5 битах данных, 2 — "
                                   "только при 6..8")
                        .arg(o.line.stopbits == sb15 ? QStringLiteral("1.5") : QStringLiteral("2"))
                        .arg(databits));

    if (isSet("period")) {
        bool ok = false;
        const double seconds = value("period").toDouble(&ok);
        if (!ok || !std::isfinite(seconds) || seconds < MinPeriodS || seconds > MaxPeriodS)
            return fail(OutOfRange(QStringLiteral("--period"), value("period"),
                                   QStringLiteral("%1..%2 секунд").arg(MinPeriodS).arg(MaxPeriodS)));
        o.periodMs = static_cast<int>(std::lround(seconds * 1000.0));
    }
    if (isSet("format")) {
        const QStringList formats{QStringLiteral("text"), QStringLiteral("csv"), QStringLiteral("json")};
        const int i = static_cast<int>(formats.indexOf(value("format").toLower()));
        if (i < 0)
            return fail(OutOfRange(QStringLiteral("--format"), value("format"), formats.join(QLatin1Char('|'))));
        o.format = static_cast<OutputFormat>(i);
    }
    if (isSet("command")) {
        const QString text = value("command").trimmed();
        if (text != QLatin1String("1") && text != QLatin1String("3") && text != QLatin1String("33"))
            return fail(OutOfRange(QStringLiteral("--command"), value("command"), QStringLiteral("1, 3 или 33")));
        o.command = static_cast<std::uint8_t>(text.toInt());
    }
    if (isSet("variables")) {
        const QStringList parts = value("variables").split(QLatin1Char(','));
        const QString accepted = QStringLiteral("четыре кода через запятую из %1").arg(CatalogueCodesText());
        if (parts.size() != 4)
            return fail(OutOfRange(QStringLiteral("--variables"), value("variables"), accepted));
        for (int i = 0; i < 4; ++i) {
            const std::optional<int> code = IntegerIn(parts[i], 0, 255);
            if (!code || !CatalogueEntryOfCode(static_cast<VariableCode>(*code)))
                return fail(OutOfRange(QStringLiteral("--variables"), value("variables"), accepted));
            o.variables[static_cast<std::size_t>(i)] = static_cast<VariableCode>(*code);
        }
        if (o.command != 33)
            return fail(QStringLiteral("--variables: только с --command 33"));
    }

    if (isSet("scan")) {
        static const QRegularExpression range(QStringLiteral("^\\s*(\\d{1,3})\\s*-\\s*(\\d{1,3})\\s*$"));
        const QRegularExpressionMatch m = range.match(value("scan"));
        const int from = m.hasMatch() ? m.captured(1).toInt() : -1;
        const int to = m.hasMatch() ? m.captured(2).toInt() : -1;
        if (!m.hasMatch() || from > to || to > MaxAddress)
            return fail(OutOfRange(QStringLiteral("--scan"), value("scan"),
                                   QStringLiteral("ОТ-ДО в пределах 0..255, например 0-15")));
        if (isSet("address") || isSet("survey") || isSet("command"))
            return fail(QStringLiteral("--scan: без --address, --command и --survey (поиск шлёт команду 1 "
                                       "каждому адресу диапазона)"));
        o.scan = true;
        o.scanFrom = from;
        o.scanTo = to;
        result.action = ParsedCommandLine::Action::Run;
        return result;
    }

    if (!isSet("address"))
        return fail(QStringLiteral("--address: не указаны адреса приборов (0..255, например 1,2,5-7)"));
    QString why;
    if (!ParseAddressList(value("address"), &o.addresses, &why))
        return fail(QStringLiteral("--address: ") + why);
    if (isSet("survey")) {
        o.surveyName = value("survey");
        if (o.surveyName.isEmpty())
            return fail(QStringLiteral("--survey: пустое имя файла"));
        if (o.addresses.size() > 10)
            return fail(QStringLiteral("--survey: не более 10 адресов (по файлу на прибор, как в окне регистрации), "
                                       "указано %1")
                            .arg(o.addresses.size()));
    }
    o.overwrite = isSet("overwrite");
    result.action = ParsedCommandLine::Action::Run;
    return result;
}

} // namespace orv
