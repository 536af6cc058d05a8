#pragma once

#include "platform/injectable.h"

#include <Qt>
#include <QPointer>
#include <QtGlobal>

#include <vector>

class QEvent;
class QObject;

namespace ovanto {

// Windows virtual key codes: the numbers that key elements store and that
// the window shows as "Tastencode: ". Letters and digits are their upper-case
// ASCII codes ('A' = 65, '0' = 48).
namespace VirtualKey {
inline constexpr int LButton = 0x01;
inline constexpr int RButton = 0x02;
inline constexpr int MButton = 0x04;
inline constexpr int XButton1 = 0x05;
inline constexpr int XButton2 = 0x06;
inline constexpr int Back = 0x08;
inline constexpr int Tab = 0x09;
inline constexpr int Clear = 0x0C;
inline constexpr int Return = 0x0D;
inline constexpr int Shift = 0x10;
inline constexpr int Control = 0x11;
inline constexpr int Menu = 0x12;
inline constexpr int Pause = 0x13;
inline constexpr int Capital = 0x14;
inline constexpr int Escape = 0x1B;
inline constexpr int Space = 0x20;
inline constexpr int Prior = 0x21;
inline constexpr int Next = 0x22;
inline constexpr int End = 0x23;
inline constexpr int Home = 0x24;
inline constexpr int Left = 0x25;
inline constexpr int Up = 0x26;
inline constexpr int Right = 0x27;
inline constexpr int Down = 0x28;
inline constexpr int Select = 0x29;
inline constexpr int Print = 0x2A;
inline constexpr int Execute = 0x2B;
inline constexpr int Snapshot = 0x2C;
inline constexpr int Insert = 0x2D;
inline constexpr int Delete = 0x2E;
inline constexpr int Help = 0x2F;
inline constexpr int LWin = 0x5B;
inline constexpr int RWin = 0x5C;
inline constexpr int Apps = 0x5D;
inline constexpr int Sleep = 0x5F;
inline constexpr int Numpad0 = 0x60;
inline constexpr int Multiply = 0x6A;
inline constexpr int Add = 0x6B;
inline constexpr int Separator = 0x6C;
inline constexpr int Subtract = 0x6D;
inline constexpr int Decimal = 0x6E;
inline constexpr int Divide = 0x6F;
inline constexpr int F1 = 0x70;
inline constexpr int F24 = 0x87;
inline constexpr int NumLock = 0x90;
inline constexpr int Scroll = 0x91;
inline constexpr int LShift = 0xA0;
inline constexpr int RShift = 0xA1;
inline constexpr int LControl = 0xA2;
inline constexpr int RControl = 0xA3;
inline constexpr int LMenu = 0xA4;
inline constexpr int RMenu = 0xA5;
inline constexpr int VolumeMute = 0xAD;
inline constexpr int VolumeDown = 0xAE;
inline constexpr int VolumeUp = 0xAF;
inline constexpr int MediaNextTrack = 0xB0;
inline constexpr int MediaPrevTrack = 0xB1;
inline constexpr int MediaStop = 0xB2;
inline constexpr int MediaPlayPause = 0xB3;
inline constexpr int Oem1 = 0xBA;      // ;:  (German: Ü)
inline constexpr int OemPlus = 0xBB;   // =+
inline constexpr int OemComma = 0xBC;  // ,<
inline constexpr int OemMinus = 0xBD;  // -_
inline constexpr int OemPeriod = 0xBE; // .>
inline constexpr int Oem2 = 0xBF;      // /?
inline constexpr int Oem3 = 0xC0;      // `~  (German: Ö)
inline constexpr int Oem4 = 0xDB;      // [{  (German: ß)
inline constexpr int Oem5 = 0xDC;      // \|
inline constexpr int Oem6 = 0xDD;      // ]}
inline constexpr int Oem7 = 0xDE;      // '"  (German: Ä)
inline constexpr int Oem102 = 0xE2;    // the extra <> key of European keyboards
} // namespace VirtualKey

// The virtual key code for a Qt key, 0 when there is none. Qt reports the
// produced character, Windows the key: shifted symbols map to the key that
// carries them on a US layout, umlauts to their German keys, and with
// Qt::KeypadModifier digits and operators map to the numeric keypad.
int VirtualKeyFromQt(int qtKey, Qt::KeyboardModifiers modifiers = Qt::NoModifier);
// The Qt key (and keypad modifier) that gives a virtual-key code; false for codes no key gives.
bool QtKeyFromVirtualKey(int virtualKey, int& qtKey, Qt::KeyboardModifiers& modifiers);

// "Is this virtual key down": what key elements poll.
class KeyState : public Injectable<KeyState> {
public:
    virtual ~KeyState() = default;
    virtual bool isDown(int virtualKey) const = 0;

    static KeyState& instance();
};

// Shift, Ctrl, Alt and the Windows keys come from the keyboard modifiers,
// mouse buttons from the application's button state; every other key from
// the key events this application has seen, so those are known only while
// one of its windows has the focus.
class QtKeyState final : public KeyState {
public:
    QtKeyState() = default;
    ~QtKeyState() override;
    QtKeyState(const QtKeyState&) = delete;
    QtKeyState& operator=(const QtKeyState&) = delete;

    bool isDown(int virtualKey) const override;

    // Starts watching the running application's key events; repeating it is
    // harmless, and it attaches again to an application created later.
    void attach();
    // Updates the pressed keys from a key or activation event.
    void handleEvent(const QEvent* event);

private:
    struct DownKey {
        quint32 scanCode;
        int virtualKey;
    };
    std::vector<DownKey> m_down;
    QPointer<QObject> m_filter;
};

// Keys are down exactly when a test says so.
class FakeKeyState final : public KeyState {
public:
    bool isDown(int virtualKey) const override;
    void press(int virtualKey);
    void release(int virtualKey);
    void releaseAll() { m_down.clear(); }

private:
    std::vector<int> m_down;
};

} // namespace ovanto
