#pragma once
// A survey file line seen two ways with the same operations: decoded to characters, or (nearly
// every line, being plain ASCII) as the bytes it stands in the file, searched without conversion.
#include <QByteArray>
#include <QByteArrayView>
#include <QLatin1StringView>
#include <QString>
#include <QStringView>
#include <algorithm>
#include <optional>
#include <string_view>

namespace orv::survey_line {

inline bool IsAscii(QByteArrayView bytes)
{
    return std::all_of(bytes.begin(), bytes.end(), [](char c) { return (static_cast<unsigned char>(c) & 0x80) == 0; });
}

// A key of the file, as characters and, when it has only ASCII characters, as bytes.
struct Key
{
    explicit Key(const QString &key)
        : text(key)
    {
        const QByteArray bytes = key.toLatin1();
        if (IsAscii(bytes) && QString::fromLatin1(bytes) == key)
            ascii = bytes;
    }
    QString text;
    QByteArray ascii;   // empty: the key cannot stand in a line of ASCII characters
};

// A line decoded to characters.
class Utf16Line
{
public:
    using Piece = QStringView;
    explicit Utf16Line(const QString &line) : line_(line) {}
    qsizetype Find(const Key &key) const { return line_.indexOf(key.text); }
    qsizetype FindChar(char c, qsizetype from) const { return line_.indexOf(QLatin1Char(c), from); }
    Piece Mid(qsizetype from, qsizetype n = -1) const { return QStringView(line_).mid(from, n); }
    const QString &Whole() const { return line_; }

private:
    const QString &line_;
};

// A line of ASCII characters, searched and read as it stands in the file.
class AsciiLine
{
public:
    using Piece = QLatin1StringView;
    explicit AsciiLine(QByteArrayView line) : line_(line.data(), size_t(line.size())) {}
    qsizetype Find(const Key &key) const
    {
        if (key.ascii.isEmpty())
            return -1;
        return Position(line_.find(std::string_view(key.ascii.constData(), size_t(key.ascii.size()))));
    }
    qsizetype FindChar(char c, qsizetype from) const { return Position(line_.find(c, size_t(from))); }
    Piece Mid(qsizetype from, qsizetype n = -1) const
    {
        return QLatin1StringView(line_.data() + from, n < 0 ? qsizetype(line_.size()) - from : n);
    }
    QString Whole() const { return QString::fromLatin1(line_.data(), qsizetype(line_.size())); }

private:
    static qsizetype Position(size_t at) { return at == std::string_view::npos ? -1 : qsizetype(at); }
    std::string_view line_;
};

// The characters after `key` up to the next blank; nothing when the key is absent or no blank
// follows (a piece cut short).
template <class Line>
std::optional<typename Line::Piece> TextAfterUpToBlank(const Line &line, const Key &key)
{
    const qsizetype at = line.Find(key);
    if (at < 0)
        return std::nullopt;
    const qsizetype from = at + key.text.size();
    const qsizetype blank = line.FindChar(' ', from);
    if (blank < 0)
        return std::nullopt;
    return line.Mid(from, blank - from);
}

} // namespace orv::survey_line
