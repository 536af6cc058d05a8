#pragma once

#include <QRect>
#include <QSize>

#include <cstdint>
#include <span>
#include <vector>

namespace ovanto {

class TGraph;

// Everything outside the elements that a painted picture depends on: when any
// of it differs from the last paint, the whole picture is painted again.
struct WindowLook {
    QSize size;
    int background = 0;
    bool designMode = false;
    bool designGrid = false;
    bool running = false;
    bool pauseElapsed = false;
    bool expanded = false;
    bool soundMuted = false;

    friend bool operator==(const WindowLook&, const WindowLook&) = default;
};

// Remembers what every element looked like and where it lay at the last paint,
// and works out which parts of the picture the next paint must repaint.
class DamageTracker {
public:
    // Beyond this share of the picture a full paint costs no more.
    static constexpr double kFullPaintShare = 0.5;
    // More separate areas than this are painted as their bounding box.
    static constexpr int kMaxAreas = 12;

    // After two plans in a row that found most of the picture changed, the next
    // few paints are full ones without looks taken, more of them each time again; a window
    // where everything moves pays next to nothing for the tracking.
    static constexpr int kMaxBackOff = 32;

    // Asked once before each paint: false while backing off, and the paint is
    // a full one that tells the tracker nothing.
    bool tracksThisPaint() {
        if (m_backOff == 0) return true;
        --m_backOff;
        invalidate();
        return false;
    }

    // The next paint is a full one.
    void invalidate() {
        m_valid = false;
        m_freshLooks = false;
    }
    bool valid() const { return m_valid; }

    // Before a paint. True: repaint only areas() (possibly none). False: paint
    // everything, telling the tracker each element through recordFull.
    bool planPartial(std::span<TGraph* const> elements, const WindowLook& look);
    const std::vector<QRect>& areas() const { return m_areas; }
    // The elements to draw into areas()[area], in list order: those whose box
    // meets it, and those whose box is unknown.
    const std::vector<int>& drawnInto(std::size_t area) const { return m_drawLists[area]; }

    // A full paint: call before drawing (look) and after drawing (place) each
    // element; a paint that fails to finish calls invalidate.
    void beginFull(std::span<TGraph* const> elements, const WindowLook& look);
    void recordLook(int index);
    void recordPlace(int index);

    // After a partial paint: true when what was drawn agrees with the plan;
    // false when an element painted outside the areas or changed while drawn,
    // and the picture must be painted in full.
    bool finishPartial();

    // For tests and benchmarks: elements marked in the last plan, and the
    // partial paints that finished.
    int changedCount() const { return static_cast<int>(m_changed.size()); }
    long long partialPaints() const { return m_partialPaints; }
    bool backingOff() const { return m_backOff > 0; }

private:
    struct Entry {
        TGraph* element = nullptr;
        std::uint64_t look = 0;
        QRect area;            // where it painted, clipped to the picture
        bool placed = false;   // false: no bounds known
        bool readsBack = false;
        bool unbounded = false;
        bool alwaysDraw = false;
        bool drawn = false;    // into some area of the current plan
    };

    bool sameElements(std::span<TGraph* const> elements) const;
    // The element's box now, grown by the selection margin, clipped to the picture.
    bool place(TGraph& element, QRect& area) const;
    void addDamage(const QRect& area);
    void mergeAreas();
    bool damageMeets(const QRect& area) const;
    void listDrawnElements();
    // A plan that found most of the picture changed, or not.
    void busy();
    void quiet();

    bool m_valid = false;
    // The looks in m_entries were taken at this paint, before anything was drawn.
    bool m_freshLooks = false;
    WindowLook m_look;
    std::vector<Entry> m_entries;
    std::vector<int> m_changed;
    std::vector<QRect> m_areas;
    std::vector<std::vector<int>> m_drawLists; // per area
    long long m_partialPaints = 0;
    int m_backOff = 0;
    int m_lastBackOff = 0;
    int m_busyPlans = 0; // in a row
};

} // namespace ovanto
