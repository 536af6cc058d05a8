#include "elements/display/process_patterns.h"

namespace ovanto {
namespace {

using Rows = const char* const[kPatternSize];

// "#" takes the stroke colour, "." the fill colour.
constexpr Rows kHorizontal[kPatternCount] = {
    {".....#..", "........", ".#......", "........", ".....#..", "........", ".#......", "........"},
    {"........", "........", "........", "........", "#...#...", "........", "........", "........"},
    {"#...#...", "..#...#.", "#...#...", "..#...#.", "#...#...", "..#...#.", "#...#...", "..#...#."},
    {"........", ".#..#...", "........", "..#...#.", "........", "...#....", "#....#..", "........"},
    {"........", "........", "..##.##.", ".#..#..#", "#.......", "........", "........", "........"},
};
constexpr Rows kVertical[kPatternCount] = {
    {"..#...#.", "........", "........", "........", "....#...", "........", "........", "........"},
    {"........", "........", "........", "........", "#...#...", "........", "........", "........"},
    {"..#...#.", "........", "#...#...", "........", "..#...#.", "........", "#...#...", "........"},
    {"....#...", "#.....#.", "........", "..#.....", ".....#..", "........", ".#.....#", "...#...."},
    {".#...#..", "...#...#", ".#...#..", "...#...#", ".#...#..", "...#...#", ".#...#..", "...#...#"},
};

} // namespace

bool IsPatternNumber(int number) { return number >= 0 && number < kPatternCount; }

bool PatternDot(PatternSet set, int number, int x, int y) {
    if (!IsPatternNumber(number) || x < 0 || x >= kPatternSize || y < 0 || y >= kPatternSize) return false;
    const Rows& rows = set == PatternSet::Horizontal ? kHorizontal[number] : kVertical[number];
    return rows[y][x] == '#';
}

const QImage* PatternCopy::image(PatternSet set, int number, TColor stroke, TColor fill) {
    if (!IsPatternNumber(number)) return nullptr;
    if (m_image.isNull() || set != m_set || number != m_number || stroke != m_stroke || fill != m_fill) {
        QImage image(kPatternSize, kPatternSize, QImage::Format_RGB32);
        for (int y = 0; y < kPatternSize; ++y)
            for (int x = 0; x < kPatternSize; ++x)
                image.setPixel(x, y, toQRgb(PatternDot(set, number, x, y) ? stroke : fill));
        m_image = image;
        m_set = set;
        m_number = number;
        m_stroke = stroke;
        m_fill = fill;
    }
    return &m_image;
}

} // namespace ovanto
