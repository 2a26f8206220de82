#pragma once
// What a page hands the transaction engine for one exchange: the gauge's address, the command
// and its data bytes, the mode whose answers and failures the exchange belongs to, and in
// registration mode the slot whose response timer serves it.
#include "link/frame.h"

#include <algorithm>
#include <array>
#include <cstdint>
#include <vector>

namespace orv {

// A single exchange belongs to neither page: its outcome goes to one hook (the address scan,
// the command-line poller), so the pages' tables and files stay untouched.
enum ExchangeModes : std::uint8_t { NoExchangeYet = 0, SetupExchange = 1, RegistrationExchange = 2, SingleExchange = 3 };

struct ExchangeRequest {
    ExchangeModes mode = NoExchangeYet;
    std::uint8_t address = 0;
    std::uint8_t slot = 1;      // registration slot 1..10
    std::uint8_t command = 0;
    std::uint8_t byteCount = 0; // at most MaxRequestDataBytes
    std::array<std::uint8_t, MaxRequestDataBytes> data{};

    // The data bytes; what does not fit a frame is left off.
    void SetData(const std::uint8_t *bytes, std::size_t count)
    {
        byteCount = static_cast<std::uint8_t>(std::min<std::size_t>(count, MaxRequestDataBytes));
        data.fill(0);
        if (bytes)
            std::copy_n(bytes, byteCount, data.begin());
    }

    static ExchangeRequest Make(ExchangeModes mode, std::uint8_t address, std::uint8_t command,
                                const std::vector<std::uint8_t> &bytes = {}, std::uint8_t slot = 1)
    {
        ExchangeRequest r;
        r.mode = mode;
        r.address = address;
        r.slot = slot;
        r.command = command;
        r.SetData(bytes.data(), bytes.size());
        return r;
    }
};

} // namespace orv
