#include "port_listing.h"

#include "messages/port_description.h"

namespace orv52::cli {

std::string portListing(const PortSurvey& survey) {
    QString text;
    for (int number = 1; number <= kComPortCount; ++number)
        text += QStringLiteral("COM%1  %2\n")
                    .arg(number)
                    .arg(describeComPort(survey.numbered[number - 1]));
    if (survey.others.empty()) {
        text += QStringLiteral("Innych portów szeregowych brak.\n");
    } else {
        text += QStringLiteral("Inne porty szeregowe (ścieżkę podaj w --port):\n");
        for (const ComPortAssignment& port : survey.others)
            text += QStringLiteral("  %1: %2\n")
                        .arg(port.device, describeSerialDevice(port.hardware.value()));
    }
    return text.toStdString();
}

} // namespace orv52::cli
