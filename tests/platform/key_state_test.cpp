#include "platform/key_state.h"

#include <QKeyEvent>
#include <QTest>
#include <QWidget>
#include <gtest/gtest.h>

namespace ovanto {
namespace {

struct KeyCase {
    int qtKey;
    Qt::KeyboardModifiers modifiers;
    int virtualKey;
};

TEST(VirtualKeyFromQt, MapsQtKeysToWindowsCodes) {
    const Qt::KeyboardModifiers none = Qt::NoModifier;
    const Qt::KeyboardModifiers keypad = Qt::KeypadModifier;
    const KeyCase cases[] = {
        {Qt::Key_A, none, 65},          {Qt::Key_Z, Qt::ShiftModifier, 90},
        {Qt::Key_0, none, 48},          {Qt::Key_9, none, 57},
        {Qt::Key_0, keypad, 0x60},      {Qt::Key_9, keypad, 0x69},
        {Qt::Key_F1, none, 112},        {Qt::Key_F12, none, 0x7B},
        {Qt::Key_F24, none, 0x87},      {Qt::Key_Left, none, 0x25},
        {Qt::Key_Up, none, 0x26},       {Qt::Key_Right, none, 0x27},
        {Qt::Key_Down, none, 0x28},     {Qt::Key_Home, keypad, 0x24},
        {Qt::Key_Space, none, 0x20},    {Qt::Key_Return, none, 0x0D},
        {Qt::Key_Enter, keypad, 0x0D},  {Qt::Key_Escape, none, 0x1B},
        {Qt::Key_Delete, none, 46},     {Qt::Key_Insert, none, 0x2D},
        {Qt::Key_Backspace, none, 8},   {Qt::Key_Tab, none, 9},
        {Qt::Key_Backtab, none, 9},     {Qt::Key_PageUp, none, 0x21},
        {Qt::Key_PageDown, none, 0x22}, {Qt::Key_End, none, 0x23},
        {Qt::Key_Shift, none, 0x10},    {Qt::Key_Control, none, 0x11},
        {Qt::Key_Alt, none, 0x12},      {Qt::Key_CapsLock, none, 0x14},
        {Qt::Key_NumLock, none, 0x90},  {Qt::Key_Print, none, 0x2C},
        {Qt::Key_Pause, none, 0x13},    {Qt::Key_Meta, none, 0x5B},
        {Qt::Key_Plus, none, 0xBB},     {Qt::Key_Plus, keypad, 0x6B},
        {Qt::Key_Minus, none, 0xBD},    {Qt::Key_Minus, keypad, 0x6D},
        {Qt::Key_Asterisk, none, '8'},  {Qt::Key_Asterisk, keypad, 0x6A},
        {Qt::Key_Slash, none, 0xBF},    {Qt::Key_Slash, keypad, 0x6F},
        {Qt::Key_Period, none, 0xBE},   {Qt::Key_Comma, keypad, 0x6E},
        {Qt::Key_Exclam, none, '1'},    {Qt::Key_ParenRight, none, '0'},
        {Qt::Key_Udiaeresis, none, 0xBA}, {Qt::Key_Odiaeresis, none, 0xC0},
        {Qt::Key_Adiaeresis, none, 0xDE}, {Qt::Key_ssharp, none, 0xDB},
        {Qt::Key_unknown, none, 0},     {Qt::Key_Eacute, none, 0},
        {Qt::Key_Launch0, none, 0},
    };
    for (const KeyCase& c : cases)
        EXPECT_EQ(VirtualKeyFromQt(c.qtKey, c.modifiers), c.virtualKey) << std::hex << "Qt key 0x" << c.qtKey;
}

QKeyEvent keyEvent(QEvent::Type type, int key, quint32 scanCode, bool autoRepeat = false,
                   Qt::KeyboardModifiers modifiers = Qt::NoModifier) {
    return QKeyEvent(type, key, modifiers, scanCode, 0, 0, QString(), autoRepeat);
}

TEST(QtKeyState, TracksPressesAndReleases) {
    QtKeyState state;
    const QKeyEvent pressA = keyEvent(QEvent::KeyPress, Qt::Key_A, 38);
    state.handleEvent(&pressA);
    EXPECT_TRUE(state.isDown('A'));
    EXPECT_FALSE(state.isDown('B'));

    const QKeyEvent repeatRelease = keyEvent(QEvent::KeyRelease, Qt::Key_A, 38, true);
    state.handleEvent(&repeatRelease);
    EXPECT_TRUE(state.isDown('A')) << "an auto-repeat release is no release";

    const QKeyEvent releaseA = keyEvent(QEvent::KeyRelease, Qt::Key_A, 38);
    state.handleEvent(&releaseA);
    EXPECT_FALSE(state.isDown('A'));
}

TEST(QtKeyState, ReleaseFollowsThePhysicalKey) {
    QtKeyState state;
    // Shift+2 on a German layout gives '"'; with Shift let go first the release reports "2".
    const QKeyEvent press = keyEvent(QEvent::KeyPress, Qt::Key_QuoteDbl, 11, false, Qt::ShiftModifier);
    state.handleEvent(&press);
    EXPECT_TRUE(state.isDown(0xDE));
    const QKeyEvent release = keyEvent(QEvent::KeyRelease, Qt::Key_2, 11);
    state.handleEvent(&release);
    EXPECT_FALSE(state.isDown(0xDE));

    // Without scan codes the key code decides.
    const QKeyEvent pressF5 = keyEvent(QEvent::KeyPress, Qt::Key_F5, 0);
    const QKeyEvent pressF6 = keyEvent(QEvent::KeyPress, Qt::Key_F6, 0);
    const QKeyEvent releaseF5 = keyEvent(QEvent::KeyRelease, Qt::Key_F5, 0);
    state.handleEvent(&pressF5);
    state.handleEvent(&pressF6);
    state.handleEvent(&releaseF5);
    EXPECT_FALSE(state.isDown(0x74));
    EXPECT_TRUE(state.isDown(0x75));

    const QEvent deactivate(QEvent::ApplicationDeactivate);
    state.handleEvent(&deactivate);
    EXPECT_FALSE(state.isDown(0x75)) << "keys released elsewhere must not stick";
}

TEST(QtKeyState, WatchesTheApplicationAndDetachesWhenDestroyed) {
    QWidget widget;
    {
        QtKeyState state;
        state.attach();
        state.attach();
        QTest::keyPress(&widget, Qt::Key_Space);
        EXPECT_TRUE(state.isDown(0x20));
        QTest::keyRelease(&widget, Qt::Key_Space);
        EXPECT_FALSE(state.isDown(0x20));
    }
    // The filter of the destroyed state must be gone, not dangling.
    QTest::keyClick(&widget, Qt::Key_Space);
}

} // namespace
} // namespace ovanto
