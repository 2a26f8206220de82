#include "gauge/answer_fields.h"

namespace orv {

std::uint8_t AnswerByte(const ResponseView &answer, int dataByte)
{
    // The checksum sits at the frame's last position; the data end just before it.
    const int position = 12 + dataByte;
    if (answer.first == nullptr || position < 1 || position >= answer.length)
        return 0;
    return answer.Position(position);
}

FloatBytes AnswerFloatBytes(const ResponseView &answer, int firstDataByte)
{
    return FloatBytes{AnswerByte(answer, firstDataByte), AnswerByte(answer, firstDataByte + 1),
                      AnswerByte(answer, firstDataByte + 2), AnswerByte(answer, firstDataByte + 3)};
}

QString AnswerFloatText(const ResponseView &answer, int firstDataByte, QChar decimalSeparator)
{
    const FloatBytes b = AnswerFloatBytes(answer, firstDataByte);
    return FloatBytesToText(b[0], b[1], b[2], b[3], decimalSeparator);
}

} // namespace orv
