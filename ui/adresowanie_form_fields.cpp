#include "adresowanie_form.h"
#include "focus_leave_validator.h"
#include "key_press_hook.h"
#include "messages/message_catalogue.h"
#include "protocol/range_check.h"
#include "protocol/settings_description.h"

#include <QLineEdit>

namespace orv52 {

namespace {
constexpr int kBackspace = 8;
}

void Adresowanie_Form::setUpNumericFields() {
    auto* validator = new FocusLeaveValidator(this);
    const auto watch = [validator](QLineEdit* field, auto validate) {
        validator->watch(field, [validate] {
            bool cancel = false;
            validate(cancel);
            return cancel;
        });
    };
    for (int i = 0; i < 2; ++i) {
        new KeyPressHook(DelaySetOnRelay_Text[i],
                         [this, i](int& keyAscii) { DelaySetOnRelay_Text_KeyPress(i, keyAscii); });
        watch(DelaySetOnRelay_Text[i],
              [this, i](bool& cancel) { DelaySetOnRelay_Text_Validate(i, cancel); });
        watch(DurationSetOnRelay_Text[i],
              [this, i](bool& cancel) { DurationSetOnRelay_Text_Validate(i, cancel); });
        watch(LightingTime_Text[i],
              [this, i](bool& cancel) { LightingTime_Text_Validate(i, cancel); });
    }
}

void Adresowanie_Form::DelaySetOnRelay_Text_KeyPress(int, int& keyAscii) {
    if (keyAscii == kBackspace)
        return;
    if (keyAscii < '0' || keyAscii > '9')
        keyAscii = 0;
}

void Adresowanie_Form::DelaySetOnRelay_Text_Validate(int index, bool& cancel) {
    cancel = CheckRange0To255(DelaySetOnRelay_Text[index]);
}

void Adresowanie_Form::DurationSetOnRelay_Text_Validate(int index, bool& cancel) {
    cancel = CheckRange1To255(DurationSetOnRelay_Text[index]);
}

void Adresowanie_Form::LightingTime_Text_Validate(int index, bool& cancel) {
    cancel = CheckRange0To255(LightingTime_Text[index]);
}

bool Adresowanie_Form::CheckRange0To255(QLineEdit* field) {
    return checkFieldRange(field, kLowestTiming, message_id::ValueOutOfRange0To255);
}

bool Adresowanie_Form::CheckRange1To255(QLineEdit* field) {
    return checkFieldRange(field, kLowestDuration, message_id::ValueOutOfRange1To255);
}

bool Adresowanie_Form::checkFieldRange(QLineEdit* field, int lowest, int messageId) {
    const auto result = checkRange(field->text().toStdString(), lowest);
    if (result.rejected)
        showMessage(messageId);
    if (result.newText) {
        const QString normal = QString::fromStdString(*result.newText);
        if (normal != field->text())
            field->setText(normal);
    }
    // Selected after the rewrite, which would drop the selection: the operator finds the whole
    // rejected text selected.
    if (result.rejected)
        field->setSelection(0, field->maxLength());
    return result.rejected;
}

} // namespace orv52
