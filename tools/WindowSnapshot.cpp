// Snapshots the real main window offscreen: the pictures a player sees at fixed steps of one
// fixed game and the whole tree a screen reader reads. scripts/compare-window builds it against
// two revisions and compares what each writes, so it reaches the program only through the
// window's constructor, the standard sources, the score file's interface and the object names.
// Usage: window_snapshot OUTPUT-FOLDER  (under QT_QPA_PLATFORM=offscreen)
// It writes start.png and tree-start.txt (the window as it opens), game.png and tree.txt (after
// Start and the colour boxes 0 to 4 in turn; seed 1, the clock at 0, no high scores),
// focus.png (Tab on to a colour box), options-menu.png (the Options menu open) and about.png.
#include <private/qguiapplication_p.h>
#include <qpa/qplatformaccessibility.h>
#include <qpa/qplatformintegration.h>
#include <QAccessible>
#include <QAction>
#include <QApplication>
#include <QBackingStore>
#include <QDir>
#include <QFile>
#include <QImage>
#include <QMenu>
#include <QMenuBar>
#include <QMetaEnum>
#include <QPainter>
#include <QScreen>
#include <QTemporaryDir>
#include <QTest>
#include <QTextStream>
#include <QTimer>
#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <map>
#include <string>

#include "windows/MainWindow.h"

