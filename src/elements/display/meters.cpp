#include "elements/display/meters.h"

#include "elements/core/element_registry.h"
#include "elements/core/family_settings.h"
#include "elements/core/number_text.h"
#include "platform/canvas.h"

#include <algorithm>
#include <cmath>
#include <cstdlib>

namespace ovanto {
namespace {

constexpr PropertyDef kAnaDispRows[] = {
    rows::X("x", "100"),
    rows::Y("y", "150"),
    rows::Int("w", "100"),
    rows::Int("h", "60"),
    rows::Float("Input", "1"),
    rows::Number("MinValue", "-1.0"),
    rows::Number("MaxValue", "1.0"),
    rows::Number("RedValue", "-10000"),
    rows::Text("Caption", "Caption"),
    rows::Text("Unit", "U"),
    rows::Int("BorderType", "2"),
    rows::Int("BorderWidth", "1"),
    rows::Int("ScaleHeight [%]", "60"),
    rows::Int("ShowScale (0/1)", "1"),
};
static_assert(RowsMatch<TAnaDispGraph>(kAnaDispRows));
constexpr ElementSchema kAnaDisp{.keyword = "ANADISP", .rows = kAnaDispRows};

constexpr int kTickCount = 5;
// The needle starts this far above the pivot.
constexpr int kPivotGap = 5;
constexpr int kMinFontSize = 7;
constexpr int kMaxFontSize = 4000;

} // namespace

// What trigonometry and number formatting give: kept while the inputs stay.
struct TAnaDispGraph::Face {
    MeterLayout meter;
    QPoint rightEnd, leftEnd;
    std::optional<QPoint> redEnd;
    std::vector<std::pair<QPoint, QPoint>> ticks;
    // Label texts and the outer tick ends they are centred over.
    std::vector<std::pair<QString, QPoint>> labels;
    std::vector<ArcBox> arcs;
};

struct TAnaDispGraph::FaceKey {
    long long x = 0, y = 0, w = 0, h = 0, scaleHeight = 0;
    bool showScale = false;
    KeyNumber low, high, red;
    int notation = 0, width = 0, precision = 0;
    friend bool operator==(const FaceKey&, const FaceKey&) = default;
};

struct TAnaDispGraph::NeedleKey {
    FaceKey face;
    KeyNumber angle;
    friend bool operator==(const NeedleKey&, const NeedleKey&) = default;
};

struct TAnaDispGraph::Texts {
    std::vector<PlacedText> labels;
    PlacedText unit, caption;
};

struct TAnaDispGraph::TextsKey {
    FaceKey face;
    int height = 0; // of the font measured with
    QString unit, caption;
    friend bool operator==(const TextsKey&, const TextsKey&) = default;
};

struct TAnaDispGraph::Scene {
    long long x = 0, y = 0, w = 0, h = 0;
    const Face* face = nullptr;
    int borderType = 0;
    int borderWidth = 1;
    Texts placed;
    const Texts* kept = nullptr;
    std::optional<QPoint> needleTip;
    int needleWidth = 1;

