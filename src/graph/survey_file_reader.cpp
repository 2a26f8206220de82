#include "survey_file_reader.h"

#include "gauge/survey_format.h"
#include "graph_texts.h"
#include "survey_line_view.h"

#include <QFile>
#include <algorithm>
#include <cmath>
#include <cstring>
#include <numeric>

namespace orv {

namespace t = graph_texts;
using survey_line::AsciiLine;
using survey_line::IsAscii;
using survey_line::Key;
using survey_line::Utf16Line;
using survey_line::TextAfterUpToBlank;

const QStringList &DataAxisNames()
{
    static const QStringList names{t::AxisPressure, t::AxisCurrent, t::AxisUdif, t::AxisUm,
                                   t::AxisTemperature};
    return names;
}

const QStringList &TimeAxisNames()
{
    static const QStringList names{t::TimeKindTime, t::TimeKindDate, t::TimeKindTimeDate};
    return names;
}

std::optional<DataAxisKind> DataAxisFromName(const QString &name)
{
    const int i = DataAxisNames().indexOf(name);
    if (i < 0)
        return std::nullopt;
    return static_cast<DataAxisKind>(i);
}

std::optional<TimeAxisKind> TimeAxisFromName(const QString &name)
{
    const int i = TimeAxisNames().indexOf(name);
    if (i < 0)
        return std::nullopt;
    return static_cast<TimeAxisKind>(i);
}

namespace {

const Key &KeyOf(DataAxisKind axis)
{
    static const Key pressure(text::SurveyPressure()), current(text::SurveyCurrent()), udif(text::SurveyUdif()),
        um(text::SurveyUm()), temperature(text::SurveyTemperatureKey());
    switch (axis) {
    case DataAxisKind::Pressure: return pressure;
    case DataAxisKind::Current: return current;
    case DataAxisKind::Udif: return udif;
    case DataAxisKind::Um: return um;
    case DataAxisKind::Temperature: return temperature;
    }
    return pressure;
}

const Key &DeviceKey() { static const Key key(text::SurveyDeviceLineStart()); return key; }
const Key &AddrKey() { static const Key key(text::SurveyAddress()); return key; }
const Key &TimeKey() { static const Key key(text::SurveyTime()); return key; }
const Key &DateKey() { static const Key key(text::SurveyDate()); return key; }

// The unit named anywhere in the line, searched in the order of the unit list.
std::optional<QString> UnitInLine(DataAxisKind axis, const QString &line)
{
    switch (axis) {
    case DataAxisKind::Pressure:
        for (int i = 0; i < text::PressureUnitFileTexts().size(); ++i)
            if (line.contains(text::PressureUnitFileTexts().at(i)))
                return t::PressureUnitsShown[i];
        return std::nullopt;
    case DataAxisKind::Current:
        if (line.contains(text::CurrentFileUnit()))
            return t::CurrentUnitShown;
        return std::nullopt;
    case DataAxisKind::Temperature:
        // Shown as the file writes it.
        if (line.contains(text::TemperatureFileUnit()))
            return text::TemperatureFileUnit();
        return std::nullopt;
    case DataAxisKind::Udif:
    case DataAxisKind::Um:
        return std::nullopt;
    }
    return std::nullopt;
}

bool IsValidUtf8(QByteArrayView bytes)
{
    const auto *p = reinterpret_cast<const unsigned char *>(bytes.data());
    const qsizetype n = bytes.size();
    for (qsizetype i = 0; i < n;) {
        const unsigned char c = p[i];
        int follow = 0;
        unsigned minimum = 0;
        unsigned code = 0;
        if (c < 0x80) {
            ++i;
            continue;
        } else if ((c & 0xE0) == 0xC0) {
            follow = 1; minimum = 0x80; code = c & 0x1F;
        } else if ((c & 0xF0) == 0xE0) {
            follow = 2; minimum = 0x800; code = c & 0x0F;
        } else if ((c & 0xF8) == 0xF0) {
            follow = 3; minimum = 0x10000; code = c & 0x07;
        } else {
            return false;
        }
        if (i + follow >= n)
            return false;
        for (int k = 1; k <= follow; ++k) {
            if ((p[i + k] & 0xC0) != 0x80)
                return false;
            code = (code << 6) | (p[i + k] & 0x3F);
        }
        if (code < minimum || code > 0x10FFFF || (code >= 0xD800 && code <= 0xDFFF))
            return false;
        i += follow + 1;
    }
    return true;
}

template <class Piece>
bool IsNotANumberText(Piece s)
{
    if (s.startsWith(QLatin1Char('-')) || s.startsWith(QLatin1Char('+')))
        s = s.mid(1);
    return s.size() == 3 && (s.compare(QLatin1String("NAN"), Qt::CaseInsensitive) == 0 ||
                             s.compare(QLatin1String("INF"), Qt::CaseInsensitive) == 0);
}

} // namespace

SurveyFileParser::SurveyFileParser(DataAxisKind axis, TimeAxisKind timeAxis, const QLocale &locale)
    : axis_(axis),
      timeAxis_(timeAxis),
      numbers_(locale),
      dateTime_(locale),
      windows1251_("windows-1251", QStringDecoder::Flag::Stateless)
{
    data_.device = t::UnknownDevice;
}

QString SurveyFileParser::Decode(QByteArrayView bytes)
{
    if (firstLine_ && bytes.startsWith("\xEF\xBB\xBF"))
        bytes = bytes.sliced(3);
    firstLine_ = false;
    if (IsAscii(bytes))
        return QString::fromLatin1(bytes.data(), bytes.size());
    // The program writes Windows-1251; a file saved by an editor may be UTF-8. A line of
    // Windows-1251 Cyrillic is practically never valid UTF-8, so each line tells by itself.
    if (IsValidUtf8(bytes))
        return QString::fromUtf8(bytes.data(), bytes.size());
    if (windows1251_.isValid())
        return windows1251_.decode(bytes);
    return QString::fromLatin1(bytes.data(), bytes.size());
}

bool SurveyFileParser::AddLine(QByteArrayView raw, bool terminated)
{
    bool damaged = !terminated;
    if (raw.endsWith('\n'))
        raw.chop(1);
    if (raw.endsWith('\r'))
        raw.chop(1);
    if (IsAscii(raw) && !raw.contains('\0')) {
        // Nearly every line: no decoding needed.
        firstLine_ = false;
        return ProcessLine(AsciiLine(raw), damaged);
    }
    QString line;
    if (raw.contains('\0')) {
        // A power cut can leave the end of the file filled with NUL bytes.
        damaged = true;
        QByteArray clean = raw.toByteArray();
        clean.replace('\0', QByteArrayView());
        line = Decode(clean);
    } else {
        line = Decode(raw);
    }
    return ProcessLine(Utf16Line(line), damaged);
}

template <class Line>
bool SurveyFileParser::ProcessLine(const Line &line, bool damaged)
{
    using Piece = typename Line::Piece;
    if (auto device = TextAfterUpToBlank(line, DeviceKey()))
        data_.device = device->toString();
    if (auto address = TextAfterUpToBlank(line, AddrKey()); address && data_.address != *address)
        data_.address = address->toString();

    std::optional<Piece> valueText = TextAfterUpToBlank(line, KeyOf(axis_));
    double value = 0;
    if (valueText) {
        const std::optional<double> number = numbers_.Read(*valueText);
        value = number.value_or(0);
        if (!number) {
            if (damaged) {
                ++data_.damagedLinesSkipped;
                return true;
            }
            data_.conversionError = t::NotAFloat.arg(valueText->toString());
            return false;
        }
        if (!std::isfinite(value) || IsNotANumberText(*valueText)) {
            ++data_.missingValuesSkipped;
            valueText.reset();
        }
    }

    if (!unitFound_) {
        if (auto unit = UnitInLine(axis_, line.Whole())) {
            data_.unit = *unit;
            unitFound_ = true;
        }
    }

    std::optional<Piece> timeText;
    if (const qsizetype at = line.Find(TimeKey()); at >= 0) {
        const qsizetype from = at + TimeKey().text.size();
        const qsizetype dot = line.FindChar('.', from);
        if (dot >= 0)
            timeText = line.Mid(from, dot - from);
    }
    std::optional<Piece> dateText;
    if (const qsizetype at = line.Find(DateKey()); at >= 0)
        dateText = line.Mid(at + DateKey().text.size()).trimmed();

    if (!valueText || !timeText || !dateText) {
        if (damaged && (valueText || timeText || dateText))
            ++data_.damagedLinesSkipped;
        return true;
    }

    if (data_.PointCount() >= MaxGraphPoints) {
        data_.capped = true;
        return false;
    }

    qint64 x = 0;
    if (timeAxis_ != TimeAxisKind::Date) {
        const auto ms = dateTime_.TimeOfDay(*timeText);
        if (!ms) {
            if (damaged) {
                ++data_.damagedLinesSkipped;
                return true;
            }
            data_.conversionError = t::NotATime.arg(timeText->toString());
            return false;
        }
        x += *ms;
    }
    if (timeAxis_ != TimeAxisKind::Time) {
        const auto day = dateTime_.Day(*dateText);
        if (!day) {
            if (damaged) {
                ++data_.damagedLinesSkipped;
                return true;
            }
            data_.conversionError = t::NotADate.arg(dateText->toString());
            return false;
        }
        x += *day * MillisecondsPerDay;
    }

    if (data_.y.empty()) {
        data_.minimum = data_.maximum = value;
        data_.minimumText = data_.maximumText = valueText->toString();
    } else if (value < data_.minimum) {
        data_.minimum = value;
        data_.minimumText = valueText->toString();
    } else if (value > data_.maximum) {
        data_.maximum = value;
        data_.maximumText = valueText->toString();
    }
    data_.x.push_back(double(x));
    data_.y.push_back(value);
    return true;
}

SurveyGraphData SurveyFileParser::Finish()
{
    SurveyGraphData out = std::move(data_);
    data_ = SurveyGraphData{};
    data_.device = t::UnknownDevice;
    if (!out.conversionError.isEmpty()) {
        out.x.clear();
        out.y.clear();
        return out;
    }
    if (!std::is_sorted(out.x.begin(), out.x.end())) {
        // A time-only axis folds a survey over midnight onto one day; the line follows X.
        std::vector<int> order(out.x.size());
        std::iota(order.begin(), order.end(), 0);
        std::stable_sort(order.begin(), order.end(), [&out](int a, int b) { return out.x[a] < out.x[b]; });
        std::vector<double> x(order.size()), y(order.size());
        for (size_t i = 0; i < order.size(); ++i) {
            x[i] = out.x[order[i]];
            y[i] = out.y[order[i]];
        }
        out.x.swap(x);
        out.y.swap(y);
    }
    // The points stay as long as the graph does: no spare room.
    out.x.shrink_to_fit();
    out.y.shrink_to_fit();
    return out;
}

SurveyGraphData ParseSurveyBytes(const QByteArray &bytes, DataAxisKind axis, TimeAxisKind timeAxis,
                                 const QLocale &locale)
{
    SurveyFileParser parser(axis, timeAxis, locale);
    qsizetype from = 0;
    while (from < bytes.size()) {
        const qsizetype end = bytes.indexOf('\n', from);
        const bool terminated = end >= 0;
        const qsizetype stop = terminated ? end + 1 : bytes.size();
        if (!parser.AddLine(QByteArrayView(bytes).sliced(from, stop - from), terminated))
            break;
        from = stop;
    }
    return parser.Finish();
}

std::optional<SurveyGraphData> ReadSurveyFile(const QString &path, DataAxisKind axis,
                                              TimeAxisKind timeAxis, const QLocale &locale)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return std::nullopt;
    SurveyFileParser parser(axis, timeAxis, locale);
    // Read in blocks and hand over whole lines; a line split by a block's end is carried over.
    constexpr qint64 Block = 1 << 16;
    QByteArray block(Block, Qt::Uninitialized);
    QByteArray carried;
    qint64 got = 0;
    while ((got = file.read(block.data(), Block)) > 0) {
        const char *p = block.constData();
        qsizetype from = 0;
        while (from < got) {
            const void *end = std::memchr(p + from, '\n', size_t(got - from));
            if (!end) {
                carried.append(p + from, got - from);
                break;
            }
            const qsizetype stop = static_cast<const char *>(end) - p + 1;
            QByteArrayView line(p + from, stop - from);
            if (!carried.isEmpty()) {
                carried.append(line);
                line = carried;
            }
            if (!parser.AddLine(line, true))
                return parser.Finish();
            carried.clear();
            from = stop;
        }
    }
    if (got == 0 && !carried.isEmpty())
        parser.AddLine(carried, false);
    return parser.Finish();
}

} // namespace orv
