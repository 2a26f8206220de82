#pragma once
// Conversions between the values on the wire and the texts the user sees and types.
#include <QChar>
#include <QString>
#include <QTime>
#include <QDate>
#include <QDateTime>
#include <QLocale>
#include <array>
#include <cstdint>
#include <optional>

namespace orv {

using FloatBytes = std::array<std::uint8_t, 4>;   // most significant byte first

// The decimal separator of the user's locale (the comma in the Russian locale).
QChar LocaleDecimalSeparator();

// Four bytes of an IEEE single to the fixed text with exactly seven decimals.
QString FloatBytesToText(std::uint8_t b0, std::uint8_t b1, std::uint8_t b2, std::uint8_t b3,
                         QChar decimalSeparator);
QString FloatBytesToText(std::uint8_t b0, std::uint8_t b1, std::uint8_t b2, std::uint8_t b3);
QString FloatBytesToText(const std::uint8_t *fourBytes);

// Typed text (comma or point) to the four bytes of the nearest single. On failure returns
// nothing and, if asked, the message "'<text>' is not a valid floating point value".
std::optional<FloatBytes> TextToFloatBytes(const QString &text, QChar decimalSeparator,
                                           QString *errorMessage = nullptr);
std::optional<FloatBytes> TextToFloatBytes(const QString &text, QString *errorMessage = nullptr);

// A number the user typed where an integer is expected: optional blanks in front, an optional
// sign, decimal digits (or hexadecimal after "$" or "0x"), within 32 bits. On failure the message
// is "'<text>' is not a valid integer value".
std::optional<int> TextToInteger(const QString &text, QString *errorMessage = nullptr);

// A text read back as a number and printed in its shortest general form (10 -> "10",
// 0.5 -> "0,5"): the value format the gauge's counters and codes are shown in.
QString GeneralNumberText(const QString &fixedText, QChar decimalSeparator);
QString GeneralNumberText(const QString &fixedText);

// Milliseconds as three digits with leading zeros.
QString PadMilliseconds(int milliseconds);

// The locale's long time format without its time-zone part ("HH:mm:ss"): the format of every
// time stamp the program writes and of those the graph window reads back.
QString LongTimeFormatWithoutZone(const QLocale &locale);

// The locale's long time format without any time-zone part ("14:05:09"), and its short date.
QString LongTimeText(const QTime &time);
QString ShortDateText(const QDate &date);
// Time with milliseconds, a blank and the date: the stamp of every result row.
QString TimeStampText(const QDateTime &moment);

} // namespace orv
