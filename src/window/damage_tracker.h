#pragma once

#include "elements/core/formula/signal_table.h"
#include "elements/core/look_fingerprint.h"

#include <QRect>
#include <QSize>

#include <array>
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
        m_signalsTaken = false;
    }
    bool valid() const { return m_valid; }

    // Before a paint. True: repaint only areas() (possibly none). False: paint
    // everything, telling the tracker each element through recordFull.
    // The signals are those the elements read.
    bool planPartial(std::span<TGraph* const> elements, const WindowLook& look, const SignalTable& signalTable);
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
    bool finishPartial(const SignalTable& signalTable);

    // For tests and benchmarks: elements marked in the last plan, and the
    // partial paints that finished.
    int changedCount() const { return static_cast<int>(m_changed.size()); }
    long long partialPaints() const { return m_partialPaints; }
    bool backingOff() const { return m_backOff > 0; }

private:
    // Signal table positions, one bit each.
    class SignalSet {
    public:
        void add(std::size_t position) {
            if (position < kBits) m_words[position / 64] |= std::uint64_t{1} << (position % 64);
            else m_words.fill(~std::uint64_t{0});
        }
        bool meets(const SignalSet& other) const {
            std::uint64_t common = 0;
            for (std::size_t k = 0; k < m_words.size(); ++k) common |= m_words[k] & other.m_words[k];
            return common != 0;
        }

    private:
        static constexpr std::size_t kBits = kSignalCount + 1;
        std::array<std::uint64_t, (kBits + 63) / 64> m_words{};
    };

    struct Entry {
        TGraph* element = nullptr;
        std::uint64_t look = 0;
        std::uint32_t lookSerial = 0; // the element's fingerprint that look came from
        QRect area;            // where it painted, clipped to the picture
        bool placed = false;   // false: no bounds known
        bool readsBack = false;
        bool unbounded = false;
        bool alwaysDraw = false;
        bool hasLookState = true;
        bool drawn = false;    // into some area of the current plan
    };

    bool sameElements(std::span<TGraph* const> elements) const;
    // Which signals changed since the last plan took its looks; false when
    // that is not known. take: the table becomes what the next plan compares with.
    bool compareSignals(const SignalTable& signalTable, bool take);
    // The element's fingerprint, from what it kept when none of its signals changed.
    LookHash fingerprint(std::size_t index, bool signalsKnown);
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
    std::vector<SignalSet> m_signalsRead; // per entry, by the look in it
    // The signal table when the looks in m_entries were taken; valid while m_signalsTaken.
    std::array<long double, kSignalCount + 1> m_signals{};
    bool m_signalsTaken = false;
    SignalSet m_changedSignals;
    std::vector<int> m_changed;
    std::vector<QRect> m_areas;
    std::vector<std::vector<int>> m_drawLists; // per area
    // The boxes of four entries, inclusive edges, lane by lane.
    struct BoxGroup {
        using Lanes = int __attribute__((vector_size(16)));
        Lanes left, top, right, bottom;
    };
    std::vector<BoxGroup> m_boxGroups; // for the draw lists
    long long m_partialPaints = 0;
    int m_backOff = 0;
    int m_lastBackOff = 0;
    int m_busyPlans = 0; // in a row
};

} // namespace ovanto
