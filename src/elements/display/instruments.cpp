#include "elements/display/instruments.h"

namespace ovanto {

void RegisterInstruments() {
    RegisterMeasuringPoints();
    RegisterMeters();
    RegisterThermometer();
    RegisterScales();
    RegisterBars();
    RegisterBarGraphs();
    RegisterProgressBar();
}

} // namespace ovanto
