#pragma once
// Reads a survey data file (one gauge's registration log) into the points of one graph.
// Only a few pieces of each line matter: "Прибор № " (device), "Addr: ", the key of the chosen
// variable, "Time: " and "Date: ". Everything else in the file is ignored.
#include <QByteArray>
#include <QByteArrayView>
#include <QLocale>
#include <QString>
#include <QStringDecoder>
#include <QStringList>
#include <optional>
#include <vector>

#include "locale_date_time_reader.h"
#include "locale_number_reader.h"

namespace orv {

// The variable plotted on the data axis, in the order of the "Ось данных" list.
enum class DataAxisKind { Pressure, Current, Udif, Um, Temperature };
// What the time axis shows, in the order of the "Ось времени" list.
enum class TimeAxisKind { Time, Date, TimeAndDate };

// Points kept per graph; a file with more usable lines is cut there.
inline constexpr int MaxGraphPoints = 30000;

const QStringList &DataAxisNames();
const QStringList &TimeAxisNames();
std::optional<DataAxisKind> DataAxisFromName(const QString &name);
std::optional<TimeAxisKind> TimeAxisFromName(const QString &name);

struct SurveyGraphData
{
    QString device;               // text after "Прибор № ", "?" when the file has none
    QString address;              // text after "Addr: "
    QString unit;                 // unit as shown on screen, empty when none was found
    std::vector<double> x;        // wall-clock milliseconds since 1970 (time-only: of day 0), ascending
    std::vector<double> y;
    double minimum = 0;
    double maximum = 0;
    QString minimumText;          // the value texts as they stand in the file
    QString maximumText;
    bool capped = false;          // a usable line beyond MaxGraphPoints was met; reading stopped
    QString conversionError;      // not empty: a text was not a number/time/date; nothing is loaded
    int damagedLinesSkipped = 0;  // torn last line or NUL-filled tail that could not be read
    int missingValuesSkipped = 0; // lines whose value was NAN or INF (the gauge had no reading)

    int PointCount() const { return int(y.size()); }
};

class SurveyFileParser
{
public:
    SurveyFileParser(DataAxisKind axis, TimeAxisKind timeAxis, const QLocale &locale);

    // One line as read, with its line end if it has one. `terminated` is false only for a last
    // line that the file does not end with a line break (a torn write). Returns false when
    // reading must stop (the point cap was reached or a text could not be converted).
    bool AddLine(QByteArrayView raw, bool terminated);

    // The graph, its points in ascending X order (a stable sort keeps equal X in file order).
    SurveyGraphData Finish();

private:
    QString Decode(QByteArrayView bytes);
    // One line, as characters or (most lines) as ASCII bytes read without conversion.
    template <class Line>
    bool ProcessLine(const Line &line, bool damaged);

    DataAxisKind axis_;
    TimeAxisKind timeAxis_;
    LocaleNumberReader numbers_;
    LocaleDateTimeReader dateTime_;
    QStringDecoder windows1251_;
    bool firstLine_ = true;
    bool unitFound_ = false;
    SurveyGraphData data_;
};

// The whole content of a file at once (tests, small files).
SurveyGraphData ParseSurveyBytes(const QByteArray &bytes, DataAxisKind axis, TimeAxisKind timeAxis,
                                 const QLocale &locale);

// Reads a file line by line; nothing when it cannot be opened.
std::optional<SurveyGraphData> ReadSurveyFile(const QString &path, DataAxisKind axis,
                                              TimeAxisKind timeAxis, const QLocale &locale);

} // namespace orv
