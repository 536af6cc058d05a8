#include "platform/metafile.h"

#include "platform/canvas.h"
#include "platform/file_cache.h"
#include "platform/text_codec_1252.h"

#include <QFile>
#include <QFont>
#include <QFontMetrics>
#include <QPoint>

#include <algorithm>
#include <cmath>
#include <functional>
#include <limits>
#include <queue>
#include <variant>

namespace ovanto {
namespace {

// Record functions.
enum : std::uint16_t {
    kEof = 0x0000,
    kSaveDc = 0x001E,
    kSetBkMode = 0x0102,
    kSetMapMode = 0x0103,
    kSetPolyFillMode = 0x0106,
    kRestoreDc = 0x0127,
    kSelectObject = 0x012D,
    kSetTextAlign = 0x012E,
    kDibCreatePatternBrush = 0x0142,
    kDeleteObject = 0x01F0,
    kCreatePatternBrush = 0x01F9,
    kSetBkColor = 0x0201,
    kSetTextColor = 0x0209,
    kSetWindowOrg = 0x020B,
    kSetWindowExt = 0x020C,
    kSetViewportOrg = 0x020D,
    kSetViewportExt = 0x020E,
    kOffsetWindowOrg = 0x020F,
    kOffsetViewportOrg = 0x0211,
    kLineTo = 0x0213,
    kMoveTo = 0x0214,
    kCreatePenIndirect = 0x02FA,
    kCreateFontIndirect = 0x02FB,
    kCreateBrushIndirect = 0x02FC,
    kPolygon = 0x0324,
    kPolyline = 0x0325,
    kScaleWindowExt = 0x0410,
    kScaleViewportExt = 0x0412,
    kExcludeClipRect = 0x0415,
    kIntersectClipRect = 0x0416,
    kEllipse = 0x0418,
    kRectangle = 0x041B,
    kSetPixel = 0x041F,
    kTextOut = 0x0521,
    kPolyPolygon = 0x0538,
    kRoundRect = 0x061C,
    kCreateRegion = 0x06FF,
    kCreatePalette = 0x00F7,
    kArc = 0x0817,
    kPie = 0x081A,
    kChord = 0x0830,
    kDibBitBlt = 0x0940,
    kExtTextOut = 0x0A32,
    kDibStretchBlt = 0x0B41,
    kStretchDib = 0x0F43,
};

constexpr std::uint32_t kPlaceableKey = 0x9AC6CDD7u;
constexpr std::uint32_t kRopNop = 0x00AA0029u;
constexpr std::uint32_t kRopBlackness = 0x00000042u;
constexpr std::uint32_t kRopWhiteness = 0x00FF0062u;
constexpr std::uint32_t kRopPatCopy = 0x00F00021u;
constexpr int kMaxSavedStates = 256;
constexpr int kMaxDibSide = 16384;
constexpr double kLargestCoordinate = 1e6;

std::uint16_t Read16(const QByteArray& b, qsizetype at) {
    return static_cast<std::uint16_t>(static_cast<unsigned char>(b[at]) | (static_cast<unsigned char>(b[at + 1]) << 8));
}
std::uint32_t Read32(const QByteArray& b, qsizetype at) { return Read16(b, at) | (std::uint32_t{Read16(b, at + 2)} << 16); }
std::int32_t ReadS32(const QByteArray& b, qsizetype at) { return static_cast<std::int32_t>(Read32(b, at)); }

bool IsCreate(std::uint16_t f) {
    return f == kCreatePenIndirect || f == kCreateBrushIndirect || f == kCreateFontIndirect || f == kCreatePalette ||
           f == kCreateRegion || f == kCreatePatternBrush || f == kDibCreatePatternBrush;
}

// Where the bitmap of a record starts, in parameter words; -1 when it has none.
int DibStart(const Metafile::Record& r) {
    switch (r.function) {
    case kStretchDib: return 11;
    case kDibStretchBlt: return r.words > 11 ? 10 : -1;
    case kDibBitBlt: return r.words > 9 ? 8 : -1;
    case kDibCreatePatternBrush: return 2;
    default: return -1;
    }
}

// Logical points a drawing record touches, for the frame of a metafile without one.
struct Extent {
    double left = std::numeric_limits<double>::max(), top = left;
    double right = std::numeric_limits<double>::lowest(), bottom = right;
    bool empty() const { return left > right; }
    void add(double x, double y) {
        left = std::min(left, x), right = std::max(right, x);
        top = std::min(top, y), bottom = std::max(bottom, y);
    }
};

bool IsDrawing(std::uint16_t f) {
    switch (f) {
    case kLineTo: case kRectangle: case kEllipse: case kRoundRect: case kArc: case kPie: case kChord:
    case kPolygon: case kPolyline: case kPolyPolygon: case kTextOut: case kExtTextOut: case kSetPixel:
    case kDibBitBlt: case kDibStretchBlt: case kStretchDib:
        return true;
    default:
        return false;
    }
}

void AddPoints(const Metafile& m, const Metafile::Record& r, Extent& e) {
    const auto pair = [&](std::uint32_t yAt, std::uint32_t xAt) { e.add(m.s16(r, xAt), m.s16(r, yAt)); };
    const auto box = [&](std::uint32_t at) { pair(at, at + 1), pair(at + 2, at + 3); };
    switch (r.function) {
    case kLineTo: case kMoveTo: pair(0, 1); break;
    case kRectangle: case kEllipse: box(0); break;
    case kRoundRect: box(2); break;
    case kArc: case kPie: case kChord: box(4); break;
    case kSetPixel: pair(2, 3); break;
    case kExtTextOut: pair(0, 1); break;
    case kStretchDib: pair(9, 10), e.add(m.s16(r, 10) + m.s16(r, 8), m.s16(r, 9) + m.s16(r, 7)); break;
    case kDibStretchBlt: {
        const std::uint32_t at = r.words > 11 ? 6 : 7;
        pair(at + 2, at + 3), e.add(m.s16(r, at + 3) + m.s16(r, at + 1), m.s16(r, at + 2) + m.s16(r, at));
        break;
    }
    case kDibBitBlt: {
        const std::uint32_t at = r.words > 9 ? 4 : 5;
        pair(at + 2, at + 3), e.add(m.s16(r, at + 3) + m.s16(r, at + 1), m.s16(r, at + 2) + m.s16(r, at));
        break;
    }
    case kTextOut: {
        const std::uint32_t at = 1 + (m.u16(r, 0) + 1u) / 2;
        pair(at, at + 1);
        break;
    }
    case kPolygon: case kPolyline: {
        const std::uint32_t n = std::min<std::uint32_t>(m.u16(r, 0), (r.words - 1) / 2);
        for (std::uint32_t k = 0; k < n; ++k) e.add(m.s16(r, 1 + 2 * k), m.s16(r, 2 + 2 * k));
        break;
    }
    case kPolyPolygon: {
        const std::uint32_t polygons = m.u16(r, 0);
        if (polygons >= r.words) break;
        const std::uint32_t first = 1 + polygons;
        const std::uint32_t n = (r.words - first) / 2;
        for (std::uint32_t k = 0; k < n; ++k) e.add(m.s16(r, first + 2 * k), m.s16(r, first + 1 + 2 * k));
        break;
    }
    default:
        break;
    }
}

} // namespace

std::int16_t Metafile::s16(const Record& r, std::uint32_t i) const {
    if (i >= r.words) return 0;
    return static_cast<std::int16_t>(Read16(m_data, r.offset + 2 * static_cast<qsizetype>(i)));
}

QByteArray Metafile::bytes(const Record& r, std::uint32_t i) const {
    if (i >= r.words) return {};
    return m_data.mid(r.offset + 2 * static_cast<qsizetype>(i), 2 * static_cast<qsizetype>(r.words - i));
}

QImage DecodeDib(const QByteArray& dib, long long maxPixels) {
    if (dib.size() < 12) return {};
    const std::uint32_t headerSize = Read32(dib, 0);
    long long width = 0, height = 0;
    std::uint32_t bits = 0, compression = 0, colours = 0, entrySize = 4;
    if (headerSize == 12) {
        width = Read16(dib, 4), height = Read16(dib, 6), bits = Read16(dib, 10), entrySize = 3;
    } else if (headerSize >= 40 && headerSize <= 124 && dib.size() >= 40) {
        width = ReadS32(dib, 4), height = ReadS32(dib, 8), bits = Read16(dib, 14), compression = Read32(dib, 16);
        colours = Read32(dib, 32);
    } else {
        return {};
    }
    const long long rows = height < 0 ? -height : height;
    if (width < 1 || rows < 1 || width > kMaxDibSide || rows > kMaxDibSide || width * rows > maxPixels) return {};
    if (bits != 1 && bits != 4 && bits != 8 && bits != 16 && bits != 24 && bits != 32) return {};
    if (colours > 256) return {};
    if (colours == 0 && bits <= 8) colours = 1u << bits;
    const std::uint32_t masks = headerSize == 40 && compression == 3 ? 12 : 0;
    const long long offset = 14LL + headerSize + masks + static_cast<long long>(colours) * entrySize;
    if (offset > 14LL + dib.size()) return {};
    if (compression == 0 || compression == 3) {
        const long long stride = ((width * bits + 31) / 32) * 4;
        if (offset + stride * rows > 14LL + dib.size()) return {};
    } else if (!(compression == 1 && bits == 8) && !(compression == 2 && bits == 4)) {
        return {};
    }
    QByteArray file;
    file.reserve(14 + dib.size());
    const auto put16 = [&](std::uint32_t v) { file.append(char(v & 0xFF)).append(char((v >> 8) & 0xFF)); };
    file.append("BM", 2);
    put16(static_cast<std::uint32_t>(14 + dib.size()) & 0xFFFF), put16(static_cast<std::uint32_t>(14 + dib.size()) >> 16);
    put16(0), put16(0);
    put16(static_cast<std::uint32_t>(offset) & 0xFFFF), put16(static_cast<std::uint32_t>(offset) >> 16);
    file.append(dib);
    return QImage::fromData(file, "BMP");
}

std::optional<Metafile> Metafile::parse(const QByteArray& data) {
    if (data.size() > kMaxFileSize) return std::nullopt;
    Metafile m;
    m.m_data = data;
    qsizetype pos = 0;
    if (data.size() >= 22 && Read32(data, 0) == kPlaceableKey) {
        const auto left = static_cast<std::int16_t>(Read16(data, 6)), top = static_cast<std::int16_t>(Read16(data, 8));
        const auto right = static_cast<std::int16_t>(Read16(data, 10)),
                   bottom = static_cast<std::int16_t>(Read16(data, 12));
        if (right != left && bottom != top) {
            m.m_frame = {double(left), double(top), double(right) - left, double(bottom) - top};
            m.m_placeable = true;
        }
        pos = 22;
    }
    if (data.size() - pos < 18) return std::nullopt;
    const std::uint16_t type = Read16(data, pos);
    if ((type != 1 && type != 2) || Read16(data, pos + 2) != 9) return std::nullopt;
    const int objects = Read16(data, pos + 10);
    pos += 18;

    int creates = 0;
    while (data.size() - pos >= 6) {
        const std::uint32_t size = Read32(data, pos);
        const std::uint16_t function = Read16(data, pos + 4);
        if (function == kEof) break;
        if (size < 3 || size > static_cast<std::uint64_t>(data.size() - pos) / 2) return std::nullopt;
        m.m_records.push_back({function, static_cast<std::uint32_t>(pos + 6), size - 3});
        if (IsCreate(function)) ++creates;
        pos += 2 * static_cast<qsizetype>(size);
    }
    // Files that declare no objects still create some; the slots follow what they create.
    m.m_objectSlots = objects == 0 ? creates : std::min(objects, creates);

    long long pixelsLeft = kMaxBitmapPixels;
    bool windowOrgSeen = false, windowExtSeen = false, drawn = false;
    double orgX = 0, orgY = 0, extX = 0, extY = 0;
    Extent extent;
    for (Record& r : m.m_records) {
        if (const int start = DibStart(r); start >= 0) {
            const QImage image = DecodeDib(m.bytes(r, static_cast<std::uint32_t>(start)), pixelsLeft);
            if (!image.isNull()) {
                pixelsLeft -= static_cast<long long>(image.width()) * image.height();
                r.picture = static_cast<int>(m.m_pictures.size());
                m.m_pictures.emplace_back(image);
            }
        }
        if (m.m_placeable) continue;
        if (!drawn && r.function == kSetWindowOrg && !windowOrgSeen)
            orgY = m.s16(r, 0), orgX = m.s16(r, 1), windowOrgSeen = true;
        if (!drawn && r.function == kSetWindowExt && !windowExtSeen && m.s16(r, 0) != 0 && m.s16(r, 1) != 0)
            extY = m.s16(r, 0), extX = m.s16(r, 1), windowExtSeen = true;
        drawn = drawn || IsDrawing(r.function);
        AddPoints(m, r, extent);
    }
    if (!m.m_placeable) {
        if (windowExtSeen)
            m.m_frame = {orgX, orgY, extX, extY};
        else if (!extent.empty())
            m.m_frame = {extent.left, extent.top, std::max(1.0, extent.right - extent.left),
                         std::max(1.0, extent.bottom - extent.top)};
    }
    return m;
}

// --- playing ----------------------------------------------------------------------------------

namespace {

struct PenObject {
    int style = 0;
    int width = 1;
    TColor color = kBlack;
};
struct BrushObject {
    int style = 0;
    TColor color = kWhite;
    int hatch = 0;
    int picture = -1;
};
struct FontObject {
    int height = -12;
    int weight = 400;
    bool italic = false, underline = false, strikeOut = false;
    QString face = QStringLiteral("Arial");
};
struct OtherObject {};
using Object = std::variant<std::monostate, PenObject, BrushObject, FontObject, OtherObject>;

struct DeviceState {
    PenObject pen;
    BrushObject brush;
    FontObject font;
    TColor textColor = kBlack;
    TColor bkColor = kWhite;
    int bkMode = 2;
    int textAlign = 0;
    double windowOrgX = 0, windowOrgY = 0, windowExtX = 1, windowExtY = 1;
    double viewOrgX = 0, viewOrgY = 0, viewExtX = 1, viewExtY = 1;
    double posX = 0, posY = 0;
    QRect clip; // device pixels, right and bottom exclusive
};

TColor ColorRef(std::uint32_t v) { return static_cast<TColor>(v & 0xFFFFFFu); }

int ToPixel(double v) {
    if (!(v > -kLargestCoordinate)) return static_cast<int>(-kLargestCoordinate);
    if (!(v < kLargestCoordinate)) return static_cast<int>(kLargestCoordinate);
    return static_cast<int>(std::lround(v));
}

class Player {
public:
    Player(Canvas& canvas, const Metafile& m, int left, int top, int right, int bottom)
        : m_canvas(canvas), m_m(m), m_objects(static_cast<std::size_t>(m.objectSlots())) {
        const Metafile::Frame& f = m.frame();
        m_left = left, m_top = top;
        m_scaleX = (right - left) / f.width, m_scaleY = (bottom - top) / f.height;
        m_frame = f;
        // The frame is the first window and the first viewport: logical units are frame units.
        m_dc.windowOrgX = m_dc.viewOrgX = f.left, m_dc.windowOrgY = m_dc.viewOrgY = f.top;
        m_dc.windowExtX = m_dc.viewExtX = f.width, m_dc.windowExtY = m_dc.viewExtY = f.height;
        m_dc.clip = QRect(QPoint(std::min(left, right), std::min(top, bottom)),
                          QPoint(std::max(left, right) - 1, std::max(top, bottom) - 1));
        m_target = m_dc.clip;
        for (int i = 0; i < m.objectSlots(); ++i) m_free.push(i);
    }

