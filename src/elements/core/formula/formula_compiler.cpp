#include "elements/core/formula/formula.h"
#include "elements/core/formula/formula_ops_p.h"
#include "elements/core/formula/parse_float_p.h"
#include "elements/core/formula/variable_names.h"

#include <algorithm>
#include <array>
#include <cassert>
#include <cmath>

namespace ovanto {
namespace formula_detail {
namespace {

using namespace formula_error;

// What a token is, for the rule of which token may follow which.
enum class Token : std::uint8_t { Start, Operand, Function, Operator, Open, Close, Sign };

constexpr bool mayFollow(Token previous, Token next) {
    switch (previous) {
    case Token::Operand:
    case Token::Close: return next == Token::Operator || next == Token::Close;
    case Token::Function: return next == Token::Open;
    case Token::Open: return next != Token::Operator && next != Token::Close;
    case Token::Start:
    case Token::Operator:
    case Token::Sign: return next == Token::Operand || next == Token::Function || next == Token::Open;
    }
    return false;
}

// Built-in names packed into one integer each (at most four letters), so a
// name is matched with integer compares.
constexpr std::uint32_t packName(std::string_view name) {
    std::uint32_t key = 0;
    for (char c : name) key = key << 8 | static_cast<unsigned char>(c);
    return key;
}

// The built-in function a packed name stands for, or End for none.
Op builtinFunction(std::uint32_t key) {
    switch (key) {
    case packName("LN"): return Op::Ln;
    case packName("SQR"): return Op::Sqr;
    case packName("EXP"): return Op::Exp;
    case packName("SIN"): return Op::Sin;
    case packName("COS"): return Op::Cos;
    case packName("TAN"): return Op::Tan;
    case packName("LOG"): return Op::Log;
    case packName("ABS"): return Op::Abs;
    case packName("INT"): return Op::Int;
    case packName("SQRT"): return Op::Sqrt;
    case packName("ASIN"): return Op::Asin;
    case packName("ACOS"): return Op::Acos;
    case packName("ATAN"): return Op::Atan;
    case packName("SINH"): return Op::Sinh;
    case packName("COSH"): return Op::Cosh;
    case packName("TANH"): return Op::Tanh;
    case packName("FRAC"): return Op::Frac;
    case packName("SIGN"): return Op::Sign;
    default: return Op::End;
    }
}
constexpr std::uint32_t kPiKey = packName("PI");

bool isDigit(char c) { return c >= '0' && c <= '9'; }
bool isLetter(char c) { return c >= 'A' && c <= 'Z'; }
char upper(char c) { return (c >= 'a' && c <= 'z') ? static_cast<char>(c - 'a' + 'A') : c; }

bool isBinaryBase(Op op) {
    return op == Op::AddS || op == Op::SubS || op == Op::MulS || op == Op::DivS || op == Op::PowS;
}
bool isCommutative(Op base) { return base == Op::AddS || base == Op::MulS; }
bool isOp(const Instruction& in, Op op) { return in.op == static_cast<std::uint8_t>(op); }
bool isLoad(const Instruction& in) { return isOp(in, Op::LoadConst) || isOp(in, Op::LoadSignal); }

// Bytes a number takes in the compact form whose 255-byte limit we keep.
// `digitsOnly` spares the slow x87 truncation for plain integers.
int numberBytes(long double v, bool digitsOnly) {
    if (v > 2147483647.0L || (!digitsOnly && v != std::trunc(v))) return 11;
    if (v <= 255.0L) return 2;
    if (v <= 65535.0L) return 3;
    return 5;
}

constexpr int kMaxPending = 20;
constexpr int kTypedLengthLimit = kMaxFormulaLength;

} // namespace

class Compiler {
public:
    explicit Compiler(CompiledFormula& out) : m_out(out) {}
    int compile(std::string_view source);

private:
    struct Pending {
        Op op;
        std::uint16_t arg;
        int priority;
    };

    bool count(int bytes) {
        m_length += bytes;
        return m_length <= kTypedLengthLimit;
    }
    // The per-token steps are forced inline: a compile per Evaluate is
    // mostly call overhead otherwise.
    [[gnu::always_inline]] int scanNumber(const char* text, int n, int& i);
    [[gnu::always_inline]] int scanName(const char* text, int n, int& i, Token previous, Token& kind);

