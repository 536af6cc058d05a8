#pragma once

#include "chart/kxgraphic.h"

#include <QString>

#include <vector>

namespace ovanto {

// How a plot scales one axis: nicely rounded over low..high, or fixed to it.
// A logarithmic fixed axis whose range qualifies is rounded to decades as well.
struct AxisChoice {
    bool automatic = true;
    bool log = false;
    double low = 0;
    double high = 1;
};

struct PlotCurve {
    std::vector<float> xs;
    std::vector<float> ys;
    CanvasPen pen;
    int style = 0; // the chart's curve style
};

// A plot group as plain data: the master's axes and titles, every curve of
// the group (the master's first). What the analysis dialog draws from.
struct PlotView {
    AxisChoice x;
    AxisChoice y;
    QString xTitle;
    QString yTitle;
    bool drawAxes = true;
    int frameWidth = 1;
    std::vector<PlotCurve> curves;
};

void ApplyAxisChoice(TKXGraphic& chart, TKXGraphic::AxisId axis, const AxisChoice& choice);
// The axes and titles (when the view has them), every curve in its own pen, then the border.
void DrawPlotView(TKXGraphic& chart, const PlotView& view, int yTitleMode = 0);

} // namespace ovanto