    void play() {
        m_canvas.setClipRect(m_target.left(), m_target.top(), m_target.right() + 1, m_target.bottom() + 1);
        for (const Metafile::Record& r : m_m.records()) record(r);
    }

private:
    double devX(double x) const {
        const double page = (x - m_dc.windowOrgX) * m_dc.viewExtX / m_dc.windowExtX + m_dc.viewOrgX;
        return m_left + (page - m_frame.left) * m_scaleX;
    }
    double devY(double y) const {
        const double page = (y - m_dc.windowOrgY) * m_dc.viewExtY / m_dc.windowExtY + m_dc.viewOrgY;
        return m_top + (page - m_frame.top) * m_scaleY;
    }
    double sizeX(double w) const { return std::abs(w * m_dc.viewExtX / m_dc.windowExtX * m_scaleX); }
    double sizeY(double h) const { return std::abs(h * m_dc.viewExtY / m_dc.windowExtY * m_scaleY); }
    QPoint point(std::int16_t x, std::int16_t y) const { return {ToPixel(devX(x)), ToPixel(devY(y))}; }
    // Words at (bottom, right, top, left) as a device rectangle.
    QRect box(const Metafile::Record& r, std::uint32_t at) const {
        const QPoint a = point(m_m.s16(r, at + 3), m_m.s16(r, at + 2));
        const QPoint b = point(m_m.s16(r, at + 1), m_m.s16(r, at));
        return QRect(a, b); // corners only; the canvas normalises
    }

