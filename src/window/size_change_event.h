#pragma once

#include <QEvent>

namespace ovanto {

// Message 2049 (0x801): grow or shrink the window and toggle its expanded
// state. Codes up to 2000 change the height by code - 1000, larger codes the
// width by code - 2000.
class SizeChangeEvent final : public QEvent {
public:
    static constexpr QEvent::Type kType = static_cast<QEvent::Type>(2049);

    explicit SizeChangeEvent(int code) : QEvent(kType), m_code(code) {}
    int code() const { return m_code; }

private:
    int m_code;
};

} // namespace ovanto
