#include "elements/display/plot_button.h"

#include "elements/core/element_list.h"
#include "elements/core/element_registry.h"
#include "elements/display/plots.h"
#include "elements/display/shape_geometry.h"
#include "platform/canvas.h"
#include "platform/sound.h"

#include <QStringList>

#include <array>

namespace ovanto {
namespace {

constexpr PropertyDef kAnalyzeRows[] = {
    rows::X("x", "40"),
    rows::Y("y", "50"),
    rows::Int("w", "80"),
    rows::Int("h", "25"),
    rows::Text("Caption", "Caption"),
    rows::Plain("FontSize", "8"),
    rows::Text("BMPFile or Id", "*.BMP"),
    rows::Plain("BMPPosition (0/1)", "0"),
    rows::Plain("SaveButton (0/1)", "1"),
    rows::Plain("PrintButton (0/1)", "1"),
    rows::Plain("SimEnabled (0/1)", "1", 389),
};
static_assert(RowsMatch<TYTAnalyzeGraph>(kAnalyzeRows));
constexpr ElementSchema kAnalyze{.keyword = "YTANALYZE", .rows = kAnalyzeRows, .paintSpill = 2};

// Record fields after the comment, by grid row; -1 is the pressed state, kept only in the record.
constexpr std::array<int, 12> kRecordOrder{4, 0, 1, 2, 3, -1, 6, 7, 5, 8, 9, 10};
constexpr int kHead = TGraph::kFirstClassProperty + 1; // common fields and the comment
constexpr TColor kSilver = 12632256;
constexpr TColor kGrey = 8421504;
constexpr int kClassRows = static_cast<int>(TYTAnalyzeGraph::kPropertyEnd) - static_cast<int>(TGraph::kFirstClassProperty);

TYTAnalyzeGraph::Opener& opener() {
    static TYTAnalyzeGraph::Opener o;
    return o;
}

} // namespace

TYTAnalyzeGraph::TYTAnalyzeGraph(ElementContext& window) : TControlGraph(window, kAnalyze) {
    setText(kRGBFill, QStringLiteral("12632256"));
}

void TYTAnalyzeGraph::setOpener(Opener o) { opener() = std::move(o); }
bool TYTAnalyzeGraph::hasOpener() { return static_cast<bool>(opener()); }

void TYTAnalyzeGraph::SaveToString(QString& s) const {
    TGraph::SaveToString(s);
    const QStringList grid = s.split(QLatin1Char('\t'));
    QStringList out = grid.mid(0, kHead + 1); // the keyword comes first here
    for (int row : kRecordOrder)
        out << (row < 0 ? QString::number(m_down ? 1 : 0) : grid.value(kHead + 1 + row));
    s = out.join(QLatin1Char('\t'));
}

void TYTAnalyzeGraph::LoadFromString(QString& s) {
    const QStringList record = s.split(QLatin1Char('\t'));
    QStringList grid = record.mid(0, kHead);
    std::array<QString, kClassRows> rowsByGrid;
    int present = 0;
    for (size_t i = 0; i < kRecordOrder.size(); ++i) {
        const qsizetype at = kHead + static_cast<qsizetype>(i);
        if (at >= record.size()) break;
        ++present;
        if (kRecordOrder[i] < 0) m_down = record[at].trimmed() == QLatin1String("1");
        else rowsByGrid[static_cast<size_t>(kRecordOrder[i])] = record[at];
    }
    // a record without SimEnabled stops after PrintButton, which is also the grid's last row before it
    const int rows = present >= static_cast<int>(kRecordOrder.size()) ? kClassRows : kClassRows - 1;
    for (int r = 0; r < rows; ++r) grid << rowsByGrid[static_cast<size_t>(r)];
    QString reordered = grid.join(QLatin1Char('\t'));
    TGraph::LoadFromString(reordered);
    s.clear();
}

std::optional<Rect> TYTAnalyzeGraph::outlineBox() const {
    const int x = evaluateInt(kX);
    const int y = evaluateInt(kY);
    return Rect{x, ToCoord(static_cast<long double>(y) - evaluateInt(kH)),
                ToCoord(static_cast<long double>(x) + evaluateInt(kW)), y};
}

void TYTAnalyzeGraph::Draw(Canvas& canvas) {
    drawIfVisible(canvas, [&] {
        const Rect b = *outlineBox();
        if (b.right <= b.left || b.bottom <= b.top) return;
        CanvasStateSaver saver(canvas);
        canvas.setBrush({evaluateInt(kRGBFill), BrushStyle::Solid, {}});
        canvas.fillRect(b.left, b.top, b.right, b.bottom);
        const auto edge = [&](int inset, TColor topLeft, TColor bottomRight) {
            const int l = b.left + inset, t = b.top + inset, r = b.right - 1 - inset, bo = b.bottom - 1 - inset;
            canvas.setPen({topLeft, 1, PenStyle::Solid, PenMode::Copy});
            canvas.moveTo(l, bo);
            canvas.lineTo(l, t);
            canvas.lineTo(r, t);
            canvas.setPen({bottomRight, 1, PenStyle::Solid, PenMode::Copy});
            canvas.lineTo(r, bo);
            canvas.lineTo(l - 1, bo);
        };
        edge(0, m_down ? kBlack : kWhite, m_down ? kWhite : kBlack);
        edge(1, m_down ? kGrey : kSilver, m_down ? kSilver : kGrey);
        QString caption = text(kCaption);
        if (const qsizetype hash = caption.indexOf(QLatin1Char('#')); hash >= 0) caption = caption.mid(hash + 1);
        canvas.setFontName(QStringLiteral("Arial"));
        canvas.setFontSize(std::clamp(intValue(kFontSize), 1, 200));
        canvas.setFontColor(evaluateInt(kRGBStroke));
        canvas.setTextOpaque(false);
        const int shift = m_down ? 1 : 0;
        canvas.textRect(b.left + 2 + shift, b.top + 2 + shift, b.right - 2 + shift, b.bottom - 2 + shift, caption,
                        TextFormat::HCenter | TextFormat::VCenter | TextFormat::SingleLine);
    });
}

bool TYTAnalyzeGraph::refused() const { return window().simulationRunning() && intValue(kSimEnabled) == 0; }

void TYTAnalyzeGraph::MouseDown(int x, int y) {
    TGraph::MouseDown(x, y);
    if (window().designMode()) return;
    Rect b;
    try {
        b = *outlineBox();
    } catch (...) {
        return;
    }
    if (!b.contains(x, y)) return;
    if (refused()) {
        window().sound().beep();
        return;
    }
    m_down = !m_down;
    window().requestRepaint();
    UpdateOutput();
}

void TYTAnalyzeGraph::MouseUp(int x, int y) {
    TGraph::MouseUp(x, y);
    if (!m_down) return;
    m_down = false;
    window().requestRepaint();
}

TPlotGraph* TYTAnalyzeGraph::analysedPlot() const {
    const ElementList& list = window().elementList();
    for (int row = list.indexOf(this) - 1; row >= 0; --row) {
        if (auto* plot = dynamic_cast<TYTPlotGraph*>(list.at(row))) return plot->master();
    }
    return nullptr;
}

// Called every step as well: only a pressed button outside design mode acts.
void TYTAnalyzeGraph::UpdateOutput() {
    if (!m_down || window().designMode()) return;
    window().paintNow();
    m_down = false;
    // the release usually goes to the modal dialog: without this the button would stay drawn pressed
    window().requestRepaint();
    TPlotGraph* plot = analysedPlot();
    if (plot && opener()) opener()(*plot, intValue(kSaveButton) > 0, intValue(kPrintButton) > 0);
}

void TYTAnalyzeGraph::SimulationStart() {
    if (intValue(kSimEnabled) == 0) window().requestRepaint();
}

void TYTAnalyzeGraph::SimulationEnd() {
    if (intValue(kSimEnabled) == 0) window().requestRepaint();
}

void RegisterPlotButton() { RegisterElementClass<TYTAnalyzeGraph>(kAnalyze); }

} // namespace ovanto