    void usePen() {
        static constexpr PenStyle kStyles[] = {PenStyle::Solid, PenStyle::Dash, PenStyle::Dot, PenStyle::DashDot,
                                               PenStyle::DashDotDot, PenStyle::Clear, PenStyle::Solid};
        const PenObject& p = m_dc.pen;
        CanvasPen pen;
        pen.color = p.color;
        pen.style = p.style >= 0 && p.style < 7 ? kStyles[p.style] : PenStyle::Solid;
        pen.width = p.width <= 0 ? 1 : static_cast<int>(std::clamp(std::lround(sizeX(p.width)), 1L, 1000L));
        m_canvas.setPen(pen);
    }
    void useBrush() {
        static constexpr BrushStyle kHatches[] = {BrushStyle::Horizontal, BrushStyle::Vertical, BrushStyle::FDiagonal,
                                                  BrushStyle::BDiagonal, BrushStyle::Cross, BrushStyle::DiagCross};
        const BrushObject& b = m_dc.brush;
        if (b.style == 1) {
            m_canvas.setBrushStyle(BrushStyle::Clear);
            return;
        }
        if ((b.style == 3 || b.style == 5) && b.picture >= 0) {
            m_canvas.setBrushPattern(m_m.pictures()[static_cast<std::size_t>(b.picture)].image());
            return;
        }
        m_canvas.setBrushColor(b.color);
        m_canvas.setBrushStyle(b.style == 2 && b.hatch >= 0 && b.hatch < 6 ? kHatches[b.hatch] : BrushStyle::Solid);
    }
    void useShape() {
        usePen();
        useBrush();
    }

