#include "gauge/registration_rows.h"

#include "gauge/gauge_texts.h"

namespace orv {

std::optional<RegistrationRead> RegistrationReadOfCommand(std::uint8_t command)
{
    switch (command) {
    case 1:
        return RegistrationRead::Primary;
    case 3:
        return RegistrationRead::CurrentAndVariables;
    case 33:
        return RegistrationRead::Variables;
    default:
        return std::nullopt;
    }
}

int RegistrationBlockRows(RegistrationRead read)
{
    switch (read) {
    case RegistrationRead::Primary:
        return 1;
    case RegistrationRead::CurrentAndVariables:
        return 5;
    case RegistrationRead::Variables:
        return 4;
    }
    return 1;
}

int RegistrationBlockFirstRow(RegistrationRead read, int blockNumber)
{
    return RegistrationBlockRows(read) * (blockNumber - 1) + 1;
}

ResultRows RegistrationAnswerRows(const ResponseView &answer, const VariableSelection &selection,
                                  QChar separator)
{
    const std::optional<RegistrationRead> read = RegistrationReadOfCommand(answer.Command());
    if (!read)
        return {};
    switch (*read) {
    case RegistrationRead::Primary:
        return DecodePrimaryVariable(answer, separator);
    case RegistrationRead::CurrentAndVariables: {
        ResultRows rows = DecodeCurrentAndVariables(answer, separator);
        rows.back().parameter = text::RegistrationTemperatureRowName();
        return rows;
    }
    case RegistrationRead::Variables:
        return DeviceVariableRows(answer, selection, separator);
    }
    return {};
}

std::optional<RegistrationBlock> RegistrationAnswerBlock(const ResponseView &answer, int blockNumber,
                                                         const VariableSelection &selection, QChar separator)
{
    const std::optional<RegistrationRead> read = RegistrationReadOfCommand(answer.Command());
    if (!read)
        return std::nullopt;
    RegistrationBlock block;
    block.firstRow = RegistrationBlockFirstRow(*read, blockNumber);
    block.address = QString::number(answer.PollingAddress());
    block.command = QString::number(answer.Command());
    block.rows = RegistrationAnswerRows(answer, selection, separator);
    return block;
}

ResultRows RegistrationNoAnswerRows(RegistrationRead read, const std::array<int, 4> &selectedPositions)
{
    QStringList names;
    switch (read) {
    case RegistrationRead::Primary:
        names = {text::PressureName()};
        break;
    case RegistrationRead::CurrentAndVariables:
        names = {text::CurrentRowName(), text::PressureRowName(), text::UmRowName(), text::UdifRowName(),
                 text::TemperatureRowName()};
        break;
    case RegistrationRead::Variables:
        for (int position : selectedPositions) {
            const CatalogueEntry *e = CatalogueEntryAt(position);
            names << (e ? e->listText : QString());
        }
        break;
    }
    ResultRows rows;
    for (const QString &name : names)
        rows.push_back({name, text::RegistrationNoAnswer()});
    return rows;
}

RegistrationBlock RegistrationNoAnswerBlock(RegistrationRead read, int blockNumber, std::uint8_t slotAddress,
                                            const std::array<int, 4> &selectedPositions)
{
    RegistrationBlock block;
    block.firstRow = RegistrationBlockFirstRow(read, blockNumber);
    block.address = QString::number(slotAddress);
    block.command = text::RegistrationCommandTexts().at(static_cast<int>(read));
    block.rows = RegistrationNoAnswerRows(read, selectedPositions);
    return block;
}

} // namespace orv
