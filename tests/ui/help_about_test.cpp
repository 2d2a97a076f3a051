// Help and About: the menu's F1 reaching the help window through the event loop, F1 typed in
// the main window, a page that cannot be loaded, and the one non-modal About box.
#include <gtest/gtest.h>

#include <QAction>
#include <QLabel>
#include <QMessageBox>
#include <QPushButton>
#include <QTest>
#include <QTextBrowser>
#include <QTimer>

#include "Form1.h"
#include "HelpWindow.h"
#include "frmAbout.h"
#include "window_test_support.h"

namespace dyeland::test {
namespace {

bool HelpShown(const Form1& form) {
    return form.help() && form.help()->isVisible();
}

// The whole road: the menu posts F1 and returns, the event loop hands it to the focused
// control, it bubbles up to the window, and the window opens its help.
TEST(Help, ContentsAndF1BothOpenTheOneHelpWindow) {
    Form1 form;
    form.show();
    form.activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(&form));
    Control<QAction>(form, "mnuCont")->trigger();
    EXPECT_FALSE(HelpShown(form)) << "the key must be posted, not sent";
    ASSERT_TRUE(QTest::qWaitFor([&] { return HelpShown(form); }, 2000));
    const QString text = form.help()->findChild<QTextBrowser*>()->toPlainText();
    for (const char* topic :
         {"How to play", "From The Centre", "Line", "Arcade", "res", "Keyboard", "Good to know"})
        EXPECT_TRUE(text.contains(topic)) << topic;

    HelpWindow* first = form.help();
    first->close();
    QTest::keyClick(Control(form, "cmdStart"), Qt::Key_F1);
    EXPECT_TRUE(HelpShown(form));
    EXPECT_EQ(form.findChildren<HelpWindow*>(), QList<HelpWindow*>{first});
}

TEST(Help, APageThatCannotBeLoadedIsReported) {
    Form1 form;
    QString message;
    QTimer::singleShot(0, [&] {
        if (auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget())) {
            message = box->text();
            box->accept();
        }
    });
    form.ShowHelp(":/help/missing.html");
    EXPECT_TRUE(message.contains("help") && message.contains("missing.html"))
        << qPrintable(message);
    EXPECT_FALSE(HelpShown(form));
}

TEST(About, OpensOnceWithTheFocusOnOkWhichClosesIt) {
    Form1 form;
    form.show();
    form.mnuAbout_Click();
    frmAbout* box = form.about();
    ASSERT_TRUE(box && box->isVisible());
    EXPECT_FALSE(box->isModal());
    EXPECT_EQ(box->windowTitle(), "About");
    EXPECT_EQ(box->windowType(), Qt::Tool);
    EXPECT_EQ(box->geometry(), QRect(340, 249, 344, 231));
    EXPECT_EQ(Control<QLabel>(*box, "Label3")->text(), "Dyeland, Version 1.2");
    EXPECT_EQ(Control<QLabel>(*box, "Label2")->text(), "© 2026 The Dyeland developers");
    EXPECT_TRUE(Control<QLabel>(*box, "Label4")->text().contains("MIT License"));
    EXPECT_EQ(Control(*box, "Label4")->geometry(), QRect(8, 160, 321, 73));
    auto* ok = Control<QPushButton>(*box, "Command3");
    EXPECT_EQ(ok->geometry(), QRect(256, 128, 81, 25));
    form.mnuAbout_Click();
    EXPECT_EQ(form.findChildren<frmAbout*>(), QList<frmAbout*>{box});

    ASSERT_TRUE(QTest::qWaitForWindowActive(box));
    ok->clearFocus();
    QEvent activate(QEvent::WindowActivate);
    QApplication::sendEvent(box, &activate);
    EXPECT_EQ(box->focusWidget(), ok);
    QTest::keyClick(ok, Qt::Key_Return);
    EXPECT_FALSE(box->isVisible());
    form.mnuAbout_Click();
    EXPECT_TRUE(box->isVisible());
    QTest::mouseClick(ok, Qt::LeftButton);
    EXPECT_FALSE(box->isVisible());
}

}  // namespace
}  // namespace dyeland::test
