// The About box: a fixed tool window, never modal, with the focus on OK whenever it is active
// so that Enter or Space closes it straight away.
#include "windows/AboutBox.h"

#include <QEvent>
#include <QFont>
#include <QIcon>
#include <QLabel>
#include <QPixmap>
#include <QPushButton>

#include "desktop/OnScreen.h"
#include "windows/Artwork.h"
#include "windows/FittedFont.h"
#include "windows/Twips.h"

namespace dyeland {
namespace {

// A screen reader reads the text itself as the label's name; the description says what it is.
// The box cannot grow, so a desktop font too large for a text's place is made smaller for it.
QLabel* AddLabel(QWidget* parent, const char* name, const QString& text, const QRect& place,
                 const char* description) {
    auto* label = new QLabel(text, parent);
    label->setAccessibleDescription(description);
    label->setObjectName(name);
    label->setGeometry(place);
    label->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    label->setWordWrap(true);
    ShrinkFontUntil(*label, [&] { return label->heightForWidth(place.width()) <= place.height(); });
    return label;
}

}  // namespace

AboutBox::AboutBox(QWidget* parent)
    : QDialog(parent, Qt::Tool | Qt::CustomizeWindowHint | Qt::WindowTitleHint |
                          Qt::WindowCloseButtonHint) {
    setObjectName("frmAbout");
    setWindowTitle("About");
    // No icon: window managers give an iconless box its parent's icon or a stock one, so it
    // carries a clear one of its own.
    QPixmap clear(16, 16);
    clear.fill(Qt::transparent);
    setWindowIcon(QIcon(clear));
    setAccessibleDescription("The program's name, version and legal notice");
    setModal(false);
    // The logo's colours need the light window the main window keeps too.
    setPalette(ClassicPalette());
    setGeometry(TwipsRect(5100, 3735, 5160, 3465));
    setFixedSize(size());
    KeepOnScreen(this);

    auto* logo = new LogoImage(this);
    logo->setObjectName("Image1");
    logo->move(Px(120), Px(120));

    AddLabel(this, "Label3", "Dyeland, Version " DYELAND_VERSION, TwipsRect(1680, 120, 1935, 375),
             "Name and version of the program");
    AddLabel(this, "Label2", QString::fromUtf8("\u00A9 2026 The Dyeland developers"),
             TwipsRect(1680, 480, 3495, 375), "Copyright");
    // Between the copyright line and OK, with the box's margins all round. It says what the
    // MIT License of the LICENSE file says, in fewer words.
    AddLabel(this, "Label4",
             "Free software under the MIT License: you may use, copy, change, share and sell it "
             "if every copy keeps the copyright line and the licence. It comes with no warranty.",
             TwipsRect(120, 975, 4920, 825), "Legal notice");

    okButton_ = new QPushButton("OK", this);
    okButton_->setObjectName("Command3");
    okButton_->setGeometry(TwipsRect(3840, 1920, 1215, 375));
    okButton_->setDefault(true);
    okButton_->setAccessibleDescription("Closes the About box");
    connect(okButton_, &QPushButton::clicked, this, &QDialog::close);
}

bool AboutBox::event(QEvent* event) {
    if (event->type() == QEvent::WindowActivate) okButton_->setFocus(Qt::ActiveWindowFocusReason);
    return QDialog::event(event);
}

}  // namespace dyeland
