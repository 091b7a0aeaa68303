#include "adresowanie_form.h"
#include "message_catalogue.h"
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

bool namesListItem(std::uint8_t value, const QComboBox* list) {
    const auto position = byteToListPosition(value);
    return position && *position < list->count();
}

} // namespace

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
        receiveBuffer_.clear();
        if (fillFrameFirst)
            fillProgrammingFrame();
        if (!Port_MSComm.isOpen())
            Port_MSComm.open();
        Port_MSComm.discardInput();
        Port_MSComm.write(request);
        Odbieraj_Timer.start();
        TimeOut_Timer.start();
    } catch (const NumberedError& error) {
        ObslugaBledow(error);
    }
}

void Adresowanie_Form::fillProgrammingFrame() {
    programmingFrame_[offset::TeamMaskLow] = teamMaskLow_;
    programmingFrame_[offset::TeamMaskHigh] = teamMaskHigh_;
    programmingFrame_[offset::DelayUpperRelay] = fieldByte(DelaySetOnRelay_Text[0]);
    programmingFrame_[offset::DelayLowerRelay] = fieldByte(DelaySetOnRelay_Text[1]);
    programmingFrame_[offset::DurationUpperRelay] = fieldByte(DurationSetOnRelay_Text[0]);
    programmingFrame_[offset::DurationLowerRelay] = fieldByte(DurationSetOnRelay_Text[1]);
    programmingFrame_[offset::LightingArrowUp] = fieldByte(LightingTime_Text[0]);
    programmingFrame_[offset::LightingArrowDown] = fieldByte(LightingTime_Text[1]);
    programmingFrame_[offset::DisplayCommand] =
        listPositionToByte(WyswietlPolecenie_Combo->currentIndex());
    programmingFrame_[offset::BuzzerMode] = listPositionToByte(TrybBuzera_Combo->currentIndex());
    programmingFrame_[offset::Checksum] = frameChecksum(programmingFrame_);
}

void Adresowanie_Form::Odbieraj_Timer_Timer() {
    const int waiting = Port_MSComm.pendingCount();
    if (waiting == 0)
        return;
    for (int i = 0; i < waiting; ++i)
        receiveBuffer_.append(Port_MSComm.readOne());

    switch (receiveBuffer_.recognise()) {
    case Verdict::ProgrammingDone:
        endExchange();
        showMessage(message_id::ProgrammingDone);
        break;
    case Verdict::ConfigurationReceived: {
        endExchange();
        const Record record = receiveBuffer_.record();
        if (canShowConfiguration(record)) {
            showReceivedConfiguration(record);
        } else {
            showMessage(message_id::TransmissionError);
            Port_MSComm.discardInput();
        }
        break;
    }
    case Verdict::Incomplete:
    case Verdict::StrayData:
        break;
    }
}

void Adresowanie_Form::TimeOut_Timer_Timer() {
    endExchange();
    setPortChoiceEnabled(true);
    Port_MSComm.discardInput();
    showMessage(message_id::NoConnection);
}

void Adresowanie_Form::endExchange() {
    Odbieraj_Timer.stop();
    TimeOut_Timer.stop();
    Port_MSComm.close();
    Przeslij_Command->setEnabled(true);
    Odbierz_Command->setEnabled(true);
    setPortChoiceEnabled(true);
}

// A record is shown only whole: besides its checksum, both one-bit fields must name an item of
// their list, so that nothing in the window changes for a record that cannot be shown.
bool Adresowanie_Form::canShowConfiguration(const Record& record) const {
    return isRecordValid(record) &&
           namesListItem(record[offset::DisplayCommand], WyswietlPolecenie_Combo) &&
           namesListItem(record[offset::BuzzerMode], TrybBuzera_Combo);
}

void Adresowanie_Form::showReceivedConfiguration(const Record& record) {
    setTeamBoxes(record[offset::TeamMaskLow], record[offset::TeamMaskHigh]);
    const std::array<std::pair<QLineEdit*, std::size_t>, 6> fields{{
        {DelaySetOnRelay_Text[0], offset::DelayUpperRelay},
        {DelaySetOnRelay_Text[1], offset::DelayLowerRelay},
        {DurationSetOnRelay_Text[0], offset::DurationUpperRelay},
        {DurationSetOnRelay_Text[1], offset::DurationLowerRelay},
        {LightingTime_Text[0], offset::LightingArrowUp},
        {LightingTime_Text[1], offset::LightingArrowDown},
    }};
    for (const auto& [field, byteOffset] : fields)
        field->setText(QString::number(record[byteOffset]));
    WyswietlPolecenie_Combo->setCurrentIndex(*byteToListPosition(record[offset::DisplayCommand]));
    TrybBuzera_Combo->setCurrentIndex(*byteToListPosition(record[offset::BuzzerMode]));
    Wersja_Text->setText(QString::fromStdString(versionText(record[offset::FirmwareVersion])));
}

} // namespace orv52
