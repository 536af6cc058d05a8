#include "elements/core/validators.h"

#include "elements/core/formula/conversion_error.h"
#include "elements/core/formula/formula.h"
#include "elements/core/formula/parse_float.h"

#include <string>

namespace ovanto {
namespace {

std::string bytesOf(const QString& text) { return text.toStdString(); }

bool compiles(const QString& upper) {
    CompiledFormula program;
    return CompileFormula(bytesOf(upper), program);
}

// The two characters after the colon are LF then CR, in that order.
QString contextLine(const TextGrid& elementGrid, const TextGrid& propGrid, int propertyRow, int elementRow) {
    return QStringLiteral("Element-Zeile ") + QString::number(elementRow) + QStringLiteral(" (") +
           elementGrid.cell(0, elementRow) + QStringLiteral("), Eigenschaft ") + propGrid.cell(0, propertyRow) +
           QStringLiteral(":\n\r");
}

[[noreturn]] void fail(ValidationState& state, int propertyRow, int elementRow) {
    state.elementRow = elementRow;
    state.propertyRow = propertyRow;
    throw ConversionError(state.pendingMessage.toStdString());
}

} // namespace

EditControl::~EditControl() = default;

ValidationState& validationState() {
    static ValidationState state;
    return state;
}

void ValidateInt(const QString& text, const TextGrid& elementGrid, const TextGrid& propGrid, QString& result,
                 bool acceptFormula, int propertyRow, int elementRow) {
    const QString upper = text.toUpper();
    result = upper;
    const QString context = contextLine(elementGrid, propGrid, propertyRow, elementRow);
    ValidationState& state = validationState();
    state.elementRow = state.propertyRow = -1;
    state.pendingMessage = context + QStringLiteral("Fehlerhafter Integer-Parameter (") + text + QStringLiteral(")");
    int number = 0;
    if (TryParseInt(bytesOf(upper), number)) return;
    if (acceptFormula) {
        state.pendingMessage =
            context + QStringLiteral("Ausdruck kann nicht interpretiert werden (") + text + QStringLiteral(")");
        if (compiles(upper)) return;
    }
    fail(state, propertyRow, elementRow);
}

void ValidateFloat(const QString& text, const TextGrid& elementGrid, const TextGrid& propGrid, QString& result,
                   int propertyRow, int elementRow) {
    const QString upper = text.toUpper();
    result = upper;
    const QString context = contextLine(elementGrid, propGrid, propertyRow, elementRow);
    ValidationState& state = validationState();
    state.elementRow = state.propertyRow = -1;
    state.pendingMessage =
        context + QStringLiteral("Fehlerhafter Fließkomma-Parameter ( ") + text + QStringLiteral(")");
    long double number = 0.0L;
    if (TryParseFloat(bytesOf(upper), number)) return;
    state.pendingMessage =
        context + QStringLiteral("Ausdruck kann nicht interpretiert werden (") + text + QStringLiteral(")");
    if (compiles(upper)) return;
    fail(state, propertyRow, elementRow);
}

void ValidateFloatEdit(const QString& text, EditControl& edit, QString& result) {
    const QString upper = text.toUpper();
    result = upper;
    ValidationState& state = validationState();
    state.elementRow = state.propertyRow = -1;
    state.pendingMessage = QStringLiteral("Fehlerhafter Fließkomma-Parameter!");
    long double number = 0.0L;
    if (TryParseFloat(bytesOf(upper), number)) return;
    state.pendingMessage = QStringLiteral("Ausdruck kann nicht interpretiert werden!");
    if (compiles(upper)) return;
    edit.setFocus();
    throw ConversionError(state.pendingMessage.toStdString());
}

} // namespace ovanto
