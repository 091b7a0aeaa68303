#pragma once

#include "protocol/configuration.h"
#include "receiver_result.h"

#include <QString>
#include <functional>
#include <optional>
#include <string>

namespace orv52::cli {

class ReceiverLine;

// Told as each step of a programming ends, so that what the user is told of it stands when a
// later step fails.
struct ProgrammingSteps {
    std::function<void(const std::string& backupPath)> backedUp;
    std::function<void()> acknowledged;
};

// Programs one receiver so that what it held cannot be lost: given a `backupDirectory`, writes
// `held` (what the receiver was just read to hold) there first, and sends nothing when that
// fails; then sends the settings and reads them back, for the caller to compare with what was
// sent. Each step enters what it learnt in `facts` as it ends: the backup's path, then what the
// receiver holds afterwards (and its firmware version, when not yet known). Throws Failure.
void programReceiver(ReceiverLine& exchanges, const Configuration& settings,
                     const std::optional<QString>& backupDirectory,
                     const std::optional<Configuration>& held, const ProgrammingSteps& steps,
                     ReceiverFacts& facts);

} // namespace orv52::cli
