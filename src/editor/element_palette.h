#pragma once

#include <QToolButton>
#include <QWidget>

#include <functional>

class QPushButton;
class QTabWidget;

namespace ovanto {

// The drag of a palette button carries its tag in this format.
inline constexpr char kPaletteTagMime[] = "application/x-ovanto-palette-tag";

// A palette button: a click inserts, leaving it with the left button held drags.
class PaletteButton final : public QToolButton {
    Q_OBJECT

public:
    PaletteButton(int tag, QWidget* parent);
    int tag() const { return m_tag; }

signals:
    void insertRequested(int tag);
    void dragFinished();

protected:
    void mousePressEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;

private:
    int m_tag;
    bool m_dragged = false;
};

// "Grafik- und Bedienelemente": one button per element kind on six pages.
class TElementForm final : public QWidget {
    Q_OBJECT

public:
    explicit TElementForm(QWidget* owner);

    QTabWidget* pages() const { return m_pages; }
    PaletteButton* button(int tag) const;
    QPushButton* dialogButton() const { return m_dialogButton; }

signals:
    void insertRequested(int tag);
    void dragFinished();
    void showDialogRequested();

private:
    QTabWidget* m_pages = nullptr;
    QPushButton* m_dialogButton = nullptr;
};

} // namespace ovanto
