// Any bytes as a metafile: parsed, then played into the middle of a small
// picture. Nothing may be drawn outside the target rectangle.
#include "platform/canvas.h"
#include "platform/metafile.h"

#include "fuzz_app.h"

#include <QImage>

extern "C" int LLVMFuzzerInitialize(int*, char***) {
    ovanto::fuzz::startApplication();
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const QByteArray bytes(reinterpret_cast<const char*>(data), static_cast<qsizetype>(size));
    const std::optional<ovanto::Metafile> metafile = ovanto::Metafile::parse(bytes);
    if (!metafile) return 0;
    QImage image(48, 48, QImage::Format_RGB32);
    image.fill(Qt::white);
    {
        ovanto::Canvas canvas(image);
        ovanto::PlayMetafile(canvas, *metafile, 16, 16, 32, 32);
    }
    for (int y = 0; y < image.height(); ++y)
        for (int x = 0; x < image.width(); ++x)
            if (x < 16 || x >= 32 || y < 16 || y >= 32) ovanto::fuzz::check(image.pixel(x, y) == qRgb(255, 255, 255));
    return 0;
}
