#pragma once

#include "platform/injectable.h"

namespace ovanto {

// Sounds of the program. Looping WAV playback joins later.
class Sound : public Injectable<Sound> {
public:
    virtual ~Sound() = default;
    // The default system beep.
    virtual void beep() = 0;

    static Sound& instance();
};

class QtSound final : public Sound {
public:
    void beep() override;
};

// Counts beeps instead of making a noise.
class CountingSound final : public Sound {
public:
    void beep() override { ++m_beeps; }
    int beeps() const { return m_beeps; }
    void reset() { m_beeps = 0; }

private:
    int m_beeps = 0;
};

} // namespace ovanto
