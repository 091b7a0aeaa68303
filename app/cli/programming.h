#pragma once

#include "exit_code.h"
#include "protocol/answer_finding.h"
#include "protocol/configuration.h"

#include <QDateTime>
#include <QString>
#include <optional>
#include <string>
#include <vector>

namespace orv52::cli {

class ReceiverExchanges;

// How one receiver's programming went, step by step; later steps are empty when an earlier one
// failed.
struct ProgrammingOutcome {
    ExitCode result = ExitCode::Done;
    std::string failure;                         // Polish; set for any result but Done, Differs
    std::optional<std::uint8_t> firmwareVersion; // from the first read that succeeded
    std::string backupPath;                      // the backup written before the frame
    bool programmed = false;                     // the receiver acknowledged the frame
    std::optional<Configuration> readBack;       // what it holds afterwards
    std::vector<std::string> differingKeys;
    std::optional<Finding> finding; // what came back in the last exchange
};

// Programs one receiver so that what it held cannot be lost: given a `backupDirectory`, writes
// what it holds there first, and sends nothing when that fails; then sends the settings, reads
// them back and compares them with what was sent. What it holds is `justRead`, the answer a
// caller has just had from it (checked by its checksum, with its version), or else read here.
ProgrammingOutcome programReceiver(ReceiverExchanges& receiver, const Configuration& settings,
                                   const std::optional<QString>& backupDirectory,
                                   const std::optional<Configuration>& justRead = std::nullopt);

} // namespace orv52::cli