    const Texts& texts() const { return kept ? *kept : placed; }
};

TAnaDispGraph::TAnaDispGraph(ElementContext& window)
    : TGraph(window, kAnaDisp),
      m_face(std::make_unique<KeptResult<FaceKey, Face>>()),
      m_needle(std::make_unique<KeptResult<NeedleKey, QPoint>>()),
      m_drawTexts(std::make_unique<KeptResult<TextsKey, Texts>>()) {
    setText(kRGBStroke, QStringLiteral("5242880"));
    setText(kRGBFill, QStringLiteral("12648447"));
    setText(kLType, QStringLiteral("2"));
}

TAnaDispGraph::~TAnaDispGraph() = default;

int TAnaDispGraph::fontSize() const {
    const long long d = MeterRadius(evaluateInt(kH), evaluateInt(kScaleHeight));
    return static_cast<int>(std::clamp<long long>(PixelLength(0.1L * static_cast<long double>(d)), kMinFontSize,
                                                  kMaxFontSize));
}

namespace {

TAnaDispGraph::Face MakeFace(const TAnaDispGraph::FaceKey& key) {
    TAnaDispGraph::Face f;
    f.meter = MeterLayoutFor(key.x, key.y, key.w, key.h, key.scaleHeight, key.showScale);
    const MeterLayout& m = f.meter;
    f.rightEnd = {Px(key.x + key.w), Px(key.y - m.f)};
    f.leftEnd = {Px(key.x - 1), Px(key.y - m.f)};
    const long double low = key.low.value, high = key.high.value;
    if (const auto red = RedZoneAngle(m, low, key.red.value, high))
        f.redEnd = MeterPoint(m, *red, static_cast<long double>(m.needle));
    if (key.showScale) {
        const long double inner = static_cast<long double>(m.d - m.t), outer = static_cast<long double>(m.d + m.t);
        for (int k = 0; k < kTickCount; ++k) {
            const long double a = MeterTickAngle(m, k);
            const QPoint end = MeterPoint(m, a, outer);
            f.ticks.emplace_back(MeterPoint(m, a, inner), end);
            if (key.h <= 49 && k % 2 == 1) continue;
            f.labels.emplace_back(
                FloatToText(low + (high - low) * k * 0.25L, true, key.notation, key.width, key.precision), end);
        }
    }
    for (const long long r : {m.d - m.m, m.d + m.m}) {
        if (r <= 0) continue;
        f.arcs.push_back(ArcExtent(static_cast<long double>(m.cx), static_cast<long double>(m.cy),
                                   static_cast<long double>(r), f.rightEnd, f.leftEnd));
    }
    return f;
}

} // namespace

TAnaDispGraph::Scene TAnaDispGraph::scene(TextMeasure& measure, bool keepTexts) const {
    Scene s;
    s.x = evaluateInt(kX), s.y = evaluateInt(kY), s.w = evaluateInt(kW), s.h = evaluateInt(kH);
    const bool showScale = evaluateInt(kShowScale) != 0;
    const FamilySettings& settings = CurrentFamilySettings();
    const long double low = number(kMinValue), high = number(kMaxValue);
    const FaceKey key{.x = s.x,
                      .y = s.y,
                      .w = s.w,
                      .h = s.h,
                      .scaleHeight = evaluateInt(kScaleHeight),
                      .showScale = showScale,
                      .low = {low},
                      .high = {high},
                      .red = {number(kRedValue)},
                      .notation = settings.defaultFloatNotation,
                      .width = settings.defaultFloatWidth,
                      .precision = settings.defaultFloatPrecision};
    const Face& face = m_face->get(key, [&] { return MakeFace(key); });
    s.face = &face;
    s.borderType = evaluateInt(kBorderType);
    s.borderWidth = evaluateInt(kBorderWidth);

    const int th = measure.height();
    const auto place = [&] {
        Texts t;
        const auto centred = [&](const QString& text, long long top) {
            const long long tw = measure.width(text);
            return PlacedText{text, s.x + (s.w - tw) / 2, top, tw, th};
        };
        t.unit = centred(text(kUnit), s.y - s.h / 3 - th / 2);
        for (const auto& [label, end] : face.labels) {
            const long long tw = measure.width(label);
            t.labels.push_back({label, end.x() - tw / 2, static_cast<long long>(end.y()) - th, tw, th});
        }
        t.caption = centred(text(kCaption), s.y - s.h - PixelLength(1.05L * th));
        return t;
    };
    if (keepTexts)
        s.kept = &m_drawTexts->get(TextsKey{key, th, text(kUnit), text(kCaption)}, place);
    else
        s.placed = place();
    s.needleWidth = std::abs(lineType());
    if (const auto a = NeedleAngle(face.meter, ShownValue(ChannelValue(kInput), low), low, high)) {
        const MeterLayout& m = face.meter;
        s.needleTip = m_needle->get(NeedleKey{key, {*a}},
                                    [&] { return MeterPoint(m, *a, static_cast<long double>(m.needle)); });
    }
    return s;
}

void TAnaDispGraph::drawHousing(Canvas& canvas, const Scene& s) {
    const int left = Px(s.x), top = Px(s.y - s.h), right = Px(s.x + s.w), bottom = Px(s.y);
    const TColor fill = evaluateInt(kRGBFill);
    const auto blackPen = [&](int width) {
        canvas.setPenStyle(PenStyle::Solid);
        canvas.setPenColor(kBlack);
        canvas.setPenWidth(width);
    };
    const auto brush = [&](TColor color) {
        canvas.setBrushColor(color);
        canvas.setBrushStyle(color < 0 ? BrushStyle::Clear : BrushStyle::Solid);
    };
    const auto polyline = [&](TColor color, int x1, int y1, int x2, int y2, int x3, int y3) {
        canvas.setPenColor(color);
        canvas.moveTo(x1, y1);
        canvas.lineTo(x2, y2);
        canvas.lineTo(x3, y3);
    };
    blackPen(1);
    switch (s.borderType) {
    case 1:
    case 2: {
        blackPen(s.borderWidth);
        brush(fill);
        canvas.rectangle(left, top, right, bottom);
        blackPen(1);
        brush(kBlack);
        const long long baseHeight = std::max<long long>(PixelLength(0.1L * static_cast<long double>(s.h)), 8);
        canvas.rectangle(Px(PixelLength(static_cast<long double>(s.x) + 0.4L * static_cast<long double>(s.w))),
                         Px(s.y - baseHeight),
                         Px(PixelLength(static_cast<long double>(right) - 0.4L * static_cast<long double>(s.w))),
                         bottom);
        if (s.borderType == 2) {
            canvas.setPenWidth(2);
            polyline(kLightGrey, left + 2, bottom - 2, right - 2, bottom - 2, right - 2, top + 2);
            polyline(kDarkGrey, right - 2, top + 2, left + 2, top + 2, left + 2, bottom - 2);
        }
        break;
    }
    case 3:
    case 4: {
        blackPen(s.borderWidth);
        brush(fill);
        canvas.ellipse(left, top, right, bottom);
        blackPen(1);
        brush(kBlack);
        const int chordY = Px(s.y - s.h / 20);
        canvas.chord(left, top, right, bottom, left, chordY, right, chordY + 1);
        if (s.borderType == 4) {
            canvas.setPenWidth(2);
            const int l = left + 2, t = top + 1, r = right - 1, b = bottom - 1;
            canvas.setPenColor(kLightGrey);
            canvas.arc(l, t, r, b, l, b, r, t);
            canvas.setPenColor(kDarkGrey);
            canvas.arc(l, t, r, b, r, t, l, b);
            blackPen(s.borderWidth);
            canvas.setBrushStyle(BrushStyle::Clear);
            canvas.ellipse(left, top, right, bottom);
        }
        break;
    }
    default:
        break;
    }
}

void TAnaDispGraph::Draw(Canvas& canvas) {
    drawIfVisible(canvas, [&] {
        const TColor stroke = evaluateInt(kRGBStroke);
        canvas.setFontName(QStringLiteral("ARIAL"));
        canvas.setFontSize(fontSize());
        CanvasTextMeasure measure(canvas);
        const Scene s = scene(measure, true);
        drawHousing(canvas, s);

        const MeterLayout& m = s.face->meter;
        canvas.setPenStyle(PenStyle::Solid);
        canvas.setPenWidth(1);
        canvas.setBrushStyle(BrushStyle::Clear);
        const auto scaleArc = [&](QPoint to) {
            for (const long long r : {m.d - m.m, m.d + m.m}) {
                if (r <= 0) continue;
                canvas.arc(Px(m.cx - r), Px(m.cy - r), Px(m.cx + r), Px(m.cy + r), s.face->rightEnd.x(),
                           s.face->rightEnd.y(),
                           to.x(), to.y());
            }
        };
        canvas.setPenColor(stroke);
        scaleArc(s.face->leftEnd);
        if (s.face->redEnd) {
            canvas.setPenColor(kRed);
            scaleArc(*s.face->redEnd);
            canvas.setPenColor(stroke);
        }
        const Texts& texts = s.texts();
        DrawPlacedText(canvas, texts.unit);
        for (const auto& [from, to] : s.face->ticks) {
            canvas.moveTo(from.x(), from.y());
            canvas.lineTo(to.x(), to.y());
        }
        for (const PlacedText& label : texts.labels) DrawPlacedText(canvas, label);
        DrawPlacedText(canvas, texts.caption);
        if (!s.needleTip) return;
        canvas.setPenColor(kBlack);
        canvas.setPenWidth(s.needleWidth);
        canvas.moveTo(Px(m.cx), Px(m.cy - kPivotGap));
        canvas.lineTo(s.needleTip->x(), s.needleTip->y());
    });
}

Rect TAnaDispGraph::paintedBox() const {
    FontTextMeasure measure(QStringLiteral("ARIAL"), fontSize());
    const Scene s = scene(measure, false);
    const MeterLayout& m = s.face->meter;
    Extent e;
    e.add(s.x, s.y - s.h, s.x + s.w, s.y);
    // Thick housing pens spread beyond the outline.
    const long long spread = s.borderType >= 1 && s.borderType <= 4 ? std::max(s.borderWidth, 2) : 0;
    if (spread) e.add(s.x - spread, s.y - s.h - spread, s.x + s.w + spread, s.y + spread);
    if (s.borderType >= 1 && s.borderType <= 2)
        e.add(s.x, s.y - std::max<long long>(PixelLength(0.1L * static_cast<long double>(s.h)), 8), s.x + s.w, s.y);
    for (const ArcBox& a : s.face->arcs)
        e.add(PixelLength(a.left) - 2, PixelLength(a.top) - 2, PixelLength(a.right) + 2, PixelLength(a.bottom) + 2);
    e.add(s.placed.unit);
    for (const auto& [from, to] : s.face->ticks) e.addLine(from.x(), from.y(), to.x(), to.y(), 1);
    for (const PlacedText& label : s.placed.labels) e.add(label);
    e.add(s.placed.caption);
    if (s.needleTip) e.addLine(m.cx, m.cy - kPivotGap, s.needleTip->x(), s.needleTip->y(), s.needleWidth);
    return e.rect();
}

void TAnaDispGraph::DrawSelection(Canvas& canvas) {
    guarded([&] { drawSelectionAround(canvas, paintedBox()); });
}

void TAnaDispGraph::GetBounds(Rect& r) {
    boundsFrom(r, [&] { return paintedBox(); });
}

void RegisterMeters() { RegisterElementClass<TAnaDispGraph>(kAnaDisp); }

} // namespace ovanto
