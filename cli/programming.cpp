#include "programming.h"

#include "backup.h"
#include "protocol/configuration_file.h"
#include "receiver_exchanges.h"

#include <QDateTime>

namespace orv52::cli {

ProgrammingResult programReceiver(ReceiverExchanges& receiver, const Configuration& settings,
                                  const std::optional<QString>& backupDirectory,
                                  const std::optional<Configuration>& held,
                                  const ProgrammingSteps& steps) {
    if (backupDirectory && held) {
        const std::string path = writeBackup(*backupDirectory, *held, QDateTime::currentDateTime());
        if (steps.backedUp)
            steps.backedUp(path);
    }
    receiver.program(settings);
    if (steps.acknowledged)
        steps.acknowledged();
    ProgrammingResult result{receiver.read(), {}};
    result.differingKeys = differingKeys(settings, result.readBack);
    return result;
}

} // namespace orv52::cli
