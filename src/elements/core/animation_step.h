#pragma once

#include <cstdint>

namespace ovanto {

class ElementContext;

// When an animated element may take its next step: at most once per paint,
// only outside design mode while a run is active, and only when more than
// the delay has passed since the last step. The tick of the last step starts
// at construction.
class AnimationStep {
public:
    explicit AnimationStep(ElementContext& window);

    // Call once per paint. A negative delay steps on every paint; a delay that
    // is not a number never steps. True means: advance the phase once now.
    bool due(ElementContext& window, long double delayMilliseconds);
    // Whether due would answer true now, without taking the step.
    bool wouldStep(ElementContext& window, long double delayMilliseconds) const;

private:
    bool dueAt(const ElementContext& window, long double delayMilliseconds, std::uint32_t now) const;

    std::uint32_t m_lastStep;
};

// A phase that runs round 0..period-1 in steps of any size.
int WrapPhase(long long phase, int period);

} // namespace ovanto
