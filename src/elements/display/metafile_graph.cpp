#include "elements/core/element_registry.h"
#include "elements/display/pictures.h"
#include "platform/canvas.h"
#include "platform/dialogs.h"
#include "platform/metafile.h"

#include <QFileInfo>

namespace ovanto {
namespace {

constexpr PropertyDef kWmfRows[] = {
    rows::X("x", "40"), rows::Y("y", "60"), rows::Int("w", "50"), rows::Int("h", "30"), rows::FillPattern(),
    rows::Text("File", "*.WMF"),
};
static_assert(RowsMatch<TWMFGraph>(kWmfRows));
constexpr ElementSchema kWmf{.keyword = "WMF", .rows = kWmfRows};

QString ResolvedFile(ElementContext& window, const QString& name) {
    const QString found = window.findFile(name);
    return found.isEmpty() ? PictureFallbackPath(window, name) : found;
}

} // namespace

TWMFGraph::TWMFGraph(ElementContext& window) : TRectGraph(window, kWmf) {}

void TWMFGraph::LoadFromString(QString& s) {
    TRectGraph::LoadFromString(s);
    const QString name = text(kFile);
    if (!QFileInfo(ResolvedFile(window(), name)).isFile())
        window().dialogs().showError(window().controlParent(),
                                     QStringLiteral("Datei ") + name + QStringLiteral(" kann nicht geöffnet werden!"));
}

void TWMFGraph::Draw(Canvas& canvas) {
    drawIfVisible(canvas, [&] {
        const Rect b = box();
        const Rect r{std::min(b.left, b.right), std::min(b.top, b.bottom), std::max(b.left, b.right),
                     std::max(b.top, b.bottom)};
        // A wildcard name never names a file; the search is not worth a look.
        const QString name = text(kFile);
        const std::shared_ptr<const Metafile> metafile =
            name.contains(QLatin1Char('*')) ? nullptr : LoadMetafile(ResolvedFile(window(), name));
        if (!metafile) {
            DrawFailedPicture(canvas, r);
            return;
        }
        PlayMetafile(canvas, *metafile, r.left, r.top, r.right, r.bottom);
    });
}

void RegisterMetafilePictures() { RegisterElementClass<TWMFGraph>(kWmf); }

} // namespace ovanto
