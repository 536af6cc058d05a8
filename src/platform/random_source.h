#pragma once

#include "platform/injectable.h"

#include <cstddef>
#include <random>
#include <vector>

namespace ovanto {

// Random numbers for animations (bubbling liquids, turbulent flow). Tests
// install a SequenceRandom so that every picture is reproducible.
class RandomSource : public Injectable<RandomSource> {
public:
    virtual ~RandomSource() = default;
    // Uniform in [0, 1).
    virtual double next() = 0;

    // 0..n-1; 0 when n < 1.
    int below(int n);

    static RandomSource& instance();
};

// The default: a Mersenne twister seeded once per process.
class SeededRandom final : public RandomSource {
public:
    explicit SeededRandom(unsigned seed);
    double next() override;

private:
    std::mt19937 m_engine;
};

// Answers the given values in turn and starts again after the last; values
// outside [0, 1) are clamped into it.
class SequenceRandom final : public RandomSource {
public:
    explicit SequenceRandom(std::vector<double> values) : m_values(std::move(values)) {}
    double next() override;
    std::size_t calls() const { return m_calls; }

private:
    std::vector<double> m_values;
    std::size_t m_calls = 0;
};

} // namespace ovanto