namespace {

// The score file in memory, empty at the start: nothing of the machine's own files shows.
class MemoryScoreFile final : public dyeland::ScoreFile {
public:
    dyeland::FileContents Read(std::string_view name, std::size_t maxBytes) override {
        auto& bytes = files_[std::string(name)];
        return {{bytes.begin(), bytes.begin() + std::min(maxBytes, bytes.size())}, {}};
    }
    std::string Update(std::string_view name, std::size_t maxBytes, const Change& change) override {
        auto& bytes = files_[std::string(name)];
        const auto changed = change({bytes.data(), std::min(maxBytes, bytes.size())});
        if (changed) bytes = *changed;
        return {};
    }
    std::string Remove(std::string_view name, std::size_t) override {
        files_.erase(std::string(name));
        return {};
    }

private:
    std::map<std::string, std::vector<unsigned char>> files_;
};

[[noreturn]] void Fail(const QString& why) {
    std::fprintf(stderr, "window_snapshot: %s\n", qPrintable(why));
    std::exit(1);
}

template <typename T>
T* Named(const QObject& parent, const char* name) {
    T* found = parent.findChild<T*>(name);
    if (!found) Fail(QString("no %1 named %2").arg(T::staticMetaObject.className(), name));
    return found;
}

void Settle() {
    for (int i = 0; i < 3; ++i)
        QCoreApplication::processEvents();
}

// What a window's backing store holds, in device pixels. The offscreen platform's grabWindow
// only knows a window's size in logical pixels, so on a scaled screen it gives a corner of the
// window; the backing store's own image is the whole. On a screen that is not scaled both must
// agree, which is checked each time.
QImage Held(const QWidget& window, qreal ratio) {
    auto* held = window.backingStore() ? dynamic_cast<QImage*>(window.backingStore()->paintDevice())
                                       : nullptr;
    if (!held) Fail(QString("%1 has no backing store image").arg(window.objectName()));
    QImage shot = held->copy(QRect(QPoint(0, 0), window.size() * ratio))
                      .convertToFormat(QImage::Format_RGB32);
    shot.setDevicePixelRatio(1);
    if (ratio == 1) {
        const QImage grabbed =
            window.screen()
                ->grabWindow(window.winId(), 0, 0, window.width(), window.height())
                .toImage()
                .convertToFormat(QImage::Format_RGB32);
        if (grabbed != shot)
            Fail(QString("%1: the screen and the backing store differ").arg(window.objectName()));
    }
    return shot;
}

// What the screen holds where the visible windows lie: each window's backing store, without
// painting anew as grab() would, the main window first, popups last, on black where no window
// is.
QImage Screen(const QWidget& main) {
    Settle();
    QList<QWidget*> windows;
    for (QWidget* w : QApplication::topLevelWidgets())
        if (w->isVisible() && w != &main) windows << w;
    std::stable_sort(windows.begin(), windows.end(), [](QWidget* a, QWidget* b) {
        return (a->windowType() == Qt::Popup) < (b->windowType() == Qt::Popup);
    });
    windows.prepend(const_cast<QWidget*>(&main));
    QRect area;
    for (QWidget* w : windows)
        area |= w->geometry();
    const qreal ratio = main.screen()->devicePixelRatio();
    QImage image(area.size() * ratio, QImage::Format_RGB32);
    image.setDevicePixelRatio(ratio);
    image.fill(Qt::black);
    QPainter painter(&image);
    for (QWidget* w : windows) {
        QImage shot = Held(*w, ratio);
        shot.setDevicePixelRatio(ratio);
        painter.drawImage(w->geometry().topLeft() - area.topLeft(), shot);
    }
    painter.end();
    image.setDevicePixelRatio(1);
    return image;
}

void Save(const QImage& image, const QDir& out, const char* name) {
    if (!image.save(out.filePath(name), "PNG")) Fail(QString("cannot write %1").arg(name));
}

QString Quoted(QString text) {
    text.replace('\\', "\\\\").replace('\n', "\\n").replace('\t', "\\t").replace('"', "\\\"");
    return '"' + text + '"';
}

QString States(const QAccessible::State& s) {
    QStringList on;
#define DYELAND_STATE(flag) \
    if (s.flag) on << #flag;
    DYELAND_STATE(disabled)
    DYELAND_STATE(selected)
    DYELAND_STATE(focusable)
    DYELAND_STATE(focused)
    DYELAND_STATE(pressed)
    DYELAND_STATE(checkable)
    DYELAND_STATE(checked)
    DYELAND_STATE(checkStateMixed)
    DYELAND_STATE(readOnly)
    DYELAND_STATE(hotTracked)
    DYELAND_STATE(defaultButton)
    DYELAND_STATE(expanded)
    DYELAND_STATE(collapsed)
    DYELAND_STATE(busy)
    DYELAND_STATE(expandable)
    DYELAND_STATE(marqueed)
    DYELAND_STATE(animated)
    DYELAND_STATE(invisible)
    DYELAND_STATE(offscreen)
    DYELAND_STATE(sizeable)
    DYELAND_STATE(movable)
    DYELAND_STATE(selfVoicing)
    DYELAND_STATE(selectable)
    DYELAND_STATE(linked)
    DYELAND_STATE(traversed)
    DYELAND_STATE(multiSelectable)
    DYELAND_STATE(extSelectable)
    DYELAND_STATE(passwordEdit)
    DYELAND_STATE(hasPopup)
    DYELAND_STATE(modal)
    DYELAND_STATE(active)
    DYELAND_STATE(invalid)
    DYELAND_STATE(editable)
    DYELAND_STATE(multiLine)
    DYELAND_STATE(selectableText)
    DYELAND_STATE(supportsAutoCompletion)
    DYELAND_STATE(searchEdit)
#undef DYELAND_STATE
    return on.join(',');
}

// One node a line, indented by its depth, then its children in order.
void Dump(QAccessibleInterface* node, int depth, QTextStream& out) {
    const QRect r = node->rect();
    const int children = node->childCount();
    out << QString(depth * 2, ' ')
        << QMetaEnum::fromType<QAccessible::Role>().valueToKey(node->role())
        << " name=" << Quoted(node->text(QAccessible::Name))
        << " description=" << Quoted(node->text(QAccessible::Description))
        << " value=" << Quoted(node->text(QAccessible::Value)) << " state=["
        << States(node->state())
        << "] rect=" << QString("%1,%2 %3x%4").arg(r.x()).arg(r.y()).arg(r.width()).arg(r.height())
        << " children=" << children << '\n';
    if (depth > 40) Fail("the accessibility tree is deeper than 40");
    for (int i = 0; i < children; ++i) {
        QAccessibleInterface* child = node->child(i);
        if (!child) {
            out << QString((depth + 1) * 2, ' ') << "(no child " << i << ")\n";
            continue;
        }
        Dump(child, depth + 1, out);
    }
}

void SaveTree(QWidget& main, const QDir& out, const char* name) {
    Settle();
    QFile file(out.filePath(name));
    if (!file.open(QIODevice::WriteOnly | QIODevice::Truncate))
        Fail(QString("cannot write %1").arg(name));
    QTextStream stream(&file);
    QAccessibleInterface* root = QAccessible::queryAccessibleInterface(&main);
    if (!root) Fail("the main window has no accessible interface");
    Dump(root, 0, stream);
}

// The counts are written on the refresh timer's tick. It is stopped at the start and ticked by
// hand before each step is recorded, so that how fast this runs cannot change what is seen.
void Tick(QTimer& refresh) {
    refresh.stop();
    QMetaObject::invokeMethod(&refresh, "timeout");
    Settle();
}

}  // namespace

