// Menu items drawn with a check mark or nothing.
#include "windows/MenuStyle.h"

#include <QStyleOptionMenuItem>

namespace dyeland {

void CheckMarkOnlyStyle::drawControl(ControlElement element, const QStyleOption* option,
                                     QPainter* painter, const QWidget* widget) const {
    const auto* item = qstyleoption_cast<const QStyleOptionMenuItem*>(option);
    if (element == CE_MenuItem && item && item->checkType != QStyleOptionMenuItem::NotCheckable) {
        // The two variants are a group with one always checked, yet they wear a check mark like
        // the other options rather than a radio button.
        QStyleOptionMenuItem shown = *item;
        shown.checkType =
            item->checked ? QStyleOptionMenuItem::NonExclusive : QStyleOptionMenuItem::NotCheckable;
        QProxyStyle::drawControl(element, &shown, painter, widget);
        return;
    }
    QProxyStyle::drawControl(element, option, painter, widget);
}

}  // namespace dyeland
