#include "adresowanie_form.h"
#include "messages/failure_class.h"
#include "messages/message_catalogue.h"
#include "protocol/numbered_error.h"
#include "protocol/text_value.h"

#include <QCheckBox>
#include <QComboBox>
#include <QLineEdit>
#include <QPushButton>

namespace orv52 {

namespace {

std::uint8_t fieldByte(const QLineEdit* field) {
    return textToByte(field->text().toStdString());
}

} // namespace

std::array<QLineEdit*, kTimingCount> Adresowanie_Form::timingFields() const {
    return {DelaySetOnRelay_Text[0],    DelaySetOnRelay_Text[1], DurationSetOnRelay_Text[0],
            DurationSetOnRelay_Text[1], LightingTime_Text[0],    LightingTime_Text[1]};
}

void Adresowanie_Form::Przeslij_Command_Click() {
    startExchange(programmingFrame_, true);
}

void Adresowanie_Form::Odbierz_Command_Click() {
    startExchange(configurationQuery_, false);
}

void Adresowanie_Form::startExchange(std::span<const std::uint8_t> request, bool fillFrameFirst) {
    try {
        AdresL_Check[0]->setFocus();
        setPortChoiceEnabled(false);
        Przeslij_Command->setEnabled(false);
        Odbierz_Command->setEnabled(false);
        if (fillFrameFirst)
            fillProgrammingFrame(programmingFrame_, settingsFromWindow());
        exchange_.start(request);
    } catch (const NumberedError& error) {
        ObslugaBledow(error);
    }
}

// The fields are read in record order: the first of them whose text does not fit a byte is the
// one that stops the exchange.
Configuration Adresowanie_Form::settingsFromWindow() const {
    Configuration settings;
    settings.teamMaskLow = teamMaskLow_;
    settings.teamMaskHigh = teamMaskHigh_;
    for (std::size_t i = 0; i < kTimingCount; ++i)
        settings.timings[i] = fieldByte(timingFields()[i]);
    settings.displayCommand = WyswietlPolecenie_Combo->currentIndex();
    settings.buzzerMode = TrybBuzera_Combo->currentIndex();
    return settings;
}

// What the exchange's poll tick or its timeout decided, with the controls given back.
void Adresowanie_Form::exchangeFinished(ExchangeController::Outcome outcome) {
    enableControlsAfterExchange();
    const auto message = classOfOutcome(outcome).messageId;
    switch (outcome) {
    case ExchangeController::Outcome::ProgrammingDone:
        showMessage(message.value());
        break;
    case ExchangeController::Outcome::ConfigurationReceived:
        showReceivedConfiguration(exchange_.reading().value().configuration.value());
        break;
    case ExchangeController::Outcome::TransmissionError:
        showMessage(message.value());
        Port_MSComm.discardInput();
        break;
    // The window's exchange waits out its timeout for a device that went away as well.
    case ExchangeController::Outcome::NoAnswer:
    case ExchangeController::Outcome::PortLost:
        setPortChoiceEnabled(true);
        Port_MSComm.discardInput();
        showMessage(message.value());
        break;
    }
}

void Adresowanie_Form::enableControlsAfterExchange() {
    Przeslij_Command->setEnabled(true);
    Odbierz_Command->setEnabled(true);
    setPortChoiceEnabled(true);
}

void Adresowanie_Form::showReceivedConfiguration(const Configuration& settings) {
    setTeamBoxes(settings.teamMaskLow, settings.teamMaskHigh);
    for (std::size_t i = 0; i < kTimingCount; ++i)
        timingFields()[i]->setText(QString::number(settings.timings[i]));
    WyswietlPolecenie_Combo->setCurrentIndex(settings.displayCommand);
    TrybBuzera_Combo->setCurrentIndex(settings.buzzerMode);
    Wersja_Text->setText(QString::fromStdString(versionText(settings.firmwareVersion)));
}

} // namespace orv52
