#include "elements/core/text_grid.h"
#include "elements/display/pictures.h"
#include "platform/canvas.h"
#include "platform/file_cache.h"
#include "platform/module.h"
#include "platform/picture_cache.h"
#include "platform/picture_library.h"

#include <QDir>
#include <QFileInfo>

namespace ovanto {
namespace {

QString BareName(const QString& name) {
    const int cut = std::max(name.lastIndexOf(QLatin1Char('\\')), name.lastIndexOf(QLatin1Char('/')));
    return name.mid(cut + 1);
}

QString ResolvedName(ElementContext& window, const QString& name) {
    const QString found = window.findFile(name);
    return found.isEmpty() ? PictureFallbackPath(window, name) : found;
}

// The base reads and writes property p at grid row p + 1; this grid moves those
// rows to where the element shows them.
class MappedGrid final : public TextGrid {
public:
    MappedGrid(const TextGrid* in, TextGrid* out, std::span<const int> gridRows)
        : m_in(in), m_out(out), m_gridRows(gridRows) {}
    QString cell(int column, int row) const override { return m_in->cell(column, targetRow(row)); }
    void setCell(int column, int row, const QString& text) override {
        if (m_out) m_out->setCell(column, targetRow(row), text);
    }
    int rowCount() const override { return m_in->rowCount(); }
    void setRowCount(int rows) override {
        if (m_out) m_out->setRowCount(rows);
    }

private:
    int targetRow(int row) const {
        const int p = row - 1;
        if (p < 0 || p >= static_cast<int>(m_gridRows.size())) return row;
        return m_gridRows[static_cast<std::size_t>(p)];
    }

    const TextGrid* m_in;
    TextGrid* m_out;
    std::span<const int> m_gridRows;
};

} // namespace

QString PictureFallbackPath(ElementContext&, const QString& name) {
    return QDir(Module::directory()).filePath(BareName(name));
}

bool PictureNameResolves(ElementContext& window, const QString& name) {
    if (QFileInfo(ResolvedName(window, name)).isFile()) return true;
    bool ok = false;
    const int id = BareName(name).toInt(&ok);
    PictureLibrary* library = window.pictureLibrary();
    return ok && library && library->contains(id);
}

const QString& PictureSlot::resolved(ElementContext& window, const QString& name) {
    const auto now = std::chrono::steady_clock::now();
    const bool running = window.simulationRunning();
    if (name != m_resolvedName || running != m_resolvedRunning || m_resolvedName.isNull() ||
        now - m_resolvedAt >= std::chrono::seconds(1)) {
        m_resolvedPath = ResolvedName(window, name);
        m_resolvedExists = StampOf(m_resolvedPath).size >= 0;
        m_resolvedName = name;
        m_resolvedRunning = running;
        m_resolvedAt = now;
    }
    return m_resolvedPath;
}

const Picture* PictureSlot::load(ElementContext& window, const QString& name, bool transparent) {
    if (!window.simulationRunning() || name != m_lastName || !m_valid) {
        // Outside a run every draw looks again, but an unchanged file is not read again; the
        // picture with its transparency mask stays while the pixels are the same.
        const QString& path = resolved(window, name);
        const Picture file = m_resolvedExists ? LoadPictureFile(path) : Picture();
        if (!file.isEmpty()) {
            if (!m_valid || file.image().cacheKey() != m_picture.image().cacheKey()) m_picture = file;
            m_valid = true;
        } else {
            const QString bare = BareName(name);
            if (bare != m_lastName || !m_valid) {
                bool ok = false;
                const int id = bare.toInt(&ok);
                PictureLibrary* library = window.pictureLibrary();
                m_picture = ok && library ? library->load(id) : Picture();
                m_valid = !m_picture.isEmpty();
            }
        }
    }
    if (!m_valid) {
        m_lastName.clear();
        return nullptr;
    }
    m_picture.setTransparent(transparent);
    return &m_picture;
}

void DrawFailedPicture(Canvas& canvas, const Rect& r) {
    canvas.setPenStyle(PenStyle::Solid);
    canvas.setPenWidth(1);
    canvas.setPenColor(kBlack);
    canvas.setBrushColor(kBlack);
    canvas.setBrushStyle(BrushStyle::DiagCross);
    canvas.rectangle(r.left, r.top, r.right, r.bottom);
    canvas.setBrushStyle(BrushStyle::Solid);
}

void DrawCentredPicture(Canvas& canvas, ElementContext& window, PictureSlot& slot, const QString& name,
                        bool transparent, const Rect& r) {
    const Picture* picture = slot.load(window, name, transparent);
    if (!picture) {
        DrawFailedPicture(canvas, r);
        return;
    }
    // Picture sizes are bounded by the image reader; the rectangle by ToCoord.
    const long long dx = (static_cast<long long>(r.right) - r.left - picture->width()) / 2;
    const long long dy = (static_cast<long long>(r.bottom) - r.top - picture->height()) / 2;
    canvas.save();
    canvas.setClipRect(std::min(r.left, r.right), std::min(r.top, r.bottom), std::max(r.left, r.right),
                       std::max(r.top, r.bottom));
    canvas.draw(static_cast<int>(r.left + dx), static_cast<int>(r.top + dy), *picture);
    canvas.restore();
    slot.drawn(name);
}

// --- grid rows in their own order ---------------------------------------------------------

TReorderedGraph::TReorderedGraph(ElementContext& window, const ElementSchema& schema, std::span<const int> gridRows)
    : TGraph(window, schema), m_gridRows(gridRows) {}

void TReorderedGraph::InitPropGrid(TextGrid& elementGrid, TextGrid& propGrid, int row, bool withDefaults) {
    MappedGrid grid(&propGrid, &propGrid, m_gridRows);
    TGraph::InitPropGrid(elementGrid, grid, row, withDefaults);
}

void TReorderedGraph::PropsToGrid(TextGrid& elementGrid, TextGrid& propGrid, int row) {
    MappedGrid grid(&propGrid, &propGrid, m_gridRows);
    TGraph::PropsToGrid(elementGrid, grid, row);
}

void TReorderedGraph::GridToProps(const TextGrid& elementGrid, const TextGrid& propGrid, int row) {
    MappedGrid grid(&propGrid, nullptr, m_gridRows);
    TGraph::GridToProps(elementGrid, grid, row);
}

} // namespace ovanto
