#include "elements/display/thermometer.h"

#include "elements/core/element_registry.h"
#include "platform/canvas.h"

namespace ovanto {
namespace {

constexpr PropertyDef kThMeterRows[] = {
    rows::X("x", "40"),
    rows::Y("y", "150"),
    rows::Int("w", "20"),
    rows::Int("h", "100"),
    rows::Float("Min", "0"),
    rows::Float("Max", "100"),
    rows::Float("Input", "1"),
    rows::Int("Shadow (0=none)", "1"),
    rows::Int("Ticks", "6"),
    rows::Int("FontSize", "8"),
    rows::Int("ScaleAlign (0=none)", "1"),
    rows::Text("Caption", "Caption"),
};
static_assert(RowsMatch<TThMeterGraph>(kThMeterRows));
constexpr ElementSchema kThMeter{
    .keyword = "THMETER", .rows = kThMeterRows, .commonCaptions = {"RGBBack", "RGBFill", "Input"}};

constexpr TInputRowGraph::GridDefaults kThMeterDefaults{"16777215", "16711680"};

void line(Canvas& canvas, long long x1, long long y1, long long x2, long long y2) {
    canvas.moveTo(Px(x1), Px(y1));
    canvas.lineTo(Px(x2), Px(y2));
}

} // namespace

TThMeterGraph::TThMeterGraph(ElementContext& window) : TInputRowGraph(window, kThMeter, kInput, kThMeterDefaults) {
    setText(kRGBStroke, QString::fromLatin1(kThMeterDefaults.row1));
    setText(kRGBFill, QString::fromLatin1(kThMeterDefaults.row2));
}

TThMeterGraph::Values TThMeterGraph::values() const {
    Values v;
    v.x = evaluateInt(kX), v.y = evaluateInt(kY), v.w = evaluateInt(kW), v.h = evaluateInt(kH);
    v.ticks = evaluateInt(kTicks);
    v.fontSize = evaluateInt(kFontSize);
    v.scaleAlign = evaluateInt(kScaleAlign);
    return v;
}

// The caption first, then the labels.
std::vector<PlacedText> TThMeterGraph::texts(TextMeasure& measure, const Values& v, long double shown,
                                             const Canvas* canvas) const {
    std::vector<PlacedText> out;
    const int th = measure.height();
    if (const std::optional<QString>& caption = m_caption.get(text(kCaption), shown)) {
        const long long tw = measure.width(*caption);
        out.push_back({*caption, v.x + (v.w - tw) / 2, v.y - v.h - 4LL * th / 3, tw, th});
    }
    if (v.scaleAlign == 0 || v.ticks < 2) return out;
    const long long base = v.y - v.w;
    const LabelRun run{v.ticks, evaluate(kMin), evaluate(kMax), 0.5L * th,
                       static_cast<long double>(ThermometerScale(v.w, v.h))};
    const std::vector<ScaleMark>& marks =
        canvas ? m_drawLabels.inWindow(run, base - canvas->height() - 1, base + th + 1) : m_boundsLabels.forBounds(run);
    const bool left = v.scaleAlign == 1;
    for (PlacedText& label : VerticalLabels(measure, marks, base, left ? v.x : v.x + v.w, left))
        out.push_back(std::move(label));
    return out;
}

bool TThMeterGraph::shade(Canvas& canvas, const Values& v, TColor back) {
    const int shadow = evaluateInt(kShadow);
    if (shadow != 1 && shadow != 2) return false;
    if (v.w <= 5 || v.h <= 10) return false;
    if (v.x < 0 || v.x + v.w > canvas.width() || v.y > canvas.height() || v.y - v.h < 0) return false;
    ShadingCache& c = m_shading;
    if (!c.valid || c.x != v.x || c.y != v.y || c.w != v.w || c.h != v.h) {
        const Rect area{Px(v.x), Px(v.y - v.h), Px(v.x + v.w), Px(v.y)};
        const QPoint centre(Px(v.x + v.w / 2), Px(v.y - v.w / 2));
        c.valid = false;
        ShadingPixels pixels =
            WalkShading(centre, area, [&](int px, int py) { return canvas.pixel(px, py) == kBlack; });
        c.first = PixelBoxes(std::move(pixels.first));
        c.second = PixelBoxes(std::move(pixels.second));
        c.valid = true;
        c.x = v.x, c.y = v.y, c.w = v.w, c.h = v.h;
        ++m_walks;
    }
    const TColor light = back == kLightGrey ? kWhite : kLightGrey;
    const TColor first = shadow == 1 ? light : kDarkGrey;
    const TColor second = shadow == 1 ? kDarkGrey : light;
    // Pixels of a picture only, as setting them one by one was.
    if (!canvas.hasPixels()) return true;
    // A column of the glass edge is one fill instead of a pixel per row.
    const CanvasBrush brush = canvas.brush();
    canvas.setBrushStyle(BrushStyle::Solid);
    for (const auto& [boxes, colour] : {std::pair{&c.first, first}, std::pair{&c.second, second}}) {
        canvas.setBrushColor(colour);
        for (const Rect& r : *boxes) {
            // A single pixel costs less set than filled.
            if (r.right - r.left == 1 && r.bottom - r.top == 1) canvas.setPixel(r.left, r.top, colour);
            else canvas.fillRect(r.left, r.top, r.right, r.bottom);
        }
    }
    canvas.setBrush(brush);
    return true;
}

void TThMeterGraph::Draw(Canvas& canvas) {
    drawIfVisible(canvas, [&] {
        const Values v = values();
        const long double low = evaluate(kMin), high = evaluate(kMax);
        const long double shown = ShownValue(ChannelValue(kInput), low);
        const TColor back = evaluateInt(kRGBStroke), fill = evaluateInt(kRGBFill);
        const long long x = v.x, y = v.y, w = v.w, h = v.h;
        canvas.setPenStyle(PenStyle::Solid);
        canvas.setPenColor(kBlack);
        canvas.setPenWidth(1);
        if (v.ticks > 1) {
            const long long u = ThermometerScale(w, h);
            for (const long long position : m_ticks
                                                .get(v.ticks, 0, static_cast<long double>(u),
                                                     static_cast<long double>(v.ticks - 1),
                                                     y - w - canvas.height() - 1, y - w + 1)
                                                .positions) {
                const long long row = y - w - position;
                line(canvas, x + w / 8, row, x + w - w / 8, row);
            }
        }
        const auto brush = [&](TColor color) {
            canvas.setBrushColor(color);
            canvas.setBrushStyle(color < 0 ? BrushStyle::Clear : BrushStyle::Solid);
        };
        brush(back);
        canvas.rectangle(Px(x + w / 4), Px(y - h), Px(x + 3 * w / 4), Px(y - 4 * w / 5));
        brush(fill);
        canvas.ellipse(Px(x), Px(y - w), Px(x + w), Px(y));
        FillPlain(canvas, fill, x + w / 4 + 1, y - w, x + 3 * w / 4, y - w / 2);
        const long long s = shade(canvas, v, back) ? 1 : 0;
        if (const std::optional<long long> mercury = MercuryHeight(w, h, shown, low, high))
            FillPlain(canvas, fill, x + w / 4 + 1 + s, y - w / 2, x + 3 * w / 4 - s, y - w - *mercury);

        SetInstrumentFont(canvas, v.fontSize);
        canvas.setFontColor(kBlack);
        const TextsKey key{{x, y, w, h, v.ticks, v.fontSize, v.scaleAlign, {low}, {high}, {shown}, text(kCaption)},
                           canvas.height()};
        const std::vector<PlacedText>& placed = m_drawTexts.get(key, [&] {
            CanvasTextMeasure measure(canvas);
            return texts(measure, v, shown, &canvas);
        });
        for (const PlacedText& t : placed) DrawPlacedText(canvas, t);
    });
}

std::optional<Rect> TThMeterGraph::outlineBox() const {
    const Values v = values();
    const long double low = evaluate(kMin);
    const long double shown = ShownValue(ChannelValue(kInput), low);
    const InstrumentOutlineKey key{v.x, v.y, v.w, v.h, v.ticks, v.fontSize, v.scaleAlign,
                         {low}, {evaluate(kMax)}, {shown}, text(kCaption)};
    return m_outline.get(key, [&] {
        Extent e;
        const long long x = v.x, y = v.y, w = v.w, h = v.h;
        e.add(x, y - h, x + w, y);
        // A bulb wider than the glass is tall reaches above it, and so may the ticks.
        e.add(x, y - w, x + w, y);
        if (v.ticks > 1) {
            const long long u = ThermometerScale(w, h);
            e.add(x + w / 8, y - w - std::max(0LL, u), x + w - w / 8, y - w - std::min(0LL, u) + 1);
        }
        FontTextMeasure measure(InstrumentFontName(v.fontSize), v.fontSize);
        for (const PlacedText& t : texts(measure, v, shown, nullptr)) e.add(t);
        return e.rect();
    });
}

void RegisterThermometer() { RegisterElementClass<TThMeterGraph>(kThMeter); }

} // namespace ovanto
