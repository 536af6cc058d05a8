#include "elements/core/element_registry.h"
#include "elements/display/pictures.h"
#include "elements/display/shape_geometry.h"
#include "platform/canvas.h"
#include "platform/library_symbols.h"
#include "platform/preset_pictures.h"

namespace ovanto {
namespace {

constexpr PropertyDef kSequenceRows[] = {
    rows::X("x", "40"), rows::Y("y", "50"), rows::Int("w", "80"), rows::Int("h", "25"),
    rows::Plain("Input", "0"), rows::Plain("BMPCount", "2"),
    rows::Text("BMPFile[1] or Id", "*.BMP"), rows::Text("BMPFile[2] or Id", "*.BMP"),
    rows::Text("BMPFile[3] or Id", "*.BMP"), rows::Text("BMPFile[4] or Id", "*.BMP"),
    rows::Text("BMPFile[5] or Id", "*.BMP"), rows::Text("BMPFile[6] or Id", "*.BMP"),
    rows::Text("BMPFile[7] or Id", "*.BMP"), rows::Text("BMPFile[8] or Id", "*.BMP"),
    rows::Text("BMPFile[9] or Id", "*.BMP"), rows::Text("BMPFile[10] or Id", "*.BMP"),
    rows::Plain("Transparent (0/1)", "1"), rows::Number("RangeMin", "0.0"), rows::Number("RangeMax", "1.0"),
    rows::Float("Delay", "0"),
};
static_assert(RowsMatch<TBMPSequenceGraph>(kSequenceRows));
constexpr ElementSchema kSequence{.keyword = "BMPSEQ", .rows = kSequenceRows};
constexpr int kSequenceGridRows[] = {1,  2,  26,  4,  5,  6,  7,  8,  9,  10, 3,  11, 12,
                                     13, 14, 15, 16, 17, 18, 19, 20, 21, 22, 23, 24, 25};
static_assert(std::size(kSequenceGridRows) == TBMPSequenceGraph::kPropertyEnd);

constexpr SequencePreset kPresets[] = {
    {100, "Rührer mit Motor", 8, {100, 101, 102, 103, 104, 105, 106, 107}, 27, 92, 10},
    {101, "Rührer", 8, {110, 111, 112, 113, 114, 115, 116, 117}, 27, 27, 10},
    {102, "Rührer groß", 8, {120, 121, 122, 123, 124, 125, 126, 127}, 54, 54, 10},
    {103, "Flamme von links", 5, {140, 141, 142, 143, 144}, 53, 22, 30},
    {104, "Flamme von rechts", 5, {150, 151, 152, 153, 154}, 53, 22, 30},
    {105, "Flamme von unten", 5, {160, 161, 162, 163, 164}, 22, 53, 30},
    {106, "Drehung gegen Uhrzeigersinn", 8, {170, 171, 172, 173, 174, 175, 176, 177}, 20, 20, 10},
    {107, "Drehung im Uhrzeigersinn", 8, {180, 181, 182, 183, 184, 185, 186, 187}, 20, 20, 10},
    {108, "'Achtung!'-Symbol", 2, {320, 321}, 24, 24, 250},
    {109, "Blasen", 4, {330, 331, 332, 333}, 26, 61, 100},
    {110, "Dampf (vertikal)", 5, {340, 341, 342, 343, 344}, 42, 68, 100},
    {111, "Dampf (horizontal)", 5, {350, 351, 352, 353, 354}, 68, 42, 100},
    {112, "Warnlampe", 4, {360, 361, 362, 363}, 16, 16, 50},
    {113, "Motor", 3, {280, 281, 282}, 36, 45, 20},
    {114, "Motor (klein)", 3, {290, 291, 292}, 22, 29, 20},
    {115, "Sound-Symbol", 5, {380, 381, 382, 383, 384}, 20, 19, 100},
    {116, "Fallende Tropfen", 4, {390, 391, 392, 392}, 10, 62, 200},
    {117, "Wasserstrahl von links", 2, {400, 401}, 35, 23, 50},
    {118, "Wasserstrahl von rechts", 2, {410, 411}, 35, 23, 50},
    {119, "Wasserstrahl von oben", 2, {420, 421}, 25, 35, 50},
    {120, "Wasserblasen durchsichtig (klein)", 3, {440, 441, 442}, 20, 30, 200},
};

bool IsChannel(long long c) { return (c >= 1 && c <= 56) || (c >= 100 && c <= 150); }

} // namespace

int SequenceFrameOf(long double v, long double min, long double max, int count) {
    if (count < 2) return 1;
    const long double d = (max - min) / count;
    const auto above = [&](long long k) { return v > min + static_cast<long double>(k - 1) * d; };
    // The band edges move linearly with k, so a frame above ten is chosen when either end of 11..count is.
    if (count > TBMPSequenceGraph::kMaxFrames && (above(TBMPSequenceGraph::kMaxFrames + 1) || above(count))) return 1;
    for (int k = std::min(count, TBMPSequenceGraph::kMaxFrames); k >= 2; --k)
        if (above(k)) return k;
    return 1;
}

TBMPSequenceGraph::TBMPSequenceGraph(ElementContext& window)
    : TReorderedGraph(window, kSequence, kSequenceGridRows), m_step(window) {}

std::optional<Rect> TBMPSequenceGraph::outlineBox() const {
    const long double left = evaluateInt(kX);
    const long double bottom = evaluateInt(kY);
    return Rect{ToCoord(left), ToCoord(bottom - evaluateInt(kH)), ToCoord(left + evaluateInt(kW)), ToCoord(bottom)};
}

void TBMPSequenceGraph::Init() {
    m_frame = 1;
    m_step = AnimationStep(window());
}

int TBMPSequenceGraph::chooseFrame() {
    const int count = intValue(kBMPCount);
    const long long input = intValue(kInput);
    if (IsChannel(input)) {
        m_frame = SequenceFrameOf(GetSignal(static_cast<int>(input)), number(kRangeMin), number(kRangeMax), count);
        return m_frame;
    }
    const bool cycling = input == 0 || (IsChannel(-input) && GetSignal(static_cast<int>(-input)) > 2.5L);
    if (cycling && m_step.due(window(), evaluate(kDelay))) m_frame = m_frame >= count ? 1 : m_frame + 1;
    if (m_frame > kMaxFrames || m_frame < 1) m_frame = 1;
    return m_frame;
}

void TBMPSequenceGraph::Draw(Canvas& canvas) {
    drawIfVisible(canvas, [&] {
        const Rect r = *outlineBox();
        const int n = chooseFrame();
        DrawCentredPicture(canvas, window(), m_slots[static_cast<std::size_t>(n - 1)], text(kFirst + n - 1),
                           intValue(kTransparent) != 0, r);
    });
}

std::span<const SequencePreset> SequencePresets() { return kPresets; }

std::unique_ptr<TGraph> MakeSequencePreset(ElementContext& window, int tag) {
    for (const SequencePreset& preset : kPresets) {
        if (preset.tag != tag) continue;
        auto e = std::make_unique<TBMPSequenceGraph>(window);
        e->setText(TBMPSequenceGraph::kBMPCount, std::to_string(preset.count));
        for (int i = 0; i < preset.count; ++i)
            e->setText(TBMPSequenceGraph::kFirst + i, QString::number(preset.pictures[static_cast<std::size_t>(i)]));
        e->setText(TBMPSequenceGraph::kW, std::to_string(preset.w));
        e->setText(TBMPSequenceGraph::kH, std::to_string(preset.h));
        e->setText(TBMPSequenceGraph::kY, std::to_string(preset.h + 10));
        e->setText(TBMPSequenceGraph::kDelay, std::to_string(preset.delay));
        return e;
    }
    return nullptr;
}

void RegisterPictureSequences() {
    RegisterPresetPictures();
    RegisterLibrarySymbols();
    RegisterElementClass<TBMPSequenceGraph>(kSequence);
}

} // namespace ovanto
