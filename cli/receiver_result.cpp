#include "receiver_result.h"

#include "protocol/configuration_file.h"

namespace orv52::cli {

void compareHeld(ReceiverResult& receiver, const Configuration& expected,
                 const Configuration& held) {
    receiver.differingKeys = differingKeys(expected, held);
    receiver.result = receiver.differingKeys.empty() ? ExitCode::Done : ExitCode::Differs;
}

void failedWith(ReceiverResult& receiver, const Failure& failure) {
    receiver.result = failure.code();
    receiver.failure = failure.what();
}

} // namespace orv52::cli
