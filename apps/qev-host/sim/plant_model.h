#pragma once

// A small process for the reference host to drive: a tank filled by a pump
// and drained through a valve, with a heater. Plain C++, no Qt.

#include <array>

namespace ovanto::sim {

// Commands from the block's outputs, each 0..1 (clamped on use).
struct PlantCommands {
    double pump = 0;   // o1: pump speed
    double valve = 0;  // o2: valve opening
    double heater = 0; // o3: heater power
};

class PlantModel {
public:
    // Tank of 100 l, pump up to 2 l/s, drain up to 2.5 l/s at a full tank,
    // heater up to 100 kW, inflow at 15 degC, ambient 20 degC.
    static constexpr double kCapacity = 100.0;   // l
    static constexpr double kPumpFlow = 2.0;     // l/s at full speed
    static constexpr double kDrainFlow = 2.5;    // l/s, valve open, tank full
    static constexpr double kHeaterPower = 100.0; // kW
    static constexpr double kInletTemp = 15.0;   // degC
    static constexpr double kAmbientTemp = 20.0; // degC
    static constexpr double kLossRate = 0.002;   // 1/s, heat loss to ambient
    static constexpr double kPumpLag = 2.0;      // s
    static constexpr double kValveLag = 3.0;     // s
    static constexpr double kMaxSubstep = 0.05;  // s, keeps the Euler steps stable

    PlantModel() { reset(); }
    void reset(double level = 30.0, double temperature = 20.0);

    // Advances by dt seconds (split into sub-steps of at most kMaxSubstep).
    void advance(double dt, const PlantCommands& commands);

    double level() const { return m_volume / kCapacity * 100.0; } // %
    double inflow() const { return m_inflow; }                     // l/s
    double outflow() const { return m_outflow; }                   // l/s
    double temperature() const { return m_temperature; }           // degC
    bool pumpRunning() const { return m_pumpSpeed > 0.05; }
    double valvePosition() const { return m_valvePosition; }        // 0..1

    // The block inputs i1..i6: level %, inflow, outflow, temperature, pump running, valve position.
    std::array<double, 6> blockInputs() const;

private:
    void substep(double dt, const PlantCommands& c);
    void updateFlows();

    double m_volume = 0;
    double m_temperature = 0;
    double m_pumpSpeed = 0;
    double m_valvePosition = 0;
    double m_inflow = 0;
    double m_outflow = 0;
};

// Stands in for the operator when the picture has no operating elements:
// two-point level and temperature control, and a valve that opens and closes
// slowly so the level keeps moving.
class PlantController {
public:
    PlantCommands commands(double t, const PlantModel& plant);
    void reset() { m_pumpOn = true; m_heaterOn = false; }

private:
    bool m_pumpOn = true;
    bool m_heaterOn = false;
};

} // namespace ovanto::sim
