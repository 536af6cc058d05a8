#include "platform/key_state.h"

#include <QCoreApplication>
#include <QGuiApplication>
#include <QKeyEvent>

#include <algorithm>
#include <utility>
#include <vector>

namespace ovanto {

namespace {

struct KeyPair {
    int qtKey;
    int virtualKey;
};

// Keys whose code does not depend on the keypad modifier.
constexpr KeyPair kFixedKeys[] = {
    {Qt::Key_Backspace, VirtualKey::Back},
    {Qt::Key_Tab, VirtualKey::Tab},
    {Qt::Key_Backtab, VirtualKey::Tab},
    {Qt::Key_Clear, VirtualKey::Clear},
    {Qt::Key_Return, VirtualKey::Return},
    {Qt::Key_Enter, VirtualKey::Return},
    {Qt::Key_Shift, VirtualKey::Shift},
    {Qt::Key_Control, VirtualKey::Control},
    {Qt::Key_Alt, VirtualKey::Menu},
    {Qt::Key_AltGr, VirtualKey::Menu},
    {Qt::Key_Pause, VirtualKey::Pause},
    {Qt::Key_CapsLock, VirtualKey::Capital},
    {Qt::Key_Escape, VirtualKey::Escape},
    {Qt::Key_Space, VirtualKey::Space},
    {Qt::Key_PageUp, VirtualKey::Prior},
    {Qt::Key_PageDown, VirtualKey::Next},
    {Qt::Key_End, VirtualKey::End},
    {Qt::Key_Home, VirtualKey::Home},
    {Qt::Key_Left, VirtualKey::Left},
    {Qt::Key_Up, VirtualKey::Up},
    {Qt::Key_Right, VirtualKey::Right},
    {Qt::Key_Down, VirtualKey::Down},
    {Qt::Key_Select, VirtualKey::Select},
    {Qt::Key_Printer, VirtualKey::Print},
    {Qt::Key_Execute, VirtualKey::Execute},
    {Qt::Key_Print, VirtualKey::Snapshot},
    {Qt::Key_SysReq, VirtualKey::Snapshot},
    {Qt::Key_Insert, VirtualKey::Insert},
    {Qt::Key_Delete, VirtualKey::Delete},
    {Qt::Key_Help, VirtualKey::Help},
    {Qt::Key_Meta, VirtualKey::LWin},
    {Qt::Key_Super_L, VirtualKey::LWin},
    {Qt::Key_Super_R, VirtualKey::RWin},
    {Qt::Key_Menu, VirtualKey::Apps},
    {Qt::Key_Sleep, VirtualKey::Sleep},
    {Qt::Key_NumLock, VirtualKey::NumLock},
    {Qt::Key_ScrollLock, VirtualKey::Scroll},
    {Qt::Key_VolumeMute, VirtualKey::VolumeMute},
    {Qt::Key_VolumeDown, VirtualKey::VolumeDown},
    {Qt::Key_VolumeUp, VirtualKey::VolumeUp},
    {Qt::Key_MediaNext, VirtualKey::MediaNextTrack},
    {Qt::Key_MediaPrevious, VirtualKey::MediaPrevTrack},
    {Qt::Key_MediaStop, VirtualKey::MediaStop},
    {Qt::Key_MediaPlay, VirtualKey::MediaPlayPause},
    {Qt::Key_MediaTogglePlayPause, VirtualKey::MediaPlayPause},
    // Punctuation by the key that carries it on a US layout.
    {Qt::Key_Exclam, '1'},
    {Qt::Key_At, '2'},
    {Qt::Key_NumberSign, '3'},
    {Qt::Key_Dollar, '4'},
    {Qt::Key_Percent, '5'},
    {Qt::Key_AsciiCircum, '6'},
    {Qt::Key_Ampersand, '7'},
    {Qt::Key_ParenLeft, '9'},
    {Qt::Key_ParenRight, '0'},
    {Qt::Key_Semicolon, VirtualKey::Oem1},
    {Qt::Key_Colon, VirtualKey::Oem1},
    {Qt::Key_Equal, VirtualKey::OemPlus},
    {Qt::Key_Less, VirtualKey::OemComma},
    {Qt::Key_Underscore, VirtualKey::OemMinus},
    {Qt::Key_Greater, VirtualKey::OemPeriod},
    {Qt::Key_Question, VirtualKey::Oem2},
    {Qt::Key_QuoteLeft, VirtualKey::Oem3},
    {Qt::Key_AsciiTilde, VirtualKey::Oem3},
    {Qt::Key_BracketLeft, VirtualKey::Oem4},
    {Qt::Key_BraceLeft, VirtualKey::Oem4},
    {Qt::Key_Backslash, VirtualKey::Oem5},
    {Qt::Key_Bar, VirtualKey::Oem5},
    {Qt::Key_BracketRight, VirtualKey::Oem6},
    {Qt::Key_BraceRight, VirtualKey::Oem6},
    {Qt::Key_Apostrophe, VirtualKey::Oem7},
    {Qt::Key_QuoteDbl, VirtualKey::Oem7},
    // The German letter keys.
    {Qt::Key_Udiaeresis, VirtualKey::Oem1},
    {Qt::Key_Odiaeresis, VirtualKey::Oem3},
    {Qt::Key_ssharp, VirtualKey::Oem4},
    {Qt::Key_Adiaeresis, VirtualKey::Oem7},
};

// Keys that sit both on the main block and on the numeric keypad.
struct KeypadPair {
    int qtKey;
    int mainKey;
    int keypadKey;
};

constexpr KeypadPair kKeypadKeys[] = {
    {Qt::Key_Asterisk, '8', VirtualKey::Multiply},
    {Qt::Key_Plus, VirtualKey::OemPlus, VirtualKey::Add},
    {Qt::Key_Minus, VirtualKey::OemMinus, VirtualKey::Subtract},
    {Qt::Key_Period, VirtualKey::OemPeriod, VirtualKey::Decimal},
    {Qt::Key_Comma, VirtualKey::OemComma, VirtualKey::Decimal},
    {Qt::Key_Slash, VirtualKey::Oem2, VirtualKey::Divide},
};

Qt::KeyboardModifier modifierOf(int virtualKey) {
    switch (virtualKey) {
    case VirtualKey::Shift:
    case VirtualKey::LShift:
    case VirtualKey::RShift: return Qt::ShiftModifier;
    case VirtualKey::Control:
    case VirtualKey::LControl:
    case VirtualKey::RControl: return Qt::ControlModifier;
    case VirtualKey::Menu:
    case VirtualKey::LMenu:
    case VirtualKey::RMenu: return Qt::AltModifier;
    case VirtualKey::LWin:
    case VirtualKey::RWin: return Qt::MetaModifier;
    default: return Qt::NoModifier;
    }
}

Qt::MouseButton mouseButtonOf(int virtualKey) {
    switch (virtualKey) {
    case VirtualKey::LButton: return Qt::LeftButton;
    case VirtualKey::RButton: return Qt::RightButton;
    case VirtualKey::MButton: return Qt::MiddleButton;
    case VirtualKey::XButton1: return Qt::BackButton;
    case VirtualKey::XButton2: return Qt::ForwardButton;
    default: return Qt::NoButton;
    }
}

class KeyEventFilter final : public QObject {
public:
    KeyEventFilter(QtKeyState& state, QObject* parent) : QObject(parent), m_state(state) {}

