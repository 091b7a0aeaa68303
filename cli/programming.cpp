#include "programming.h"

#include "backup.h"
#include "receiver_exchanges.h"

#include <QDateTime>

namespace orv52::cli {

void programReceiver(ReceiverExchanges& exchanges, const Configuration& settings,
                     const std::optional<QString>& backupDirectory,
                     const std::optional<Configuration>& held, const ProgrammingSteps& steps,
                     ReceiverResult& receiver) {
    if (backupDirectory && held) {
        receiver.backupPath = writeBackup(*backupDirectory, *held, QDateTime::currentDateTime());
        if (steps.backedUp)
            steps.backedUp(receiver.backupPath);
    }
    exchanges.program(settings);
    if (steps.acknowledged)
        steps.acknowledged();
    receiver.readBack = exchanges.read();
    if (!receiver.firmwareVersion)
        receiver.firmwareVersion = receiver.readBack->firmwareVersion;
}

} // namespace orv52::cli
