#pragma once

#include "elements/core/formula/evaluate.h"
#include "elements/core/tgraph.h"

namespace ovanto {

// The lamps and the light barrier show their "Input" in grid row 3, where
// other elements have LType; LType stays in the record with its default,
// and "Input" is written after "OnValue", before the last field.
class RowThreeInput {
public:
    QString text() const { return QString::fromStdString(m_text.text()); }
    void setText(const QString& text) { m_text.setText(text.toStdString()); }
    // A channel number reads that channel (-99999 for none); anything else is evaluated.
    long double value(const TGraph& owner) const;

    void initPropGrid(TextGrid& propGrid, bool withDefaults) const;
    void propsToGrid(TextGrid& propGrid) const;
    // Validates row 3, then the owner's other rows with LType standing in row 3.
    void gridToProps(TGraph& owner, const TextGrid& elementGrid, const TextGrid& propGrid, int row);
    void save(QString& record) const;
    // Takes the field out of the record (the fields after the keyword), so
    // that the owner reads the rest in schema order.
    void take(QString& fields, int classFieldsBefore);

private:
    PropertyText m_text{"1"};
};

// A round lamp: lit in the fill colour while the input reaches OnValue.
class TLEDGraph : public TGraph {
public:
    enum { kX = kFirstClassProperty, kY, kOnValue, kOffAtSimEnd, kPropertyEnd };

    explicit TLEDGraph(ElementContext& window);
    void InitPropGrid(TextGrid& elementGrid, TextGrid& propGrid, int row, bool withDefaults) override;
    void PropsToGrid(TextGrid& elementGrid, TextGrid& propGrid, int row) override;
    void GridToProps(const TextGrid& elementGrid, const TextGrid& propGrid, int row) override;
    void SaveToString(QString& s) const override;
    void LoadFromString(QString& s) override;
    void Draw(Canvas& canvas) override;
    void SimulationStart() override;
    void SimulationEnd() override;

    RowThreeInput& input() { return m_input; }
    bool isLit() const;

    // The lamp is filled from a seed inside its picture.
    LookTraits lookTraits() const override { return {.readsBack = true}; }
    void addLookState(LookHash& hash) const override {
        hash.add(m_forcedOff);
        guarded([&] { hash.add(m_input.value(*this)); });
    }

protected:
    TLEDGraph(ElementContext& window, const ElementSchema& schema, bool rectangular);

private:
    std::optional<Rect> outlineBox() const override;

    RowThreeInput m_input;
    bool m_rectangular = false;
    bool m_forcedOff = false;
};

// The same lamp, square.
class TRectLEDGraph final : public TLEDGraph {
public:
    explicit TRectLEDGraph(ElementContext& window);
};

// A light barrier: emitter, beam and receiver; beam and receiver light up
// while the input reaches OnValue.
class TPhotoSensorGraph final : public TGraph {
public:
    enum { kX = kFirstClassProperty, kY, kW, kH, kOnValue, kDirection, kPropertyEnd };

    explicit TPhotoSensorGraph(ElementContext& window);
    void InitPropGrid(TextGrid& elementGrid, TextGrid& propGrid, int row, bool withDefaults) override;
    void PropsToGrid(TextGrid& elementGrid, TextGrid& propGrid, int row) override;
    void GridToProps(const TextGrid& elementGrid, const TextGrid& propGrid, int row) override;
    void SaveToString(QString& s) const override;
    void LoadFromString(QString& s) override;
    void Draw(Canvas& canvas) override;

    RowThreeInput& input() { return m_input; }

    void addLookState(LookHash& hash) const override {
        guarded([&] { hash.add(m_input.value(*this)); });
    }

    // The emitter's half disc reaches past the box in some directions.
    void GetPaintBounds(Rect& r) override;

private:
    std::optional<Rect> outlineBox() const override;

    RowThreeInput m_input;
};

void RegisterLamps();

} // namespace ovanto
