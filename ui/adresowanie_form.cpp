#include "adresowanie_form.h"

#include "app_icon.h"
#include "description_refresh.h"
#include "font_fit.h"
#include "frm_about.h"
#include "main_window_controls.h"
#include "main_window_layout.h"
#include "main_window_texts.h"
#include "message_box.h"
#include "protocol/configuration.h"

#include <QCheckBox>
#include <QComboBox>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QScreen>
#include <string_view>
#include <vector>

namespace orv52 {

namespace layout = main_layout;
namespace texts = main_texts;
namespace names = control_name;

namespace {

constexpr int kNumericFieldMaxLength = 3;

// The port options are one tab stop, on the selected option; the arrow keys move between them.
void setPortOptionTabStop(QRadioButton* option, bool checked) {
    option->setFocusPolicy(checked ? Qt::StrongFocus : Qt::ClickFocus);
}

} // namespace

Adresowanie_Form::Adresowanie_Form(QWidget* parent)
    : QWidget(parent, Qt::Window | Qt::MSWindowsFixedSizeDialogHint | Qt::WindowTitleHint |
                          Qt::WindowSystemMenuHint | Qt::WindowMinimizeButtonHint |
                          Qt::WindowCloseButtonHint) {
    setObjectName(QStringLiteral("Adresowanie_Form"));
    setWindowTitle(texts::kTitle.toString());
    setWindowIcon(appIcon());
    setFixedSize(twipsToPixels(layout::kClientWidth), twipsToPixels(layout::kClientHeight));

    const std::vector<ControlRow> controls = mainWindowControls();
    // Every control inherits this font as it is made; none has to change its font afterwards.
    setFont(fittedFont(font(), captionsOf(controls), *style()));
    takeControls(makeControls(*this, controls));
    setUpControls();
    setTabOrder();
    connectHandlers();
    setUpNumericFields();
    Form_Load();
}

void Adresowanie_Form::takeControls(const MadeControls& made) {
    made.take(AdresL_Check, names::AdresL_Check, 0);
    made.take(AdresH_Check, names::AdresH_Check, 0);
    made.take(DelaySetOnRelay_Text, names::DelaySetOnRelay_Text, 0);
    made.take(DurationSetOnRelay_Text, names::DurationSetOnRelay_Text, 0);
    made.take(LightingTime_Text, names::LightingTime_Text, 0);
    made.take(WyswietlPolecenie_Combo, names::WyswietlPolecenie_Combo);
    made.take(TrybBuzera_Combo, names::TrybBuzera_Combo);
    made.take(Port_Option, names::Port_Option, 1);
    made.take(Wersja_Text, names::Wersja_Text);
    made.take(Przeslij_Command, names::Przeslij_Command);
    made.take(Odbierz_Command, names::Odbierz_Command);
    made.take(About_Command, names::About_Command);
}

void Adresowanie_Form::setUpControls() {
    for (auto* field : timingFields()) {
        field->setMaxLength(kNumericFieldMaxLength);
        field->setAlignment(Qt::AlignCenter);
    }
    // Qt's accessibility names a list on Linux by its current item; the frame's caption goes into
    // the description as well, so a screen reader still says which list it is.
    for (auto* list : {WyswietlPolecenie_Combo, TrybBuzera_Combo})
        list->setAccessibleDescription(list->accessibleName());
    portOption(1)->setChecked(true);
    Wersja_Text->setReadOnly(true);
    Wersja_Text->setAlignment(Qt::AlignCenter);
    // Enter and Esc press no button on this window.
    for (auto* button : {Przeslij_Command, Odbierz_Command, About_Command})
        button->setAutoDefault(false);
}

void Adresowanie_Form::setTabOrder() {
    std::vector<QWidget*> order(AdresL_Check.begin(), AdresL_Check.end());
    order.insert(order.end(), AdresH_Check.begin(), AdresH_Check.end());
    for (auto* fields : {&DelaySetOnRelay_Text, &DurationSetOnRelay_Text, &LightingTime_Text})
        order.insert(order.end(), fields->begin(), fields->end());
    order.insert(order.end(),
                 {WyswietlPolecenie_Combo, TrybBuzera_Combo, Przeslij_Command, Odbierz_Command});
    // The port options are one stop; within the group COM 4 comes first.
    for (int comPort = kComPortCount; comPort >= 1; --comPort)
        order.push_back(portOption(comPort));
    order.insert(order.end(), {Wersja_Text, About_Command});
    for (std::size_t i = 1; i < order.size(); ++i)
        QWidget::setTabOrder(order[i - 1], order[i]);
}

void Adresowanie_Form::connectHandlers() {
    for (int i = 0; i < int(AdresL_Check.size()); ++i)
        connect(AdresL_Check[i], &QCheckBox::toggled, this, [this, i] { AdresL_Check_Click(i); });
    for (int i = 0; i < int(AdresH_Check.size()); ++i)
        connect(AdresH_Check[i], &QCheckBox::toggled, this, [this, i] { AdresH_Check_Click(i); });
    connect(Przeslij_Command, &QPushButton::clicked, this,
            &Adresowanie_Form::Przeslij_Command_Click);
    connect(Odbierz_Command, &QPushButton::clicked, this, &Adresowanie_Form::Odbierz_Command_Click);
    connect(&exchange_, &ExchangeController::finished, this, &Adresowanie_Form::exchangeFinished);
    connect(About_Command, &QPushButton::clicked, this, &Adresowanie_Form::About_Command_Click);
    for (int index = 1; index <= kComPortCount; ++index) {
        auto* option = portOption(index);
        connect(option, &QRadioButton::clicked, this, [this, index] { Port_Option_Click(index); });
        new DescriptionRefresh(option, [this, index] { return portOptionDescription(index); });
        connect(option, &QRadioButton::toggled, this,
                [option](bool checked) { setPortOptionTabStop(option, checked); });
        setPortOptionTabStop(option, option->isChecked());
    }
}

void Adresowanie_Form::Form_Load() {
    programmingFrame_ = makeProgrammingFrameTemplate();
    configurationQuery_ = makeConfigurationQuery();

    for (const std::string_view item : kDisplayCommand.items)
        WyswietlPolecenie_Combo->addItem(texts::fromUtf8(item));
    WyswietlPolecenie_Combo->setCurrentIndex(0);
    for (const std::string_view item : kBuzzerMode.items)
        TrybBuzera_Combo->addItem(texts::fromUtf8(item));
    TrybBuzera_Combo->setCurrentIndex(0);

    centreOnScreen();
    AdresL_Check[0]->setFocus();
    show();
}

void Adresowanie_Form::centreOnScreen() {
    const QRect available = screen()->geometry();
    const QSize outer = frameGeometry().size();
    move(available.x() + (available.width() - outer.width()) / 2,
         available.y() + (available.height() - outer.height()) / 2);
}

void Adresowanie_Form::About_Command_Click() {
    frmAbout about(this);
    about.exec();
}

void Adresowanie_Form::setSystemReader(PortResolver::SystemReader reader) {
    Port_MSComm.resolver().setSystemReader(std::move(reader));
}

void Adresowanie_Form::setComPortPins(ComPortPins pins) {
    Port_MSComm.resolver().setPins(std::move(pins));
}

void Adresowanie_Form::setMessagePresenter(MessagePresenter presenter) {
    messagePresenter_ = std::move(presenter);
}

void Adresowanie_Form::showMessage(int messageId, const QString& detail) {
    if (messagePresenter_)
        messagePresenter_(messageId);
    else
        showMessageBox(messageId, this, detail);
}

} // namespace orv52
