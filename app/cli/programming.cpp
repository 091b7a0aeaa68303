#include "programming.h"

#include "backup.h"
#include "protocol/configuration_file.h"
#include "receiver_exchanges.h"

namespace orv52::cli {

namespace {

void backUp(const Configuration& held, const QString& directory, ProgrammingOutcome& outcome) {
    outcome.firmwareVersion = held.firmwareVersion;
    const auto backup = writeBackup(directory, held, QDateTime::currentDateTime());
    if (!backup.path)
        throw Failure{ExitCode::OutputFailed, backup.error};
    outcome.backupPath = *backup.path;
}

} // namespace

ProgrammingOutcome programReceiver(ReceiverExchanges& receiver, const Configuration& settings,
                                   const std::optional<QString>& backupDirectory,
                                   const std::optional<Configuration>& justRead) {
    ProgrammingOutcome outcome;
    try {
        if (backupDirectory)
            backUp(justRead ? *justRead : receiver.read(), *backupDirectory, outcome);
        receiver.program(settings);
        outcome.programmed = true;
        outcome.readBack = receiver.read();
    } catch (const Failure& failure) {
        outcome.result = failure.code;
        outcome.failure = failure.message;
        outcome.finding = receiver.lastFinding();
        return outcome;
    }
    outcome.finding = receiver.lastFinding();
    if (!outcome.firmwareVersion)
        outcome.firmwareVersion = outcome.readBack->firmwareVersion;
    outcome.differingKeys = differingKeys(settings, *outcome.readBack);
    if (!outcome.differingKeys.empty())
        outcome.result = ExitCode::Differs;
    return outcome;
}

} // namespace orv52::cli
