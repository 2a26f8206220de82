#include "registration/slot_selection.h"

#include "link/value_text.h"
#include "registration/registration_texts.h"

#include <algorithm>

namespace orv {

SlotValidation ValidateSlotSelection(const std::array<bool, DeviceSlotCount> &ticked,
                                     const std::array<QString, DeviceSlotCount> &addressTexts)
{
    SlotValidation result;
    for (std::size_t i = 0; i < addressTexts.size(); ++i) {
        QString error;
        const std::optional<int> value = TextToInteger(addressTexts[i], &error);
        if (!value) {
            result.verdict = SlotVerdict::ConversionError;
            result.message = error;
            return result;
        }
        result.table.address[i] = static_cast<std::uint8_t>(*value & 0xFF);
    }
    result.table.enabled = ticked;

    int enabledCount = 0;
    int zeroCount = 0;
    for (std::size_t i = 0; i < ticked.size(); ++i) {
        if (!ticked[i])
            continue;
        ++enabledCount;
        if (result.table.address[i] == 0)
            ++zeroCount;
    }
    if (enabledCount == 0) {
        result.verdict = SlotVerdict::NoneSelected;
        result.message = regtext::NoSlotSelected();
        return result;
    }
    if (zeroCount >= 2) {
        result.verdict = SlotVerdict::AddressZeroTwice;
        result.message = regtext::AddressZeroTwice();
        return result;
    }
    for (int i = 1; i < DeviceSlotCount; ++i) {
        for (int j = i + 1; j <= DeviceSlotCount; ++j) {
            if (result.table.Enabled(i) && result.table.Enabled(j) &&
                result.table.Address(i) == result.table.Address(j)) {
                result.verdict = SlotVerdict::SameAddresses;
                result.message = regtext::SameAddresses();
                return result;
            }
        }
    }
    return result;
}

std::optional<int> NextTickedSlot(const SlotTable &table, int fromSlot)
{
    for (int k = std::max(fromSlot, 1); k <= DeviceSlotCount; ++k) {
        if (table.Enabled(k))
            return k;
    }
    return std::nullopt;
}

int BlockNumberOfSlot(const SlotTable &table, int slot)
{
    if (slot < 1 || slot > DeviceSlotCount || !table.Enabled(slot))
        return 0;
    int block = 0;
    for (int k = 1; k <= slot; ++k) {
        if (table.Enabled(k))
            ++block;
    }
    return block;
}

std::optional<AnswerOwner> OwnerOfAnswer(const SlotTable &table, std::uint8_t answerAddress)
{
    int block = 0;
    for (int k = 1; k <= DeviceSlotCount; ++k) {
        if (!table.Enabled(k))
            continue;
        ++block;
        if (table.Address(k) == answerAddress || table.Address(k) == 0)
            return AnswerOwner{k, block};
    }
    return std::nullopt;
}

std::vector<int> SlotsShowingAddress(const std::array<QString, DeviceSlotCount> &addressTexts,
                                     std::uint8_t answerAddress)
{
    const QString wanted = QString::number(answerAddress);
    std::vector<int> found;
    for (int k = 1; k <= DeviceSlotCount; ++k) {
        if (addressTexts[static_cast<std::size_t>(k - 1)] == wanted)
            found.push_back(k);
    }
    return found;
}

QString SlotCaption(int slot)
{
    if (slot >= 10)
        return regtext::SlotCaptionTenth();
    // "Прибор  1" with its own number in place of the 1.
    return regtext::SlotCaptionFirst().chopped(1) + QString::number(slot);
}

} // namespace orv
