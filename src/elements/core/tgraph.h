#pragma once

#include "elements/core/element_context.h"
#include "elements/core/look_fingerprint.h"
#include "elements/core/property_schema.h"
#include "elements/core/rect.h"

#include <QString>

#include <cstdint>
#include <string>
#include <optional>
#include <vector>

namespace ovanto {

class AnimationStep;
class Canvas;
class TextGrid;

// The base of every element. The virtual operations keep the order of the
// element protocol (slot 0 is the constructor).
class TGraph {
public:
    // The six properties every element has, in grid-row and record order.
    enum CommonProperty { kRGBStroke, kRGBFill, kLType, kCIn, kCInMin, kCInMax, kFirstClassProperty };

    static constexpr long double kNoChannel = -99999.0L;

    // The schema carries the keyword, the class rows and the relabelled common captions.
    TGraph(ElementContext& window, const ElementSchema& schema);
    virtual ~TGraph();
    TGraph(const TGraph&) = delete;
    TGraph& operator=(const TGraph&) = delete;

    // Slots 1..5: property grid and record.
    virtual void InitPropGrid(TextGrid& elementGrid, TextGrid& propGrid, int row, bool withDefaults);
    virtual void PropsToGrid(TextGrid& elementGrid, TextGrid& propGrid, int row);
    virtual void GridToProps(const TextGrid& elementGrid, const TextGrid& propGrid, int row);
    virtual void SaveToString(QString& s) const;
    virtual void LoadFromString(QString& s);
    // Slots 6..8. The base DrawSelection frames outlineBox().
    virtual void DrawSelection(Canvas& canvas);
    virtual void Draw(Canvas& canvas);
    virtual void UpdateOutput() {}
    // Slots 9..12: mouse.
    virtual void MouseDown(int x, int y);
    virtual void DragMove(int x, int y);
    virtual void MouseMove(int, int) {}
    virtual void MouseUp(int x, int y);
    // Slots 13..15: geometry.
    virtual bool CanMove() const;
    virtual void SetBounds(const Rect& r);
    // The base answers outlineBox(), or (-1, -1, 0, 0) when it cannot be evaluated.
    virtual void GetBounds(Rect& r);
    // Slots 16..23: simulation and keys.
    virtual void Init() {}
    virtual void UpdateInputs(long double) {}
    virtual bool DependsOnInputs() const { return true; }
    virtual void KeyDown(int) {}
    virtual void KeyUp(int) {}
    virtual void DescribeOutput(QString& s) const { s.clear(); }
    virtual void SimulationStart() {}
    virtual void SimulationEnd() {}

    // Shared non-virtual operations.
    bool IsVisible() const;
    void PrepareCanvas(Canvas& canvas);
    void DrawSelectionFrame(Canvas& canvas);
    long double GetSignal(int channel) const;
    long double ChannelValue(const QString& text) const;
    long double ChannelValue(int property) const;
    bool IsLibraryBitmap(QString& fileName) const;

    // Repainting only what changed (look_fingerprint.cpp). The hash covers the
    // evaluated properties, the visibility, the flags and the texts' edits;
    // kinds with state of their own (phases, frames, recorded data) add it in
    // addLookState, and must not change it there.
    virtual LookTraits lookTraits() const { return {}; }
    // Where Draw may paint: the box and the schema's spill, unless a kind works it out itself.
    virtual void GetPaintBounds(Rect& r) {
        GetBounds(r);
        if (m_schema.paintSpill != 0 && r != kNoBounds) r = r.inflated(m_schema.paintSpill);
    }
    virtual void addLookState(LookHash&) const {}
    // keepValues: as keepValuesThisPeriod, already for addLookState.
    LookHash lookFingerprint(bool keepValues = false) const;
    // The look of fingerprint number lookSerial() still holds unless a signal
    // in lookInputsRead() changed: it was taken from signals alone, and no
    // text, function or flag changed since.
    bool lookHoldsSince(std::uint32_t serial) const;
    std::uint32_t lookSerial() const { return m_lookInputs.serial; }
    const std::vector<LookInputs::Input>& lookInputsRead() const { return m_lookInputs.inputs; }
    // The fingerprint of a look that holds, from what was kept; values are kept as by keepValuesThisPeriod.
    LookHash heldLookFingerprint() const;
    // False for kinds that add nothing in addLookState: a look that holds is their whole fingerprint.
    bool hasLookState() const { return m_hasLookState; }
    void markWithoutLookState() { m_hasLookState = false; }
    // After a fingerprint whose formulas read nothing but signals: until the current
    // kept-values period ends, evaluate answers from the values the look was taken from.
    void keepValuesThisPeriod() const;
    // False when values kept this period no longer match the signals they were taken from.
    bool keptValuesCurrent() const;

    // The class's rows after the six common ones.
    const ElementSchema& schema() const { return m_schema; }

