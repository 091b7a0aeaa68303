#include "adresowanie_form.h"

#include <QCheckBox>

namespace orv52 {

namespace {

// Copies the box's state into its bit; the other bits stay as they are. A grey (partial) state
// would count as ticked, though the program never sets one.
std::uint8_t withTeamBit(std::uint8_t mask, int bit, const QCheckBox* box) {
    return teams::withBit(mask, bit, box->checkState() != Qt::Unchecked);
}

} // namespace

void Adresowanie_Form::AdresL_Check_Click(int index) {
    teamMaskLow_ = withTeamBit(teamMaskLow_, index, AdresL_Check[index]);
}

void Adresowanie_Form::AdresH_Check_Click(int index) {
    teamMaskHigh_ = withTeamBit(teamMaskHigh_, index, AdresH_Check[index]);
}

void Adresowanie_Form::setTeamBoxes(std::uint8_t lowByte, std::uint8_t highByte) {
    // A box whose state changes raises its click handling at once, which sets its mask bit.
    for (int i = 0; i < int(AdresL_Check.size()); ++i)
        AdresL_Check[i]->setChecked((lowByte >> i) & 1u);
    for (int i = 0; i < int(AdresH_Check.size()); ++i)
        AdresH_Check[i]->setChecked((highByte >> i) & 1u);
}

} // namespace orv52