    // A new object takes the lowest free slot, as the device context's table does.
    void create(const Object& object) {
        if (m_free.empty()) return;
        m_objects[static_cast<std::size_t>(m_free.top())] = object;
        m_free.pop();
    }
    void select(std::uint16_t index) {
        if (index >= m_objects.size()) return;
        const Object& o = m_objects[index];
        if (const auto* pen = std::get_if<PenObject>(&o)) m_dc.pen = *pen;
        else if (const auto* brush = std::get_if<BrushObject>(&o)) m_dc.brush = *brush;
        else if (const auto* font = std::get_if<FontObject>(&o)) m_dc.font = *font;
    }

    void setClip() {
        const QRect c = m_dc.clip;
        if (c.isEmpty()) m_canvas.setClipRect(m_target.left(), m_target.top(), m_target.left(), m_target.top());
        else m_canvas.setClipRect(c.left(), c.top(), c.right() + 1, c.bottom() + 1);
    }

    void points(const Metafile::Record& r, std::uint32_t at, std::uint32_t n) {
        m_points.clear();
        for (std::uint32_t k = 0; k < n; ++k) m_points.push_back(point(m_m.s16(r, at + 2 * k), m_m.s16(r, at + 2 * k + 1)));
    }

    void text(const QByteArray& bytes, double x, double y) {
        const FontObject& f = m_dc.font;
        const double pixels = f.height == 0 ? 12.0 : sizeY(f.height) * (f.height > 0 ? 0.87 : 1.0);
        CanvasFont font;
        font.name = f.face;
        font.size = static_cast<int>(std::clamp(std::lround(pixels * 0.75), 1L, 500L));
        font.color = m_dc.textColor;
        if (f.weight >= 600) font.style |= FontStyle::Bold;
        if (f.italic) font.style |= FontStyle::Italic;
        if (f.underline) font.style |= FontStyle::Underline;
        if (f.strikeOut) font.style |= FontStyle::StrikeOut;
        m_canvas.setFont(font);
        const QString s = DecodeWindows1252(bytes);
        const bool updateCp = (m_dc.textAlign & 1) != 0;
        int px = updateCp ? ToPixel(devX(m_dc.posX)) : ToPixel(devX(x));
        int py = updateCp ? ToPixel(devY(m_dc.posY)) : ToPixel(devY(y));
        const int width = m_canvas.textWidth(s);
        switch (m_dc.textAlign & 6) {
        case 6: px -= width / 2; break;
        case 2: px -= width; break;
        default: break;
        }
        if ((m_dc.textAlign & 24) == 24) {
            QFont q(canvasFontFamily(font.name));
            q.setPixelSize(canvasFontPixelSize(font.size));
            q.setBold(font.style.testFlag(FontStyle::Bold));
            py -= QFontMetrics(q).ascent();
        } else if (m_dc.textAlign & 8) {
            py -= m_canvas.textHeight(s);
        }
        const bool opaque = m_dc.bkMode == 2;
        if (opaque) {
            m_canvas.setBrushStyle(BrushStyle::Solid);
            m_canvas.setBrushColor(m_dc.bkColor);
        }
        m_canvas.setTextOpaque(opaque);
        m_canvas.textOut(px, py, s);
        if (updateCp && (m_dc.textAlign & 6) == 0 && m_scaleX != 0)
            m_dc.posX += width / m_scaleX * m_dc.windowExtX / m_dc.viewExtX;
    }

