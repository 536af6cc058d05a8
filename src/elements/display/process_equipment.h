#pragma once

#include "elements/core/animation_step.h"
#include "elements/core/formula/evaluate.h"
#include "elements/core/tgraph.h"
#include "elements/display/process_common.h"
#include "elements/display/process_geometry.h"
#include "elements/display/process_patterns.h"
#include "platform/picture.h"

#include <array>

namespace ovanto {

class PictureLibrary;

// A vessel standing on its lower left corner, filled to a level; with a
// pattern, the liquid can move or bubble while a run is active.
class TTankGraph final : public TGraph {
public:
    enum {
        kX = kFirstClassProperty, kY, kW, kH, kFillHeight, kFillPattern, kDelay, kShape, kRGBBack, kMove, kAgitator,
        kPropertyEnd
    };

    explicit TTankGraph(ElementContext& window);
    void Draw(Canvas& canvas) override;

    QPoint patternPhase() const { return {m_phaseX, m_phaseY}; }

    void addLookState(LookHash& hash) const override;

private:
    std::optional<Rect> outlineBox() const override;
    void drawVessel(Canvas& canvas, int x, int y, int w, int h);
    void step();

    PatternCopy m_pattern;
    mutable FreeFormula m_back;
    AnimationStep m_step;
    int m_phaseX = 0;
    int m_phaseY = 0;
    // The vessel's inside, walls and agitator, kept while shape and box stay.
    struct Outlines {
        std::array<int, 5> key{};
        bool valid = false;
        VesselOutline inside;
        VesselOutline walls;
        std::optional<Agitator> agitator; // worked out on first use
    };
    const Outlines& outlines(int x, int y, int w, int h);
    const Agitator& agitator(int x, int y, int w, int h);
    Outlines m_outlines;
    // The liquid of the kept interior and the inside above it, while its surface row stays.
    struct Liquid {
        bool valid = false;
        int row = 0;
        std::vector<QPoint> points;
        std::optional<std::vector<QPoint>> above; // none when the cut is not exact
    };
    const Liquid& liquidAt(int row);
    Liquid m_liquid;
};

// A pipe whose pattern travels with the flow. "HPIPE" and "VPIPE" differ only
// in which way the pipe runs.
class TPipeGraph : public TGraph {
public:
    enum {
        kX = kFirstClassProperty, kY, kW, kH, kInput, kDirection, kFillPattern, kStartEnd, kFinishEnd, kDelay,
        kRGBFillMinus, kPropertyEnd
    };

    void Draw(Canvas& canvas) override;
    void LoadFromString(QString& s) override;

    int flowPhase() const { return m_phase; }

    void addLookState(LookHash& hash) const override;

protected:
    TPipeGraph(ElementContext& window, const ElementSchema& schema, bool horizontal);

private:
    std::optional<Rect> outlineBox() const override;
    // The flow; `turbulent` is set for the codes that shake the pattern across the pipe.
    long double flow(bool patterned, bool& turbulent) const;

    bool m_horizontal;
    PatternCopy m_pattern;
    mutable FreeFormula m_fillMinus;
    AnimationStep m_step;
    int m_phase = 0;
};

class THPipeGraph final : public TPipeGraph {
public:
    explicit THPipeGraph(ElementContext& window);
};

class TVPipeGraph final : public TPipeGraph {
public:
    explicit TVPipeGraph(ElementContext& window);
};

// Two-way valve: a bow-tie that is open or closed, or fills from the centre.
class TValveGraph final : public TGraph {
public:
    enum {
        kX = kFirstClassProperty, kY, kW, kH, kInput, kOnValue, kRGBOpen, kRGBClosed, kOrientation, kDisplayMode,
        kPropertyEnd
    };

