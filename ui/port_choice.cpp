#include "adresowanie_form.h"
#include "link/com_port_map.h"
#include "message_catalogue.h"
#include "protocol/numbered_error.h"

#include <QPushButton>
#include <QRadioButton>

namespace orv52 {

void Adresowanie_Form::Port_Option_Click(int index) {
    // A start that failed after opening leaves the port open; close it so the new choice is the
    // port the next exchange really uses.
    if (Port_MSComm.isOpen() && Port_MSComm.commPort() != index)
        Port_MSComm.close();
    Port_MSComm.setCommPort(index);
}

QString Adresowanie_Form::portOptionDescription(int index) const {
    return describeComPort(Port_MSComm.comPortAssignment(index));
}

void Adresowanie_Form::setPortChoiceEnabled(bool enabled) {
    for (auto* option : Port_Option)
        option->setEnabled(enabled);
}

void Adresowanie_Form::ObslugaBledow(const NumberedError& error) {
    const int errorNumber = error.number();
    if (errorNumber == error_number::InvalidPortNumber)
        showMessage(message_id::InvalidPortNumber);
    else if (errorNumber == error_number::PortAlreadyOpen)
        showMessage(message_id::PortBusy);
    else if (const auto* denied = dynamic_cast<const PortAccessDenied*>(&error))
        showMessage(message_id::PortAccessDenied,
                    QString::fromStdString(accessDeniedDetail(denied->device().toStdString(),
                                                              denied->group().toStdString())));
    Przeslij_Command->setEnabled(true);
    Odbierz_Command->setEnabled(true);
    setPortChoiceEnabled(true);
}

} // namespace orv52
