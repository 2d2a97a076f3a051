// The game's message boxes. Each is wide enough to show its whole title, and a Yes/No question
// is answered only by Yes or No: Escape or the close button would answer it by chance.
#pragma once

#include <QMessageBox>

namespace dyeland {

class GameMessageBox : public QMessageBox {
public:
    // With Yes and No the box is a question: No is its default, it has no close button where
    // the window manager allows, and Escape and the window manager's close do nothing.
    GameMessageBox(Icon icon, const QString& title, const QString& text, StandardButtons buttons,
                   QWidget* parent);

protected:
    void keyPressEvent(QKeyEvent* event) override;
    void closeEvent(QCloseEvent* event) override;

private:
    void FitTitle();

    bool question_;
};

}  // namespace dyeland
