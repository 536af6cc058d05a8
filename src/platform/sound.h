#pragma once

#include "platform/injectable.h"

#include <QString>

#include <memory>

class QSoundEffect;

namespace ovanto {

// Sounds of the program: the system beep and one looping WAV at a time.
class Sound : public Injectable<Sound> {
public:
    virtual ~Sound() = default;
    // The default system beep.
    virtual void beep() = 0;
    // Plays the file over and over; asking again for the file already playing
    // keeps the loop going instead of restarting it. No sound device is no error.
    virtual void playLooping(const QString&) {}
    virtual void stopLooping() {}

    static Sound& instance();
};

class QtSound final : public Sound {
public:
    QtSound();
    ~QtSound() override;
    void beep() override;
    void playLooping(const QString& path) override;
    void stopLooping() override;

private:
    std::unique_ptr<QSoundEffect> m_effect; // made on the first loop
    QString m_playing;
};

// Counts beeps and loop starts instead of making a noise.
class CountingSound final : public Sound {
public:
    void beep() override { ++m_beeps; }
    void playLooping(const QString& path) override {
        if (path != m_looping) ++m_loopStarts;
        m_looping = path;
    }
    void stopLooping() override { m_looping.clear(); }
    int beeps() const { return m_beeps; }
    int loopStarts() const { return m_loopStarts; }
    const QString& looping() const { return m_looping; }
    void reset() { m_beeps = 0; }

private:
    int m_beeps = 0;
    int m_loopStarts = 0;
    QString m_looping;
};

} // namespace ovanto
