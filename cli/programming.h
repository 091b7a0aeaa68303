#pragma once

#include "protocol/configuration.h"

#include <QString>
#include <functional>
#include <optional>
#include <string>
#include <vector>

namespace orv52::cli {

class ReceiverExchanges;

// Told as each step of a programming ends, so that what the user and the log are told of it
// stands when a later step fails.
struct ProgrammingSteps {
    std::function<void(const std::string& backupPath)> backedUp;
    std::function<void()> acknowledged;
};

struct ProgrammingResult {
    Configuration readBack;                 // what the receiver holds afterwards
    std::vector<std::string> differingKeys; // where that differs from what was sent
};

// Programs one receiver so that what it held cannot be lost: given a `backupDirectory`, writes
// `held` (what the receiver was just read to hold) there first, and sends nothing when that
// fails; then sends the settings, reads them back and compares them with what was sent. Throws
// Failure.
ProgrammingResult programReceiver(ReceiverExchanges& receiver, const Configuration& settings,
                                  const std::optional<QString>& backupDirectory,
                                  const std::optional<Configuration>& held,
                                  const ProgrammingSteps& steps);

} // namespace orv52::cli
