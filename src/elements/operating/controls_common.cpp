#include "elements/core/text_grid.h"
#include "elements/display/child_controls.h"
#include "elements/operating/controls.h"
#include "platform/colors.h"

#include "elements/core/formula/parse_float.h"

#include <QApplication>
#include <QStringList>
#include <QWidget>

#include <cmath>

namespace ovanto {

TWinControlGraph::TWinControlGraph(ElementContext& window, const ElementSchema& schema, std::span<const int> gridRows,
                                   const OperatingRows& rows, const ControlRows& controlRows, bool windowColour)
    : TOperatingGraph(window, schema, gridRows, rows, nullptr), m_rows(rows), m_controlRows(controlRows),
      m_windowColour(windowColour) {
    if (windowColour) setText(kRGBFill, QString::number(window.backgroundColor()));
}

// A control that loses the focus as it goes would otherwise report to an element half gone.
TWinControlGraph::~TWinControlGraph() {
    QWidget* control = m_control.data();
    if (!control) return;
    control->blockSignals(true);
    for (QObject* part : control->findChildren<QObject*>()) part->blockSignals(true);
    delete control;
}

void TWinControlGraph::InitPropGrid(TextGrid& elementGrid, TextGrid& propGrid, int row, bool withDefaults) {
    TOperatingGraph::InitPropGrid(elementGrid, propGrid, row, withDefaults);
    if (withDefaults && m_windowColour) propGrid.setCell(1, kRGBFill + 1, QString::number(window().backgroundColor()));
}

// With the keyword as field 0, class property p is field p + 2.
void TWinControlGraph::SaveToString(QString& s) const {
    TOperatingGraph::SaveToString(s);
    if (m_controlRows.stateBefore < 0) return;
    QStringList fields = s.split(QLatin1Char('\t'));
    QString state = stateField();
    // A pasted text may hold what would break the record apart.
    state.replace(QLatin1Char('\t'), QLatin1Char(' ')).replace(QLatin1Char('\n'), QLatin1Char(' '));
    state.replace(QLatin1Char('\r'), QLatin1Char(' '));
    fields.insert(std::min<qsizetype>(m_controlRows.stateBefore + 2, fields.size()), state);
    s = fields.join(QLatin1Char('\t'));
}

void TWinControlGraph::LoadFromString(QString& s) {
    if (m_controlRows.stateBefore >= 0) {
        QStringList fields = s.split(QLatin1Char('\t'));
        // Read without the keyword: one field less in front.
        const qsizetype at = m_controlRows.stateBefore + 1;
        if (at < fields.size()) {
            readStateField(fields[at]);
            fields.removeAt(at);
            s = fields.join(QLatin1Char('\t'));
        }
    }
    TOperatingGraph::LoadFromString(s);
    m_stateLoaded = true;
}

// Five pixels round the control, so the selection frame is inside.
void TWinControlGraph::GetBounds(Rect& r) {
    boundsFrom(r, [&] {
        const Rect box = *outlineBox();
        return Rect{box.left - 5, box.top - 5, box.right + 5, box.bottom + 5};
    });
}

void TWinControlGraph::SetBounds(const Rect& r) {
    TOperatingGraph::SetBounds(r);
    if (!isPressed()) UpdateOutput();
}

// A control being dragged would hide the frame that follows the mouse.
void TWinControlGraph::DragMove(int x, int y) {
    TOperatingGraph::DragMove(x, y);
    if (m_control && isPressed() && window().designMode()) m_control->hide();
}

void TWinControlGraph::MouseUp(int x, int y) {
    TOperatingGraph::MouseUp(x, y);
    UpdateOutput();
}

void TWinControlGraph::SimulationStart() {
    if (m_control && m_rows.simEnabled >= 0) m_control->setEnabled(intValue(m_rows.simEnabled) == 1);
    UpdateOutput();
}

void TWinControlGraph::SimulationEnd() {
    if (m_control) m_control->setEnabled(true);
    UpdateOutput();
}

void TWinControlGraph::adopt(QWidget* control, bool forwardMouse) {
    m_control = control;
    control->hide();
    if (forwardMouse) ForwardMouseToWindow(control, window());
}

void TWinControlGraph::forwardMouseOf(QWidget* part) { ForwardMouseToWindow(part, window()); }

void TWinControlGraph::placeAndStyle() {
    if (!m_control) return;
    guarded([&] {
        bool visible = false;
        guarded([&] { visible = IsVisible(); });
        PlaceControl(m_control, evaluateInt(m_rows.x), evaluateInt(m_rows.y), evaluateInt(m_rows.w),
                     evaluateInt(m_rows.h), visible);
    });
    int fill = -1, stroke = 0;
    guarded([&] { fill = evaluateInt(kRGBFill); });
    guarded([&] { stroke = evaluateInt(kRGBStroke); });
    if (m_textOverride >= 0) stroke = m_textOverride;
    if (fill != m_fill || stroke != m_stroke) applyPalette(fill, stroke);
    if (m_controlRows.font >= 0) {
        const QString name = text(m_controlRows.font);
        const int size = std::clamp(intValue(m_controlRows.fontSize), 1, 200);
        if (name != m_fontName || size != m_fontSize) {
            m_fontName = name;
            m_fontSize = size;
            m_control->setFont(ControlFont(name, size));
        }
    }
}

void TWinControlGraph::applyPalette(int fill, int stroke) {
    m_fill = fill;
    m_stroke = stroke;
    QPalette palette = QApplication::palette(m_control);
    if (fill >= 0) {
        const QColor back = toQColor(fill);
        for (QPalette::ColorRole role : {QPalette::Base, QPalette::Window, QPalette::Button})
            palette.setColor(role, back);
    }
    const QColor fore = toQColor(stroke);
    for (QPalette::ColorRole role : {QPalette::Text, QPalette::WindowText, QPalette::ButtonText}) {
        palette.setColor(QPalette::Active, role, fore);
        palette.setColor(QPalette::Inactive, role, fore);
    }
    m_control->setPalette(palette);
    m_control->setAutoFillBackground(fill >= 0);
}

void TWinControlGraph::writeValue(long double v) {
    if (!std::isfinite(v)) v = 0;
    const int position = outputPosition();
    if (!position) return;
    long double& entry = signalTable()[position];
    if (entry == v) return;
    entry = v;
    repaintIfAsked();
}

QString TWinControlGraph::describe(const QString& value) const {
    return Keyword() + QStringLiteral(" (OUTPUT = ") + text(m_rows.output) + QStringLiteral(", VALUE = ") + value +
           QStringLiteral(")\n\r");
}

} // namespace ovanto