    void bitmap(const Metafile::Record& r, std::uint32_t rop, std::uint32_t dest, std::uint32_t src,
                bool stretched) {
        // dest: (height, width, y, x); src: stretched (height, width, y, x) or (y, x) with dest's size.
        const double x = m_m.s16(r, dest + 3), y = m_m.s16(r, dest + 2);
        const double w = m_m.s16(r, dest + 1), h = m_m.s16(r, dest);
        const QRect d(QPoint(ToPixel(devX(x)), ToPixel(devY(y))), QPoint(ToPixel(devX(x + w)), ToPixel(devY(y + h))));
        if (rop == kRopNop) return;
        if (r.picture < 0) {
            if (rop != kRopBlackness && rop != kRopWhiteness && rop != kRopPatCopy) return;
            m_canvas.setBrushStyle(BrushStyle::Solid);
            if (rop == kRopPatCopy) useBrush();
            else m_canvas.setBrushColor(rop == kRopBlackness ? kBlack : kWhite);
            m_canvas.fillRect(d.left(), d.top(), d.right(), d.bottom());
            return;
        }
        const Picture& picture = m_m.pictures()[static_cast<std::size_t>(r.picture)];
        const int sw = stretched ? m_m.s16(r, src + 1) : static_cast<int>(w);
        const int sh = stretched ? m_m.s16(r, src) : static_cast<int>(h);
        const int sx = m_m.s16(r, stretched ? src + 3 : src + 1);
        const int sy = m_m.s16(r, stretched ? src + 2 : src);
        // Source rows count from the bottom of the bitmap.
        const QRect source(sx, picture.height() - sy - sh, sw, sh);
        if (source == QRect(0, 0, picture.width(), picture.height()) || sw <= 0 || sh <= 0) {
            m_canvas.stretchDraw(d.left(), d.top(), d.right(), d.bottom(), picture);
            return;
        }
        const QRect part = source.intersected(QRect(0, 0, picture.width(), picture.height()));
        if (part.isEmpty()) return;
        m_canvas.stretchDraw(d.left(), d.top(), d.right(), d.bottom(), Picture(picture.image().copy(part)));
    }

