#pragma once

#include "control_table.h"
#include "link/exchange_controller.h"
#include "link/serial_port_control.h"
#include "main_window_layout.h"
#include "protocol/configuration.h"
#include "protocol/record.h"
#include "protocol/requests.h"
#include "protocol/team_numbers.h"

#include <QWidget>
#include <array>
#include <cstdint>
#include <functional>
#include <span>

class QCheckBox;
class QComboBox;
class QGroupBox;
class QLabel;
class QLineEdit;
class QPushButton;
class QRadioButton;

namespace orv52 {

// The program's only working window. It owns every control, the serial port and the exchange
// on it (its two timers and the receive buffer), both request frames and the two team-number
// masks.
class Adresowanie_Form : public QWidget {
    Q_OBJECT

public:
    using MessagePresenter = std::function<void(int messageId)>;

    explicit Adresowanie_Form(QWidget* parent = nullptr);

    std::uint8_t teamMaskLow() const { return teamMaskLow_; }
    std::uint8_t teamMaskHigh() const { return teamMaskHigh_; }
    const Record& programmingFrame() const { return programmingFrame_; }
    const ConfigurationQuery& configurationQuery() const { return configurationQuery_; }
    const SerialPortControl& port() const { return Port_MSComm; }

    // Lets tests show the window a machine of their own: the serial devices present and the
    // kernel's record of its UARTs; the program itself never calls it.
    void setSystemReader(PortResolver::SystemReader reader);
    // The COM numbers the user pinned to devices on the command line.
    void setComPortPins(ComPortPins pins);
    // Lets tests see which messages are shown instead of opening boxes.
    void setMessagePresenter(MessagePresenter presenter);

    // Ticks the team-number boxes from record offsets 4 and 5; the masks follow through the
    // boxes' click handling. Bit 7 of the high byte has no box and is dropped.
    void setTeamBoxes(std::uint8_t lowByte, std::uint8_t highByte);

private:
    void takeControls(const MadeControls& made);
    // What the control table does not say.
    void setUpControls();
    void setTabOrder();
    void connectHandlers();
    void Form_Load();
    void centreOnScreen();

    void AdresL_Check_Click(int index);
    void AdresH_Check_Click(int index);

    // The option of COM number `comPort`, 1..4, as the options' names and handlers number them.
    QRadioButton* portOption(int comPort) const { return Port_Option.at(comPort - 1); }
    void Port_Option_Click(int index);
    // What port option `index` reaches now, for its tool tip and accessible description.
    QString portOptionDescription(int index) const;
    void setPortChoiceEnabled(bool enabled);
    void ObslugaBledow(const NumberedError& error);

    void Przeslij_Command_Click();
    void Odbierz_Command_Click();
    void startExchange(std::span<const std::uint8_t> request, bool fillFrameFirst);
    // What the window's controls and team masks say, for a programming frame.
    Configuration settingsFromWindow() const;
    // The six timing fields in record order.
    std::array<QLineEdit*, kTimingCount> timingFields() const;
    void exchangeFinished(ExchangeController::Outcome outcome);
    void enableControlsAfterExchange();
    void showReceivedConfiguration(const Configuration& settings);

    void setUpNumericFields();
    void DelaySetOnRelay_Text_KeyPress(int index, int& keyAscii);
    void DelaySetOnRelay_Text_Validate(int index, bool& cancel);
    void DurationSetOnRelay_Text_Validate(int index, bool& cancel);
    void LightingTime_Text_Validate(int index, bool& cancel);
    // Both return true when the field's value is rejected.
    bool CheckRange0To255(QLineEdit* field);
    bool CheckRange1To255(QLineEdit* field);
    bool checkFieldRange(QLineEdit* field, int lowest, int messageId);

    void About_Command_Click();

    // The detail is a line under the message's text; a test's presenter sees only the number.
    void showMessage(int messageId, const QString& detail = {});

    // Box i of each array is bit i of its team mask.
    std::array<QCheckBox*, teams::count(teams::Mask::Low)> AdresL_Check{};
    std::array<QCheckBox*, teams::count(teams::Mask::High)> AdresH_Check{};
    std::array<QLineEdit*, 2> DelaySetOnRelay_Text{};
    std::array<QLineEdit*, 2> DurationSetOnRelay_Text{};
    std::array<QLineEdit*, 2> LightingTime_Text{};
    QComboBox* WyswietlPolecenie_Combo = nullptr;
    QComboBox* TrybBuzera_Combo = nullptr;
    std::array<QRadioButton*, kComPortCount> Port_Option{}; // found through portOption()
    QLineEdit* Wersja_Text = nullptr;
    QPushButton* Przeslij_Command = nullptr;
    QPushButton* Odbierz_Command = nullptr;
    QPushButton* About_Command = nullptr;

    SerialPortControl Port_MSComm{this};
    // Its poll and timeout timers are the window's Odbieraj_Timer and TimeOut_Timer; it tells
    // the window how each exchange ended.
    ExchangeController exchange_{Port_MSComm, this};

    Record programmingFrame_{};
    ConfigurationQuery configurationQuery_{};
    std::uint8_t teamMaskLow_ = 0;
    std::uint8_t teamMaskHigh_ = 0;

    MessagePresenter messagePresenter_;
};

} // namespace orv52
