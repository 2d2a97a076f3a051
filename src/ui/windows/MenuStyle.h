// The look of the Options menu: a checked item shows its check mark, an unchecked one nothing at
// all, where Qt's styles draw an empty box or a radio button.
#pragma once

#include <QProxyStyle>

namespace dyeland {

// Only the drawing changes: the items stay checkable, and say so to screen readers.
class CheckMarkOnlyStyle : public QProxyStyle {
public:
    void drawControl(ControlElement element, const QStyleOption* option, QPainter* painter,
                     const QWidget* widget) const override;
};

}  // namespace dyeland
