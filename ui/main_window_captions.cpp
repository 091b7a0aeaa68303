#include "main_window_captions.h"

#include "link/com_port_map.h"
#include "main_window_layout.h"
#include "main_window_texts.h"

namespace orv52 {

namespace layout = main_layout;
namespace texts = main_texts;

std::vector<Caption> mainWindowCaptions() {
    std::vector<Caption> captions;
    const auto add = [&captions](CaptionKind kind, QStringView text, int widthTwips) {
        captions.push_back({kind, text.toString(), twipsToPixels(widthTwips)});
    };
    using enum CaptionKind;

    add(Frame, texts::Adresowanie_Frame, layout::Adresowanie_Frame.width);
    for (int i = 0; i < layout::kLowTeamBoxes; ++i)
        add(CheckBox, texts::teamCaption(i + 1), layout::AdresL_Check(i).width);
    for (int i = 0; i < layout::kHighTeamBoxes; ++i)
        add(CheckBox, texts::teamCaption(i + layout::kLowTeamBoxes + 1),
            layout::AdresH_Check(i).width);

    add(Frame, texts::timingFrame(timing_group::Delay), layout::DelaySetOnRelay_Frame.width);
    add(Frame, texts::timingFrame(timing_group::Duration), layout::DurationSetOnRelay_Frame.width);
    add(Frame, texts::timingFrame(timing_group::Lighting), layout::LightingTime_Frame.width);
    for (int i = 0; i < 2; ++i) {
        add(Label, texts::RelayLabel[i], layout::RelayLabel[i].width);
        add(Label, texts::LightingTime_Label[i], layout::LightingTime_Label[i].width);
    }

    const auto addList = [&add](const ListSetting& list, int frameWidth) {
        add(Frame, texts::fromUtf8(list.caption), frameWidth);
        for (const std::string_view item : list.items)
            add(ListItem, texts::fromUtf8(item), layout::ListInFrame.width);
    };
    addList(kDisplayCommand, layout::WyswietlPolecenie_Frame.width);
    addList(kBuzzerMode, layout::TrybBuzera_Frame.width);

    add(Frame, texts::PortCOM_Frame, layout::PortCOM_Frame.width);
    for (int index = 1; index <= kComPortCount; ++index)
        add(OptionButton, texts::portCaption(index), layout::Port_Option(index).width);
    add(Frame, texts::Wersja_Frame, layout::Wersja_Frame.width);
    add(PushButton, texts::Przeslij_Command, layout::Przeslij_Command.width);
    add(PushButton, texts::Odbierz_Command, layout::Odbierz_Command.width);
    add(PushButton, texts::About_Command, layout::About_Command.width);
    return captions;
}

} // namespace orv52
