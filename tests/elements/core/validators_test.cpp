#include "elements/core/validators.h"

#include "elements/core/formula/conversion_error.h"

#include <gtest/gtest.h>

namespace ovanto {
namespace {

class Grids : public testing::Test {
protected:
    Grids() : elements(2), properties(2) {
        elements.setCell(0, 3, QStringLiteral("TANK"));
        properties.setCell(0, 5, QStringLiteral("RGBStroke"));
        properties.setCell(0, 6, QStringLiteral("LType"));
        properties.setCell(0, 7, QStringLiteral("Höhe"));
        validationState() = ValidationState{};
    }

    // The message of the raised error, which must equal the pending one.
    QString failure(const std::function<void()>& validate) {
        try {
            validate();
        } catch (const ConversionError& e) {
            const QString message = QString::fromUtf8(e.what());
            EXPECT_EQ(message, validationState().pendingMessage);
            return message;
        }
        ADD_FAILURE() << "no error raised";
        return {};
    }

    MemoryGrid elements;
    MemoryGrid properties;
    QString result;
};

const QString kContext = QStringLiteral("Element-Zeile 3 (TANK), Eigenschaft RGBStroke:\n\r");

TEST_F(Grids, IntegerAcceptsIntegersAndFormulasWhenAllowed) {
    const QString deep = QStringLiteral("1+(").repeated(21) + "1" + QStringLiteral(")").repeated(21);
    struct Case {
        QString text;
        bool acceptFormula;
        QString stored;
    };
    const Case cases[] = {
        {"12", false, "12"},      {" -7 ", false, " -7 "},   {"2147483647", false, "2147483647"},
        {"i1*2", true, "I1*2"},   {"1.5", true, "1.5"},       {"cw/2+o1", true, "CW/2+O1"},
        {"-1", true, "-1"},
        // Too many pending operators is a run error only, so the text passes.
        {deep, true, deep},
    };
    for (const Case& c : cases) {
        validationState().elementRow = 9;
        EXPECT_NO_THROW(ValidateInt(c.text, elements, properties, result, c.acceptFormula, 5, 3)) << c.text.toStdString();
        EXPECT_EQ(result, c.stored);
        EXPECT_EQ(validationState().elementRow, -1);
        EXPECT_EQ(validationState().propertyRow, -1);
    }
}

TEST_F(Grids, IntegerFailuresCarryTheExactMessage) {
    struct Case {
        QString text;
        bool acceptFormula;
        int propertyRow;
        QString message;
    };
    const Case cases[] = {
        {"abc", true, 5, kContext + "Ausdruck kann nicht interpretiert werden (abc)"},
        {"abc", false, 6, "Element-Zeile 3 (TANK), Eigenschaft LType:\n\rFehlerhafter Integer-Parameter (abc)"},
        {"1.5", false, 5, kContext + "Fehlerhafter Integer-Parameter (1.5)"},
        {"2147483648", false, 5, kContext + "Fehlerhafter Integer-Parameter (2147483648)"},
        {"2*-3", true, 5, kContext + "Ausdruck kann nicht interpretiert werden (2*-3)"},
        {"", true, 5, kContext + "Ausdruck kann nicht interpretiert werden ()"},
    };
    for (const Case& c : cases) {
        const QString message = failure([&] { ValidateInt(c.text, elements, properties, result, c.acceptFormula, c.propertyRow, 3); });
        EXPECT_EQ(message, c.message);
        EXPECT_EQ(result, c.text.toUpper());
        EXPECT_EQ(validationState().elementRow, 3);
        EXPECT_EQ(validationState().propertyRow, c.propertyRow);
    }
}

TEST_F(Grids, FloatAcceptsNumbersCommasAndFormulas) {
    for (const char* text : {"1.5", "1,5", " 2e3 ", "-.5", "sin(i54)*20", "1/0", "LN(0)"}) {
        EXPECT_NO_THROW(ValidateFloat(text, elements, properties, result, 7, 3)) << text;
        EXPECT_EQ(result, QString(text).toUpper());
        EXPECT_EQ(validationState().elementRow, -1);
    }
    // The message prepared for the number test stays pending after success.
    ValidateFloat("1,5", elements, properties, result, 7, 3);
    EXPECT_EQ(validationState().pendingMessage,
              QString::fromUtf8("Element-Zeile 3 (TANK), Eigenschaft Höhe:\n\rFehlerhafter Fließkomma-Parameter ( 1,5)"));
}

TEST_F(Grids, FloatFailuresCarryTheExactMessage) {
    for (const char* text : {"1,5,5", "abc", "(I1", "2*-3", "Ä"}) {
        const QString message = failure([&] { ValidateFloat(QString::fromUtf8(text), elements, properties, result, 7, 3); });
        EXPECT_EQ(message, QString::fromUtf8("Element-Zeile 3 (TANK), Eigenschaft Höhe:\n\rAusdruck kann nicht "
                                             "interpretiert werden (") + QString::fromUtf8(text) + ")");
        EXPECT_EQ(validationState().elementRow, 3);
        EXPECT_EQ(validationState().propertyRow, 7);
    }
    // A later success clears the failure rows.
    ValidateFloat("2", elements, properties, result, 7, 3);
    EXPECT_EQ(validationState().elementRow, -1);
    EXPECT_EQ(validationState().propertyRow, -1);
}

class FakeEdit final : public EditControl {
public:
    void setFocus() override { ++focusCalls; }
    int focusCalls = 0;
};

TEST_F(Grids, FloatEditFocusesTheFieldBeforeRaising) {
    FakeEdit edit;
    ValidateFloatEdit("0,25", edit, result);
    ValidateFloatEdit("i1/2", edit, result);
    EXPECT_EQ(result, "I1/2");
    EXPECT_EQ(edit.focusCalls, 0);
    const QString message = failure([&] { ValidateFloatEdit("zz", edit, result); });
    EXPECT_EQ(message, "Ausdruck kann nicht interpretiert werden!");
    EXPECT_EQ(edit.focusCalls, 1);
    EXPECT_EQ(validationState().elementRow, -1);
}

TEST(MemoryGrid, ReadsOutsideAreEmptyAndWritesBelowGrow) {
    MemoryGrid grid(2, 1);
    EXPECT_EQ(grid.rowCount(), 1);
    EXPECT_EQ(grid.cell(0, 0), QString());
    grid.setCell(1, 4, "x");
    EXPECT_EQ(grid.rowCount(), 5);
    EXPECT_EQ(grid.cell(1, 4), "x");
    grid.setCell(2, 0, "lost");
    grid.setCell(0, -1, "lost");
    EXPECT_EQ(grid.cell(2, 0), QString());
    EXPECT_EQ(grid.cell(-1, 0), QString());
    EXPECT_EQ(grid.cell(0, 99), QString());
    grid.setRowCount(2);
    EXPECT_EQ(grid.cell(1, 4), QString());
    grid.setRowCount(6);
    EXPECT_EQ(grid.cell(1, 4), QString());
}

} // namespace
} // namespace ovanto
