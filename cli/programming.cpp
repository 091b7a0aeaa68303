#include "programming.h"

#include "backup.h"
#include "receiver_line.h"

#include <QDateTime>

namespace orv52::cli {

void programReceiver(ReceiverLine& exchanges, const Configuration& settings,
                     const std::optional<QString>& backupDirectory,
                     const std::optional<Configuration>& held, const ProgrammingSteps& steps,
                     ReceiverFacts& facts) {
    if (backupDirectory && held) {
        facts.backupPath = writeBackup(*backupDirectory, *held, QDateTime::currentDateTime());
        if (steps.backedUp)
            steps.backedUp(facts.backupPath);
    }
    exchanges.program(settings);
    if (steps.acknowledged)
        steps.acknowledged();
    facts.readBack = exchanges.read();
    if (!facts.firmwareVersion)
        facts.firmwareVersion = facts.readBack->firmwareVersion;
}

} // namespace orv52::cli
