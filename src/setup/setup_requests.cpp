#include "setup/setup_requests.h"

#include "link/value_text.h"
#include "setup/setup_menu.h"

namespace orv {

namespace {

constexpr std::uint8_t CommandReadPrimary = 1;
constexpr std::uint8_t CommandReadCurrentAndVariables = 3;
constexpr std::uint8_t CommandWritePollingAddress = 6;
constexpr std::uint8_t CommandReadVariables = 33;
constexpr std::uint8_t CommandWriteAveraging = 34;
constexpr std::uint8_t CommandFixedCurrent = 40;

} // namespace

Request BuildReadPrimary()
{
    return Request{CommandReadPrimary, {}};
}

Request BuildReadCurrentAndVariables()
{
    return Request{CommandReadCurrentAndVariables, {}};
}

Request BuildReadVariables(const std::array<int, 4> &selectedPositions)
{
    Request r{CommandReadVariables, {}};
    for (int position : selectedPositions)
        r.data.push_back(VariableCodeOfPosition(position));
    return r;
}

BuiltRequest BuildWritePollingAddress(const QString &addressText)
{
    QString error;
    const std::optional<int> address = TextToInteger(addressText, &error);
    if (!address)
        return BuiltRequest::Refuse(error);
    return BuiltRequest::Send(Request{CommandWritePollingAddress, {static_cast<std::uint8_t>(*address & 0xFF)}});
}

Request BuildWriteAveraging(int trackBarPosition)
{
    // A whole number always converts; the count travels as a single like every value.
    const std::optional<FloatBytes> bytes = TextToFloatBytes(QString::number(trackBarPosition));
    Request r{CommandWriteAveraging, {}};
    if (bytes)
        r.data.assign(bytes->begin(), bytes->end());
    return r;
}

Request BuildZeroCorrection()
{
    return Request{ZeroCorrectionCommand, {}};
}

Request BuildRangeCorrection()
{
    return Request{RangeCorrectionCommand, {}};
}

BuiltRequest BuildFixedCurrent(const QString &currentText)
{
    QString error;
    const std::optional<FloatBytes> bytes = TextToFloatBytes(currentText, &error);
    if (!bytes)
        return BuiltRequest::Refuse(error);
    return BuiltRequest::Send(Request{CommandFixedCurrent, {bytes->begin(), bytes->end()}});
}

} // namespace orv
