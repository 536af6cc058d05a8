#include "sim/plant_model.h"

#include <algorithm>
#include <cmath>

namespace ovanto::sim {
namespace {

double unit(double v) { return std::isfinite(v) ? std::clamp(v, 0.0, 1.0) : 0.0; }

} // namespace

void PlantModel::reset(double level, double temperature) {
    m_volume = std::clamp(level, 0.0, 100.0) / 100.0 * kCapacity;
    m_temperature = temperature;
    m_pumpSpeed = 0;
    m_valvePosition = 0;
    updateFlows();
}

void PlantModel::advance(double dt, const PlantCommands& commands) {
    if (!(dt > 0) || !std::isfinite(dt))
        return;
    const PlantCommands c{unit(commands.pump), unit(commands.valve), unit(commands.heater)};
    const int n = static_cast<int>(std::ceil(std::min(dt, 1e6) / kMaxSubstep));
    const double h = dt / n;
    for (int k = 0; k < n; ++k)
        substep(h, c);
}

// Explicit Euler on
//   pump speed n:   n' = (u_p - n) / kPumpLag
//   valve pos v:    v' = (u_v - v) / kValveLag
//   volume V:       V' = q_in - q_out, q_in = kPumpFlow n, q_out = kDrainFlow v sqrt(V / kCapacity)
//   temperature T:  T' = P u_h / (c m) + q_in (T_in - T) / m - kLossRate (T - T_amb), m = max(V, 5) kg
// With h <= 0.05 s every rate times h stays well below 1, so the steps cannot overshoot.
void PlantModel::substep(double h, const PlantCommands& c) {
    constexpr double kWaterHeat = 4.186; // kJ/(kg K)
    m_pumpSpeed += (c.pump - m_pumpSpeed) * h / kPumpLag;
    m_valvePosition += (c.valve - m_valvePosition) * h / kValveLag;
    updateFlows();
    const double mass = std::max(m_volume, 5.0);
    m_temperature += h * (kHeaterPower * c.heater / (kWaterHeat * mass) + m_inflow * (kInletTemp - m_temperature) / mass -
                          kLossRate * (m_temperature - kAmbientTemp));
    // An overfull tank spills; an empty one delivers nothing.
    m_volume = std::clamp(m_volume + h * (m_inflow - m_outflow), 0.0, kCapacity);
    updateFlows();
}

void PlantModel::updateFlows() {
    m_inflow = kPumpFlow * m_pumpSpeed;
    m_outflow = kDrainFlow * m_valvePosition * std::sqrt(std::max(m_volume, 0.0) / kCapacity);
}

std::array<double, 6> PlantModel::blockInputs() const {
    return {level(), inflow(), outflow(), temperature(), pumpRunning() ? 1.0 : 0.0, valvePosition()};
}

PlantCommands PlantController::commands(double t, const PlantModel& plant) {
    if (plant.level() < 20)
        m_pumpOn = true;
    else if (plant.level() > 80)
        m_pumpOn = false;
    if (plant.temperature() < 30)
        m_heaterOn = true;
    else if (plant.temperature() > 35)
        m_heaterOn = false;
    constexpr double kPi = 3.14159265358979323846;
    return {m_pumpOn ? 1.0 : 0.0, 0.5 + 0.4 * std::sin(2 * kPi * t / 60.0), m_heaterOn ? 1.0 : 0.0};
}

} // namespace ovanto::sim
