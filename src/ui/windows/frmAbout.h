// frmAbout, the About box: the logo, the program's name and version, and its legal notice.
#pragma once

#include <QDialog>

class QPushButton;

namespace dyeland {

class frmAbout : public QDialog {
    Q_OBJECT
public:
    explicit frmAbout(QWidget* parent);

protected:
    bool event(QEvent* event) override;

private:
    QPushButton* Command3_;
};

}  // namespace dyeland
