#include "platform/sound.h"

#include <QApplication>
#include <QSoundEffect>
#include <QUrl>

namespace ovanto {

QtSound::QtSound() = default;
QtSound::~QtSound() = default;

void QtSound::beep() {
    if (qobject_cast<QApplication*>(QCoreApplication::instance()) != nullptr) QApplication::beep();
}

void QtSound::playLooping(const QString& path) {
    if (path == m_playing) return;
    if (!m_effect) m_effect = std::make_unique<QSoundEffect>();
    m_effect->stop();
    m_effect->setSource(QUrl::fromLocalFile(path));
    m_effect->setLoopCount(QSoundEffect::Infinite);
    m_effect->play();
    m_playing = path;
}

void QtSound::stopLooping() {
    if (m_effect) m_effect->stop();
    m_playing.clear();
}

Sound& Sound::instance() {
    if (Sound* sound = installed()) return *sound;
    static QtSound qtSound;
    return qtSound;
}

} // namespace ovanto
