// Received bytes through the response check (with its preamble repair), then every setup,
// device and registration decoder and the survey line on each answer it accepts.
// Properties: an accepted frame is a whole, checked frame of exactly the received length whose
// preamble repair only put 0xFF in front; every decoder gives its rows; and no decoder reads a
// byte past the answer (the answer is copied into a block of exactly its length, so the address
// sanitizer stops a read beyond it).
#include "fuzz_check.h"

#include "device/setup_dispatch.h"
#include "link/frame.h"
#include "gauge/registration_rows.h"
#include "gauge/survey_line.h"

#include <QDateTime>

#include <algorithm>
#include <cstdint>
#include <memory>

using namespace orv;

extern "C" int LLVMFuzzerInitialize(int *, char ***)
{
    fuzz::UseRussianLocale();
    return 0;
}

namespace {

SetupDecodeContext ContextFrom(fuzz::InputBytes &in)
{
    SetupDecodeContext context;
    const unsigned char flags = in.Byte();
    context.rangeReadTarget = static_cast<RangeReadTarget>(std::array<int, 3>{0, 3, 4}[(flags & 3) % 3]);
    context.fixedCurrentMarks.dacMin = flags & 4;
    context.fixedCurrentMarks.dacMax = flags & 8;
    context.fixedCurrentMarks.off = flags & 16;
    context.decimalSeparator = (flags & 32) ? QLatin1Char('.') : QLatin1Char(',');
    for (std::size_t i = 0; i < 4; ++i) {
        context.variables.requestedCodes[i] = in.Byte();
        // Positions beyond the list as well: the decoders must cope with any.
        context.variables.selectedPositions[i] = static_cast<signed char>(in.Byte()) % 20;
    }
    return context;
}

void CheckAcceptedFrame(const ResponseBufferArray &before, int countBefore, const ResponseBufferArray &buffer,
                        int count, const ResponseCheck &check)
{
    FUZZ_CHECK(check.preambleRepair >= 0 && check.preambleRepair <= 2, "repair of at most two bytes");
    FUZZ_CHECK(count == countBefore + check.preambleRepair, "count grows by the repair");
    FUZZ_CHECK(check.frameLength == count, "frame length is the received length");
    FUZZ_CHECK(check.frameLength <= ReceiveLimit, "frame fits what the receiver keeps");
    FUZZ_CHECK(check.frameLength == buffer[11] + ResponseOverhead, "length follows the byte count");
    FUZZ_CHECK(buffer[1] == Preamble && buffer[2] == Preamble && buffer[3] == Preamble &&
                   buffer[4] == ResponseDelimiter,
               "preamble and delimiter in place");
    for (int pos = 1; pos <= countBefore; ++pos)
        FUZZ_CHECK(buffer[static_cast<std::size_t>(pos + check.preambleRepair)] == before[static_cast<std::size_t>(pos)],
                   "the repair only shifts what arrived");
    std::uint8_t sum = 0;
    for (int pos = 4; pos < count; ++pos)
        sum ^= buffer[static_cast<std::size_t>(pos)];
    FUZZ_CHECK(sum == buffer[static_cast<std::size_t>(count)], "checksum holds");
}

void DecodeEverything(const ResponseView &answer, const SetupDecodeContext &context)
{
    // Every decoder on this answer, whatever command byte it carries.
    for (const std::uint8_t command : SetupDecodedCommands()) {
        const SetupDecoder decoder = FindSetupDecoder(command);
        FUZZ_CHECK(decoder != nullptr, "listed commands have a decoder");
        FUZZ_CHECK(!decoder(answer, context).rows.empty(), "every decoder gives rows");
    }

    const std::optional<RegistrationRead> read = RegistrationReadOfCommand(answer.Command());
    const std::optional<RegistrationBlock> block = RegistrationAnswerBlock(answer, 1, context.variables,
                                                                           context.decimalSeparator);
    FUZZ_CHECK(block.has_value() == read.has_value(), "registration blocks for commands 1, 3, 33 only");
    if (block)
        FUZZ_CHECK(static_cast<int>(block->rows.size()) == RegistrationBlockRows(*read), "block has its rows");

    const QStringList pieces = SurveyLinePieces(answer, context.variables, QDateTime(QDate(2026, 12, 8), QTime(10, 0)),
                                                context.decimalSeparator);
    FUZZ_CHECK(pieces.isEmpty() != read.has_value(), "survey lines for commands 1, 3, 33 only");
    if (!pieces.isEmpty())
        FUZZ_CHECK(pieces.last().endsWith(SurveyLineEnd()), "the line ends with its line end");
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t *data, std::size_t size)
{
    fuzz::InputBytes in(data, size);
    const SetupDecodeContext context = ContextFrom(in);

    // What the receive handler collects: at most ReceiveLimit bytes of one answer.
    ResponseBufferArray buffer{};
    const int received = static_cast<int>(std::min<std::size_t>(in.RestSize(), ReceiveLimit));
    std::copy(in.Rest(), in.Rest() + received, buffer.begin() + 1);
    const ResponseBufferArray before = buffer;
    int count = received;
    const ResponseCheck check = CheckResponse(buffer, count);
    if (check.verdict != ResponseVerdict::Accepted) {
        FUZZ_CHECK(check.frameLength == 0, "a refused frame has no length");
        FUZZ_CHECK(count == received + check.preambleRepair, "count grows by the repair only");
        return 0;
    }
    CheckAcceptedFrame(before, received, buffer, count, check);

    auto exact = std::make_unique<std::uint8_t[]>(static_cast<std::size_t>(check.frameLength));
    std::copy(buffer.begin() + 1, buffer.begin() + 1 + check.frameLength, exact.get());
    DecodeEverything(ResponseView{exact.get(), check.frameLength}, context);
    return 0;
}
