#pragma once

#include <QStyledItemDelegate>

namespace ovanto {

class TForm2;

// Element grid cells: the current row in navy or light steel blue, comments
// navy on white, selected elements' keywords white on navy.
class ElementGridDelegate final : public QStyledItemDelegate {
public:
    ElementGridDelegate(TForm2& form, QObject* parent) : QStyledItemDelegate(parent), m_form(form) {}
    void paint(QPainter* painter, const QStyleOptionViewItem& option, const QModelIndex& index) const override;

private:
    TForm2& m_form;
};

// Property grid values: white on navy in the current row, elsewhere black for
// a number, green for a formula that compiles and blue for one that does not.
class PropertyGridDelegate final : public QStyledItemDelegate {
public:
    PropertyGridDelegate(TForm2& form, QObject* parent) : QStyledItemDelegate(parent), m_form(form) {}
    void paint(QPainter* painter, const QStyleOptionViewItem& option, const QModelIndex& index) const override;

private:
    TForm2& m_form;
};

} // namespace ovanto