    bool eventFilter(QObject* watched, QEvent* event) override {
        m_state.handleEvent(event);
        return QObject::eventFilter(watched, event);
    }

private:
    QtKeyState& m_state;
};

} // namespace

int VirtualKeyFromQt(int qtKey, Qt::KeyboardModifiers modifiers) {
    const bool keypad = modifiers.testFlag(Qt::KeypadModifier);
    if (qtKey >= Qt::Key_0 && qtKey <= Qt::Key_9)
        return keypad ? VirtualKey::Numpad0 + (qtKey - Qt::Key_0) : qtKey;
    if (qtKey >= Qt::Key_A && qtKey <= Qt::Key_Z) return qtKey;
    if (qtKey >= Qt::Key_F1 && qtKey <= Qt::Key_F24) return VirtualKey::F1 + (qtKey - Qt::Key_F1);
    for (const KeypadPair& pair : kKeypadKeys)
        if (pair.qtKey == qtKey) return keypad ? pair.keypadKey : pair.mainKey;
    for (const KeyPair& pair : kFixedKeys)
        if (pair.qtKey == qtKey) return pair.virtualKey;
    return 0;
}

bool QtKeyFromVirtualKey(int virtualKey, int& qtKey, Qt::KeyboardModifiers& modifiers) {
    // The inverse of VirtualKeyFromQt over the keys it knows: plain keys first, then the keypad.
    static const auto table = [] {
        std::vector<std::pair<int, std::pair<int, bool>>> result;
        const auto add = [&](int key) {
            for (const bool keypad : {false, true}) {
                const int vk = VirtualKeyFromQt(key, keypad ? Qt::KeypadModifier : Qt::NoModifier);
                const bool known = std::any_of(result.begin(), result.end(), [&](const auto& e) { return e.first == vk; });
                if (vk != 0 && !known) result.push_back({vk, {key, keypad}});
            }
        };
        for (int key = 0x20; key < 0x7F; ++key) add(key);
        for (int key = Qt::Key_Escape; key <= Qt::Key_Direction_R; ++key) add(key);
        for (int key = Qt::Key_Back; key <= Qt::Key_LaunchF; ++key) add(key);
        return result;
    }();
    for (const auto& [vk, qt] : table) {
        if (vk != virtualKey) continue;
        qtKey = qt.first;
        modifiers = qt.second ? Qt::KeypadModifier : Qt::NoModifier;
        return true;
    }
    return false;
}

KeyState& KeyState::instance() {
    if (KeyState* state = installed()) return *state;
    static QtKeyState qtState;
    qtState.attach();
    return qtState;
}

QtKeyState::~QtKeyState() { delete m_filter.data(); }

void QtKeyState::attach() {
    if (!m_filter.isNull()) return;
    QCoreApplication* app = QCoreApplication::instance();
    if (app == nullptr) return;
    m_down.clear();
    // Parented to the application so it dies with it; a later application gets a new one.
    m_filter = new KeyEventFilter(*this, app);
    app->installEventFilter(m_filter.data());
}

void QtKeyState::handleEvent(const QEvent* event) {
    switch (event->type()) {
    case QEvent::ShortcutOverride:
    case QEvent::KeyPress: {
        const auto* keyEvent = static_cast<const QKeyEvent*>(event);
        const int virtualKey = VirtualKeyFromQt(keyEvent->key(), keyEvent->modifiers());
        if (virtualKey == 0) return;
        const bool known = std::any_of(m_down.begin(), m_down.end(), [&](const DownKey& key) {
            return key.scanCode == keyEvent->nativeScanCode() && key.virtualKey == virtualKey;
        });
        if (!known) m_down.push_back({keyEvent->nativeScanCode(), virtualKey});
        return;
    }
    case QEvent::KeyRelease: {
        const auto* keyEvent = static_cast<const QKeyEvent*>(event);
        if (keyEvent->isAutoRepeat()) return;
        // The released key may report another character than the pressed one
        // (Shift let go first), so the physical key decides where there is one.
        const quint32 scanCode = keyEvent->nativeScanCode();
        const int virtualKey = VirtualKeyFromQt(keyEvent->key(), keyEvent->modifiers());
        std::erase_if(m_down, [&](const DownKey& key) {
            return scanCode != 0 ? key.scanCode == scanCode : key.virtualKey == virtualKey;
        });
        return;
    }
    case QEvent::ApplicationDeactivate:
        // Releases happening elsewhere never reach us; forget rather than stick.
        m_down.clear();
        return;
    default: return;
    }
}

bool QtKeyState::isDown(int virtualKey) const {
    if (const Qt::KeyboardModifier modifier = modifierOf(virtualKey); modifier != Qt::NoModifier) {
        if (qobject_cast<QGuiApplication*>(QCoreApplication::instance()) == nullptr) return false;
        return QGuiApplication::queryKeyboardModifiers().testFlag(modifier);
    }
    if (const Qt::MouseButton button = mouseButtonOf(virtualKey); button != Qt::NoButton) {
        if (qobject_cast<QGuiApplication*>(QCoreApplication::instance()) == nullptr) return false;
        return QGuiApplication::mouseButtons().testFlag(button);
    }
    return std::any_of(m_down.begin(), m_down.end(),
                       [virtualKey](const DownKey& key) { return key.virtualKey == virtualKey; });
}

bool FakeKeyState::isDown(int virtualKey) const {
    return std::find(m_down.begin(), m_down.end(), virtualKey) != m_down.end();
}

void FakeKeyState::press(int virtualKey) {
    if (!isDown(virtualKey)) m_down.push_back(virtualKey);
}

void FakeKeyState::release(int virtualKey) { std::erase(m_down, virtualKey); }

} // namespace ovanto
