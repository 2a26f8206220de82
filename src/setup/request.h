#pragma once
// A request as the builders hand it to the transaction engine: command and data bytes. The
// byte count of a request counts every data byte, so it follows from the data.
#include <QString>
#include <cstdint>
#include <optional>
#include <vector>

namespace orv {

struct Request {
    std::uint8_t command = 0;
    std::vector<std::uint8_t> data;

    std::uint8_t ByteCount() const { return static_cast<std::uint8_t>(data.size()); }
    bool operator==(const Request &other) const { return command == other.command && data == other.data; }
};

// Outcome of a builder that takes typed text. No request means nothing is sent; a non-empty
// message is the conversion error to show the user ("'x' is not a valid ... value").
struct BuiltRequest {
    std::optional<Request> request;
    QString errorMessage;

    static BuiltRequest Send(Request r) { return BuiltRequest{std::move(r), QString()}; }
    static BuiltRequest Refuse(QString message) { return BuiltRequest{std::nullopt, std::move(message)}; }
};

} // namespace orv
