#include "main_window_controls.h"

#include "link/com_port_map.h"
#include "main_window_layout.h"
#include "main_window_texts.h"
#include "protocol/team_numbers.h"

namespace orv52 {

namespace layout = main_layout;
namespace texts = main_texts;
namespace names = control_name;

std::vector<ControlRow> mainWindowControls() {
    std::vector<ControlRow> rows;
    QString frame;
    QString frameCaption;
    const auto add = [&rows, &frame](ControlKind kind, QStringView text, const TwipsRect& rect,
                                     const QString& name, const QString& accessibleName = {},
                                     const ListSetting* list = nullptr) {
        rows.push_back({kind, text.toString(), rect, name, frame, accessibleName, list});
    };
    // A frame's row, then the rows of the controls in it.
    const auto addFrame = [&add, &frame, &frameCaption](QStringView caption, const TwipsRect& rect,
                                                        const char* name) {
        frame.clear();
        add(ControlKind::Frame, caption, rect, QLatin1String(name));
        frame = QLatin1String(name);
        frameCaption = caption.toString();
    };
    using enum ControlKind;

    // A screen reader says "Nr drużyny 01" where the box itself shows "01".
    addFrame(texts::Adresowanie_Frame, layout::Adresowanie_Frame, "Adresowanie_Frame");
    const auto addTeamBox = [&](teams::Mask mask, int bit, const TwipsRect& rect,
                                const char* arrayName) {
        const QString caption = texts::teamCaption(teams::team(mask, bit));
        add(CheckBox, caption, rect, indexedName(arrayName, bit),
            frameCaption + QLatin1Char(' ') + caption);
    };
    for (int i = 0; i < teams::count(teams::Mask::Low); ++i)
        addTeamBox(teams::Mask::Low, i, layout::AdresL_Check(i), names::AdresL_Check);
    for (int i = 0; i < teams::count(teams::Mask::High); ++i)
        addTeamBox(teams::Mask::High, i, layout::AdresH_Check(i), names::AdresH_Check);

    struct FieldGroup {
        const char* frameName;
        const char* fieldName;
        const char* labelName;
        std::size_t group;
        TwipsRect frameRect;
        const TwipsRect* labelRects;
        const std::array<QStringView, 2>& labels;
    };
    const std::array<FieldGroup, 3> groups{{
        {"DelaySetOnRelay_Frame", names::DelaySetOnRelay_Text, "DelaySetOnRelay_Label",
         timing_group::Delay, layout::DelaySetOnRelay_Frame, layout::RelayLabel, texts::RelayLabel},
        {"DurationSetOnRelay_Frame", names::DurationSetOnRelay_Text, "DurationSetOnRelay_Label",
         timing_group::Duration, layout::DurationSetOnRelay_Frame, layout::RelayLabel,
         texts::RelayLabel},
        {"LightingTime_Frame", names::LightingTime_Text, "LightingTime_Label",
         timing_group::Lighting, layout::LightingTime_Frame, layout::LightingTime_Label,
         texts::LightingTime_Label},
    }};
    for (const auto& group : groups) {
        addFrame(texts::timingFrame(group.group), group.frameRect, group.frameName);
        const QString startText = QString::number(kTimingGroups.at(group.group).defaultValue);
        for (int i = 0; i < 2; ++i) {
            add(TextBox, startText, layout::NumericField[i], indexedName(group.fieldName, i),
                frameCaption + QStringLiteral(", ") + group.labels[i].toString());
            add(Label, group.labels[i], group.labelRects[i], indexedName(group.labelName, i));
        }
    }

    addFrame(texts::fromUtf8(kDisplayCommand.caption), layout::WyswietlPolecenie_Frame,
             "WyswietlPolecenie_Frame");
    add(List, {}, layout::ListInFrame, QLatin1String(names::WyswietlPolecenie_Combo), frameCaption,
        &kDisplayCommand);
    addFrame(texts::fromUtf8(kBuzzerMode.caption), layout::TrybBuzera_Frame, "TrybBuzera_Frame");
    add(List, {}, layout::ListInFrame, QLatin1String(names::TrybBuzera_Combo), frameCaption,
        &kBuzzerMode);

    addFrame(texts::PortCOM_Frame, layout::PortCOM_Frame, "PortCOM_Frame");
    for (int index = 1; index <= kComPortCount; ++index)
        add(OptionButton, texts::portCaption(index), layout::Port_Option(index),
            indexedName(names::Port_Option, index));
    addFrame(texts::Wersja_Frame, layout::Wersja_Frame, "Wersja_Frame");
    add(TextBox, u"0.0", layout::Wersja_Text, QLatin1String(names::Wersja_Text), frameCaption);

    frame.clear();
    add(PushButton, texts::Przeslij_Command, layout::Przeslij_Command,
        QLatin1String(names::Przeslij_Command));
    add(PushButton, texts::Odbierz_Command, layout::Odbierz_Command,
        QLatin1String(names::Odbierz_Command));
    add(PushButton, texts::About_Command, layout::About_Command,
        QLatin1String(names::About_Command));
    return rows;
}

} // namespace orv52
