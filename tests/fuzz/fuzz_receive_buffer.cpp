// Feeds the answer recognition arbitrary batches: each chunk of the input is a length byte
// followed by that many bytes (at least one), appended and recognised as one poll tick would.

#include "protocol/receive_buffer.h"

#include <algorithm>
#include <cstdlib>
#include <span>
#include <string>
#include <string_view>

namespace {

void require(bool condition) {
    if (!condition) {
        std::abort();
    }
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    std::span<const std::uint8_t> input(data, size);
    orv52::ReceiveBuffer buffer;
    while (input.size() > 1) {
        const std::size_t length = std::clamp<std::size_t>(input[0], 1, input.size() - 1);
        const auto batch = input.subspan(1, length);
        input = input.subspan(1 + length);

        buffer.append(batch);
        const orv52::Recognition recognition = buffer.recognise();
        const std::string& text = buffer.text();
        require(text.size() <= orv52::kConfigurationAnswerSize + 1);
        switch (recognition) {
        case orv52::Recognition::ProgrammingAnswer:
            require(text.size() == orv52::kProgrammingAnswerSize && text.starts_with("PRG") &&
                    text.ends_with("OK"));
            break;
        case orv52::Recognition::ConfigurationAnswer: {
            require(text.size() == orv52::kRecordSize);
            const orv52::Record record = buffer.record();
            require(std::equal(record.begin(), record.end(), text.begin(), text.end(),
                               [](std::uint8_t b, char c) { return b == std::uint8_t(c); }));
            break;
        }
        case orv52::Recognition::Incomplete:
            require(text.starts_with("PRG") || text.starts_with("CFG") ||
                    std::string_view("PRG").starts_with(text) ||
                    std::string_view("CFG").starts_with(text));
            break;
        case orv52::Recognition::StrayData:
            require(text.size() == 1);
            break;
        }
    }
    return 0;
}
