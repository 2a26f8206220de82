#pragma once
// The ten device slots of the registration page as plain values: which are ticked, their
// addresses, and the decisions taken on them (may the selection be polled, which slot is polled
// next, which slot an answer belongs to, where its rows go).
#include "gauge/survey_files.h"

#include <QString>

#include <array>
#include <cstdint>
#include <optional>
#include <vector>

namespace orv {

// The slots as the page last took them: SlotEnabled and SlotAddress, slot k at index k - 1.
struct SlotTable {
    std::array<bool, DeviceSlotCount> enabled{};
    std::array<std::uint8_t, DeviceSlotCount> address{};

    bool Enabled(int slot) const { return enabled[static_cast<std::size_t>(slot - 1)]; }
    std::uint8_t Address(int slot) const { return address[static_cast<std::size_t>(slot - 1)]; }
};

enum class SlotVerdict { Valid, ConversionError, NoneSelected, AddressZeroTwice, SameAddresses };

struct SlotValidation {
    SlotVerdict verdict = SlotVerdict::Valid;
    QString message;   // what the user is shown (the conversion error is shown even when silent)
    SlotTable table;   // the converted addresses and ticks; meaningful unless ConversionError
};

// Checks a slot selection: every address text must be an integer (its low 8 bits count), at
// least one slot ticked, at most one ticked slot with address 0, no two ticked slots alike.
// Unticked slots may hold anything that converts.
SlotValidation ValidateSlotSelection(const std::array<bool, DeviceSlotCount> &ticked,
                                     const std::array<QString, DeviceSlotCount> &addressTexts);

// The first ticked slot from `fromSlot` on (1..11), or nothing when the cycle is complete.
std::optional<int> NextTickedSlot(const SlotTable &table, int fromSlot);

// Position of a slot among the ticked slots, counted in slot order from 1; 0 when not ticked.
int BlockNumberOfSlot(const SlotTable &table, int slot);

struct AnswerOwner {
    int slot = 0;
    int blockNumber = 0;
};

// The first ticked slot whose address is the answer's or 0 (a slot with address 0 takes over
// every answer after it); nothing when no ticked slot fits.
std::optional<AnswerOwner> OwnerOfAnswer(const SlotTable &table, std::uint8_t answerAddress);

// The slots whose address edit holds exactly the decimal text of the answer's address: their
// response timers stop. The texts are compared as typed, so "05" is not 5.
std::vector<int> SlotsShowingAddress(const std::array<QString, DeviceSlotCount> &addressTexts,
                                     std::uint8_t answerAddress);

// Caption of slot k's check box: "Прибор  1" .. "Прибор  9", "Прибор 10".
QString SlotCaption(int slot);

} // namespace orv
