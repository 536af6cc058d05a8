#pragma once

#include "elements/core/formula/formula.h"
#include "elements/core/formula/signal_table.h"

#include <memory>
#include <string>
#include <string_view>

namespace ovanto {

// The value of a property text: a plain number, or else the text (cut to 255
// characters) as a formula over the signals. Compiles on every call; a
// formula that fails to compile or run gives 0.
long double Evaluate(std::string_view text, const SignalTable& signalTable);

// A property's text with its compiled program kept beside it. evaluate()
// gives exactly what Evaluate(text(), signals) gives, without compiling or
// allocating per call.
class PropertyText {
public:
    PropertyText() = default;
    explicit PropertyText(std::string text);

    const std::string& text() const noexcept { return m_text; }
    void setText(std::string text);

    long double evaluate(const SignalTable& signalTable) const {
        if (m_kind == Kind::Number) return m_number;
        if (m_kind == Kind::Affine && m_generation == formula_detail::g_registryGeneration) {
            const long double v = signalTable.values[m_signal] * m_number + m_offset;
            if (v - v == 0.0L) { // finite; the full run reports the error otherwise
                formula_detail::g_lastError = 0;
                return v;
            }
        }
        return evaluateFormula(signalTable);
    }
    bool isPlainNumber() const;
    // Adds the signal positions evaluate() reads to `out`. False when its
    // value may change while those signals stay (a call of Random, say).
    bool collectInputs(std::vector<std::uint16_t>& out) const;

private:
    // Affine: the program is signal * m_number + m_offset, computed inline.
    enum class Kind : std::uint8_t { Unprepared, Number, Affine, Program, Failed };

    void prepare() const;
    long double evaluateFormula(const SignalTable& signalTable) const;

    std::string m_text;
    // The cache below is filled on first use and again when the function
    // registry changes, since a registered name changes what compiles.
    mutable Kind m_kind = Kind::Unprepared;
    mutable int m_compileError = 0;
    mutable unsigned m_generation = 0;
    mutable std::uint16_t m_signal = 0;
    mutable long double m_number = 0.0L;
    mutable long double m_offset = 0.0L;
    mutable std::shared_ptr<const CompiledFormula> m_program; // shared: copies stay cheap
};

} // namespace ovanto
