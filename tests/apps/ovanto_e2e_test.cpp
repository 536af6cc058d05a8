// The stand-alone editor under a real X server: keys arrive through the X test
// extension exactly as a person's would. Runs where DISPLAY names a server
// (the test command starts Xvfb for it).

#include "elements/core/element_registry.h"
#include "elements/core/tgraph.h"
#include "host/animation_file.h"
#include "window/tform1.h"

#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QFileInfo>
#include <QProcess>
#include <QTemporaryDir>
#include <QThread>

#include <dlfcn.h>

#include <cstring>

#include <gtest/gtest.h>

namespace ovanto {
namespace {

// The few Xlib and XTest calls the test needs, found at run time so the
// suite links no X library of its own.
class XKeyboard {
public:
    using Display = void;
    using Window = unsigned long;

    XKeyboard() {
        m_x11 = dlopen("libX11.so.6", RTLD_NOW);
        m_xtst = dlopen("libXtst.so.6", RTLD_NOW);
        if (!m_x11 || !m_xtst) return;
        load(m_x11, "XOpenDisplay", openDisplay);
        load(m_x11, "XCloseDisplay", closeDisplay);
        load(m_x11, "XDefaultRootWindow", rootWindow);
        load(m_x11, "XQueryTree", queryTree);
        load(m_x11, "XFetchName", fetchName);
        load(m_x11, "XFree", xfree);
        load(m_x11, "XSetInputFocus", setInputFocus);
        load(m_x11, "XStringToKeysym", stringToKeysym);
        load(m_x11, "XKeysymToKeycode", keysymToKeycode);
        load(m_x11, "XSync", sync);
        load(m_x11, "XSetErrorHandler", setErrorHandler);
        load(m_xtst, "XTestFakeKeyEvent", fakeKey);
        if (!openDisplay || !fakeKey || !setErrorHandler) return;
        setErrorHandler(+[](Display*, void*) { return 0; }); // a window that went away is no reason to exit
        m_display = openDisplay(nullptr);
    }
    ~XKeyboard() {
        if (m_display) closeDisplay(m_display);
        if (m_xtst) dlclose(m_xtst);
        if (m_x11) dlclose(m_x11);
    }
    XKeyboard(const XKeyboard&) = delete;
    XKeyboard& operator=(const XKeyboard&) = delete;

    bool usable() const { return m_display != nullptr; }

    // A top-level window with this caption, 0 while there is none.
    Window findTopLevel(const char* caption) {
        Window root = 0, parent = 0, *children = nullptr;
        unsigned count = 0;
        Window found = 0;
        if (!queryTree(m_display, rootWindow(m_display), &root, &parent, &children, &count)) return 0;
        for (unsigned i = 0; i < count && !found; ++i) {
            char* name = nullptr;
            if (fetchName(m_display, children[i], &name) && name) {
                if (std::strcmp(name, caption) == 0) found = children[i];
                xfree(name);
            }
        }
        if (children) xfree(children);
        return found;
    }

    void focus(Window w) {
        setInputFocus(m_display, w, 2 /* RevertToParent */, 0);
        sync(m_display, 0);
    }

    // Presses and releases a key by its keysym name ("Down", "Tab", "s"), with Control held when asked.
    void press(const char* keysym, bool control = false) {
        const unsigned ctrl = keysymToKeycode(m_display, stringToKeysym("Control_L"));
        const unsigned code = keysymToKeycode(m_display, stringToKeysym(keysym));
        if (control) fakeKey(m_display, ctrl, 1, 0);
        fakeKey(m_display, code, 1, 0);
        fakeKey(m_display, code, 0, 0);
        if (control) fakeKey(m_display, ctrl, 0, 0);
        sync(m_display, 0);
        // Let the editor take each key before the next, as a typist would.
        QThread::msleep(150);
    }
    void type(const char* text) {
        for (const char* c = text; *c; ++c) {
            const char name[2] = {*c, 0};
            press(name);
        }
    }

private:
    template <class F>
    static void load(void* lib, const char* name, F& slot) {
        slot = reinterpret_cast<F>(dlsym(lib, name));
    }

