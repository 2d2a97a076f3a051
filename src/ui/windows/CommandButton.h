// The main window's command buttons: Start, Exit and the two hidden ones the game drives.
#pragma once

#include <QPushButton>

namespace dyeland {

// A focused button is pressed by Enter as well as by Space; Qt does the first only in dialogs.
class CommandButton : public QPushButton {
    Q_OBJECT
public:
    CommandButton(const QString& caption, QWidget* parent) : QPushButton(caption, parent) {}
    // A line a screen reader says the first time the button has the focus, not on every visit.
    void SetHintOnce(const QString& hint);

protected:
    void keyPressEvent(QKeyEvent* event) override;
    void focusOutEvent(QFocusEvent* event) override;

private:
    bool hintOnce_ = false;
};

}  // namespace dyeland
