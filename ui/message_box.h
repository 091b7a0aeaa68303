#pragma once

class QWidget;

namespace orv52 {

// Shows message `id` of the catalogue in an application-modal box with its title, icon and a
// single "OK" button; returns when the operator has closed it.
void showMessageBox(int id, QWidget* parent);

} // namespace orv52
