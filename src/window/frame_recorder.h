#pragma once

class QImage;

namespace ovanto {

// An element that writes the window's picture to numbered files while a
// simulation runs. The window offers it each finished frame.
class FrameRecorder {
public:
    virtual ~FrameRecorder() = default;
    // Advances the recorder's time by one step and writes the frame when its interval has passed.
    virtual void recordFrame(const QImage& frame, long double stepSize) = 0;
};

} // namespace ovanto