    void* m_x11 = nullptr;
    void* m_xtst = nullptr;
    Display* m_display = nullptr;
    Display* (*openDisplay)(const char*) = nullptr;
    int (*closeDisplay)(Display*) = nullptr;
    Window (*rootWindow)(Display*) = nullptr;
    int (*queryTree)(Display*, Window, Window*, Window*, Window**, unsigned*) = nullptr;
    int (*fetchName)(Display*, Window, char**) = nullptr;
    int (*xfree)(void*) = nullptr;
    int (*setInputFocus)(Display*, Window, int, unsigned long) = nullptr;
    unsigned long (*stringToKeysym)(const char*) = nullptr;
    unsigned char (*keysymToKeycode)(Display*, unsigned long) = nullptr;
    int (*sync)(Display*, int) = nullptr;
    void* (*setErrorHandler)(int (*)(Display*, void*)) = nullptr;
    int (*fakeKey)(Display*, unsigned, int, unsigned long) = nullptr;
};

template <class Condition>
bool waitFor(Condition done) {
    QElapsedTimer clock;
    clock.start();
    while (!done()) {
        if (clock.elapsed() > 60000) return false;
        QThread::msleep(100);
    }
    return true;
}

QByteArray fileBytes(const QString& path) {
    QFile f(path);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}

TEST(OvantoEndToEnd, OpenSelectEditSaveUnderXvfb) {
    if (qEnvironmentVariableIsEmpty("DISPLAY")) GTEST_SKIP() << "no X server (the test command starts Xvfb)";
    const QString program = QFileInfo(QStringLiteral(QEVTOOL_PATH)).dir().filePath(QStringLiteral("ovanto"));
    ASSERT_TRUE(QFileInfo::exists(program)) << "build the stand-alone ovanto first";
    XKeyboard keyboard;
    ASSERT_TRUE(keyboard.usable()) << "cannot reach the X server or its test extension";

    RegisterAllElements();
    QTemporaryDir dir;
    const QString input = dir.filePath(QStringLiteral("start.qev"));
    QByteArray expected;
    {
        TForm1 window;
        window.options().Caption = QStringLiteral("E2E-Fenster");
        for (const char* keyword : {"RECT", "CIRCLE"}) CreateElement(window, QString::fromLatin1(keyword));
        ASSERT_TRUE(SaveConfiguration(input, window));
        // What the editor must write: the circle's xM (property row 7) typed as 123.
        window.elementAt(1)->setText(TGraph::kFirstClassProperty, "123");
        const QString reference = dir.filePath(QStringLiteral("expected.qev"));
        ASSERT_TRUE(SaveConfiguration(reference, window));
        expected = fileBytes(reference);
    }

    QProcess ovanto;
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.insert(QStringLiteral("QT_QPA_PLATFORM"), QStringLiteral("xcb"));
    env.insert(QStringLiteral("XDG_CONFIG_HOME"), dir.filePath(QStringLiteral("config")));
    env.remove(QStringLiteral("QT_QPA_PLATFORMTHEME"));
    ovanto.setProcessEnvironment(env);
    ovanto.setWorkingDirectory(dir.path());
    ovanto.start(program, {input});
    ASSERT_TRUE(ovanto.waitForStarted());

    XKeyboard::Window editor = 0;
    ASSERT_TRUE(waitFor([&] { return (editor = keyboard.findTopLevel("Ovanto")) != 0; }))
        << ovanto.readAllStandardError().toStdString();
    keyboard.focus(editor);
    QThread::msleep(500);

    keyboard.press("Down"); // element row 2, the circle
    keyboard.press("Tab");  // its properties
    for (int row = 1; row < 7; ++row) keyboard.press("Down");
    keyboard.type("123");
    keyboard.press("Return");
    keyboard.press("s", true); // save: the file dialog opens in the working directory
    XKeyboard::Window saveDialog = 0;
    ASSERT_TRUE(waitFor([&] { return (saveDialog = keyboard.findTopLevel("QEV-Datei speichern")) != 0; }));
    keyboard.focus(saveDialog);
    QThread::msleep(300);
    keyboard.type("saved");
    keyboard.press("Return");

    const QString saved = dir.filePath(QStringLiteral("saved.qev"));
    const bool written = waitFor([&] { return fileBytes(saved) == expected; });
    ovanto.terminate();
    ovanto.waitForFinished(10000);
    if (!written) {
        const QList<QByteArray> got = fileBytes(saved).split('\n'), want = expected.split('\n');
        for (qsizetype i = 0; i < std::max(got.size(), want.size()); ++i)
            if (got.value(i) != want.value(i))
                ADD_FAILURE() << "line " << i + 1 << ": saved '" << got.value(i).toStdString() << "', expected '"
                              << want.value(i).toStdString() << "'";
        FAIL() << (QFileInfo::exists(saved) ? "the saved file differs" : "nothing was saved");
    }
}

} // namespace
} // namespace ovanto