    explicit TValveGraph(ElementContext& window);
    void Draw(Canvas& canvas) override;
    void LoadFromString(QString& s) override;

private:
    std::optional<Rect> outlineBox() const override;
};

// Three-way valve: three of four branches around the centre, one common port
// and two that switch.
class TValve3Graph final : public TGraph {
public:
    enum {
        kX = kFirstClassProperty, kY, kW, kH, kInput, kOnValue, kRGBOpen, kRGBClosed, kOrientation, kDisplayMode,
        kFixJunction, kPropertyEnd
    };

    explicit TValve3Graph(ElementContext& window);
    void Draw(Canvas& canvas) override;

private:
    std::optional<Rect> outlineBox() const override;
};

// The pneumatic valve symbols, numbered pictures of the built-in library.
// Grid row 3 edits "Input", which the record keeps after "OnValue"; the
// common "LType" stays in the record untouched.
class TPneumaticValveGraph : public TGraph {
public:
    enum { kX = kFirstClassProperty, kY, kW, kH, kOnValue, kMode, kPropertyEnd };

    void InitPropGrid(TextGrid& elementGrid, TextGrid& propGrid, int row, bool withDefaults) override;
    void PropsToGrid(TextGrid& elementGrid, TextGrid& propGrid, int row) override;
    void GridToProps(const TextGrid& elementGrid, const TextGrid& propGrid, int row) override;
    void SaveToString(QString& s) const override;
    void LoadFromString(QString& s) override;
    void Draw(Canvas& canvas) override;

    QString inputText() const { return QString::fromStdString(m_input.text()); }
    void setInputText(const QString& text) { m_input.setText(text.toStdString()); }
    bool isOn() const;
    // The library picture for the current state and mode.
    long long pictureId() const;

    void addLookState(LookHash& hash) const override {
        guarded([&] { hash.add(isOn()); });
    }

protected:
    TPneumaticValveGraph(ElementContext& window, const ElementSchema& schema, int firstPicture);

private:
    std::optional<Rect> outlineBox() const override;

    int m_firstPicture;
    PropertyText m_input;
    Picture m_picture;
    long long m_pictureId = 0;
    const PictureLibrary* m_pictureSource = nullptr;
};

class T32ValveGraph final : public TPneumaticValveGraph {
public:
    explicit T32ValveGraph(ElementContext& window);
};

class T52ValveGraph final : public TPneumaticValveGraph {
public:
    explicit T52ValveGraph(ElementContext& window);
};

// The pictures 657..664 (3/2 and 5/2 valves, off and on, two actuators), drawn here.
QImage DrawPneumaticValvePicture(int id);

// Hydraulic cylinder with a piston and rod that follow a percentage.
class THydCylGraph final : public TGraph {
public:
    enum {
        kX = kFirstClassProperty, kY, kW, kH, kSliderPos, kRGBBack, kOrientation, kRGBSlider, kSliderSize,
        kPropertyEnd
    };

    explicit THydCylGraph(ElementContext& window);
    void Draw(Canvas& canvas) override;

    void addLookState(LookHash& hash) const override;

private:
    std::optional<Rect> outlineBox() const override;
    std::optional<CylinderLayout> layout() const;

    mutable FreeFormula m_back;
    mutable FreeFormula m_slider;
};

// Recolours the region already drawn around (x, y); it must come after the
// elements it paints over.
class TFillColorGraph final : public TGraph {
public:
    enum { kX = kFirstClassProperty, kY, kInput, kOnValue, kOffValue, kMode, kPropertyEnd };

    explicit TFillColorGraph(ElementContext& window);
    void Draw(Canvas& canvas) override;

    TColor fillColor() const;

    // The fill runs to whatever border lies around its point.
    LookTraits lookTraits() const override { return {.readsBack = true, .unbounded = true}; }

private:
    std::optional<Rect> outlineBox() const override;
};
// The 16 x 14 marker shown in design mode.
QImage FillColorMarker();

void RegisterProcessEquipment();
void RegisterTanks();
void RegisterPipes();
void RegisterValves();
void RegisterPneumaticValves();
void RegisterCylinders();
void RegisterFillColor();

} // namespace ovanto
