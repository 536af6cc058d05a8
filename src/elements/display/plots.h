#pragma once

#include "chart/axis_scale.h"
#include "chart/plot_view.h"
#include "elements/core/tgraph.h"

#include <QRect>
#include <QString>

#include <algorithm>
#include <cmath>
#include <vector>

namespace ovanto {

class Canvas;
class TKXGraphic;

// What the y(t) and x/y plots share: recorded lists, groups of one kind
// that draw into the master's axes, and the chart built for every paint.
class TPlotGraph : public TGraph {
public:
    void Init() override;
    void UpdateOutput() override;
    void Draw(Canvas& canvas) override;
    void GetBounds(Rect& r) override;

    // The first plot of this kind with the same group number (itself when ungrouped).
    TPlotGraph* master() const;
    // The later plots of the master's group, as rebuilt at simulation start and in design mode.
    std::vector<TPlotGraph*> members() const;
    void rebuildMembers();

    const std::vector<float>& xs() const { return m_xs; }
    const std::vector<float>& ys() const { return m_ys; }
    bool hasData() const { return !m_xs.empty(); }
    // Forgets the samples recorded before `start` (the recorder trims its whole group).
    void dropBefore(float start);

    // Draws the master's axes and this plot's curve into a 1 x 1 world on `page`
    // with the plot area 0.8 x 0.8 at (0.1, 0.15); yLow..yHigh fixes the ordinate.
    void DrawInto(Canvas& canvas, const QRect& page, double yHigh, double yLow, bool fixedY, bool onPrinter);
    // A master prints itself and its group on one page after the printer set-up; a member prints nothing.
    bool PrintPlot(QWidget* parent = nullptr);
    // Asks for one file per plot of the group; false when nothing was recorded.
    bool SaveData(QWidget* parent = nullptr);
    // The master's axes and titles with a copy of every curve of the group.
    PlotView view() const;

    // Shows what it recorded.
    LookTraits lookTraits() const override { return {.alwaysDraw = true}; }

protected:
    TPlotGraph(ElementContext& window, const ElementSchema& schema, int group, int drawAxes, int frameWidth,
               int drawGrid);
    std::optional<Rect> outlineBox() const override;
    Rect ownRect() const;

    // Both axes from this (the master's) properties and the group's data.
    virtual void scales(AxisChoice& x, AxisChoice& y) const = 0;
    void scaleAxes(TKXGraphic& chart) const;
    virtual QString xTitle() const = 0;
    virtual QString yTitle() const = 0;
    virtual bool saveOne(QWidget* parent) = 0;
    void drawChart(TKXGraphic& chart, bool grid);
    void curveLook(CanvasPen& pen, int& style) const;
    void styleCurve(TKXGraphic& chart) const;
    void groupRange(bool xValues, double& min, double& max) const;

    void record(float x, float y);
    // min..max of this plot's finite x (or y) values, spread like a series; 0..1 without any
    chart::DataRange ownRange(bool xValues) const;

    std::vector<float> m_xs;
    std::vector<float> m_ys;

private:
    struct Extent {
        float lo = HUGE_VALF;
        float hi = -HUGE_VALF;
        void add(float v) {
            if (!std::isfinite(v)) return;
            lo = std::min(lo, v);
            hi = std::max(hi, v);
        }
    };
    void recomputeExtents();

    Extent m_xExtent;
    Extent m_yExtent;
    int m_group;
    int m_drawAxes;
    int m_frameWidth;
    int m_drawGrid;
    std::vector<int> m_memberRows;
};

// y(t) plot: records one input against the simulation time.
class TYTPlotGraph : public TPlotGraph {
public:
    enum {
        kX = kFirstClassProperty,
        kY,
        kW,
        kH,
        kInput,
        kGroup,
        kDrawAxes,
        kAutoTimeScale,
        kAutoAmpScale,
        kLogAmpScale,
        kTimeMin,
        kTimeMax,
        kAmpMin,
        kAmpMax,
        kFrameWidth,
        kTimeText,
        kAmpText,
        kDrawGrid,
        kRecorderMode,
        kTimeMode,
        kPropertyEnd
    };

    explicit TYTPlotGraph(ElementContext& window);
    void Init() override;
    void UpdateInputs(long double t) override;

    float windowStart() const { return m_windowStart; }
    // Hours since midnight at simulation start (time mode 3).
    void setStartTimeOfDay(double hours) { m_startHours = hours; }

protected:
    void scales(AxisChoice& x, AxisChoice& y) const override;
    QString xTitle() const override { return text(kTimeText); }
    QString yTitle() const override { return text(kAmpText); }
    bool saveOne(QWidget* parent) override;

private:
    void trimRecorder(float length);

    float m_windowStart = 0;
    double m_startHours = 0;
};

// x/y plot: records pairs of two inputs, at most one per UpdateRate.
class TXYPlotGraph : public TPlotGraph {
public:
    enum {
        kX = kFirstClassProperty,
        kY,
        kW,
        kH,
        kXInput,
        kYInput,
        kGroup,
        kDrawAxes,
        kAutoScale,
        kXMin,
        kXMax,
        kYMin,
        kYMax,
        kFrameWidth,
        kXText,
        kYText,
        kDrawGrid,
        kUpdateRate,
        kPropertyEnd
    };

    explicit TXYPlotGraph(ElementContext& window);
    void Init() override;
    void UpdateInputs(long double t) override;

protected:
    void scales(AxisChoice& x, AxisChoice& y) const override;
    QString xTitle() const override { return text(kXText); }
    QString yTitle() const override { return text(kYText); }
    bool saveOne(QWidget* parent) override;

private:
    long double m_lastTime = 0;
};

void RegisterPlots();

} // namespace ovanto
