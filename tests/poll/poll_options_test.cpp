// The command line: what it accepts, and the one line that names a refused option and its range.
#include "poll/poll_options.h"

#include <gtest/gtest.h>

using namespace orv;

namespace {

ParsedCommandLine Parse(const QString &line)
{
    LinkSettings file;   // what Orvessa.ini gave
    file.ResponseWaitTime = 200;
    file.NextTransmitTime = 250;
    return ParsePollCommandLine(line.split(QLatin1Char(' '), Qt::SkipEmptyParts),
                                [file](const QString &) { return file; });
}

} // namespace

TEST(PollOptions, AcceptedLines)
{
    const ParsedCommandLine a = Parse(QStringLiteral("-a 1,2,5-7 -f 33 --variables 0,1,4,11 -c 5 -l 2.5 -F json COM3"));
    ASSERT_EQ(a.action, ParsedCommandLine::Action::Run) << a.error.toStdString();
    EXPECT_EQ(a.options.addresses, (std::vector<std::uint8_t>{1, 2, 5, 6, 7}));
    EXPECT_EQ(a.options.command, 33);
    EXPECT_EQ(a.options.variables, (std::array<VariableCode, 4>{{0, 1, 4, 11}}));
    EXPECT_EQ(a.options.count, 5);
    EXPECT_EQ(a.options.periodMs, 2500);
    EXPECT_EQ(a.options.format, OutputFormat::Json);
    EXPECT_EQ(a.options.port, QStringLiteral("COM3"));
    // Link times not given come from the settings file.
    EXPECT_EQ(a.options.link.ResponseWaitTime, 200);
    EXPECT_EQ(a.options.link.NextTransmitTime, 250);

    const ParsedCommandLine b =
        Parse(QStringLiteral("-1 -a0 -b 19200 -d 7 -p even -s 2 -t 100 -n 150 -w 0 -4 --rs485-delay 3 /dev/ttyUSB0"));
    ASSERT_EQ(b.action, ParsedCommandLine::Action::Run) << b.error.toStdString();
    EXPECT_EQ(b.options.count, 1);
    EXPECT_EQ(b.options.addresses, std::vector<std::uint8_t>{0});
    EXPECT_EQ(b.options.line.baudrate, br19200);
    EXPECT_EQ(b.options.line.databits, db7);
    EXPECT_EQ(b.options.line.parity, paEven);
    EXPECT_EQ(b.options.line.stopbits, sb2);
    EXPECT_EQ(b.options.link.ResponseWaitTime, 100);
    EXPECT_EQ(b.options.link.NextTransmitTime, 150);
    EXPECT_EQ(b.options.link.PostTransmitDelay, 0);
    EXPECT_TRUE(b.options.link.Rs485Mode);
    EXPECT_EQ(b.options.link.Rs485Delay, 3);

    const ParsedCommandLine c = Parse(QStringLiteral("--scan 0-255 -b 1200 emulator:1,4-6"));
    ASSERT_EQ(c.action, ParsedCommandLine::Action::Run) << c.error.toStdString();
    EXPECT_TRUE(c.options.scan);
    EXPECT_EQ(c.options.scanTo, 255);
    EXPECT_EQ(c.options.line.baudrate, br1200);
    EXPECT_EQ(c.options.emulatorGauges, (std::vector<std::uint8_t>{1, 4, 5, 6}));
    // A rate with no name of its own goes as a user rate.
    EXPECT_EQ(Parse(QStringLiteral("-a 1 -b 250000 COM1")).options.line.baudrate, brUser);
    EXPECT_EQ(Parse(QStringLiteral("--help")).action, ParsedCommandLine::Action::Help);
    EXPECT_EQ(Parse(QStringLiteral("-V")).action, ParsedCommandLine::Action::Version);
}

TEST(PollOptions, RefusedLinesNameTheOptionAndWhatItAccepts)
{
    struct Case {
        const char *line;
        const char *said;   // the message holds this
    };
    const Case cases[] = {
        {"-a 1 -b 0 COM1", "--baud: «0» — допустимо целое 50..4000000"},
        {"-a 1 -d 9 COM1", "--databits: «9» — допустимо целое 5..8"},
        {"-a 1 -p high COM1", "--parity: «high» — допустимо none|odd|even|mark|space"},
        {"-a 1 -s 3 COM1", "--stopbits: «3» — допустимо 1|1.5|2"},
        {"-a 1 -s 1.5 COM1", "--stopbits 1.5 с --databits 8"},
        {"-a 1 -t 0 COM1", "--timeout: «0» — допустимо целое 1..60000"},
        {"-a 1 -n abc COM1", "--next-transmit: «abc» — допустимо целое 1..600000"},
        // The poll spacing goes as far as the program's own settings allow.
        {"-a 1 -n 600001 COM1", "--next-transmit: «600001» — допустимо целое 1..600000"},
        {"-a 1 -w 5000 COM1", "--post-transmit: «5000» — допустимо целое 0..1000"},
        {"-a 1 -c 0 COM1", "--count: «0» — допустимо целое 1..1000000000"},
        {"-a 1 -l 0.01 COM1", "--period: «0.01» — допустимо 0.1..86400 секунд"},
        {"-a 1 -F xml COM1", "--format: «xml» — допустимо text|csv|json"},
        {"-a 1 -f 6 COM1", "--command: «6» — допустимо 1, 3 или 33"},
        {"-a 1 -f 33 --variables 0,1,5,2 COM1", "--variables: «0,1,5,2» — допустимо четыре кода"},
        {"-a 1 --variables 0,1,2,3 COM1", "--variables: только с --command 33"},
        {"-a 256 COM1", "--address: «256» — допустимы адреса 0..255"},
        {"-a 1,1 COM1", "--address: адрес 1 указан дважды"},
        {"-a 0-10 --survey x COM1", "--survey: не более 10 адресов"},
        {"COM1", "--address: не указаны адреса"},
        {"-a 1", "не указан порт"},
        {"-a 1 COM1 COM2", "лишний аргумент «COM2»"},
        {"--scan 5-3 COM1", "--scan: «5-3» — допустимо ОТ-ДО в пределах 0..255"},
        {"--scan 0-15 -a 1 COM1", "--scan: без --address"},
        {"-a 1 --bogus COM1", "неизвестный ключ --bogus"},
        {"-a 1 -1 -c 3 COM1", "--once и --count 3"},
        {"-a 1 emulator:0-12", "emulator или emulator:СПИСОК, до 10 адресов"},
    };
    for (const Case &c : cases) {
        const ParsedCommandLine parsed = Parse(QString::fromUtf8(c.line));
        EXPECT_EQ(parsed.action, ParsedCommandLine::Action::Error) << c.line;
        EXPECT_TRUE(parsed.error.contains(QString::fromUtf8(c.said))) << c.line << " -> " << parsed.error.toStdString();
        EXPECT_FALSE(parsed.error.contains(QLatin1Char('\n'))) << c.line;
    }
    // A link time from the settings file that could never work is refused like a typed one.
    const ParsedCommandLine fromFile = ParsePollCommandLine({QStringLiteral("-a1"), QStringLiteral("COM1")}, [](const QString &) {
        LinkSettings bad;
        bad.ResponseWaitTime = -5;
        return bad;
    });
    EXPECT_EQ(fromFile.action, ParsedCommandLine::Action::Error);
    EXPECT_TRUE(fromFile.error.startsWith(QStringLiteral("--timeout: «-5»"))) << fromFile.error.toStdString();
}
