// Any bytes as the fields of an element record: the first byte picks one of
// the registered keywords, so every family is fuzzed as soon as it registers.
// The element is then written, drawn and measured as a window would.
#include "elements/core/element_registry.h"
#include "elements/core/formula/conversion_error.h"
#include "elements/core/record.h"
#include "elements/core/tgraph.h"
#include "host/block_window.h"
#include "platform/canvas.h"
#include "platform/text_codec_1252.h"
#include "window/block_window_factory.h"

#include "fuzz_app.h"

#include <QImage>
#include <QStringList>

namespace {

ovanto::BlockWindow* g_window = nullptr;
QStringList g_keywords;

} // namespace

extern "C" int LLVMFuzzerInitialize(int*, char***) {
    ovanto::fuzz::startApplication();
    ovanto::RegisterAllElements();
    g_keywords = ovanto::RegisteredElementKeywords();
    g_window = ovanto::CreateBlockWindow(0);
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    using ovanto::fuzz::check;
    if (size == 0 || g_keywords.isEmpty()) return 0;
    ovanto::ElementContext& context = g_window->elementContext();
    g_window->clearElements();

    const QString& keyword = g_keywords[data[0] % g_keywords.size()];
    const QByteArray fields(reinterpret_cast<const char*>(data + 1), static_cast<qsizetype>(size - 1));
    const QString line = keyword + QLatin1Char('\t') + ovanto::DecodeWindows1252(fields);
    ovanto::TGraph* element = nullptr;
    try {
        element = ovanto::ReadRecord(context, line);
    } catch (const ovanto::ConversionError&) {
        // A record that fails to read leaves nothing half-read behind.
        check(g_window->elementCount() == 0);
        return 0;
    }
    check(element != nullptr && g_window->elementCount() == 1);

    // What was read writes back as a record that reads as itself.
    const QString saved = ovanto::WriteRecord(*element);
    ovanto::TGraph* again = ovanto::ReadRecord(context, saved);
    check(again != nullptr && ovanto::WriteRecord(*again) == saved);

    static QImage image(48, 32, QImage::Format_RGB32);
    image.fill(Qt::white);
    {
        ovanto::Canvas canvas(image);
        // The window's paint swallows what one element throws.
        try {
            element->Draw(canvas);
        } catch (...) {
        }
    }
    ovanto::Rect bounds;
    element->GetBounds(bounds);
    return 0;
}
