#include "receiver_result.h"

#include "protocol/configuration_file.h"

namespace orv52::cli {

ExitCode compareHeld(ReceiverFacts& facts, const Configuration& expected,
                     const Configuration& held) {
    facts.differingKeys = differingKeys(expected, held);
    return facts.differingKeys.empty() ? ExitCode::Done : ExitCode::Differs;
}

} // namespace orv52::cli
