#pragma once

#include "elements/core/tgraph.h"

#include <QPoint>

#include <array>
#include <vector>

namespace ovanto {

// A straight line from (x, y) of length L at Angle (clockwise on screen), with
// optional arrowheads filled in the fill colour.
class TLineGraph : public TGraph {
public:
    enum { kX = kFirstClassProperty, kY, kL, kAngle, kLeftArrow, kRightArrow, kPropertyEnd };

    explicit TLineGraph(ElementContext& window);
    void Draw(Canvas& canvas) override;
    void DrawSelection(Canvas& canvas) override;
    void GetBounds(Rect& r) override;

private:
    void endPoints(QPoint& p0, QPoint& p1) const;
};

// A line between two points, with the same arrowheads.
class TLine2Graph : public TGraph {
public:
    enum { kX1 = kFirstClassProperty, kY1, kX2, kY2, kLeftArrow, kRightArrow, kPropertyEnd };

    explicit TLine2Graph(ElementContext& window);
    void Draw(Canvas& canvas) override;
    void DrawSelection(Canvas& canvas) override;
    void GetBounds(Rect& r) override;
};

// A line whose colour and width switch with a signal; thick horizontal or
// vertical lines may show as a shaded bar.
class TDynLineGraph : public TGraph {
public:
    enum { kX1 = kFirstClassProperty, kY1, kX2, kY2, kInput, kOnValue, kLTypeOff, kStyle3D, kPropertyEnd };

    explicit TDynLineGraph(ElementContext& window);
    void Draw(Canvas& canvas) override;
    void DrawSelection(Canvas& canvas) override;
    void GetBounds(Rect& r) override;

    // The on look needs a bound input at or above OnValue.
    bool isOn() const;

    // Its box follows the line type only once drawn: a paint that widens the
    // line changes the look, and the window finds the box grown.
    void addLookState(LookHash& hash) const override { hash.add(m_lineTypeInEffect); }

private:
    Rect endPointBox() const;

    int m_lineTypeInEffect = 0; // for the bounds: the width of the last look drawn
};

// A box standing on its lower left corner (x, y).
class TRectGraph : public TGraph {
public:
    enum { kX = kFirstClassProperty, kY, kW, kH, kFillPattern, kPropertyEnd };

    explicit TRectGraph(ElementContext& window);
    void Draw(Canvas& canvas) override;

protected:
    TRectGraph(ElementContext& window, const ElementSchema& schema);
    // (x, y - h, x + w, y), not normalised.
    std::optional<Rect> outlineBox() const override { return box(); }
    Rect box() const;
    // Draws the picture; visibleFirst skips even the selection frame when invisible.
    void drawBox(Canvas& canvas, bool visibleFirst);
    // One pass of the shape; the fill pattern repeats it with the hatch brush.
    virtual void drawShape(Canvas& canvas, const Rect& box);
    virtual void drawOver(Canvas&, const Rect&) {}
};

class TRoundRectGraph final : public TRectGraph {
public:
    explicit TRoundRectGraph(ElementContext& window);
    void Draw(Canvas& canvas) override;

protected:
    void drawShape(Canvas& canvas, const Rect& box) override;
};

class TShadowRectGraph final : public TRectGraph {
public:
    explicit TShadowRectGraph(ElementContext& window);
    void Draw(Canvas& canvas) override;
    // The sunken edge runs two pixels inside the box: on a box thinner than
    // that it lies outside, and its two-pixel pen one more.
    void GetPaintBounds(Rect& r) override {
        GetBounds(r);
        if (r != kNoBounds) r = r.inflated(3);
    }

protected:
    void drawOver(Canvas& canvas, const Rect& box) override;
};

class TEllipseGraph final : public TRectGraph {
public:
    explicit TEllipseGraph(ElementContext& window);
    void Draw(Canvas& canvas) override;

protected:
    void drawShape(Canvas& canvas, const Rect& box) override;
};

class TCircleGraph final : public TGraph {
public:
    enum { kXM = kFirstClassProperty, kYM, kR, kFillPattern, kPropertyEnd };

    explicit TCircleGraph(ElementContext& window);
    void Draw(Canvas& canvas) override;

private:
    std::optional<Rect> outlineBox() const override { return box(); }
    Rect box() const;
};

// A ring sector around (x, y) between radii r1 and r2, from Alpha to Beta
// (counter-clockwise on screen).
class TArcGraph final : public TGraph {
public:
    enum { kX = kFirstClassProperty, kY, kR1, kR2, kAlpha, kBeta, kFillPattern, kPropertyEnd };

    explicit TArcGraph(ElementContext& window);
    void Draw(Canvas& canvas) override;
    void GetPaintBounds(Rect& r) override;

private:
    std::optional<Rect> outlineBox() const override;
    std::vector<QPoint> outline() const;
};

// A parallelogram with corner (x, y), side w at Alpha and side h at Alpha + Beta.
class TParallGraph final : public TGraph {
public:
    enum { kX = kFirstClassProperty, kY, kW, kH, kAlpha, kBeta, kFillPattern, kPropertyEnd };

    explicit TParallGraph(ElementContext& window);
    void Draw(Canvas& canvas) override;
    void GetPaintBounds(Rect& r) override;

private:
    std::optional<Rect> outlineBox() const override;
    std::array<QPoint, 4> corners() const;
};

class TTriangleGraph : public TGraph {
public:
    enum { kX1 = kFirstClassProperty, kY1, kX2, kY2, kX3, kY3, kFillPattern, kPropertyEnd };

    explicit TTriangleGraph(ElementContext& window);
    void Draw(Canvas& canvas) override;
    // The box runs through the outline's corners: a wide pen paints beyond it.
    void GetPaintBounds(Rect& r) override;

protected:
    std::optional<Rect> outlineBox() const override;
    TTriangleGraph(ElementContext& window, const ElementSchema& schema);
    std::array<QPoint, 3> corners() const;
};

// The triangle's three points as an open line; its fill pattern is kept but not drawn.
class TPolyLineGraph final : public TTriangleGraph {
public:
    explicit TPolyLineGraph(ElementContext& window);
    void Draw(Canvas& canvas) override;
};

void RegisterBasicShapes();
// Each file of the family registers its own classes beside their schemas.
void RegisterLines();
void RegisterRectangles();
void RegisterPolygons();

} // namespace ovanto
