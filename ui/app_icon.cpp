#include "app_icon.h"

#include "app_icon.xpm"

#include <QPixmap>

namespace orv52 {

QIcon appIcon() {
    return QIcon(QPixmap(app_icon_xpm));
}

} // namespace orv52
