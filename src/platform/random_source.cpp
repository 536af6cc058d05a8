#include "platform/random_source.h"

#include <algorithm>
#include <cmath>

namespace ovanto {

int RandomSource::below(int n) {
    if (n < 1) return 0;
    return std::clamp(static_cast<int>(next() * n), 0, n - 1);
}

RandomSource& RandomSource::instance() {
    if (RandomSource* source = installed()) return *source;
    static SeededRandom seeded{std::random_device{}()};
    return seeded;
}

SeededRandom::SeededRandom(unsigned seed) : m_engine(seed) {}

double SeededRandom::next() { return std::uniform_real_distribution<double>(0.0, 1.0)(m_engine); }

double SequenceRandom::next() {
    if (m_values.empty()) return 0.0;
    const double v = m_values[m_calls++ % m_values.size()];
    if (!(v >= 0.0)) return 0.0;
    return std::min(v, std::nextafter(1.0, 0.0));
}

} // namespace ovanto