    void record(const Metafile::Record& r) {
        const Metafile& m = m_m;
        switch (r.function) {
        case kSaveDc:
            if (m_saved.size() < kMaxSavedStates) m_saved.push_back(m_dc);
            break;
        case kRestoreDc: {
            const int n = m.s16(r, 0);
            std::size_t keep = m_saved.size();
            if (n < 0) keep = static_cast<std::size_t>(std::max<long long>(0, static_cast<long long>(keep) + n));
            else if (n > 0 && static_cast<std::size_t>(n) <= keep) keep = static_cast<std::size_t>(n) - 1;
            else break;
            if (keep >= m_saved.size()) break;
            m_dc = m_saved[keep];
            m_saved.resize(keep);
            setClip();
            break;
        }
        case kSetBkMode: m_dc.bkMode = m.u16(r, 0); break;
        case kSetTextAlign: m_dc.textAlign = m.u16(r, 0); break;
        case kSetBkColor: m_dc.bkColor = ColorRef(m.u32(r, 0)); break;
        case kSetTextColor: m_dc.textColor = ColorRef(m.u32(r, 0)); break;
        case kSetWindowOrg: m_dc.windowOrgY = m.s16(r, 0), m_dc.windowOrgX = m.s16(r, 1); break;
        case kSetViewportOrg: m_dc.viewOrgY = m.s16(r, 0), m_dc.viewOrgX = m.s16(r, 1); break;
        case kOffsetWindowOrg: m_dc.windowOrgY += m.s16(r, 0), m_dc.windowOrgX += m.s16(r, 1); break;
        case kOffsetViewportOrg: m_dc.viewOrgY += m.s16(r, 0), m_dc.viewOrgX += m.s16(r, 1); break;
        case kSetWindowExt:
            if (m.s16(r, 0) != 0 && m.s16(r, 1) != 0) m_dc.windowExtY = m.s16(r, 0), m_dc.windowExtX = m.s16(r, 1);
            break;
        case kSetViewportExt:
            if (m.s16(r, 0) != 0 && m.s16(r, 1) != 0) m_dc.viewExtY = m.s16(r, 0), m_dc.viewExtX = m.s16(r, 1);
            break;
        case kScaleWindowExt:
        case kScaleViewportExt: {
            // (yDenom, yNum, xDenom, xNum)
            const double yd = m.s16(r, 0), yn = m.s16(r, 1), xd = m.s16(r, 2), xn = m.s16(r, 3);
            if (yd == 0 || yn == 0 || xd == 0 || xn == 0) break;
            double& ex = r.function == kScaleWindowExt ? m_dc.windowExtX : m_dc.viewExtX;
            double& ey = r.function == kScaleWindowExt ? m_dc.windowExtY : m_dc.viewExtY;
            const double nx = ex * xn / xd, ny = ey * yn / yd;
            if (std::abs(nx) > 1e-6 && std::abs(ny) > 1e-6 && std::abs(nx) < 1e9 && std::abs(ny) < 1e9)
                ex = nx, ey = ny;
            break;
        }
        case kIntersectClipRect:
            m_dc.clip = m_dc.clip.intersected(box(r, 0).normalized().adjusted(0, 0, -1, -1));
            setClip();
            break;
        case kCreatePenIndirect:
            create(PenObject{m.u16(r, 0) & 0x0F, m.s16(r, 1), ColorRef(m.u32(r, 3))});
            break;
        case kCreateBrushIndirect:
            create(BrushObject{m.u16(r, 0), ColorRef(m.u32(r, 1)), m.u16(r, 3), -1});
            break;
        case kDibCreatePatternBrush:
            create(BrushObject{5, kBlack, 0, r.picture});
            break;
        case kCreateFontIndirect: {
            FontObject f;
            f.height = m.s16(r, 0);
            f.weight = m.s16(r, 4);
            const std::uint16_t italicUnderline = m.u16(r, 5), strike = m.u16(r, 6);
            f.italic = (italicUnderline & 0xFF) != 0;
            f.underline = (italicUnderline >> 8) != 0;
            f.strikeOut = (strike & 0xFF) != 0;
            QByteArray face = m.bytes(r, 9).left(32);
            if (const qsizetype end = face.indexOf('\0'); end >= 0) face.truncate(end);
            if (!face.isEmpty()) f.face = DecodeWindows1252(face);
            create(f);
            break;
        }
        case kCreatePalette: case kCreateRegion: case kCreatePatternBrush:
            create(OtherObject{});
            break;
        case kSelectObject: select(m.u16(r, 0)); break;
        case kDeleteObject:
            if (const std::uint16_t i = m.u16(r, 0);
                i < m_objects.size() && !std::holds_alternative<std::monostate>(m_objects[i])) {
                m_objects[i] = std::monostate{};
                m_free.push(i);
            }
            break;
        case kMoveTo: m_dc.posY = m.s16(r, 0), m_dc.posX = m.s16(r, 1); break;
        case kLineTo: {
            usePen();
            const QPoint from(ToPixel(devX(m_dc.posX)), ToPixel(devY(m_dc.posY)));
            m_dc.posY = m.s16(r, 0), m_dc.posX = m.s16(r, 1);
            const QPoint to = point(m.s16(r, 1), m.s16(r, 0));
            m_canvas.moveTo(from.x(), from.y());
            m_canvas.lineTo(to.x(), to.y());
            break;
        }
        case kRectangle: {
            useShape();
            const QRect b = box(r, 0);
            m_canvas.rectangle(b.left(), b.top(), b.right(), b.bottom());
            break;
        }
        case kEllipse: {
            useShape();
            const QRect b = box(r, 0);
            m_canvas.ellipse(b.left(), b.top(), b.right(), b.bottom());
            break;
        }
        case kRoundRect: {
            useShape();
            const QRect b = box(r, 2);
            m_canvas.roundRect(b.left(), b.top(), b.right(), b.bottom(), ToPixel(sizeX(m.s16(r, 1))),
                               ToPixel(sizeY(m.s16(r, 0))));
            break;
        }
        case kArc: case kPie: case kChord: {
            useShape();
            const QRect b = box(r, 4);
            const QPoint start = point(m.s16(r, 3), m.s16(r, 2)), end = point(m.s16(r, 1), m.s16(r, 0));
            if (r.function == kArc)
                m_canvas.arc(b.left(), b.top(), b.right(), b.bottom(), start.x(), start.y(), end.x(), end.y());
            else if (r.function == kPie)
                m_canvas.pie(b.left(), b.top(), b.right(), b.bottom(), start.x(), start.y(), end.x(), end.y());
            else
                m_canvas.chord(b.left(), b.top(), b.right(), b.bottom(), start.x(), start.y(), end.x(), end.y());
            break;
        }
        case kPolygon: case kPolyline: {
            const std::uint32_t n = m.u16(r, 0);
            if (r.words < 1 + 2 * n) break;
            points(r, 1, n);
            useShape();
            if (r.function == kPolygon) m_canvas.polygon(m_points);
            else m_canvas.polyline(m_points);
            break;
        }
        case kPolyPolygon: {
            const std::uint32_t polygons = m.u16(r, 0);
            if (r.words < 1 + polygons) break;
            std::uint32_t total = 0;
            for (std::uint32_t k = 0; k < polygons; ++k) total += m.u16(r, 1 + k);
            if (r.words < 1 + polygons + 2 * total) break;
            useShape();
            std::uint32_t at = 1 + polygons;
            for (std::uint32_t k = 0; k < polygons; ++k) {
                const std::uint32_t n = m.u16(r, 1 + k);
                points(r, at, n);
                m_canvas.polygon(m_points);
                at += 2 * n;
            }
            break;
        }
        case kSetPixel:
            m_canvas.setPixel(ToPixel(devX(m.s16(r, 3))), ToPixel(devY(m.s16(r, 2))), ColorRef(m.u32(r, 0)));
            break;
        case kTextOut: {
            const std::uint32_t length = m.u16(r, 0);
            const std::uint32_t at = 1 + (length + 1) / 2;
            if (r.words < at + 2) break;
            text(m.bytes(r, 1).left(length), m.s16(r, at + 1), m.s16(r, at));
            break;
        }
        case kExtTextOut: {
            const std::uint32_t length = m.u16(r, 2);
            const std::uint16_t options = m.u16(r, 3);
            const bool hasRect = (options & 0x0006) != 0;
            const std::uint32_t at = hasRect ? 8 : 4;
            if (r.words < at + (length + 1) / 2) break;
            if (hasRect && (options & 0x0002)) {
                const QRect b = QRect(point(m.s16(r, 4), m.s16(r, 5)), point(m.s16(r, 6), m.s16(r, 7)));
                m_canvas.setBrushStyle(BrushStyle::Solid);
                m_canvas.setBrushColor(m_dc.bkColor);
                m_canvas.fillRect(b.left(), b.top(), b.right(), b.bottom());
            }
            text(m.bytes(r, at).left(length), m.s16(r, 1), m.s16(r, 0));
            break;
        }
        case kStretchDib: bitmap(r, m.u32(r, 0), 7, 3, true); break;
        case kDibStretchBlt: bitmap(r, m.u32(r, 0), r.words > 11 ? 6 : 7, 2, true); break;
        case kDibBitBlt: bitmap(r, m.u32(r, 0), r.words > 9 ? 4 : 5, 2, false); break;
        default:
            break;
        }
    }

