#include "editor/grid_delegates.h"

#include "editor/tform2.h"
#include "elements/core/tgraph.h"
#include "platform/colors.h"

#include <QPainter>
#include <QTableWidget>

#include <cmath>

namespace ovanto {
namespace {

const QColor kNavy(0, 0, 128);
const QColor kCurrentUnfocused(125, 168, 205);

void drawCell(QPainter* painter, const QRect& rect, const QColor& fill, const QColor& ink, const QString& text,
              Qt::Alignment align) {
    painter->save();
    painter->fillRect(rect, fill);
    painter->setPen(ink);
    painter->setClipRect(rect);
    painter->drawText(rect.adjusted(2, align & Qt::AlignTop ? 2 : 0, -2, 0), int(align) | Qt::TextSingleLine, text);
    painter->restore();
}

QColor tColor(long double value) {
    if (!std::isfinite(static_cast<double>(value)) || value < 0 || value > 0xFFFFFF) return kNavy;
    const int c = static_cast<int>(value);
    return QColor(c & 0xFF, (c >> 8) & 0xFF, (c >> 16) & 0xFF);
}

} // namespace

void ElementGridDelegate::paint(QPainter* painter, const QStyleOptionViewItem& option, const QModelIndex& index) const {
    const int row = index.row() + 1;
    TGraph* element = m_form.elementAtRow(row);
    const QString text = index.data().toString();
    const QTableWidget* table = m_form.m_elTable;
    if (element && table->currentRow() == index.row()) {
        const bool active = (option.state & QStyle::State_HasFocus) || table->hasFocus();
        drawCell(painter, option.rect, active ? kNavy : kCurrentUnfocused, Qt::white, text, Qt::AlignLeft | Qt::AlignTop);
        return;
    }
    if (index.column() == 1) {
        QColor ink = kNavy;
        if (element && element->Keyword() == QLatin1String("SEPARATOR")) {
            try {
                ink = tColor(element->evaluate(TGraph::kRGBStroke));
            } catch (...) {
            }
        }
        drawCell(painter, option.rect, Qt::white, ink, text, Qt::AlignLeft | Qt::AlignVCenter);
        return;
    }
    if (element && element->isSelected()) {
        drawCell(painter, option.rect, kNavy, Qt::white, text, Qt::AlignLeft | Qt::AlignVCenter);
        return;
    }
    drawCell(painter, option.rect, Qt::white, Qt::black, text, Qt::AlignLeft | Qt::AlignVCenter);
}

void PropertyGridDelegate::paint(QPainter* painter, const QStyleOptionViewItem& option, const QModelIndex& index) const {
    const QString text = index.data().toString();
    if (index.column() == 0) {
        drawCell(painter, option.rect, option.palette.color(QPalette::Button), option.palette.color(QPalette::ButtonText),
                 text, Qt::AlignLeft | Qt::AlignVCenter);
        return;
    }
    if (m_form.m_propTable->currentRow() == index.row()) {
        drawCell(painter, option.rect, kNavy, Qt::white, text, Qt::AlignLeft | Qt::AlignVCenter);
        return;
    }
    drawCell(painter, option.rect, Qt::white, m_form.propertyTextColor(index.row() + 1), text,
             Qt::AlignLeft | Qt::AlignVCenter);
}

} // namespace ovanto
