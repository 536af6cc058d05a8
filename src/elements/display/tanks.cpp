#include "elements/core/element_registry.h"
#include "elements/display/process_equipment.h"
#include "elements/display/shape_geometry.h"
#include "platform/canvas.h"
#include "platform/random_source.h"

namespace ovanto {
namespace {

// The agitator came with record version 364.
constexpr int kAgitatorVersion = 363;

constexpr PropertyDef kTankRows[] = {
    rows::X("x", "100"),
    rows::Y("y", "150"),
    rows::Int("w", "50"),
    rows::Int("h", "80"),
    rows::Float("FillHeight [%]", "50"),
    rows::Plain("FillPattern", "0"),
    // The grid offers 30 ms while a new tank starts with 50.
    {.caption = "Delay", .gridDefault = "30", .initial = "50"},
    rows::Plain("Shape", "0"),
    rows::Text("RGBBack", "16777215"),
    rows::Plain("Move", "0"),
    rows::Plain("Agitator (0/1)", "0", kAgitatorVersion),
};
static_assert(RowsMatch<TTankGraph>(kTankRows));
constexpr ElementSchema kTank{.keyword = "TANK", .rows = kTankRows};

constexpr int kPhases = 8;

// One step of the liquid's motion: a horizontal and a vertical offset.
QPoint moveStep(int move, RandomSource& random) {
    const auto either = [&random](int size) { return random.below(2) == 0 ? size : -size; };
    switch (move) {
    case 1: return {1, 0};
    case 2: return {-1, 0};
    case 3: return {either(1), 0};
    case 4: {
        const int dx = either(1);
        return {dx, either(1)};
    }
    case 5: return {either(2), 0};
    case 6: {
        const int dx = either(2);
        return {dx, either(2)};
    }
    default: return {0, 0};
    }
}

} // namespace

TTankGraph::TTankGraph(ElementContext& window) : TGraph(window, kTank), m_step(window) {
    setText(kRGBFill, QStringLiteral("16760445"));
}

std::optional<Rect> TTankGraph::outlineBox() const {
    const Rect box = CornerBox(evaluateInt(kX), evaluateInt(kY), evaluateInt(kW), evaluateInt(kH));
    return box.inflated(StrokeMargin(PenWidthOf(lineType())));
}

void TTankGraph::Draw(Canvas& canvas) {
    drawIfVisible(canvas, [&] {
        const int x = evaluateInt(kX), y = evaluateInt(kY), w = evaluateInt(kW), h = evaluateInt(kH);
        drawVessel(canvas, x, y, w, h);
        if (intValue(kAgitator) != 0) {
            const Agitator& a = agitator(x, y, w, h);
            canvas.setPenStyle(PenStyle::Solid);
            canvas.setPenWidth(PenWidthOf(lineType()));
            canvas.setPenColor(kBlack);
            StrokeSegment(canvas, a.shaft);
            canvas.polyline(a.blade);
        }
        if (m_step.due(window(), evaluate(kDelay))) step();
    });
}

void TTankGraph::drawVessel(Canvas& canvas, int x, int y, int w, int h) {
    const TColor back = m_back.intValue(freeText(kRGBBack), signalTable());
    const TColor stroke = evaluateInt(kRGBStroke), fill = evaluateInt(kRGBFill);
    const Outlines& kept = outlines(x, y, w, h);
    const VesselOutline& inside = kept.inside;
    if (inside.points.empty()) return;
    const int level = FillLevel(evaluate(kFillHeight), h);
    const Liquid* liquid = nullptr;
    const QImage* pattern = nullptr;
    if (level != 0 && fill >= 0) {
        liquid = &liquidAt(ToCoord(static_cast<long double>(y) - level));
        pattern = m_pattern.image(PatternSet::Horizontal, intValue(kFillPattern), stroke, fill);
    }
    const CanvasPen pen = canvas.pen();
    canvas.setPenStyle(PenStyle::Clear);
    // Below the surface the back would only be painted over, unless the
    // liquid lets it through (a pattern with holes) or mixes with it (XOR).
    const bool covers = liquid != nullptr && liquid->above && pen.mode == PenMode::Copy &&
                        (pattern == nullptr || !pattern->hasAlphaChannel());
    UseFill(canvas, back);
    canvas.polygon(covers ? std::span<const QPoint>(*liquid->above) : std::span<const QPoint>(inside.points));

    if (liquid != nullptr) {
        if (pattern != nullptr) {
            canvas.setBrushPattern(*pattern);
            canvas.setBrushOrigin(m_phaseX, m_phaseY);
        } else {
            UseFill(canvas, fill);
        }
        canvas.polygon(liquid->points);
    }

    canvas.setPen(pen);
    canvas.setBrushStyle(BrushStyle::Clear);
    const VesselOutline& walls = kept.walls;
    if (walls.openTop) canvas.polyline(walls.points);
    else canvas.polygon(walls.points);
}

const TTankGraph::Outlines& TTankGraph::outlines(int x, int y, int w, int h) {
    const std::array<int, 5> key{intValue(kShape), x, y, w, h};
    if (!m_outlines.valid || m_outlines.key != key) {
        // Invalid until all are worked out: a size beyond the range raises half way.
        m_outlines.valid = false;
        m_liquid.valid = false;
        VesselOutline inside = TankVessel(key[0], x, y, w, h);
        inside.points = WithoutStraightVertices(inside.points);
        // The walls run on the last pixel inside the box, as a rectangle's frame does.
        VesselOutline walls = TankVessel(key[0], x, ToCoord(y - 1.0L), ToCoord(w - 1.0L), ToCoord(h - 1.0L));
        walls.points = WithoutStraightVertices(walls.points);
        m_outlines.agitator.reset();
        m_outlines.inside = std::move(inside);
        m_outlines.walls = std::move(walls);
        m_outlines.key = key;
        m_outlines.valid = true;
    }
    return m_outlines;
}

const Agitator& TTankGraph::agitator(int x, int y, int w, int h) {
    outlines(x, y, w, h);
    if (!m_outlines.agitator) m_outlines.agitator = TankAgitator(x, y, w, h);
    return *m_outlines.agitator;
}

const TTankGraph::Liquid& TTankGraph::liquidAt(int row) {
    if (!m_liquid.valid || m_liquid.row != row) {
        m_liquid.valid = false;
        const std::vector<QPoint>& inside = m_outlines.inside.points;
        m_liquid.points = ClipBelow(inside, row);
        m_liquid.above = ClipAboveExact(inside, row);
        m_liquid.row = row;
        m_liquid.valid = true;
    }
    return m_liquid;
}

void TTankGraph::step() {
    const QPoint d = moveStep(intValue(kMove), RandomSource::instance());
    m_phaseX = WrapPhase(static_cast<long long>(m_phaseX) + d.x(), kPhases);
    m_phaseY = WrapPhase(static_cast<long long>(m_phaseY) + d.y(), kPhases);
}

void TTankGraph::addLookState(LookHash& hash) const {
    hash.add(m_phaseX);
    hash.add(m_phaseY);
    guarded([&] { hash.add(m_back.value(freeText(kRGBBack), signalTable())); });
    addDueStep(hash, m_step, kDelay);
}

void RegisterTanks() { RegisterElementClass<TTankGraph>(kTank); }

void RegisterProcessEquipment() {
    RegisterTanks();
    RegisterPipes();
    RegisterValves();
    RegisterPneumaticValves();
    RegisterCylinders();
    RegisterFillColor();
}

} // namespace ovanto