    Canvas& m_canvas;
    const Metafile& m_m;
    Metafile::Frame m_frame;
    double m_left = 0, m_top = 0, m_scaleX = 1, m_scaleY = 1;
    QRect m_target;
    DeviceState m_dc;
    std::vector<DeviceState> m_saved;
    std::vector<Object> m_objects;
    std::priority_queue<int, std::vector<int>, std::greater<>> m_free;
    std::vector<QPoint> m_points;
};

} // namespace

void PlayMetafile(Canvas& canvas, const Metafile& metafile, int left, int top, int right, int bottom) {
    if (left == right || top == bottom) return;
    CanvasStateSaver saver(canvas);
    Player(canvas, metafile, left, top, right, bottom).play();
}

std::shared_ptr<const Metafile> LoadMetafile(const QString& path) {
    static FileCache<std::shared_ptr<const Metafile>> cache(32);
    return cache.get(path, [](const QString& file) -> std::shared_ptr<const Metafile> {
        QFile f(file);
        if (!f.open(QIODevice::ReadOnly)) return nullptr;
        const QByteArray bytes = f.read(Metafile::kMaxFileSize + 1);
        std::optional<Metafile> m = Metafile::parse(bytes);
        return m ? std::make_shared<const Metafile>(std::move(*m)) : nullptr;
    });
}

} // namespace ovanto
