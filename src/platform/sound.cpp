#include "platform/sound.h"

#include <QApplication>

namespace ovanto {

void QtSound::beep() {
    if (qobject_cast<QApplication*>(QCoreApplication::instance()) != nullptr) QApplication::beep();
}

Sound& Sound::instance() {
    if (Sound* sound = installed()) return *sound;
    static QtSound qtSound;
    return qtSound;
}

} // namespace ovanto
