#include "elements/core/look_fingerprint.h"

#include "elements/core/animation_step.h"
#include "elements/core/tgraph.h"

#include <cctype>
#include <string_view>

namespace ovanto {
namespace {

constexpr std::uint64_t kFailed = 0xFA17ED;

// Evaluating a formula that draws random numbers for the hash would change what
// Draw draws next; such an element simply counts as changed at every paint.
bool drawsRandom(std::string_view text) {
    constexpr std::string_view kName = "RANDOM";
    if (text.size() < kName.size()) return false;
    for (std::size_t i = 0; i + kName.size() <= text.size(); ++i) {
        std::size_t k = 0;
        while (k < kName.size() && std::toupper(static_cast<unsigned char>(text[i + k])) == kName[k]) ++k;
        if (k == kName.size()) return true;
    }
    return false;
}

bool isChannel(long double v) {
    return (v >= 1 && v <= 56 && v == static_cast<int>(v)) || (v >= 100 && v <= 150 && v == static_cast<int>(v));
}

} // namespace

LookHash TGraph::lookFingerprint() const {
    LookHash hash;
    if (m_randomCheckedAt != m_edits) {
        m_randomCheckedAt = m_edits;
        m_drawsRandom = false;
        for (const PropertyValue& v : m_values) m_drawsRandom = m_drawsRandom || drawsRandom(v.text.text());
    }
    if (m_drawsRandom) {
        hash.forceChange();
        return hash;
    }
    hash.add(m_edits);
    hash.add(m_current);
    hash.add(m_selected);
    hash.add(m_pressed);
    try {
        hash.add(IsVisible());
    } catch (...) {
        hash.add(kFailed);
    }
    for (int p = 0; p < propertyCount(); ++p) {
        try {
            switch (def(p).kind) {
            case PropKind::IntFormula:
            case PropKind::FloatFormula: {
                const long double v = evaluate(p);
                hash.add(v);
                // An integer text read through ChannelValue names a channel; a
                // formula that merely comes out whole adds a signal in vain.
                if (isChannel(v)) hash.add(GetSignal(static_cast<int>(v)));
                break;
            }
            case PropKind::IntText:
                hash.add(ChannelValue(p));
                break;
            case PropKind::PlainInt:
                // Fixed until the next write, which m_edits counts; but it may
                // name the channel the element shows (a mode may read a signal in vain).
                hash.add(GetSignal(intValue(p)));
                break;
            case PropKind::Text: {
                const QString& t = m_values[static_cast<std::size_t>(p)].freeText;
                if (!t.isEmpty() && (t[0].isDigit() || t[0] == QLatin1Char('-'))) {
                    bool channel = false;
                    const int n = t.toInt(&channel);
                    if (channel) hash.add(GetSignal(n));
                }
                break;
            }
            case PropKind::Number:
                break;
            }
        } catch (...) {
            hash.add(kFailed + static_cast<std::uint64_t>(p));
        }
    }
    addLookState(hash);
    return hash;
}

void TGraph::addDueStep(LookHash& hash, const AnimationStep& step, int delayProperty) const {
    // Asking too often only repaints more; the step itself is taken by Draw.
    guarded([&] {
        if (IsVisible() && step.wouldStep(m_window, evaluate(delayProperty))) hash.forceChange();
    });
}

} // namespace ovanto
