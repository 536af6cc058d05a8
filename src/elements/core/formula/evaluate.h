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

    long double evaluate(const SignalTable& signalTable) const;
    bool isPlainNumber() const;

private:
    enum class Kind : std::uint8_t { Unprepared, Number, Program, Failed };

    void prepare() const;

    std::string m_text;
    // The cache below is filled on first use and again when the function
    // registry changes, since a registered name changes what compiles.
    mutable Kind m_kind = Kind::Unprepared;
    mutable int m_compileError = 0;
    mutable unsigned m_generation = 0;
    mutable long double m_number = 0.0L;
    mutable std::shared_ptr<const CompiledFormula> m_program; // shared: copies stay cheap
};

} // namespace ovanto
