#pragma once

#include "elements/operating/operating.h"

#include <QPointer>
#include <QStringList>

class QButtonGroup;
class QCheckBox;
class QComboBox;
class QGroupBox;
class QLineEdit;
class QListWidget;
class QSlider;
class QWidget;

namespace ovanto {

class RealSpinBox;
class UpDownControl;

// The operating elements that own a Qt control on the window instead of
// drawing: the control paints itself, the element places and styles it in
// UpdateOutput (never in Draw) and writes what the user set.
class TWinControlGraph : public TOperatingGraph {
public:
    ~TWinControlGraph() override;

    void InitPropGrid(TextGrid& elementGrid, TextGrid& propGrid, int row, bool withDefaults) override;
    void SaveToString(QString& s) const override;
    void LoadFromString(QString& s) override;
    void GetBounds(Rect& r) override;
    void SetBounds(const Rect& r) override;
    void DragMove(int x, int y) override;
    void MouseUp(int x, int y) override;
    void SimulationStart() override;
    void SimulationEnd() override;

    QWidget* control() const { return m_control; }

protected:
    // Where the font rows and the saved state sit; -1 for none.
    struct ControlRows {
        int font = -1;
        int fontSize = -1;
        int stateBefore = -1; // the record keeps the state just before this property
    };
    TWinControlGraph(ElementContext& window, const ElementSchema& schema, std::span<const int> gridRows,
                     const OperatingRows& rows, const ControlRows& controlRows, bool windowColour);

    // The control becomes the element's: hidden until the first UpdateOutput places it.
    void adopt(QWidget* control, bool forwardMouse);
    // Also forwards the mouse of a part of the control (its buttons, say).
    void forwardMouseOf(QWidget* part);
    // Geometry, visibility, colours and font, each applied only when it changed.
    void placeAndStyle();
    // A text colour that overrides RGBStroke (the edit field's warnings); -1 for none.
    void setTextColourOverride(int colour) { m_textOverride = colour; }
    // Writes v into the output entry; repaints when the value changed.
    void writeValue(long double v);
    QString describe(const QString& value) const;

    // The state as the record keeps it.
    virtual QString stateField() const = 0;
    virtual void readStateField(const QString& field) = 0;
    // Set by loading: the next UpdateOutput puts the state into the control.
    bool m_stateLoaded = true;

private:
    void applyPalette(int fill, int stroke);

