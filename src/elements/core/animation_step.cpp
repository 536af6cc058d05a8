#include "elements/core/animation_step.h"

#include "elements/core/tgraph.h"
#include "platform/clock.h"

#include <cmath>

namespace ovanto {

AnimationStep::AnimationStep(ElementContext& window) : m_lastStep(window.clock().ticks()) {}

bool AnimationStep::due(ElementContext& window, long double delayMilliseconds) {
    if (window.designMode() || !window.simulationRunning()) return false;
    const std::uint32_t now = window.clock().ticks();
    // Compared in long double, so a huge or non-integral delay needs no conversion.
    const long double delay = std::nearbyint(delayMilliseconds);
    if (!(static_cast<long double>(Clock::elapsed(m_lastStep, now)) > delay)) return false;
    m_lastStep = now;
    return true;
}

int WrapPhase(long long phase, int period) {
    if (period <= 0) return 0;
    const long long r = phase % period;
    return static_cast<int>(r < 0 ? r + period : r);
}

} // namespace ovanto
