#include "chart/plot_view.h"

namespace ovanto {

void ApplyAxisChoice(TKXGraphic& chart, TKXGraphic::AxisId axis, const AxisChoice& choice) {
    const bool isX = axis == TKXGraphic::AxisId::X;
    chart.SetLog(axis, choice.log);
    if (choice.automatic || (choice.log && chart::QualifiesLog(choice.low, choice.high))) {
        if (isX) chart.AutoScaleXRange(choice.low, choice.high);
        else chart.AutoScaleYRange(choice.low, choice.high);
    } else if (isX) {
        chart.SetXRange(true, 0, 0, choice.low, choice.high);
    } else {
        chart.SetYRange(true, 0, 0, choice.low, choice.high);
    }
}

void DrawPlotView(TKXGraphic& chart, const PlotView& view, int yTitleMode) {
    if (view.drawAxes) {
        chart.DrawXAxis(view.xTitle, 3);
        chart.DrawYAxis(view.yTitle, 1, yTitleMode);
    }
    for (const PlotCurve& c : view.curves) {
        chart.SetCurvePen(c.pen);
        chart.SetCurveStyle(c.style);
        chart.DrawCurve(c.xs, c.ys);
    }
    if (view.drawAxes && view.frameWidth > 0) chart.DrawBorder(view.frameWidth);
}

} // namespace ovanto
