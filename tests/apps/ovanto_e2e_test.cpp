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
#include <QLockFile>
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
        load(m_x11, "XGetGeometry", getGeometry);
        load(m_xtst, "XTestFakeKeyEvent", fakeKey);
        if (!openDisplay || !fakeKey || !setErrorHandler) return;
        setErrorHandler(+[](Display*, void*) { return 0; }); // a window that went away is no reason to exit
        // The server resets when its last client leaves; a test that starts
        // just then finds it back a moment later.
        for (int attempt = 0; attempt < 50 && !m_display; ++attempt) {
            m_display = openDisplay(nullptr);
            if (!m_display) QThread::msleep(100);
        }
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

    // Of several top-level windows with one caption, the largest: the editor
    // dialog and the animation window of a fresh start are both "Ovanto".
    Window findLargestTopLevel(const char* caption) {
        Window root = 0, parent = 0, *children = nullptr;
        unsigned count = 0;
        Window found = 0;
        unsigned long largest = 0;
        if (!queryTree(m_display, rootWindow(m_display), &root, &parent, &children, &count)) return 0;
        for (unsigned i = 0; i < count; ++i) {
            char* name = nullptr;
            if (fetchName(m_display, children[i], &name) && name) {
                Window r = 0;
                int x = 0, y = 0;
                unsigned w = 0, h = 0, border = 0, depth = 0;
                if (std::strcmp(name, caption) == 0 && getGeometry(m_display, children[i], &r, &x, &y, &w, &h, &border, &depth) &&
                    1UL * w * h > largest) {
                    largest = 1UL * w * h;
                    found = children[i];
                }
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
    void press(const char* keysym, bool control = false, bool shift = false) {
        const unsigned ctrl = keysymToKeycode(m_display, stringToKeysym("Control_L"));
        const unsigned shiftKey = keysymToKeycode(m_display, stringToKeysym("Shift_L"));
        const unsigned code = keysymToKeycode(m_display, stringToKeysym(keysym));
        if (control) fakeKey(m_display, ctrl, 1, 0);
        if (shift) fakeKey(m_display, shiftKey, 1, 0);
        fakeKey(m_display, code, 1, 0);
        fakeKey(m_display, code, 0, 0);
        if (shift) fakeKey(m_display, shiftKey, 0, 0);
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
    int (*getGeometry)(Display*, Window, Window*, int*, int*, unsigned*, unsigned*, unsigned*, unsigned*) = nullptr;
};

// One keyboard and one focus for every test on the server: tests that run
// side by side take turns.
class XSessionTurn {
public:
    XSessionTurn() : m_lock(QDir(QDir::tempPath()).filePath(QStringLiteral("ovanto-e2e-%1.lock").arg(qEnvironmentVariable("DISPLAY").remove(QLatin1Char(':'))))) {
        m_lock.setStaleLockTime(0);
        m_lock.lock();
    }

private:
    QLockFile m_lock;
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
    XSessionTurn turn;
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

// Runs the stand-alone editor on a file (or on nothing) until it has saved
// under `saveAs` in its working directory; `edit` drives it before the save.
class EditorRun {
public:
    EditorRun(XKeyboard& keyboard, const QString& directory) : m_keyboard(keyboard), m_dir(directory) {
        QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
        env.insert(QStringLiteral("QT_QPA_PLATFORM"), QStringLiteral("xcb"));
        env.insert(QStringLiteral("XDG_CONFIG_HOME"), QDir(directory).filePath(QStringLiteral("config")));
        env.remove(QStringLiteral("QT_QPA_PLATFORMTHEME"));
        m_process.setProcessEnvironment(env);
        m_process.setWorkingDirectory(directory);
    }
    ~EditorRun() {
        m_process.terminate();
        m_process.waitForFinished(10000);
    }
    bool start(const QStringList& arguments) {
        const QString program = QFileInfo(QStringLiteral(QEVTOOL_PATH)).dir().filePath(QStringLiteral("ovanto"));
        m_process.start(program, arguments);
        if (!m_process.waitForStarted()) return false;
        // The palette comes with the dialog.
        return waitFor([&] { return m_keyboard.findTopLevel("Grafik- und Bedienelemente") != 0; });
    }
    void focusEditor() {
        m_keyboard.focus(m_keyboard.findLargestTopLevel("Ovanto"));
        QThread::msleep(400);
    }
    void focusPalette() {
        m_keyboard.focus(m_keyboard.findTopLevel("Grafik- und Bedienelemente"));
        QThread::msleep(400);
    }
    // Ctrl+S in the editor and a name typed into the save dialog.
    bool save(const char* name) {
        focusEditor();
        m_keyboard.press("s", true);
        XKeyboard::Window saveDialog = 0;
        if (!waitFor([&] { return (saveDialog = m_keyboard.findTopLevel("QEV-Datei speichern")) != 0; })) return false;
        m_keyboard.focus(saveDialog);
        QThread::msleep(300);
        m_keyboard.type(name);
        m_keyboard.press("Return");
        const QString path = QDir(m_dir).filePath(QString::fromLatin1(name) + QStringLiteral(".qev"));
        // Written in one step: complete once it is there and no longer grows.
        return waitFor([&] {
            const qint64 size = QFileInfo(path).size();
            QThread::msleep(200);
            return size > 0 && size == QFileInfo(path).size();
        });
    }

private:
    XKeyboard& m_keyboard;
    QString m_dir;
    QProcess m_process;
};

TEST(OvantoEndToEnd, PaletteBuildsAPictureThatSurvivesSaveAndReopen) {
    if (qEnvironmentVariableIsEmpty("DISPLAY")) GTEST_SKIP() << "no X server (the test command starts Xvfb)";
    ASSERT_TRUE(QFileInfo::exists(QFileInfo(QStringLiteral(QEVTOOL_PATH)).dir().filePath(QStringLiteral("ovanto"))))
        << "build the stand-alone ovanto first";
    XSessionTurn turn;
    XKeyboard keyboard;
    ASSERT_TRUE(keyboard.usable()) << "cannot reach the X server or its test extension";
    RegisterAllElements();
    QTemporaryDir dir;
    {
        EditorRun editor(keyboard, dir.path());
        ASSERT_TRUE(editor.start({}));
        // The palette opens on "Graph" with its page tabs under the keyboard.
        editor.focusPalette();
        for (int k = 0; k < 3; ++k) keyboard.press("Right"); // "Process"
        for (int k = 0; k < 4; ++k) keyboard.press("Tab");   // "Tank", the fourth button
        keyboard.press("space");
        // An insert refills the dialog and may raise it; a slow (sanitized) build
        // must be done with that before the palette gets the keyboard back.
        QThread::msleep(2000);
        editor.focusPalette();
        for (int k = 0; k < 4; ++k) keyboard.press("Tab", false, true); // back to the tabs
        keyboard.press("Left");                                           // "Controls"
        keyboard.press("Tab");                                            // "Schalter", the first
        keyboard.press("space");
        QThread::msleep(2000);
        // The new switch is the current row of the element list: its x becomes 123.
        editor.focusEditor();
        keyboard.press("Tab");
        for (int k = 0; k < 20; ++k) keyboard.press("Up"); // the first property row, wherever it was
        for (int row = 1; row < 7; ++row) keyboard.press("Down");
        keyboard.type("123");
        keyboard.press("Return");
        ASSERT_TRUE(editor.save("built"));
    }
    const QString built = dir.filePath(QStringLiteral("built.qev"));
    {
        TForm1 window;
        ASSERT_TRUE(LoadConfiguration(built, window));
        ASSERT_EQ(window.elementCount(), 2);
        EXPECT_EQ(window.elementAt(0)->Keyword(), QStringLiteral("TANK"));
        EXPECT_EQ(window.elementAt(1)->Keyword(), QStringLiteral("SWITCH"));
        EXPECT_EQ(window.elementAt(1)->text(TGraph::kFirstClassProperty + 1), QStringLiteral("123"));
    }
    {
        EditorRun editor(keyboard, dir.path());
        ASSERT_TRUE(editor.start({built}));
        ASSERT_TRUE(editor.save("again"));
    }
    EXPECT_EQ(fileBytes(dir.filePath(QStringLiteral("again.qev"))), fileBytes(built));
}

} // namespace
} // namespace ovanto