    OperatingRows m_rows;
    ControlRows m_controlRows;
    bool m_windowColour;
    QPointer<QWidget> m_control;
    int m_textOverride = -1;
    int m_fill = -2;
    int m_stroke = -2;
    QString m_fontName;
    int m_fontSize = -1;
};

// A numeric edit field.
class TEditGraph final : public TWinControlGraph, public EditTakeover {
public:
    enum {
        kX = kFirstClassProperty, kY, kW, kH, kOutput, kFont, kFontSize, kMinValue, kMaxValue, kUpdateMode,
        kSimEnabled, kPropertyEnd
    };
    explicit TEditGraph(ElementContext& window);
    void UpdateOutput() override;
    void DescribeOutput(QString& s) const override;
    int updateMode() const override { return intValue(kUpdateMode); }
    void takeOverText() override;
    const QString& valueText() const { return m_valueText; }

protected:
    QString stateField() const override;
    void readStateField(const QString& field) override { m_valueText = field; }

private:
    QPointer<QLineEdit> m_edit;
    QString m_valueText = QStringLiteral("0");
    bool m_takeOver = false;
};

// A real-valued spin edit.
class TSpinEditGraph final : public TWinControlGraph {
public:
    enum {
        kX = kFirstClassProperty, kY, kW, kH, kOutput, kIncrement, kFormat, kMinValue, kMaxValue, kNoBlanks, kFont,
        kFontSize, kSimEnabled, kPropertyEnd
    };
    explicit TSpinEditGraph(ElementContext& window);
    void UpdateOutput() override;
    void DescribeOutput(QString& s) const override;
    const QString& valueText() const { return m_valueText; }

protected:
    QString stateField() const override;
    void readStateField(const QString& field) override { m_valueText = field; }

private:
    void update(bool fromChange);
    QPointer<RealSpinBox> m_spin;
    QString m_valueText = QStringLiteral("0");
};

class TCheckboxGraph final : public TWinControlGraph {
public:
    enum { kCaption = kFirstClassProperty, kX, kY, kW, kH, kOnValue, kOutput, kFont, kFontSize, kSimEnabled, kPropertyEnd };
    explicit TCheckboxGraph(ElementContext& window);
    void UpdateOutput() override;
    void DescribeOutput(QString& s) const override;
    bool ticked() const { return m_ticked; }

protected:
    QString stateField() const override { return m_ticked ? QStringLiteral("1") : QStringLiteral("0"); }
    void readStateField(const QString& field) override;

private:
    QPointer<QCheckBox> m_box;
    bool m_ticked = false;
};

// What the drop-down list, the list box and the radio group share: items,
// their values and the selected index.
class TChoiceGraph : public TWinControlGraph {
public:
    enum { kX = kFirstClassProperty, kY, kW, kH, kItems, kValues, kOutput, kPropertyEnd };
    void UpdateOutput() override;
    void DescribeOutput(QString& s) const override;
    int selectedIndex() const { return m_index; }

protected:
    using TWinControlGraph::TWinControlGraph;
    QString stateField() const override { return QString::number(m_index); }
    void readStateField(const QString& field) override;
    // The user picked item i.
    void picked(int index);
    virtual void replaceItems(const QStringList& items) = 0;
    virtual void selectItem(int index) = 0;
    virtual void updateExtras() {}

private:
    int m_index = 0;
    int m_appliedIndex = -2;
    QString m_appliedItems;
    bool m_itemsApplied = false;
    long double m_lastValue = 0;
};

class TComboboxGraph final : public TChoiceGraph {
public:
    enum { kFont = TChoiceGraph::kPropertyEnd, kFontSize, kSimEnabled, kPropertyEnd };
    explicit TComboboxGraph(ElementContext& window);

protected:
    void replaceItems(const QStringList& items) override;
    void selectItem(int index) override;

private:
    QPointer<QComboBox> m_combo;
};

class TListboxGraph final : public TChoiceGraph {
public:
    enum { kFont = TChoiceGraph::kPropertyEnd, kFontSize, kSimEnabled, kPropertyEnd };
    explicit TListboxGraph(ElementContext& window);

protected:
    void replaceItems(const QStringList& items) override;
    void selectItem(int index) override;

private:
    QPointer<QListWidget> m_list;
};

class TRadioGroupGraph final : public TChoiceGraph {
public:
    enum { kCaption = TChoiceGraph::kPropertyEnd, kColumns, kFont, kFontSize, kSimEnabled, kPropertyEnd };
    explicit TRadioGroupGraph(ElementContext& window);

protected:
    void replaceItems(const QStringList& items) override;
    void selectItem(int index) override;
    void updateExtras() override;

private:
    void arrange();
    QPointer<QGroupBox> m_group;
    QButtonGroup* m_buttons = nullptr;
    int m_columns = 0;
};

// A slider over the positions 0..100; the vertical one has its maximum on top.
class TTrackbarGraph : public TWinControlGraph {
public:
    enum { kX = kFirstClassProperty, kY, kW, kH, kMin, kMax, kOutput, kTickMode, kSimEnabled, kPropertyEnd };
    explicit TTrackbarGraph(ElementContext& window);
    void UpdateOutput() override;
    void DescribeOutput(QString& s) const override;
    int position() const { return m_position; }

protected:
    TTrackbarGraph(ElementContext& window, const ElementSchema& schema, bool vertical);
    QString stateField() const override { return QString::number(m_position); }
    void readStateField(const QString& field) override;

private:
    long double value() const;
    bool m_vertical;
    QPointer<QSlider> m_slider;
    int m_position;
    int m_tickMode = -1;
};

class TVTrackbarGraph final : public TTrackbarGraph {
public:
    explicit TVTrackbarGraph(ElementContext& window);
};

class TUpDownGraph final : public TWinControlGraph {
public:
    enum {
        kX = kFirstClassProperty, kY, kW, kH, kMin, kMax, kOutput, kIncrement, kOrientation, kSimEnabled, kPropertyEnd
    };
    explicit TUpDownGraph(ElementContext& window);
    void UpdateOutput() override;
    void DescribeOutput(QString& s) const override;
    int position() const { return m_position; }

protected:
    QString stateField() const override { return QString::number(m_position); }
    void readStateField(const QString& field) override;

private:
    QPointer<UpDownControl> m_updown;
    int m_position = 0;
    long double m_value = 0;
};

void RegisterEditControls();
void RegisterChoiceControls();
void RegisterTrackControls();

} // namespace ovanto
