#include "elements/core/look_fingerprint.h"

#include "elements/core/animation_step.h"
#include "elements/core/formula/parse_float.h"
#include "elements/core/tgraph.h"

#include <algorithm>
#include <cctype>
#include <cstring>
#include <limits>
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
    if (!((v >= 1 && v <= 56) || (v >= 100 && v <= 150))) return false;
    // Whole through a double: an 80-bit value's own conversion switches the rounding mode twice.
    const double d = static_cast<double>(v);
    return d == v && d == static_cast<int>(d);
}

// Period 0 never opens: an element that was never told to keep values does not.
std::uint64_t g_keptValuesPeriod = 1;

} // namespace

std::uint64_t KeptValuesPeriod() { return g_keptValuesPeriod; }
void EndKeptValuesPeriod() { ++g_keptValuesPeriod; }

void TGraph::keepValuesThisPeriod() const {
    if (m_lookInputs.valid && !m_lookInputs.drawsRandom) m_keptPeriod = g_keptValuesPeriod;
}

bool TGraph::keptValuesCurrent() const { return m_keptPeriod != g_keptValuesPeriod || lookInputsUnchanged(); }

void TGraph::refreshLookInputs() const {
    LookInputs& in = m_lookInputs;
    if (in.edits == m_edits && in.functions == FunctionRegistryGeneration()) return;
    in.edits = m_edits;
    in.functions = FunctionRegistryGeneration();
    in.valid = false;
    in.drawsRandom = false;
    in.known = true;
    in.fixed.clear();
    const auto addChannel = [&](int channel) {
        if (const int position = SignalPositionOfChannel(channel)) in.fixed.push_back(static_cast<std::uint16_t>(position));
    };
    try {
        if (const int position = visibilityPosition()) in.fixed.push_back(static_cast<std::uint16_t>(position));
    } catch (...) {
    }
    for (int p = 0; p < propertyCount(); ++p) {
        const PropertyValue& v = m_values[static_cast<std::size_t>(p)];
        in.drawsRandom = in.drawsRandom || drawsRandom(v.text.text());
        int channel = 0;
        switch (def(p).kind) {
        case PropKind::IntText:
            if (TryParseInt(v.text.text(), channel)) {
                addChannel(channel);
                break;
            }
            [[fallthrough]];
        case PropKind::IntFormula:
        case PropKind::FloatFormula:
            in.known = v.text.collectInputs(in.fixed) && in.known;
            break;
        case PropKind::PlainInt:
            addChannel(intValue(p));
            break;
        case PropKind::Text:
            if (!v.freeText.isEmpty() && (v.freeText[0].isDigit() || v.freeText[0] == QLatin1Char('-'))) {
                bool ok = false;
                channel = v.freeText.toInt(&ok);
                if (ok) addChannel(channel);
            }
            break;
        case PropKind::Number:
            break;
        }
    }
    std::sort(in.fixed.begin(), in.fixed.end());
    in.fixed.erase(std::unique(in.fixed.begin(), in.fixed.end()), in.fixed.end());
}

std::uint64_t TGraph::evaluatedLook(std::vector<std::uint16_t>* channelsRead) const {
    LookHash hash;
    hash.add(m_edits);
    hash.add(m_current);
    hash.add(m_selected);
    hash.add(m_pressed);
    try {
        hash.add(IsVisible());
    } catch (...) {
        hash.add(kFailed);
    }
    LookInputs& in = m_lookInputs;
    in.values.assign(static_cast<std::size_t>(propertyCount()), 0.0L);
    in.kept.assign(static_cast<std::size_t>(propertyCount()), 0);
    for (int p = 0; p < propertyCount(); ++p) {
        try {
            switch (def(p).kind) {
            case PropKind::IntFormula:
            case PropKind::FloatFormula: {
                const long double v = evaluate(p);
                hash.add(v);
                // Only values computed from signals alone stay good while the signals do.
                if (channelsRead) {
                    in.values[static_cast<std::size_t>(p)] = v;
                    in.kept[static_cast<std::size_t>(p)] = 1;
                }
                // An integer text read through ChannelValue names a channel; a
                // formula that merely comes out whole adds a signal in vain.
                if (isChannel(v)) {
                    const int channel = static_cast<int>(v);
                    hash.add(GetSignal(channel));
                    if (channelsRead) channelsRead->push_back(static_cast<std::uint16_t>(SignalPositionOfChannel(channel)));
                }
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
    return hash.value();
}

bool TGraph::lookInputsUnchanged() const {
    const SignalTable& table = signalTable();
    for (const LookInputs::Input& input : m_lookInputs.inputs)
        if (!SameBits(&table.values[input.position], &input.value)) return false;
    return true;
}

std::uint8_t TGraph::lookFlags() const { return static_cast<std::uint8_t>(m_current | m_selected << 1 | m_pressed << 2); }

LookHash TGraph::lookFingerprint(bool keepValues) const {
    refreshLookInputs();
    LookInputs& in = m_lookInputs;
    if (in.drawsRandom) {
        LookHash hash;
        hash.forceChange();
        return hash;
    }
    const std::uint8_t flags = lookFlags();
    if (!(in.valid && in.flags == flags && lookInputsUnchanged())) {
        // Evaluated afresh, never from what was kept.
        m_keptPeriod = 0;
        ++in.serial;
        std::vector<std::uint16_t>& read = in.fixed;
        const std::size_t fixedCount = read.size();
        in.look = evaluatedLook(in.known ? &read : nullptr);
        in.flags = flags;
        in.valid = in.known;
        in.inputs.clear();
        if (in.known) {
            const SignalTable& table = signalTable();
            for (const std::uint16_t position : read) in.inputs.push_back({position, table[position]});
            read.resize(fixedCount);
        }
    }
    if (keepValues) keepValuesThisPeriod();
    LookHash hash(in.look);
    addLookState(hash);
    return hash;
}

bool TGraph::lookHoldsSince(std::uint32_t serial) const {
    const LookInputs& in = m_lookInputs;
    return in.valid && in.serial == serial && in.edits == m_edits && in.functions == FunctionRegistryGeneration() &&
           in.flags == lookFlags();
}

LookHash TGraph::heldLookFingerprint() const {
    keepValuesThisPeriod();
    LookHash hash(m_lookInputs.look);
    addLookState(hash);
    return hash;
}

void TGraph::addDueStep(LookHash& hash, const AnimationStep& step, int delayProperty) const {
    // No step is taken while editing or stopped: nothing to evaluate.
    if (m_window.designMode() || !m_window.simulationRunning()) return;
    // Asking too often only repaints more; the step itself is taken by Draw.
    guarded([&] {
        if (IsVisible() && step.wouldStep(m_window, evaluate(delayProperty))) hash.forceChange();
    });
}

} // namespace ovanto
