#include "adresowanie_form.h"
#include "link/com_port_map.h"
#include "messages/error_report.h"
#include "messages/port_description.h"

#include <QPushButton>
#include <QRadioButton>

namespace orv52 {

void Adresowanie_Form::Port_Option_Click(int index) {
    // A start that failed after opening leaves the port open; close it so the new choice is the
    // port the next exchange really uses.
    if (Port_MSComm.isOpen() && Port_MSComm.comPort() != index)
        Port_MSComm.close();
    Port_MSComm.setComPort(index);
}

QString Adresowanie_Form::portOptionDescription(int index) const {
    return describeComPort(Port_MSComm.resolver().resolve(index));
}

void Adresowanie_Form::setPortChoiceEnabled(bool enabled) {
    for (auto* option : Port_Option)
        option->setEnabled(enabled);
}

void Adresowanie_Form::ObslugaBledow(const NumberedError& error) {
    if (const auto message = operatorMessageFor(error))
        showMessage(message->id, QString::fromStdString(message->detail));
    Przeslij_Command->setEnabled(true);
    Odbierz_Command->setEnabled(true);
    setPortChoiceEnabled(true);
}

} // namespace orv52
