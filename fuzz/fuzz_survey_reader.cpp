// Any file contents through the survey file reader, for every data and time axis.
// Properties: reading the whole content at once and reading the file line by line give the
// same graph; the points are counted (one X per Y, never more than the cap, the cap flagged
// only when reached); every Y lies between the minimum and the maximum, whose texts read back
// to them; X ascends; a conversion error leaves nothing loaded.
// The first input byte picks the axes; when it is 0xFF, the next two bytes say how many times the
// rest is repeated, so the 30000-point cap is in reach of small inputs (one case only, as those
// runs are slow).
#include "fuzz_check.h"

#include "graph/survey_file_reader.h"

#include <QFile>

#include <algorithm>
#include <cmath>

using namespace orv;

extern "C" int LLVMFuzzerInitialize(int *, char ***)
{
    fuzz::UseRussianLocale();
    return 0;
}

namespace {

void CheckSame(const SurveyGraphData &a, const SurveyGraphData &b)
{
    FUZZ_CHECK(a.device == b.device && a.address == b.address && a.unit == b.unit, "same header fields");
    FUZZ_CHECK(a.x == b.x && a.y == b.y, "same points");
    FUZZ_CHECK(a.capped == b.capped && a.conversionError == b.conversionError, "same verdict");
    FUZZ_CHECK(a.damagedLinesSkipped == b.damagedLinesSkipped && a.missingValuesSkipped == b.missingValuesSkipped,
               "same skipped lines");
}

void CheckGraph(const SurveyGraphData &g, const QLocale &locale)
{
    FUZZ_CHECK(g.x.size() == g.y.size(), "one X per Y");
    FUZZ_CHECK(g.PointCount() <= MaxGraphPoints, "the point cap holds");
    FUZZ_CHECK(!g.capped || g.PointCount() == MaxGraphPoints, "capped only at the cap");
    if (!g.conversionError.isEmpty())
        FUZZ_CHECK(g.PointCount() == 0, "a conversion error loads nothing");
    FUZZ_CHECK(std::is_sorted(g.x.begin(), g.x.end()), "X ascends");
    if (g.y.empty())
        return;
    FUZZ_CHECK(g.minimum <= g.maximum, "minimum <= maximum");
    for (const double y : g.y)
        FUZZ_CHECK(std::isfinite(y) && y >= g.minimum && y <= g.maximum, "every Y within minimum and maximum");
    FUZZ_CHECK(std::find(g.y.begin(), g.y.end(), g.minimum) != g.y.end() &&
                   std::find(g.y.begin(), g.y.end(), g.maximum) != g.y.end(),
               "minimum and maximum are points");
    QLocale strict = locale;
    strict.setNumberOptions(strict.numberOptions() | QLocale::RejectGroupSeparator);
    FUZZ_CHECK(strict.toDouble(g.minimumText) == g.minimum && strict.toDouble(g.maximumText) == g.maximum,
               "the minimum and maximum texts are those of the values");
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const unsigned char *data, std::size_t size)
{
    fuzz::InputBytes in(data, size);
    const unsigned char pick = in.Byte();
    const auto axis = static_cast<DataAxisKind>((pick & 7) % 5);
    const auto timeAxis = static_cast<TimeAxisKind>(((pick >> 3) & 3) % 3);
    int repeats = 1;
    if (pick == 0xFF) {
        repeats = 1 + (in.Byte() | (in.Byte() << 8)) % 40000;
        // Repeating a long text would only make the run slow, not reach anything new.
        if (in.RestSize() > 96)
            repeats = 1;
    }
    const QByteArray once(reinterpret_cast<const char *>(in.Rest()), static_cast<qsizetype>(in.RestSize()));
    const QByteArray content = once.repeated(repeats);
    const QLocale locale;

    const SurveyGraphData whole = ParseSurveyBytes(content, axis, timeAxis, locale);
    CheckGraph(whole, locale);

    const QString path = fuzz::ScratchFolder()->filePath(QStringLiteral("survey.txt"));
    {
        QFile file(path);
        FUZZ_CHECK(file.open(QIODevice::WriteOnly | QIODevice::Truncate), "scratch file opens");
        FUZZ_CHECK(file.write(content) == content.size(), "scratch file written");
    }
    const std::optional<SurveyGraphData> read = ReadSurveyFile(path, axis, timeAxis, locale);
    FUZZ_CHECK(read.has_value(), "the file reads");
    CheckSame(whole, *read);
    return 0;
}
