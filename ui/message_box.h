#pragma once

#include <QString>

class QWidget;

namespace orv52 {

// Shows message `id` of the catalogue in an application-modal box with its title, icon and a
// single "OK" button, and the detail, if any, as a line under the text; returns when the
// operator has closed it.
void showMessageBox(int id, QWidget* parent, const QString& detail = {});

} // namespace orv52
