#pragma once

#include "elements/core/animation_step.h"
#include "elements/core/tgraph.h"
#include "elements/display/kept_result.h"
#include "elements/display/process_common.h"

#include <array>
#include <optional>
#include <vector>

namespace ovanto {

class TextMeasure;

// A pump: a circle in the running or stopped colour with a flow arrow.
class TPumpGraph final : public TGraph {
public:
    enum {
        kX = kFirstClassProperty, kY, kW, kInput, kOnValue, kRGBRunning, kRGBStopped, kOrientation, kPropertyEnd
    };

    explicit TPumpGraph(ElementContext& window);
    void Draw(Canvas& canvas) override;

private:
    std::optional<Rect> outlineBox() const override;
};

// A motor: an "M" in a circle, or three turning lines when animated.
class TMotorGraph final : public TGraph {
public:
    enum {
        kX = kFirstClassProperty, kY, kW, kInput, kRGBRunning, kRGBStopped, kAnimated, kDelay, kPropertyEnd
    };

    explicit TMotorGraph(ElementContext& window);
    void Draw(Canvas& canvas) override;
    // The letter of a small motor reaches beyond the circle.
    void GetPaintBounds(Rect& r) override;

    long double phase() const { return m_phase; }

    void addLookState(LookHash& hash) const override {
        hash.add(m_phase);
        if (intValue(kAnimated) == 1) addDueStep(hash, m_step, kDelay);
    }

private:
    static constexpr const char* kLetter = "M";
    std::optional<Rect> outlineBox() const override;
    static int letterSize(int w);
    // Where the letter of a motor at rest goes, as measured.
    static Rect letterBox(TextMeasure& measure, int x, int y, int w);

    AnimationStep m_step;
    long double m_phase = 0;
    KeptSpokes m_spokes;
};

// A conveyor belt over wheels along a tilted axis starting at the wheel centre (x, y).
class TBeltGraph final : public TGraph {
public:
    enum {
        kX = kFirstClassProperty, kY, kW, kH, kInput, kAnimated, kAngle, kDirection, kWheels, kDelay, kColorRect,
        kColorMode, kPropertyEnd
    };

    explicit TBeltGraph(ElementContext& window);
    void Draw(Canvas& canvas) override;

    long double phase() const { return m_phase; }
    // An unbound belt counts as running forward.
    long double drive() const;

    void addLookState(LookHash& hash) const override {
        hash.add(m_phase);
        if (intValue(kAnimated) == 1) addDueStep(hash, m_step, kDelay);
    }

private:
    std::optional<Rect> outlineBox() const override;
    // The wheels and runs, worked out again only when one of their inputs changes.
    const BeltLayout& layout(int x, int y, int w, int h, long double angle, int wheels) const;

    AnimationStep m_step;
    long double m_phase = 0;
    KeptSpokes m_spokes;
    struct LayoutKey {
        std::array<int, 5> at{}; // x, y, w, h, wheels
        KeyNumber angle;
        friend bool operator==(const LayoutKey&, const LayoutKey&) = default;
    };
    mutable KeptResult<LayoutKey, BeltLayout> m_layout;
};

// A belt as a box with stripes that travel.
class TBelt2Graph final : public TGraph {
public:
    enum { kX = kFirstClassProperty, kY, kW, kH, kInput, kDirection, kDelay, kPropertyEnd };

    explicit TBelt2Graph(ElementContext& window);
    void Draw(Canvas& canvas) override;

    int phase() const { return m_phase; }

    void addLookState(LookHash& hash) const override {
        hash.add(m_phase);
        addDueStep(hash, m_step, kDelay);
    }

private:
    std::optional<Rect> outlineBox() const override;

    AnimationStep m_step;
    int m_phase = 0;
};

// Rolls turn in eleven steps; a stripe across the roll shows the turning.
class TRollStepper {
public:
    explicit TRollStepper(ElementContext& window) : m_step(window) {}
    int step() const { return m_value; }
    const AnimationStep& timing() const { return m_step; }
    void advance(ElementContext& window, long double delay, long double v);

private:
    AnimationStep m_step;
    int m_value = 0;
};

class TRollGraph final : public TGraph {
public:
    enum { kX = kFirstClassProperty, kY, kW, kH, kAlpha, kInput, kDirection, kDelay, kAxisWidth, kPropertyEnd };

    explicit TRollGraph(ElementContext& window);
    void Draw(Canvas& canvas) override;

    int rotationStep() const { return m_roll.step(); }

    void addLookState(LookHash& hash) const override {
        hash.add(m_roll.step());
        addDueStep(hash, m_roll.timing(), kDelay);
    }

private:
    std::optional<Rect> outlineBox() const override;

    TRollStepper m_roll;
    // The roll's points, while position, size, angle, axis and step stay.
    struct ShapeKey {
        std::array<int, 7> at{}; // x, y, w, h, axis width, step, turning
        KeyNumber alpha;
        friend bool operator==(const ShapeKey&, const ShapeKey&) = default;
    };
    KeptResult<ShapeKey, RollShape> m_shape;
};

// A row of rolls: horizontal ("HROLLBELT") or stacked ("VROLLBELT").
class TRollBeltGraph : public TGraph {
public:
    enum { kX = kFirstClassProperty, kY, kW, kH, kRolls, kInput, kDirection, kDelay, kAxisWidth, kPropertyEnd };

    void Draw(Canvas& canvas) override;

    int rotationStep() const { return m_roll.step(); }

    void addLookState(LookHash& hash) const override {
        hash.add(m_roll.step());
        addDueStep(hash, m_roll.timing(), kDelay);
    }

protected:
    TRollBeltGraph(ElementContext& window, const ElementSchema& schema, bool horizontal);

private:
    std::optional<Rect> outlineBox() const override;

    bool m_horizontal;
    TRollStepper m_roll;
    // The points of the rolls on the picture, while the row and the step stay.
    struct KeptShapes {
        std::array<long long, 9> key{-1, -1, -1, -1, -1, -1, -1, 1, 0};
        std::vector<std::optional<RollShape>> rolls;
    };
    KeptShapes m_shapes;
};

class THRollBeltGraph final : public TRollBeltGraph {
public:
    explicit THRollBeltGraph(ElementContext& window);
};

class TVRollBeltGraph final : public TRollBeltGraph {
public:
    explicit TVRollBeltGraph(ElementContext& window);
};

// A heating coil that glows in its on colour.
class THeatingGraph final : public TGraph {
public:
    enum { kX = kFirstClassProperty, kY, kW, kH, kInput, kOnValue, kOrientation, kPropertyEnd };

    explicit THeatingGraph(ElementContext& window);
    void Draw(Canvas& canvas) override;

private:
    std::optional<Rect> outlineBox() const override;
};

// A zigzag spring whose length may follow a signal.
class TSpringGraph final : public TGraph {
public:
    enum { kX = kFirstClassProperty, kY, kW, kH, kOrientation, kSections, kPinLength, kPropertyEnd };

    explicit TSpringGraph(ElementContext& window);
    void Draw(Canvas& canvas) override;

private:
    std::optional<Rect> outlineBox() const override;
};

void RegisterDrives();
void RegisterPumpsAndMotors();
void RegisterBelts();
void RegisterRolls();
void RegisterCoils();

} // namespace ovanto