    [[gnu::always_inline]] void pushOperator(Op op, std::uint16_t arg, int rank);
    [[gnu::always_inline]] void closeGroup();
    void finish();
    void apply(const Pending& p);
    [[gnu::always_inline]] void emit(Op op, std::uint16_t arg);
    [[gnu::always_inline]] void emitLoad(Op op, std::uint16_t arg);
    [[gnu::always_inline]] void emitConstant(long double value);
    void stop(int error);
    void finalize();
    int popStart() { return m_starts[static_cast<std::size_t>(--m_startCount)]; }
    void pushStart(int index) { m_starts[static_cast<std::size_t>(m_startCount++)] = index; }

    CompiledFormula& m_out;
    // Left uninitialised: a compile per Evaluate must not clear 1 KB first.
    std::array<Pending, kMaxPending> m_pending;
    int m_pendingCount = 0;
    int m_group = 0;     // parenthesis depth
    int m_length = 0;    // bytes of the compact form so far
    // Where the code of each value that the run will hold at this point
    // begins; at most one more than there are pending binary operators.
    std::array<int, CompiledFormula::kMaxStack + 2> m_starts;
    int m_startCount = 0;
    bool m_stopped = false; // a Fail was emitted: the run ends there
    bool m_overflow = false;
};

int Compiler::compile(std::string_view source) {
    m_out.clear();
    if (source.size() > static_cast<std::size_t>(kMaxFormulaLength)) return kTooLong;
    char text[kMaxFormulaLength];
    int n = 0;
    for (char c : source) { // branch-free: blanks are overwritten by what follows
        text[n] = upper(c);
        n += c != ' ';
    }
    if (n == 0) return kEmpty;

    Token previous = Token::Start;
    int i = 0;
    const char first = text[0];
    if (first == '*' || first == '/' || first == '^' || first == ')') return kSyntax;
    if (first == '+' || first == '-') {
        ++i;
        previous = Token::Sign;
        if (first == '-') {
            if (!count(1)) return kTooLong;
            pushOperator(Op::Negate, 0, 1);
        }
    }

    while (i < n) {
        const char c = text[i];
        Token kind = Token::Start;
        if (isDigit(c) || c == '.') {
            kind = Token::Operand;
            if (!mayFollow(previous, kind)) return kSyntax;
            if (int e = scanNumber(text, n, i)) return e;
        } else if (isLetter(c)) {
            if (int e = scanName(text, n, i, previous, kind)) return e;
        } else {
            ++i;
            switch (c) {
            case '(':
                kind = Token::Open;
                if (!mayFollow(previous, kind)) return kSyntax;
                if (!count(1)) return kTooLong;
                ++m_group;
                break;
            case ')':
                kind = Token::Close;
                if (!mayFollow(previous, kind)) return kSyntax;
                if (m_group == 0) return kParentheses;
                if (!count(1)) return kTooLong;
                closeGroup();
                break;
            case '+':
            case '-':
                if (previous == Token::Open) {
                    // A sign right after "(" is unary; "+" vanishes.
                    kind = Token::Sign;
                    if (c == '-') {
                        if (!count(1)) return kTooLong;
                        pushOperator(Op::Negate, 0, 1);
                    }
                    break;
                }
                kind = Token::Operator;
                if (!mayFollow(previous, kind)) return kSyntax;
                if (!count(1)) return kTooLong;
                pushOperator(c == '+' ? Op::AddS : Op::SubS, 0, 0);
                break;
            case '*':
            case '/':
            case '^':
                kind = Token::Operator;
                if (!mayFollow(previous, kind)) return kSyntax;
                if (!count(1)) return kTooLong;
                pushOperator(c == '*' ? Op::MulS : c == '/' ? Op::DivS : Op::PowS, 0, c == '^' ? 2 : 1);
                break;
            default: return kBadCharacter;
            }
        }
        previous = kind;
    }
    if (previous != Token::Operand && previous != Token::Close) return kSyntax;
    if (m_group != 0) return kParentheses;
    finish();
    if (m_overflow) {
        m_out.clear();
        return kTooLong;
    }
    return 0;
}

inline int Compiler::scanNumber(const char* text, int n, int& i) {
    const int start = i;
    bool point = false;
    while (i < n && (isDigit(text[i]) || (text[i] == '.' && !point))) {
        if (text[i] == '.') point = true;
        ++i;
    }
    if (i < n && text[i] == 'E') {
        int j = i + 1;
        if (j < n && (text[j] == '+' || text[j] == '-')) ++j;
        if (j < n && isDigit(text[j])) {
            while (j < n && isDigit(text[j])) ++j;
            i = j;
        }
    }
    const std::string_view literal(text + start, static_cast<std::size_t>(i - start));
    bool ok = false;
    const long double value = parseDecimal(literal, std::string_view::npos, ok);
    if (!ok) {
        // Only a digitless "." or a value beyond the extended range gets here.
        return std::any_of(literal.begin(), literal.end(), isDigit) ? kOverflow : kSyntax;
    }
    const bool digitsOnly = std::all_of(literal.begin(), literal.end(), isDigit);
    if (!count(numberBytes(value, digitsOnly))) return kTooLong;
    emitConstant(value);
    return 0;
}

inline int Compiler::scanName(const char* text, int n, int& i, Token previous, Token& kind) {
    int end = i;
    while (end < n && isLetter(text[end])) ++end;
    const std::string_view letters(text + i, static_cast<std::size_t>(end - i));

    const std::uint32_t key = letters.size() <= 4 ? packName(letters) : 0;
    if (key == kPiKey) {
        kind = Token::Operand;
        if (!mayFollow(previous, kind)) return kSyntax;
        if (!count(1)) return kTooLong;
        emitConstant(kPi);
        i = end;
        return 0;
    }
    if (const Op builtin = builtinFunction(key); builtin != Op::End) {
        kind = Token::Function;
        if (!mayFollow(previous, kind)) return kSyntax;
        if (!count(1)) return kTooLong;
        pushOperator(builtin, 0, 3);
        i = end;
        return 0;
    }
    if (FormulaFunction routine = FindFunction(letters)) {
        kind = Token::Function;
        if (!mayFollow(previous, kind)) return kSyntax;
        if (!count(5)) return kTooLong;
        std::uint16_t slot = 0;
        if (!m_stopped) {
            if (m_out.m_functionCount >= CompiledFormula::kMaxFunctions) {
                m_overflow = true;
            } else {
                slot = m_out.m_functionCount++;
                m_out.m_functions[slot] = routine;
            }
        }
        pushOperator(Op::Call, slot, 3);
        i = end;
        return 0;
    }

    while (end < n && (isLetter(text[end]) || isDigit(text[end]))) ++end;
    const std::string_view name(text + i, static_cast<std::size_t>(end - i));
    const int position = name.size() <= 4 ? LookupVariable(name) : 0;
    if (position == 0) return kUnknownName;
    kind = Token::Operand;
    if (!mayFollow(previous, kind)) return kSyntax;
    if (!count(3)) return kTooLong;
    emitLoad(Op::LoadSignal, static_cast<std::uint16_t>(position));
    i = end;
    return 0;
}

// Operators wait on a stack ranked 4 * group depth + rank; a newcomer first
// applies every waiting one of equal or higher rank, so equal ranks (even
// "^") group from the left.
inline void Compiler::pushOperator(Op op, std::uint16_t arg, int rank) {
    if (m_stopped) return;
    const int priority = 4 * m_group + rank;
    while (m_pendingCount > 0 && m_pending[static_cast<std::size_t>(m_pendingCount - 1)].priority >= priority)
        apply(m_pending[static_cast<std::size_t>(--m_pendingCount)]);
    if (m_pendingCount == kMaxPending) {
        // The run would reach this point with one operator too many.
        stop(kTooManyOperators);
        return;
    }
    m_pending[static_cast<std::size_t>(m_pendingCount++)] = Pending{op, arg, priority};
}

inline void Compiler::closeGroup() {
    if (!m_stopped) {
        const int floor = 4 * m_group;
        while (m_pendingCount > 0 && m_pending[static_cast<std::size_t>(m_pendingCount - 1)].priority >= floor)
            apply(m_pending[static_cast<std::size_t>(--m_pendingCount)]);
    }
    --m_group;
}

void Compiler::finish() {
    if (!m_stopped)
        while (m_pendingCount > 0) apply(m_pending[static_cast<std::size_t>(--m_pendingCount)]);
    if (!m_stopped) emit(Op::End, 0);
    finalize();
}

void Compiler::stop(int error) {
    emit(Op::Fail, static_cast<std::uint16_t>(error));
    m_stopped = true;
}

// Operands that are a single constant or signal are folded into the
// operator: loads and stack traffic are what a run spends its time on. Only
// loads move, and they can neither fail nor draw random numbers, so errors
// and Random keep their order.
inline void Compiler::apply(const Pending& p) {
    Instruction* code = m_out.m_code;
    const int size = m_out.m_size;
    if (isBinaryBase(p.op)) {
        const int right = popStart();
        const int left = popStart();
        pushStart(left);
        if (right == size - 1 && left == size - 2 && isOp(code[left], Op::LoadConst) &&
            isOp(code[right], Op::LoadConst)) {
            int error = 0;
            const long double r =
                applyBinary(p.op, m_out.m_constants[code[left].arg], m_out.m_constants[code[right].arg], error);
            if (error == 0 && isFinite(r)) {
                m_out.m_constants[code[left].arg] = r;
                if (code[right].arg + 1 == m_out.m_constantCount) --m_out.m_constantCount;
                --m_out.m_size;
                return;
            }
        }
        if (right == size - 1 && isLoad(code[right])) {
            code[right].op = static_cast<std::uint8_t>(
                withForm(p.op, isOp(code[right], Op::LoadConst) ? Form::C : Form::V));
            return;
        }
        if (right == left + 1 && isLoad(code[left])) {
            const bool constant = isOp(code[left], Op::LoadConst);
            const Form form = isCommutative(p.op) ? (constant ? Form::C : Form::V) : (constant ? Form::RC : Form::RV);
            const std::uint16_t arg = code[left].arg;
            std::copy(code + left + 1, code + size, code + left);
            code[size - 1] = Instruction{static_cast<std::uint8_t>(withForm(p.op, form)), 0, arg};
            return;
        }
        emit(p.op, 0);
        return;
    }
    const int start = m_startCount > 0 ? m_starts[static_cast<std::size_t>(m_startCount - 1)] : -1;
    if (p.op != Op::Call && start == size - 1 && isOp(code[start], Op::LoadConst)) {
        int error = 0;
        const long double r = applyFunction(p.op, m_out.m_constants[code[start].arg], error);
        if (error == 0 && isFinite(r)) {
            m_out.m_constants[code[start].arg] = r;
            return;
        }
    }
    emit(p.op, p.arg);
}

// The first load has nothing to save; every later one pushes the
// accumulator.
void Compiler::finalize() {
    if (m_out.m_size == 0) return;
    Instruction& first = m_out.m_code[0];
    if (isOp(first, Op::LoadConst)) first.op = static_cast<std::uint8_t>(Op::SetConst);
    else if (isOp(first, Op::LoadSignal)) first.op = static_cast<std::uint8_t>(Op::SetSignal);
}

inline void Compiler::emit(Op op, std::uint16_t arg) {
    if (m_out.m_size >= CompiledFormula::kMaxInstructions) {
        m_overflow = true;
        return;
    }
    m_out.m_code[m_out.m_size++] = Instruction{static_cast<std::uint8_t>(op), 0, arg};
}

inline void Compiler::emitLoad(Op op, std::uint16_t arg) {
    if (m_stopped) return;
    // Every live value but the accumulator sits on the run's stack. With at
    // most 20 operators pending this stays far below the bound.
    if (m_startCount >= CompiledFormula::kMaxStack) {
        m_overflow = m_stopped = true;
        return;
    }
    pushStart(m_out.m_size);
    emit(op, arg);
}

inline void Compiler::emitConstant(long double value) {
    if (m_stopped) return;
    if (m_out.m_constantCount >= CompiledFormula::kMaxConstants) {
        m_overflow = true;
        return;
    }
    m_out.m_constants[m_out.m_constantCount] = value;
    emitLoad(Op::LoadConst, m_out.m_constantCount++);
}

} // namespace formula_detail

bool CompileFormula(std::string_view source, CompiledFormula& out) {
    formula_detail::Compiler compiler(out);
    const int error = compiler.compile(source);
    if (error != 0) out.clear();
    SetLastFormulaError(error);
    return error == 0;
}

} // namespace ovanto
