#include "request_parser.h"

#include "protocol/record.h"
#include "protocol/requests.h"

#include <algorithm>

namespace orv52::sim {

namespace {

// True when the first bytes of `buffer` agree with `pattern` as far as both reach.
bool startsLike(const std::vector<std::uint8_t>& buffer, std::span<const std::uint8_t> pattern) {
    const auto n = std::min(buffer.size(), pattern.size());
    return std::equal(buffer.begin(), buffer.begin() + static_cast<std::ptrdiff_t>(n),
                      pattern.begin());
}

} // namespace

std::vector<Request> RequestParser::feed(std::span<const std::uint8_t> bytes) {
    static constexpr std::uint8_t programmingHeader[] = {'P', 'R', 'G'};
    static const ConfigurationQuery query = makeConfigurationQuery();

    pending_.insert(pending_.end(), bytes.begin(), bytes.end());
    std::vector<Request> requests;
    while (!pending_.empty()) {
        RequestKind kind;
        std::size_t size;
        if (startsLike(pending_, programmingHeader)) {
            kind = RequestKind::Programming;
            size = kRecordSize;
        } else if (startsLike(pending_, query)) {
            kind = RequestKind::ConfigurationQuery;
            size = kQuerySize;
        } else {
            pending_.erase(pending_.begin());
            continue;
        }
        if (pending_.size() < size) {
            break;
        }
        const auto end = pending_.begin() + static_cast<std::ptrdiff_t>(size);
        requests.push_back({kind, {pending_.begin(), end}});
        pending_.erase(pending_.begin(), end);
    }
    return requests;
}

} // namespace orv52::sim
