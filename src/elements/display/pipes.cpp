#include "elements/core/element_registry.h"
#include "elements/core/formula/parse_float.h"
#include "elements/core/record.h"
#include "elements/display/process_equipment.h"
#include "elements/display/shape_geometry.h"
#include "platform/canvas.h"
#include "platform/random_source.h"

#include <cmath>
#include <cstdlib>

namespace ovanto {
namespace {

// Records before version 350 have no colour for the pipe without flow.
constexpr int kFillMinusVersion = 349;
constexpr const char* kPipeBlue = "16760445";

constexpr PropertyDef kHPipeRows[] = {
    rows::X("x", "40"),
    rows::Y("y", "60"),
    rows::Int("w", "100"),
    rows::Int("h", "7"),
    rows::Float("Input", "1"),
    rows::Plain("Direction (0/1)", "0"),
    rows::Plain("FillPattern", "0"),
    rows::Plain("LeftEnd", "0"),
    rows::Plain("RightEnd", "0"),
    rows::Int("Delay", "50"),
    {.caption = "RGBFill-", .gridDefault = kPipeBlue, .kind = PropKind::Text, .readAboveVersion = kFillMinusVersion},
};
static_assert(RowsMatch<THPipeGraph>(kHPipeRows));
constexpr ElementSchema kHPipe{.keyword = "HPIPE", .rows = kHPipeRows};

constexpr PropertyDef kVPipeRows[] = {
    rows::X("x", "40"),
    rows::Y("y", "150"),
    rows::Int("w", "7"),
    rows::Int("h", "100"),
    rows::Float("Input", "1"),
    rows::Plain("Direction (0/1)", "0"),
    rows::Plain("FillPattern", "0"),
    rows::Plain("TopEnd", "0"),
    rows::Plain("BottomEnd", "0"),
    rows::Int("Delay", "50"),
    {.caption = "RGBFill-", .gridDefault = kPipeBlue, .kind = PropKind::Text, .readAboveVersion = kFillMinusVersion},
};
static_assert(RowsMatch<TVPipeGraph>(kVPipeRows));
constexpr ElementSchema kVPipe{.keyword = "VPIPE", .rows = kVPipeRows};

constexpr int kPhases = 8;

int pipePen(int lineType) { return std::abs(lineType); }

} // namespace

TPipeGraph::TPipeGraph(ElementContext& window, const ElementSchema& schema, bool horizontal)
    : TGraph(window, schema), m_horizontal(horizontal), m_step(window) {
    setText(kRGBFill, QString::fromLatin1(kPipeBlue));
}

THPipeGraph::THPipeGraph(ElementContext& window) : TPipeGraph(window, kHPipe, true) {}

TVPipeGraph::TVPipeGraph(ElementContext& window) : TPipeGraph(window, kVPipe, false) {}

void TPipeGraph::LoadFromString(QString& s) {
    TGraph::LoadFromString(s);
    if (RecordVersion() <= kFillMinusVersion) setText(kRGBFillMinus, text(kRGBFill));
}

std::optional<Rect> TPipeGraph::outlineBox() const {
    const Rect box = CornerBox(evaluateInt(kX), evaluateInt(kY), evaluateInt(kW), evaluateInt(kH));
    const int pen = pipePen(lineType());
    return pen == 0 ? box : box.inflated(StrokeMargin(pen));
}

long double TPipeGraph::flow(bool patterned, bool& turbulent) const {
    turbulent = false;
    if (!patterned) return ChannelValue(kInput);
    long double v = 0;
    int code = 0;
    const bool isCode = TryParseInt(text(kInput).toStdString(), code) && code >= -4 && code <= 0;
    if (!isCode) {
        v = ChannelValue(kInput);
    } else if (code == -1) {
        v = 1;
    } else if (code == -2 || code == -4) {
        v = RandomSource::instance().next() - 0.5;
        turbulent = code == -4;
    } else {
        turbulent = code == -3;
    }
    return intValue(kDirection) == 1 ? -v : v;
}

void TPipeGraph::Draw(Canvas& canvas) {
    drawIfVisible(canvas, [&] {
        const int x = evaluateInt(kX), y = evaluateInt(kY);
        const Rect box = CornerBox(x, y, evaluateInt(kW), evaluateInt(kH));
        const TColor stroke = evaluateInt(kRGBStroke), fill = evaluateInt(kRGBFill);
        const long double delay = evaluate(kDelay);
        const PatternSet set = m_horizontal ? PatternSet::Horizontal : PatternSet::Vertical;
        const QImage* pattern = m_pattern.image(set, intValue(kFillPattern), stroke, fill);
        bool turbulent = false;
        const long double v = flow(pattern != nullptr, turbulent);
        if (pattern) {
            const int across = turbulent ? RandomSource::instance().below(kPhases) : (m_horizontal ? y : x);
            canvas.setBrushPattern(*pattern);
            if (m_horizontal) canvas.setBrushOrigin(m_phase, across);
            else canvas.setBrushOrigin(across, m_phase);
        } else {
            UseFill(canvas, v > 0 ? fill : m_fillMinus.intValue(freeText(kRGBFillMinus), signalTable()));
        }
        canvas.fillRect(box.left, box.top, box.right, box.bottom);

        const int pen = pipePen(lineType());
        if (pen != 0) {
            canvas.setPenStyle(PenStyle::Solid);
            canvas.setPenWidth(pen);
            canvas.setPenColor(stroke);
            StrokeSegments(canvas, PipeStrokes(m_horizontal, box, intValue(kStartEnd), intValue(kFinishEnd)));
        }
        if (m_step.due(window(), delay)) {
            if (v > 0) m_phase = WrapPhase(m_phase + 1LL, kPhases);
            else if (v < 0) m_phase = WrapPhase(m_phase - 1LL, kPhases);
        }
    });
}

void TPipeGraph::addLookState(LookHash& hash) const {
    hash.add(m_phase);
    guarded([&] { hash.add(m_fillMinus.value(freeText(kRGBFillMinus), signalTable())); });
    // These flows draw random numbers at every paint. A formula that comes
    // out at such a code only costs repaints; the texts are not copied here.
    const long double code = evaluate(kInput);
    if (code >= -4 && code <= -2 && code == std::trunc(code)) hash.forceChange();
    addDueStep(hash, m_step, kDelay);
}

void RegisterPipes() {
    RegisterElementClass<THPipeGraph>(kHPipe);
    RegisterElementClass<TVPipeGraph>(kVPipe);
}

} // namespace ovanto
