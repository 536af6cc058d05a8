#pragma once

namespace ovanto {

// The measuring instruments: meters, bars, bar graphs, thermometer, scales,
// measuring points and the progress bar. Each file registers its own classes.
void RegisterInstruments();

void RegisterMeters();
void RegisterBars();
void RegisterBarGraphs();
void RegisterThermometer();
void RegisterScales();
void RegisterMeasuringPoints();
void RegisterProgressBar();

} // namespace ovanto