int main(int argc, char* argv[]) {
    QApplication app(argc, argv);
    QApplication::setQuitOnLastWindowClosed(false);
    if (argc != 2) Fail("usage: window_snapshot OUTPUT-FOLDER");
    const QDir out(QDir::current().absoluteFilePath(argv[1]));
    if (!QDir().mkpath(out.path())) Fail("cannot make the output folder");
    // Whatever the game might write by itself lands in a folder of its own.
    QTemporaryDir folder;
    if (!folder.isValid() || !QDir::setCurrent(folder.path())) Fail("no temporary folder");

    // As with a screen reader running from the start. QAccessible::setActive only tells the
    // observers; the platform's side is what isActive() reads, and what a desktop's bridge sets
    // when a screen reader runs.
    if (QPlatformAccessibility* bridge =
            QGuiApplicationPrivate::platformIntegration()->accessibility())
        bridge->setActive(true);
    if (!QAccessible::isActive()) Fail("accessibility could not be made active");

    dyeland::StandardSources sources(1, 0);
    MemoryScoreFile scores;
    dyeland::MainWindow form(sources, scores);
    auto* refresh = Named<QTimer>(form, "Timer1");
    refresh->stop();
    form.show();
    form.activateWindow();
    if (!QTest::qWaitForWindowExposed(&form)) Fail("the window was never exposed");
    Tick(*refresh);
    Save(Screen(form), out, "start.png");
    SaveTree(form, out, "tree-start.txt");

    QTest::mouseClick(Named<QWidget>(form, "cmdStart"), Qt::LeftButton);
    Settle();
    for (int k = 0; k < 5; ++k) {
        QTest::mouseClick(Named<QWidget>(form, qPrintable(QString("sPicture9_%1").arg(k))),
                          Qt::LeftButton);
        Settle();
    }
    Tick(*refresh);
    Save(Screen(form), out, "game.png");
    SaveTree(form, out, "tree.txt");

    // Tab from wherever the game left the focus until it rests on a colour box.
    for (int i = 0; i < 20; ++i) {
        QWidget* focus = QApplication::focusWidget();
        if (focus && focus->objectName().startsWith("sPicture9_")) break;
        QTest::keyClick(focus ? focus : &form, Qt::Key_Tab);
        Settle();
    }
    const QWidget* focus = QApplication::focusWidget();
    if (!focus || !focus->objectName().startsWith("sPicture9_"))
        Fail("Tab never reached a colour box");
    Save(Screen(form), out, "focus.png");

    auto* options = Named<QMenu>(form, "mnuSetup");
    auto* bar = form.findChild<QMenuBar*>();
    if (!bar) Fail("no menu bar");
    bar->setActiveAction(options->menuAction());
    if (!QTest::qWaitForWindowExposed(options)) Fail("the Options menu never opened");
    Save(Screen(form), out, "options-menu.png");
    options->hide();
    Settle();

    Named<QAction>(form, "mnuAbout")->trigger();
    Settle();
    const auto windows = QApplication::topLevelWidgets();
    if (std::none_of(windows.begin(), windows.end(),
                     [&](QWidget* w) { return w != &form && w->isVisible(); }))
        Fail("Help > About showed no window");
    Save(Screen(form), out, "about.png");
    return 0;
}
