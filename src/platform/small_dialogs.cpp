#include "platform/small_dialogs.h"

namespace ovanto {

bool RecordingSmallDialogs::askPassword(QWidget*, QString& password) {
    m_calls.push_back({Kind::Password, {}});
    password.clear();
    if (!m_passwords.empty()) {
        password = m_passwords.front();
        m_passwords.pop_front();
    }
    return true;
}

SmallDialogs& SmallDialogs::instance() {
    if (SmallDialogs* d = installed()) return *d;
    static RecordingSmallDialogs headless;
    return headless;
}

} // namespace ovanto
