// Any bytes as an AVI clip: every frame it gives has the clip's size, and the
// decoded frames stay within the budget.
#include <QImage>

#include "platform/avi_clip.h"

#include "fuzz_app.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const QByteArray bytes(reinterpret_cast<const char*>(data), static_cast<qsizetype>(size));
    const ovanto::AviClip clip = ovanto::AviClip::read(bytes);
    long long decoded = 0;
    for (int k = 0; k < clip.frameCount(); ++k) {
        const QImage& frame = clip.frame(k);
        ovanto::fuzz::check(frame.width() == clip.width() && frame.height() == clip.height());
        decoded += static_cast<long long>(frame.width()) * frame.height();
    }
    // The budget counts a byte per palette pixel and four per colour pixel.
    ovanto::fuzz::check(decoded <= ovanto::AviClip::kMaxDecodedBytes);
    return 0;
}
