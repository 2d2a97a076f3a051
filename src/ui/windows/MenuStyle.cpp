// Menu items drawn with a check mark or nothing.
#include "windows/MenuStyle.h"

#include <QStyleOptionMenuItem>

namespace dyeland {

void CheckMarkOnlyStyle::drawControl(ControlElement element, const QStyleOption* option,
                                     QPainter* painter, const QWidget* widget) const {
    const auto* item = qstyleoption_cast<const QStyleOptionMenuItem*>(option);
    if (element == CE_MenuItem && item && !item->checked &&
        item->checkType != QStyleOptionMenuItem::NotCheckable) {
        QStyleOptionMenuItem bare = *item;
        bare.checkType = QStyleOptionMenuItem::NotCheckable;
        QProxyStyle::drawControl(element, &bare, painter, widget);
        return;
    }
    QProxyStyle::drawControl(element, option, painter, widget);
}

}  // namespace dyeland
