// The value texts the user types and sees, and the settings file with the poll spacing
// arithmetic on what it loads. The first input byte picks the case:
//   0  a float text: when accepted, its bytes are those of an independent reading of the same
//      text, and the display text of those bytes reads back to within its last digit;
//   1  an integer text: when accepted, the value's decimal and hexadecimal texts read back to it;
//   2  four bytes of a single: the display text of a finite value is accepted and reads back to
//      within its last digit;
//   3  a settings file: whatever link times it holds, the poll schedule gives intervals of
//      0 .. spacing and a lead of 0 .. 4 ms, without overflow (the sanitizer checks that).
#include "fuzz_check.h"

#include "link/settings_file.h"
#include "link/value_text.h"
#include "registration/poll_schedule.h"

#include <QFile>

#include <algorithm>
#include <charconv>
#include <cmath>
#include <cstring>
#include <string>

using namespace orv;

namespace {

const QChar Comma = QLatin1Char(',');

float FloatOf(const FloatBytes &b)
{
    const std::uint32_t bits = (std::uint32_t(b[0]) << 24) | (std::uint32_t(b[1]) << 16) |
                               (std::uint32_t(b[2]) << 8) | std::uint32_t(b[3]);
    float value;
    std::memcpy(&value, &bits, sizeof value);
    return value;
}

// The display text of a finite single is accepted and reads back to within one and a half units
// of its seventh digit (half a unit of rounding, at most 0.6 of the single's own spacing). Not
// always to the same text: where singles lie further apart than that unit
// (1,000000e+28 reads back as the single shown 9,999999e+27), seven digits cannot name each one.
void CheckDisplayReadsBack(const FloatBytes &b)
{
    const QString shown = FloatBytesToText(b[0], b[1], b[2], b[3], Comma);
    const std::optional<FloatBytes> again = TextToFloatBytes(shown, Comma);
    FUZZ_CHECK(again.has_value(), "the display text of a finite single is accepted");
    const double value = FloatOf(b);
    const double unit = std::max(std::pow(10.0, std::floor(std::log10(std::fabs(value) + 1e-300)) - 6), 1e-7);
    FUZZ_CHECK(std::fabs(double(FloatOf(*again)) - value) <= 1.5 * unit, "the display text is the value to seven digits");
}

void FloatText(const QString &text)
{
    const std::optional<FloatBytes> bytes = TextToFloatBytes(text, Comma);
    if (!bytes)
        return;
    // The same text read by the standard library: trimmed, without a plus sign, with a point.
    QString plain = text;
    if (const int point = plain.indexOf(QLatin1Char('.')); point >= 0)
        plain[point] = Comma;
    plain = plain.trimmed();
    if (plain.startsWith(QLatin1Char('+')))
        plain.remove(0, 1);
    plain.replace(Comma, QLatin1Char('.'));
    const std::string latin = plain.toStdString();
    float reference = 0;
    const auto [end, error] = std::from_chars(latin.data(), latin.data() + latin.size(), reference);
    FUZZ_CHECK(error == std::errc() || error == std::errc::result_out_of_range, "the standard reading accepts it");
    FUZZ_CHECK(end == latin.data() + latin.size(), "the standard reading takes the whole text");
    if (error == std::errc())
        FUZZ_CHECK(FloatOf(*bytes) == reference, "the same single as the standard reading");

    CheckDisplayReadsBack(*bytes);
}

void SingleBytes(fuzz::InputBytes &in)
{
    const FloatBytes b{in.Byte(), in.Byte(), in.Byte(), in.Byte()};
    if (!std::isfinite(FloatOf(b))) {
        FUZZ_CHECK(!TextToFloatBytes(FloatBytesToText(b[0], b[1], b[2], b[3], Comma), Comma),
                   "NAN and INF are not typed values");
        return;
    }
    CheckDisplayReadsBack(b);
}

void IntegerText(const QString &text)
{
    const std::optional<int> value = TextToInteger(text);
    if (!value)
        return;
    FUZZ_CHECK(TextToInteger(QString::number(*value)) == value, "the decimal text reads back");
    FUZZ_CHECK(TextToInteger(QStringLiteral("0x") + QString::number(static_cast<std::uint32_t>(*value), 16)) == value,
               "the hexadecimal text reads back");
    FUZZ_CHECK(TextToInteger(QLatin1Char(' ') + text) == value, "a blank in front changes nothing");
}

void SettingsAndSchedule(fuzz::InputBytes &in)
{
    const unsigned char lateness[10] = {in.Byte(), in.Byte(), in.Byte(), in.Byte(), in.Byte(),
                                        in.Byte(), in.Byte(), in.Byte(), in.Byte(), in.Byte()};
    const QString path = fuzz::ScratchFolder()->filePath(QStringLiteral("Orvessa.ini"));
    {
        QFile file(path);
        FUZZ_CHECK(file.open(QIODevice::WriteOnly | QIODevice::Truncate), "scratch file opens");
        file.write(reinterpret_cast<const char *>(in.Rest()), static_cast<qint64>(in.RestSize()));
    }
    const LinkSettings s = LoadSettingsFile(path).settings;
    const int spacing = s.NextTransmitTime;
    const int wait = s.ResponseWaitTime;
    const int lead = PollSchedule::TimerLead(spacing, wait);
    FUZZ_CHECK(lead >= 0 && lead <= 4, "the lead is 0 .. 4 ms");

    // Ten polls of a cycle, each going out when its timer fires plus some lateness.
    PollSchedule schedule;
    double now = 1000.0;
    schedule.StartCycle(now);
    for (const unsigned char late : lateness) {
        now += late;
        FUZZ_CHECK(std::isfinite(schedule.MsUntilDue(now)), "the due time is a time");
        const int interval = schedule.NextInterval(now, spacing, wait, lead);
        FUZZ_CHECK(interval >= 0 && interval <= std::max(0, spacing), "interval 0 .. spacing");
        now += interval + lead;
    }
}

} // namespace

extern "C" int LLVMFuzzerInitialize(int *, char ***)
{
    fuzz::UseRussianLocale();
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const unsigned char *data, std::size_t size)
{
    fuzz::InputBytes in(data, size);
    const unsigned char pick = in.Byte() % 4;
    const QString text = QString::fromUtf8(reinterpret_cast<const char *>(in.Rest()), static_cast<qsizetype>(in.RestSize()));
    switch (pick) {
    case 0:
        FloatText(text);
        break;
    case 1:
        IntegerText(text);
        break;
    case 2:
        SingleBytes(in);
        break;
    default:
        SettingsAndSchedule(in);
        break;
    }
    return 0;
}
