#include "elements/core/formula/evaluate.h"

#include "elements/core/formula/parse_float.h"

namespace ovanto {
namespace {

std::string_view compilable(std::string_view text) {
    return text.substr(0, static_cast<std::size_t>(kMaxFormulaLength));
}

} // namespace

long double Evaluate(std::string_view text, const SignalTable& signalTable) {
    long double value = 0.0L;
    if (TryParseFloat(text, value)) return value;
    CompiledFormula program;
    if (!CompileFormula(compilable(text), program)) return 0.0L;
    return formula_detail::runValue(program, signalTable, false);
}

PropertyText::PropertyText(std::string text) : m_text(std::move(text)) {}

// Compiled on first use: a loaded file or a constructor default that is
// replaced before it is drawn never costs a compile.
void PropertyText::setText(std::string text) {
    if (text == m_text) return;
    m_text = std::move(text);
    m_kind = Kind::Unprepared;
}

namespace {

// Programs are compiled here and copied to the heap only when they are kept:
// a program has room for the longest source, and most texts are plain numbers
// or affine, which need none.
CompiledFormula& compileBuffer() {
    static CompiledFormula buffer;
    return buffer;
}

// Preparing is not an evaluation: the process-wide error code is left as it
// was and set by evaluate() instead.
bool compileQuietly(const std::string& text, CompiledFormula& program, int& compileError) {
    const int lastError = LastFormulaError();
    const bool compiled = CompileFormula(compilable(text), program);
    compileError = LastFormulaError();
    SetLastFormulaError(lastError);
    return compiled;
}

} // namespace

void PropertyText::prepare() const {
    m_generation = FunctionRegistryGeneration();
    m_program.reset();
    if (TryParseFloat(m_text, m_number)) {
        m_kind = Kind::Number;
        return;
    }
    m_number = 0.0L;
    CompiledFormula& program = compileBuffer();
    int compileError = 0;
    if (compileQuietly(m_text, program, compileError)) {
        m_kind = Kind::Program;
        m_compileError = 0;
        int signal = 0;
        if (program.isAffine(signal, m_number, m_offset)) {
            m_kind = Kind::Affine;
            m_signal = static_cast<std::uint16_t>(signal);
            return;
        }
        m_program = std::make_shared<CompiledFormula>(program);
    } else {
        m_kind = Kind::Failed;
        m_compileError = compileError;
    }
}

long double PropertyText::evaluateFormula(const SignalTable& signalTable) const {
    if (m_kind == Kind::Unprepared || m_generation != FunctionRegistryGeneration()) prepare();
    if (m_kind == Kind::Program) return formula_detail::runValue(*m_program, signalTable, false);
    if (m_kind == Kind::Affine) {
        // Only when the inline result is not finite: the full run reports the error.
        CompiledFormula& program = compileBuffer();
        int compileError = 0;
        compileQuietly(m_text, program, compileError);
        return formula_detail::runValue(program, signalTable, false);
    }
    if (m_kind == Kind::Number) return m_number;
    SetLastFormulaError(m_compileError);
    return 0.0L;
}

bool PropertyText::collectInputs(std::vector<std::uint16_t>& out) const {
    if (m_kind == Kind::Unprepared || m_generation != FunctionRegistryGeneration()) prepare();
    if (m_kind == Kind::Affine) out.push_back(m_signal);
    if (m_kind == Kind::Program) return m_program->collectInputs(out);
    return true;
}

bool PropertyText::isPlainNumber() const {
    if (m_kind == Kind::Unprepared) prepare();
    return m_kind == Kind::Number;
}

} // namespace ovanto
