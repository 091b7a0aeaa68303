#pragma once

#include <cstdint>
#include <span>
#include <vector>

namespace orv52::sim {

enum class RequestKind { Programming, ConfigurationQuery };

struct Request {
    RequestKind kind;
    std::vector<std::uint8_t> bytes; // the request exactly as received
};

// Cuts the byte stream from the program into requests. Bytes that cannot start a request are
// skipped, so the receiver falls back into step after line noise.
class RequestParser {
public:
    // Appends received bytes and returns the requests they complete, in arrival order.
    std::vector<Request> feed(std::span<const std::uint8_t> bytes);

    bool hasPartial() const { return !pending_.empty(); }

    // Drops a request that stopped arriving half-way, so it cannot swallow the next one.
    void forgetPartial() { pending_.clear(); }

private:
    std::vector<std::uint8_t> pending_;
};

} // namespace orv52::sim
