#include "elements/core/text_grid.h"
#include "elements/display/shape_geometry.h"
#include "elements/operating/operating.h"
#include "elements/operating/operating_geometry.h"
#include "platform/canvas.h"
#include "platform/sound.h"

#include "elements/core/formula/parse_float.h"

#include <QImage>
#include <QStringList>

#include <cmath>

namespace ovanto {
namespace {

constexpr TColor kSilver = 12632256;
constexpr TColor kGrey = 8421504;
constexpr int kMaxFontSize = 200;

// Property p sits at row p + 1 for the base; this grid moves it to its own
// row, or hides it: a hidden row keeps the element's text when read back.
class OperatingGrid final : public TextGrid {
public:
    OperatingGrid(const TextGrid* in, TextGrid* out, std::span<const int> gridRows, const TGraph& element)
        : m_in(in), m_out(out), m_gridRows(gridRows), m_element(element) {}
    QString cell(int column, int row) const override {
        const int target = targetRow(row);
        if (target == 0) return column == 1 ? m_element.text(row - 1) : QString();
        return m_in->cell(column, target);
    }
    void setCell(int column, int row, const QString& text) override {
        const int target = targetRow(row);
        if (m_out && target != 0) m_out->setCell(column, target, text);
    }
    int rowCount() const override { return m_in->rowCount(); }
    void setRowCount(int rows) override {
        if (!m_out) return;
        int hidden = 0;
        for (int r : m_gridRows) hidden += r == 0;
        m_out->setRowCount(rows - hidden);
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
    const TGraph& m_element;
};

// Every second pixel, so an inverting fill greys the face out.
const QImage& DisabledPattern() {
    static const QImage pattern = [] {
        QImage image(8, 8, QImage::Format_RGB32);
        for (int y = 0; y < 8; ++y)
            for (int x = 0; x < 8; ++x) image.setPixel(x, y, (x + y) % 2 == 0 ? 0xFFFFFFFFu : 0xFF000000u);
        return image;
    }();
    return pattern;
}

} // namespace

TOperatingGraph::TOperatingGraph(ElementContext& window, const ElementSchema& schema, std::span<const int> gridRows,
                                 const OperatingRows& rows, const char* fillDefault)
    : TControlGraph(window, schema), m_gridRows(gridRows), m_rows(rows), m_fillDefault(fillDefault) {
    if (fillDefault) setText(kRGBFill, fillDefault);
}

void TOperatingGraph::InitPropGrid(TextGrid& elementGrid, TextGrid& propGrid, int row, bool withDefaults) {
    OperatingGrid grid(&propGrid, &propGrid, m_gridRows, *this);
    TGraph::InitPropGrid(elementGrid, grid, row, withDefaults);
    if (withDefaults && m_fillDefault) propGrid.setCell(1, kRGBFill + 1, QString::fromLatin1(m_fillDefault));
}

void TOperatingGraph::PropsToGrid(TextGrid& elementGrid, TextGrid& propGrid, int row) {
    OperatingGrid grid(&propGrid, &propGrid, m_gridRows, *this);
    TGraph::PropsToGrid(elementGrid, grid, row);
}

void TOperatingGraph::GridToProps(const TextGrid& elementGrid, const TextGrid& propGrid, int row) {
    OperatingGrid grid(&propGrid, nullptr, m_gridRows, *this);
    TGraph::GridToProps(elementGrid, grid, row);
}

// The flag sits among the class fields; with the keyword as field 0, class property p is field p + 2.
void TOperatingGraph::SaveToString(QString& s) const {
    TGraph::SaveToString(s);
    if (m_rows.stateAfter < 0) return;
    QStringList fields = s.split(QLatin1Char('\t'));
    fields.insert(std::min<qsizetype>(m_rows.stateAfter + 3, fields.size()), m_on ? QStringLiteral("1") : QStringLiteral("0"));
    s = fields.join(QLatin1Char('\t'));
}

void TOperatingGraph::LoadFromString(QString& s) {
    if (m_rows.stateAfter >= 0) {
        QStringList fields = s.split(QLatin1Char('\t'));
        const qsizetype at = m_rows.stateAfter + 2;
        if (at < fields.size()) {
            int flag = 0;
            m_on = TryParseInt(fields[at].trimmed().toStdString(), flag) && flag != 0;
            fields.removeAt(at);
            s = fields.join(QLatin1Char('\t'));
        }
    }
    TGraph::LoadFromString(s);
}

// An element that cannot be operated during the run still shows its value at both ends.
void TOperatingGraph::SimulationStart() {
    if (m_rows.simEnabled >= 0 && intValue(m_rows.simEnabled) == 0) UpdateOutput();
}

void TOperatingGraph::SimulationEnd() {
    if (m_rows.simEnabled >= 0 && intValue(m_rows.simEnabled) == 0) UpdateOutput();
}

std::optional<Rect> TOperatingGraph::outlineBox() const {
    const long double x = evaluateInt(m_rows.x);
    const long double y = evaluateInt(m_rows.y);
    return Rect{ToCoord(x), ToCoord(y - evaluateInt(m_rows.h)), ToCoord(x + evaluateInt(m_rows.w)), ToCoord(y)};
}

bool TOperatingGraph::refused() const {
    return window().simulationRunning() && m_rows.simEnabled >= 0 && intValue(m_rows.simEnabled) != 1;
}

bool TOperatingGraph::operatedAt(int x, int y) {
    bool inside = false;
    guarded([&] { inside = outlineBox()->contains(x, y); });
    if (!inside) return false;
    if (refused()) {
        window().sound().beep();
        return false;
    }
    return true;
}

int TOperatingGraph::outputPosition() const {
    long double n = 0;
    try {
        n = evaluate(m_rows.output);
    } catch (...) {
        return 0;
    }
    return std::isfinite(n) ? OutputPositionOf(n) : 0;
}

void TOperatingGraph::writeOutput(bool on, int onValueProperty) {
    if (const int position = outputPosition()) {
        long double v = 0;
        if (on) guarded([&] { v = evaluate(onValueProperty); });
        signalTable()[position] = v;
    }
    repaintIfAsked();
}

void TOperatingGraph::repaintIfAsked() {
    if (!m_quiet && window().repaintOnOutputChange()) window().paintNow();
}

void TOperatingGraph::drawButton(Canvas& canvas, const Rect& r, bool pressed, const QString& caption, int bmpFile,
                                 int bmpPosition, int fontSize) {
    if (r.right <= r.left || r.bottom <= r.top) return;
    CanvasStateSaver saver(canvas);
    canvas.setBrush({evaluateInt(kRGBFill), BrushStyle::Solid, {}});
    canvas.fillRect(r.left, r.top, r.right, r.bottom);
    // The pixels of a pen drawn up the left, along the top, down the right and back
    // along the bottom, filled as four strips: much cheaper than four lines.
    const auto edge = [&](int inset, TColor topLeft, TColor bottomRight) {
        const int l = r.left + inset, t = r.top + inset, rt = r.right - 1 - inset, b = r.bottom - 1 - inset;
        if (rt < l || b < t) return;
        canvas.setBrushColor(topLeft);
        canvas.fillRect(l, t, rt, t + 1);
        canvas.fillRect(l, t + 1, l + 1, b);
        canvas.setBrushColor(bottomRight);
        canvas.fillRect(rt, t, rt + 1, b);
        canvas.fillRect(l, b, rt + 1, b + 1);
    };
    edge(0, pressed ? kBlack : kWhite, pressed ? kWhite : kBlack);
    edge(1, pressed ? kGrey : kSilver, pressed ? kSilver : kGrey);

    const int shift = pressed ? 2 : 0;
    const Rect face{r.left + shift, r.top + shift, r.right + shift, r.bottom + shift};
    canvas.setClipRect(r.left, r.top, r.right, r.bottom);
    canvas.setFontName(QStringLiteral("Arial"));
    canvas.setFontSize(std::clamp(intValue(fontSize), 1, kMaxFontSize));
    canvas.setFontColor(evaluateInt(kRGBStroke));
    canvas.setTextOpaque(false);
    // A wildcard is what the grid offers before a picture is chosen: never a file.
    const QString name = text(bmpFile);
    const Picture* picture = name.contains(QLatin1Char('*')) ? nullptr : m_picture.load(window(), name, true);
    const ButtonLayout layout =
        LayoutButton(face, picture ? picture->width() : 0, picture ? picture->height() : 0, picture != nullptr,
                     !caption.isEmpty(), intValue(bmpPosition), caption.isEmpty() ? 0 : canvas.textHeight(caption));
    if (picture) {
        canvas.draw(layout.pictureLeft, layout.pictureTop, *picture);
        m_picture.drawn(name);
    }
    if (!caption.isEmpty())
        canvas.textRect(layout.caption.left, layout.caption.top, layout.caption.right, layout.caption.bottom, caption,
                        TextFormat::HCenter | TextFormat::VCenter | TextFormat::SingleLine);
    if (refused()) {
        canvas.setBrushPattern(DisabledPattern());
        canvas.setBrushOrigin(0, 0);
        canvas.patternInvert(r.left, r.top, r.right, r.bottom);
    }
}

} // namespace ovanto
