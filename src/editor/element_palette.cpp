#include "editor/element_palette.h"

#include "editor/palette_icons.h"
#include "editor/palette_table.h"

#include <QApplication>
#include <QDrag>
#include <QGridLayout>
#include <QMimeData>
#include <QMouseEvent>
#include <QPixmap>
#include <QPushButton>
#include <QTabBar>
#include <QTabWidget>
#include <QVBoxLayout>

namespace ovanto {
namespace {

constexpr int kButtonsPerRow = 6;

} // namespace

PaletteButton::PaletteButton(int tag, QWidget* parent) : QToolButton(parent), m_tag(tag) {
    setObjectName(QStringLiteral("PaletteButton%1").arg(tag));
    setFixedSize(31, 30);
    setIconSize(QSize(kPaletteIconSize, kPaletteIconSize));
    setIcon(QPixmap::fromImage(PaletteIcon(tag)));
    setAutoRaise(true);
    setFocusPolicy(Qt::TabFocus);
    if (const PaletteEntry* entry = PaletteEntryOfTag(tag)) setToolTip(QString::fromUtf8(entry->hint));
    connect(this, &QToolButton::clicked, this, [this] {
        // The release that ends a drag is no click.
        if (!m_dragged) emit insertRequested(m_tag);
        m_dragged = false;
    });
}

void PaletteButton::mousePressEvent(QMouseEvent* event) {
    m_dragged = false;
    QToolButton::mousePressEvent(event);
}

void PaletteButton::mouseMoveEvent(QMouseEvent* event) {
    if ((event->buttons() & Qt::LeftButton) && !m_dragged && !rect().contains(event->position().toPoint())) {
        m_dragged = true;
        setDown(false);
        auto* drag = new QDrag(this);
        auto* payload = new QMimeData;
        payload->setData(QString::fromLatin1(kPaletteTagMime), QByteArray::number(m_tag));
        drag->setMimeData(payload);
        drag->setPixmap(icon().pixmap(iconSize()));
        drag->exec(Qt::CopyAction);
        emit dragFinished();
        return;
    }
    QToolButton::mouseMoveEvent(event);
}

TElementForm::TElementForm(QWidget* owner) : QWidget(owner, Qt::Tool | Qt::CustomizeWindowHint | Qt::WindowTitleHint) {
    setObjectName(QStringLiteral("TElementForm"));
    setWindowTitle(QStringLiteral("Grafik- und Bedienelemente"));
    auto* column = new QVBoxLayout(this);
    column->setContentsMargins(0, 0, 0, 0);
    column->setSpacing(0);

    m_pages = new QTabWidget(this);
    m_pages->setObjectName(QStringLiteral("PageControl1"));
    m_pages->setDocumentMode(true);
    QFont tabFont = m_pages->font();
    tabFont.setPointSizeF(tabFont.pointSizeF() * 0.85);
    m_pages->tabBar()->setFont(tabFont);
    m_pages->setUsesScrollButtons(false);
    m_pages->tabBar()->setExpanding(false);
    std::vector<QGridLayout*> grids;
    for (const char* name : PalettePages()) {
        auto* page = new QWidget;
        auto* grid = new QGridLayout(page);
        grid->setContentsMargins(2, 2, 2, 2);
        grid->setSpacing(0);
        grid->setAlignment(Qt::AlignLeft | Qt::AlignTop);
        grids.push_back(grid);
        m_pages->addTab(page, QString::fromLatin1(name));
    }
    std::vector<int> placed(grids.size(), 0);
    for (const PaletteEntry& entry : PaletteEntries()) {
        const auto page = static_cast<std::size_t>(entry.page);
        auto* b = new PaletteButton(entry.tag, m_pages->widget(entry.page));
        grids[page]->addWidget(b, placed[page] / kButtonsPerRow, placed[page] % kButtonsPerRow);
        ++placed[page];
        connect(b, &PaletteButton::insertRequested, this, &TElementForm::insertRequested);
        connect(b, &PaletteButton::dragFinished, this, &TElementForm::dragFinished);
    }
    column->addWidget(m_pages, 1);

    m_dialogButton = new QPushButton(QStringLiteral("Konfigurierungsdialog anzeigen"), this);
    m_dialogButton->setObjectName(QStringLiteral("Button1"));
    m_dialogButton->setFixedHeight(21);
    m_dialogButton->setAutoDefault(false);
    connect(m_dialogButton, &QPushButton::clicked, this, &TElementForm::showDialogRequested);
    column->addWidget(m_dialogButton);
    setFixedSize(sizeHint().expandedTo(QSize(194, 186)));
    // Keys reach the page tabs first: arrows choose the page, Tab walks its buttons.
    m_pages->tabBar()->setFocus();
}

PaletteButton* TElementForm::button(int tag) const {
    return findChild<PaletteButton*>(QStringLiteral("PaletteButton%1").arg(tag));
}

} // namespace ovanto
