#include "link/kernel_uart_records.h"

#include <QDir>
#include <QFile>

namespace orv52 {

KernelUartRecords readKernelUartRecords(const QString& classDir) {
    KernelUartRecords records;
    const QDir directory(classDir);
    for (const QString& name :
         directory.entryList({QStringLiteral("ttyS*")}, QDir::Dirs | QDir::NoDotAndDotDot)) {
        QFile type(directory.filePath(name + QStringLiteral("/type")));
        if (!type.open(QIODevice::ReadOnly))
            continue;
        bool isNumber = false;
        const int uartType = type.read(16).trimmed().toInt(&isNumber);
        if (isNumber)
            records[name] = uartType != 0;
    }
    return records;
}

} // namespace orv52
