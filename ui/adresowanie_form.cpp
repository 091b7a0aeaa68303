#include "adresowanie_form.h"

#include "app_icon.h"
#include "caption_frame.h"
#include "description_refresh.h"
#include "font_fit.h"
#include "frm_about.h"
#include "main_window_captions.h"
#include "main_window_layout.h"
#include "main_window_texts.h"
#include "message_box.h"
#include "protocol/configuration.h"

#include <QCheckBox>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QScreen>
#include <string_view>
#include <vector>

namespace orv52 {

namespace layout = main_layout;
namespace texts = main_texts;

namespace {

constexpr int kNumericFieldMaxLength = 3;

QString indexedName(const char* arrayName, int index) {
    return QStringLiteral("%1(%2)").arg(QLatin1String(arrayName)).arg(index);
}

template <typename Widget>
Widget* place(Widget* widget, const TwipsRect& rect, const QString& name) {
    widget->setGeometry(toPixels(rect));
    widget->setObjectName(name);
    return widget;
}

QGroupBox* frame(QWidget* parent, QStringView caption, const TwipsRect& rect, const char* name) {
    return place(new CaptionFrame(caption.toString(), parent), rect, QLatin1String(name));
}

// The port options are one tab stop, on the selected option; the arrow keys move between them.
void setPortOptionTabStop(QRadioButton* option, bool checked) {
    option->setFocusPolicy(checked ? Qt::StrongFocus : Qt::ClickFocus);
}

// Qt's accessibility names a list on Linux by its current item; the frame's caption goes into the
// description as well, so a screen reader still says which list it is.
void nameList(QComboBox* list, const QString& caption) {
    list->setAccessibleName(caption);
    list->setAccessibleDescription(caption);
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

    exchange_.pollTimer().setObjectName(QStringLiteral("Odbieraj_Timer"));
    exchange_.timeoutTimer().setObjectName(QStringLiteral("TimeOut_Timer"));

    // Every control inherits this font as it is created; none has to change its font afterwards.
    setFont(fittedFont(font(), mainWindowCaptions(), *style()));
    createControls();
    setTabOrder();
    connectHandlers();
    setUpNumericFields();
    Form_Load();
}

void Adresowanie_Form::createControls() {
    createTeamNumberBoxes();
    createNumericFields();
    createLists();
    createRightColumn();
}

void Adresowanie_Form::createTeamNumberBoxes() {
    auto* box =
        frame(this, texts::Adresowanie_Frame, layout::Adresowanie_Frame, "Adresowanie_Frame");
    // A screen reader says "Nr drużyny 01" where the box itself shows "01".
    const auto teamBox = [box](int team, const TwipsRect& rect, const QString& name) {
        const QString caption = texts::teamCaption(team);
        auto* check = place(new QCheckBox(caption, box), rect, name);
        check->setAccessibleName(box->title() + QLatin1Char(' ') + caption);
        return check;
    };
    for (int i = 0; i < int(AdresL_Check.size()); ++i)
        AdresL_Check[i] = teamBox(i + 1, layout::AdresL_Check(i), indexedName("AdresL_Check", i));
    for (int i = 0; i < int(AdresH_Check.size()); ++i)
        AdresH_Check[i] = teamBox(i + layout::kLowTeamBoxes + 1, layout::AdresH_Check(i),
                                  indexedName("AdresH_Check", i));
}

void Adresowanie_Form::createNumericFields() {
    struct FieldGroup {
        std::array<QLineEdit*, 2>& fields;
        const char* fieldName;
        const char* frameName;
        const char* labelName;
        std::size_t group;
        TwipsRect frameRect;
        const TwipsRect* labelRects;
        const std::array<QStringView, 2>& labels;
    };
    const std::array<FieldGroup, 3> groups{{
        {DelaySetOnRelay_Text, "DelaySetOnRelay_Text", "DelaySetOnRelay_Frame",
         "DelaySetOnRelay_Label", timing_group::Delay, layout::DelaySetOnRelay_Frame,
         layout::RelayLabel, texts::RelayLabel},
        {DurationSetOnRelay_Text, "DurationSetOnRelay_Text", "DurationSetOnRelay_Frame",
         "DurationSetOnRelay_Label", timing_group::Duration, layout::DurationSetOnRelay_Frame,
         layout::RelayLabel, texts::RelayLabel},
        {LightingTime_Text, "LightingTime_Text", "LightingTime_Frame", "LightingTime_Label",
         timing_group::Lighting, layout::LightingTime_Frame, layout::LightingTime_Label,
         texts::LightingTime_Label},
    }};
    for (const auto& group : groups) {
        auto* box = frame(this, texts::timingFrame(group.group), group.frameRect, group.frameName);
        const QString startText = QString::number(kTimingGroups.at(group.group).defaultValue);
        for (int i = 0; i < 2; ++i) {
            auto* field = place(new QLineEdit(startText, box), layout::NumericField[i],
                                indexedName(group.fieldName, i));
            field->setMaxLength(kNumericFieldMaxLength);
            field->setAlignment(Qt::AlignCenter);
            const QString label = group.labels[i].toString();
            field->setAccessibleName(box->title() + QStringLiteral(", ") + label);
            group.fields[i] = field;
            place(new QLabel(label, box), group.labelRects[i], indexedName(group.labelName, i));
        }
    }
}

void Adresowanie_Form::createLists() {
    auto* display = frame(this, texts::fromUtf8(kDisplayCommand.caption),
                          layout::WyswietlPolecenie_Frame, "WyswietlPolecenie_Frame");
    WyswietlPolecenie_Combo = place(new QComboBox(display), layout::ListInFrame,
                                    QStringLiteral("WyswietlPolecenie_Combo"));
    nameList(WyswietlPolecenie_Combo, display->title());
    auto* buzzer = frame(this, texts::fromUtf8(kBuzzerMode.caption), layout::TrybBuzera_Frame,
                         "TrybBuzera_Frame");
    TrybBuzera_Combo =
        place(new QComboBox(buzzer), layout::ListInFrame, QStringLiteral("TrybBuzera_Combo"));
    nameList(TrybBuzera_Combo, buzzer->title());
}

void Adresowanie_Form::createRightColumn() {
    auto* ports = frame(this, texts::PortCOM_Frame, layout::PortCOM_Frame, "PortCOM_Frame");
    for (int index = 1; index <= kPortCount; ++index)
        Port_Option[index - 1] =
            place(new QRadioButton(texts::portCaption(index), ports), layout::Port_Option(index),
                  indexedName("Port_Option", index));
    Port_Option[0]->setChecked(true);

    auto* version = frame(this, texts::Wersja_Frame, layout::Wersja_Frame, "Wersja_Frame");
    Wersja_Text = place(new QLineEdit(QStringLiteral("0.0"), version), layout::Wersja_Text,
                        QStringLiteral("Wersja_Text"));
    Wersja_Text->setReadOnly(true);
    Wersja_Text->setAccessibleName(version->title());
    Wersja_Text->setAlignment(Qt::AlignCenter);

    const auto button = [this](QStringView caption, const TwipsRect& rect, const char* name) {
        auto* b = place(new QPushButton(caption.toString(), this), rect, QLatin1String(name));
        b->setAutoDefault(false); // Enter and Esc press no button on this window
        return b;
    };
    Przeslij_Command =
        button(texts::Przeslij_Command, layout::Przeslij_Command, "Przeslij_Command");
    Odbierz_Command = button(texts::Odbierz_Command, layout::Odbierz_Command, "Odbierz_Command");
    About_Command = button(texts::About_Command, layout::About_Command, "About_Command");
}

void Adresowanie_Form::setTabOrder() {
    std::vector<QWidget*> order(AdresL_Check.begin(), AdresL_Check.end());
    order.insert(order.end(), AdresH_Check.begin(), AdresH_Check.end());
    for (auto* fields : {&DelaySetOnRelay_Text, &DurationSetOnRelay_Text, &LightingTime_Text})
        order.insert(order.end(), fields->begin(), fields->end());
    order.insert(order.end(),
                 {WyswietlPolecenie_Combo, TrybBuzera_Combo, Przeslij_Command, Odbierz_Command});
    // The port options are one stop; within the group COM 4 comes first.
    for (int i = kPortCount - 1; i >= 0; --i)
        order.push_back(Port_Option[i]);
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
    connect(&exchange_.pollTimer(), &QTimer::timeout, this,
            &Adresowanie_Form::Odbieraj_Timer_Timer);
    connect(&exchange_.timeoutTimer(), &QTimer::timeout, this,
            &Adresowanie_Form::TimeOut_Timer_Timer);
    connect(About_Command, &QPushButton::clicked, this, &Adresowanie_Form::About_Command_Click);
    for (int index = 1; index <= kPortCount; ++index) {
        auto* option = Port_Option[index - 1];
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

void Adresowanie_Form::setPortNameResolver(SerialPortControl::PortNameResolver resolver) {
    Port_MSComm.setPortNameResolver(std::move(resolver));
}

void Adresowanie_Form::setPortLister(SerialPortControl::PortLister lister) {
    Port_MSComm.setPortLister(std::move(lister));
}

void Adresowanie_Form::setComPortPins(ComPortPins pins) {
    Port_MSComm.setComPortPins(std::move(pins));
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