    const QString& Keyword() const { return m_keyword; }
    const QString& Comment() const { return m_comment; }
    void setComment(const QString& comment) { m_comment = comment; }

    bool isCurrent() const { return m_current; }
    void setCurrent(bool current) { m_current = current; }
    bool isSelected() const { return m_selected; }
    void setSelected(bool selected) { m_selected = selected; }
    bool isPressed() const { return m_pressed; }

    // Property access by index (kRGBStroke.. then the class's rows).
    int propertyCount() const { return static_cast<int>(m_values.size()); }
    const PropertyDef& propertyDef(int property) const;
    QString text(int property) const;      // as the grid and the record show it
    // A Text kind's text, uncopied: free formulas compare it at every paint.
    const QString& freeText(int property) const { return m_values[static_cast<std::size_t>(property)].freeText; }
    // No validation: constructors, readers, tests, SetBounds.
    void setText(int property, const QString& text);
    void setText(int property, QStringView text);
    void setText(int property, const char* text); // UTF-8, as the schema tables are written
    void setText(int property, std::string text);
    long double evaluate(int property) const;        // a formula property's value
    int evaluateInt(int property) const;             // rounded, ties to even; raises when not an int
    int intValue(int property) const;                // PlainInt kinds
    long double number(int property) const;          // Number kinds
    int lineType() const { return static_cast<int16_t>(intValue(kLType)); }

    ElementContext& window() const { return m_window; }
    SignalTable& signalTable() const { return m_window.signalTable(); }

protected:
    // The box the element covers, from its evaluated properties; it may raise.
    // Elements without geometry have none; line-like ones add their pen margins themselves.
    virtual std::optional<Rect> outlineBox() const { return std::nullopt; }

    // A property that does not evaluate ends the step silently; what was drawn stays.
    template <class Step>
    static void guarded(Step step) noexcept {
        try {
            step();
        } catch (...) {
        }
    }
    // The common drawing order: pen, brush and the selection frame first, then
    // the shape when visible.
    template <class Shape>
    void drawIfVisible(Canvas& canvas, Shape shape) {
        TGraph::Draw(canvas);
        guarded([&] {
            if (IsVisible()) shape();
        });
    }
    // Visibility first: an invisible element draws not even its selection frame.
    template <class Shape>
    void drawOnlyVisible(Canvas& canvas, Shape shape) {
        bool visible = false;
        guarded([&] { visible = IsVisible(); });
        if (!visible) return;
        TGraph::Draw(canvas);
        guarded(shape);
    }

    // For addLookState: a step that would be taken at this paint changes the look.
    void addDueStep(LookHash& hash, const AnimationStep& step, int delayProperty) const;
    // Draws the selection frame around r in design mode (DrawSelection's common tail).
    void drawSelectionAround(Canvas& canvas, const Rect& r);
    // Remembers r as the last bounds and returns it in out; a throwing computation gives no bounds.
    template <class Compute>
    void boundsFrom(Rect& out, Compute compute) {
        try {
            out = compute();
        } catch (...) {
            out = kNoBounds;
        }
        m_lastBounds = out;
    }
    const Rect& lastBounds() const { return m_lastBounds; }
    Rect& selectionRect() { return m_selectionRect; }

private:
    const PropertyDef& def(int property) const;
    // The signal the visibility reads, 0 for none; it may raise.
    int visibilityPosition() const;
    // Look fingerprints (look_fingerprint.cpp).
    void refreshLookInputs() const;
    std::uint64_t evaluatedLook(std::vector<std::uint16_t>* channelsRead) const;
    bool lookInputsUnchanged() const;
    std::uint8_t lookFlags() const;
    void readField(int property, QStringView field);
    QString recordField(int property) const;

    ElementContext& m_window;
    const ElementSchema& m_schema;
    QString m_keyword;
    QString m_comment;
    std::vector<PropertyValue> m_values;
    bool m_current = false;
    bool m_selected = false;
    bool m_pressed = false;
    Rect m_selectionRect;
    Rect m_lastBounds = kNoBounds;
    int m_lastMouseX = 0;
    int m_lastMouseY = 0;
    // Counts the property writes, so that texts need not be hashed.
    std::uint64_t m_edits = 0;
    mutable LookInputs m_lookInputs;
    mutable std::uint64_t m_keptPeriod = 0;
    bool m_hasLookState = true;
};

// The signal table position of an input channel, 0 when it names none.
int SignalPositionOfChannel(int channel);

// Pen style and width for a line type: 0 no line, -1..-4 dash styles, any
// other value a solid pen of that width.
void ApplyLineType(Canvas& canvas, int lineType);

// The base of the elements a user operates or that bind an input channel.
class TControlGraph : public TGraph {
public:
    using TGraph::TGraph;
    bool DependsOnInputs() const override;
};

} // namespace ovanto
