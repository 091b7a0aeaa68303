#include "receiver.h"

#include "protocol/requests.h"

#include <algorithm>

namespace orv52::sim {

std::vector<std::uint8_t> Answer::bytes() const {
    std::vector<std::uint8_t> out = echo;
    out.insert(out.end(), status.begin(), status.end());
    if (record) {
        out.insert(out.end(), record->begin(), record->end());
    }
    return out;
}

void seal(Record& record) {
    record[offset::Checksum] = recordChecksum(record);
}

Record defaultRecord(std::uint8_t firmwareVersion) {
    Record record = makeProgrammingFrameTemplate();
    record[offset::DurationUpperRelay] = 1;
    record[offset::DurationLowerRelay] = 1;
    record[offset::DisplayCommand] = 1;
    record[offset::BuzzerMode] = 1;
    record[offset::FirmwareVersion] = firmwareVersion;
    seal(record);
    return record;
}

Answer Receiver::handle(const Request& request) {
    Answer answer;
    answer.echo = request.bytes;
    if (request.kind == RequestKind::Programming) {
        if (!storesProgramming_) {
            return answer;
        }
        std::copy_n(request.bytes.begin(), kRecordSize, record_.begin());
        record_[offset::FirmwareVersion] = firmwareVersion_;
        seal(record_);
    } else {
        answer.record = record_;
    }
    return answer;
}

} // namespace orv52::sim
