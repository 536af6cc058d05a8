#pragma once

#include "elements/core/tgraph.h"

namespace ovanto {

// The computer's time of day as text standing on (x, y); signals play no part.
class TTimeGraph final : public TGraph {
public:
    enum { kX = kFirstClassProperty, kY, kSize, kFont, kTimeFormat, kPropertyEnd };

    explicit TTimeGraph(ElementContext& window);
    void Draw(Canvas& canvas) override;
    QString displayText() const;

    // Shows the wall clock.
    LookTraits lookTraits() const override { return {.alwaysDraw = true}; }

private:
    std::optional<Rect> outlineBox() const override;
};

// The computer's date as text standing on (x, y).
class TDateGraph final : public TGraph {
public:
    enum { kX = kFirstClassProperty, kY, kSize, kFont, kDateFormat, kPropertyEnd };

    explicit TDateGraph(ElementContext& window);
    void Draw(Canvas& canvas) override;
    QString displayText() const;

    // Shows the wall clock.
    LookTraits lookTraits() const override { return {.alwaysDraw = true}; }

private:
    std::optional<Rect> outlineBox() const override;
};

void RegisterClockDisplays();

} // namespace ovanto
