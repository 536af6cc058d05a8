#include "window/damage_tracker.h"

#include "elements/core/tgraph.h"

#include <algorithm>
#include <limits>

namespace ovanto {
namespace {

// Selection frames lie six pixels outside the box, both sides inclusive.
constexpr int kDesignMargin = 10;

// QRect::intersects, inline: the partial paint asks once per element and area.
bool overlaps(const QRect& a, const QRect& b) {
    return !a.isEmpty() && !b.isEmpty() && a.left() <= b.right() && b.left() <= a.right() && a.top() <= b.bottom() &&
           b.top() <= a.bottom();
}

bool contains(const std::vector<QRect>& areas, const QRect& r) {
    return std::any_of(areas.begin(), areas.end(), [&](const QRect& a) { return a.contains(r); });
}

} // namespace

bool DamageTracker::sameElements(std::span<TGraph* const> elements) const {
    if (elements.size() != m_entries.size()) return false;
    for (std::size_t i = 0; i < elements.size(); ++i)
        if (elements[i] != m_entries[i].element) return false;
    return true;
}

bool DamageTracker::compareSignals(const SignalTable& signalTable, bool take) {
    const bool known = m_signalsTaken;
    m_changedSignals = SignalSet();
    for (std::size_t p = 0; p < m_signals.size(); ++p) {
        if (known && SameBits(&signalTable.values[p], &m_signals[p])) continue;
        m_changedSignals.add(p);
        if (take) m_signals[p] = signalTable.values[p];
    }
    m_signalsTaken = m_signalsTaken || take;
    return known;
}

LookHash DamageTracker::fingerprint(std::size_t index, bool signalsKnown) {
    Entry& e = m_entries[index];
    const TGraph& element = *e.element;
    // Until the window ends the period, its place and its drawing answer
    // from the values just taken instead of evaluating them again.
    const bool keep = !e.alwaysDraw;
    if (keep && signalsKnown && element.lookHoldsSince(e.lookSerial) && !m_signalsRead[index].meets(m_changedSignals)) {
        if (e.hasLookState) return element.heldLookFingerprint();
        element.keepValuesThisPeriod();
        return LookHash(e.look);
    }
    const LookHash hash = element.lookFingerprint(keep);
    e.lookSerial = element.lookSerial();
    SignalSet& read = m_signalsRead[index];
    read = SignalSet();
    for (const LookInputs::Input& input : element.lookInputsRead()) read.add(input.position);
    return hash;
}

bool DamageTracker::place(TGraph& element, QRect& area) const {
    Rect r;
    element.GetPaintBounds(r);
    if (r == kNoBounds) return false;
    r = r.normalized();
    const long long margin = m_look.designMode ? kDesignMargin : 0;
    // In 64 bits: a box far off the picture must not overflow on its way here.
    const long long left = std::max(-1LL, r.left - margin);
    const long long top = std::max(-1LL, r.top - margin);
    const long long right = std::min(m_look.size.width() + 1LL, r.right + margin);
    const long long bottom = std::min(m_look.size.height() + 1LL, r.bottom + margin);
    area = QRect();
    if (left < right && top < bottom)
        area = QRect(static_cast<int>(left), static_cast<int>(top), static_cast<int>(right - left),
                     static_cast<int>(bottom - top));
    return true;
}

void DamageTracker::addDamage(const QRect& area) {
    if (!area.isEmpty()) m_areas.push_back(area);
}

bool DamageTracker::damageMeets(const QRect& area) const {
    return std::any_of(m_areas.begin(), m_areas.end(), [&](const QRect& a) { return overlaps(a, area); });
}

void DamageTracker::mergeAreas() {
    // Overlapping areas become their bounding box until none overlap, so that
    // every element box in the damage lies within one area and is drawn once.
    for (bool merged = true; merged;) {
        merged = false;
        for (std::size_t i = 0; i < m_areas.size() && !merged; ++i)
            for (std::size_t k = i + 1; k < m_areas.size(); ++k) {
                if (!m_areas[i].intersects(m_areas[k])) continue;
                m_areas[i] |= m_areas[k];
                m_areas.erase(m_areas.begin() + static_cast<std::ptrdiff_t>(k));
                merged = true;
                break;
            }
    }
    if (static_cast<int>(m_areas.size()) > kMaxAreas) {
        QRect all;
        for (const QRect& a : m_areas) all |= a;
        m_areas.assign(1, all);
    }
}

bool DamageTracker::planPartial(std::span<TGraph* const> elements, const WindowLook& look,
                                const SignalTable& signalTable) {
    m_changed.clear();
    m_areas.clear();
    m_freshLooks = false;
    if (!m_valid || !(look == m_look) || !sameElements(elements)) return false;
    // While editing, selection frames and design pictures do not yet keep to
    // the boxes in every kind: the picture is painted whole.
    if (look.designMode) return false;

    bool anyUnbounded = false;
    const bool signalsKnown = compareSignals(signalTable, true);
    for (std::size_t i = 0; i < elements.size(); ++i) {
        Entry& e = m_entries[i];
        anyUnbounded = anyUnbounded || e.unbounded;
        const LookHash hash = fingerprint(i, signalsKnown);
        if (e.alwaysDraw || hash.forced() || hash.value() != e.look) m_changed.push_back(static_cast<int>(i));
        e.look = hash.value();
    }
    m_freshLooks = true;
    if (m_changed.empty()) {
        quiet();
        return true;
    }
    if (anyUnbounded) return false;
    if (m_changed.size() * 4 > elements.size() * 3) {
        busy();
        return false;
    }

    for (const int i : m_changed) {
        Entry& e = m_entries[static_cast<std::size_t>(i)];
        if (!e.placed) return false;
        addDamage(e.area);
        if (!place(*e.element, e.area)) return false;
        addDamage(e.area);
    }
    // What reads back its pixels is repainted whole, which may damage more.
    // Merged first: a merged area is larger than the parts it was made of.
    mergeAreas();
    for (bool grown = true; grown;) {
        grown = false;
        for (const Entry& e : m_entries) {
            if (!e.readsBack || !damageMeets(e.area)) continue;
            if (!e.placed) return false;
            if (contains(m_areas, e.area)) continue;
            addDamage(e.area);
            mergeAreas();
            grown = true;
        }
    }
    mergeAreas();
    const QRect picture(QPoint(0, 0), m_look.size);
    long long damaged = 0;
    for (QRect& a : m_areas) {
        a &= picture;
        damaged += 1LL * a.width() * a.height();
    }
    std::erase_if(m_areas, [](const QRect& a) { return a.isEmpty(); });
    if (damaged > kFullPaintShare * m_look.size.width() * m_look.size.height()) {
        busy();
        return false;
    }
    listDrawnElements();
    quiet();
    return true;
}

void DamageTracker::listDrawnElements() {
    if (m_drawLists.size() < m_areas.size()) m_drawLists.resize(m_areas.size());
    for (std::vector<int>& list : m_drawLists) list.clear();
    // The boxes four to a group first, compared four at once: few elements
    // meet an area, so reading the boxes is most of the work. An unknown box
    // meets every area, an empty one (and the group's padding) none.
    constexpr int kMin = std::numeric_limits<int>::min(), kMax = std::numeric_limits<int>::max();
    m_boxGroups.resize((m_entries.size() + 3) / 4);
    for (std::size_t i = 0; i < 4 * m_boxGroups.size(); ++i) {
        int left = kMax, top = kMax, right = kMin, bottom = kMin;
        if (i < m_entries.size()) {
            Entry& e = m_entries[i];
            e.drawn = false;
            if (!e.placed) left = top = kMin, right = bottom = kMax;
            else if (!e.area.isEmpty()) left = e.area.left(), top = e.area.top(), right = e.area.right(), bottom = e.area.bottom();
        }
        BoxGroup& g = m_boxGroups[i / 4];
        const int lane = static_cast<int>(i % 4);
        g.left[lane] = left, g.top[lane] = top, g.right[lane] = right, g.bottom[lane] = bottom;
    }
    for (std::size_t k = 0; k < m_areas.size(); ++k) {
        const QRect& a = m_areas[k];
        const int left = a.left(), top = a.top(), right = a.right(), bottom = a.bottom();
        std::vector<int>& list = m_drawLists[k];
        for (std::size_t g = 0; g < m_boxGroups.size(); ++g) {
            const BoxGroup& b = m_boxGroups[g];
            const BoxGroup::Lanes meets = (b.left <= right) & (left <= b.right) & (b.top <= bottom) & (top <= b.bottom);
            if ((meets[0] | meets[1] | meets[2] | meets[3]) == 0) continue;
            for (int lane = 0; lane < 4; ++lane)
                if (meets[lane]) list.push_back(static_cast<int>(4 * g) + lane);
        }
        for (const int i : list) m_entries[static_cast<std::size_t>(i)].drawn = true;
    }
}

void DamageTracker::busy() {
    // One busy step among quiet ones (a reset, a page switch) costs nothing extra.
    if (++m_busyPlans < 2) return;
    m_lastBackOff = std::min(kMaxBackOff, std::max(2, 2 * m_lastBackOff));
    m_backOff = m_lastBackOff;
}

void DamageTracker::quiet() {
    m_busyPlans = 0;
    m_lastBackOff = 0;
}

bool DamageTracker::finishPartial(const SignalTable& signalTable) {
    const QRect picture(QPoint(0, 0), m_look.size);
    for (const int i : m_changed) {
        Entry& e = m_entries[static_cast<std::size_t>(i)];
        // It drew from the values the plan took: a signal written since (by a child control) is not in the picture.
        if (!e.element->keptValuesCurrent()) return false;
        // Without state of its own it paints from those values alone, and lies where the plan placed it.
        if (!e.hasLookState && !e.alwaysDraw) continue;
        QRect now;
        // A box that grew while drawing (a wider line now in effect) went beyond the plan.
        if (!place(*e.element, now)) return false;
        if (!(now & picture).isEmpty() && !contains(m_areas, now & picture)) return false;
        e.area = now;
    }
    // An element drawn only because it lies in a damaged area must not have
    // changed while it drew (a step that fell due just then): part of it
    // would show the new look. Without areas nothing was drawn.
    if (m_areas.empty()) {
        ++m_partialPaints;
        return true;
    }
    const bool signalsKnown = compareSignals(signalTable, false);
    std::size_t next = 0;
    for (std::size_t i = 0; i < m_entries.size(); ++i) {
        if (next < m_changed.size() && m_changed[next] == static_cast<int>(i)) {
            ++next;
            continue;
        }
        const Entry& e = m_entries[i];
        if (!e.drawn) continue;
        const LookHash hash = fingerprint(i, signalsKnown);
        if (hash.forced() || hash.value() != e.look) return false;
    }
    ++m_partialPaints;
    return true;
}

void DamageTracker::beginFull(std::span<TGraph* const> elements, const WindowLook& look) {
    if (!m_freshLooks || !sameElements(elements)) {
        m_freshLooks = false;
        // Looks taken while drawing may see signals written by an element drawn before.
        m_signalsTaken = false;
        m_entries.assign(elements.size(), Entry{});
        m_signalsRead.assign(elements.size(), SignalSet());
        for (std::size_t i = 0; i < elements.size(); ++i) {
            Entry& e = m_entries[i];
            e.element = elements[i];
            const LookTraits traits = e.element->lookTraits();
            e.alwaysDraw = traits.alwaysDraw;
            e.readsBack = traits.readsBack;
            e.unbounded = traits.unbounded;
            e.hasLookState = e.element->hasLookState();
        }
    }
    m_look = look;
    m_changed.clear();
    m_areas.clear();
    m_valid = true;
}

void DamageTracker::recordLook(int index) {
    Entry& e = m_entries[static_cast<std::size_t>(index)];
    if (!m_freshLooks) e.look = e.element->lookFingerprint().value();
}

void DamageTracker::recordPlace(int index) {
    Entry& e = m_entries[static_cast<std::size_t>(index)];
    e.placed = place(*e.element, e.area);
}

} // namespace ovanto
