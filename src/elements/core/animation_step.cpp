#include "elements/core/animation_step.h"

#include "elements/core/tgraph.h"
#include "platform/clock.h"

#include <cmath>

namespace ovanto {

AnimationStep::AnimationStep(ElementContext& window) : m_lastStep(window.clock().ticks()) {}

bool AnimationStep::due(ElementContext& window, long double delayMilliseconds) {
    const std::uint32_t now = window.clock().ticks();
    if (!dueAt(window, delayMilliseconds, now)) return false;
    m_lastStep = now;
    return true;
}

bool AnimationStep::wouldStep(ElementContext& window, long double delayMilliseconds) const {
    // The clock only when a step could be due: most windows ask at every paint.
    if (window.designMode() || !window.simulationRunning()) return false;
    return dueAt(window, delayMilliseconds, window.clock().ticks());
}

bool AnimationStep::dueAt(const ElementContext& window, long double delayMilliseconds, std::uint32_t now) const {
    if (window.designMode() || !window.simulationRunning()) return false;
    // Compared in long double, so a huge or non-integral delay needs no conversion.
    const long double delay = std::nearbyint(delayMilliseconds);
    return static_cast<long double>(Clock::elapsed(m_lastStep, now)) > delay;
}

int WrapPhase(long long phase, int period) {
    if (period <= 0) return 0;
    const long long r = phase % period;
    return static_cast<int>(r < 0 ? r + period : r);
}

} // namespace ovanto
