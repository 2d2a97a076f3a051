// The About box: the logo, the program's name and version, and its legal notice.
#pragma once

#include <QDialog>

class QPushButton;

namespace dyeland {

class AboutBox : public QDialog {
    Q_OBJECT
public:
    explicit AboutBox(QWidget* parent);

protected:
    bool event(QEvent* event) override;

private:
    QPushButton* okButton_;
};

}  // namespace dyeland
