#include "chart/yt_analyze_dialog.h"

#include "elements/core/format_pattern.h"
#include "platform/canvas.h"
#include "platform/dialogs.h"
#include "platform/printer.h"

#include <QCheckBox>
#include <QCursor>
#include <QGridLayout>
#include <QGroupBox>
#include <QGuiApplication>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QMouseEvent>
#include <QPainter>
#include <QPushButton>
#include <QScreen>
#include <QScrollArea>
#include <QVBoxLayout>

#include <algorithm>
#include <cmath>
#include <utility>

namespace ovanto {
namespace {

using AxisId = TKXGraphic::AxisId;

// XOR-combined with white these give navy and green.
constexpr TColor kMarker1Xor = rgbColor(255, 255, 127);
constexpr TColor kMarker2Xor = rgbColor(255, 127, 255);
constexpr TColor kNavy = rgbColor(0, 0, 128);
constexpr TColor kGreen = rgbColor(0, 128, 0);
constexpr float kFailedDivision = 99999.99f;

TYTAnalyzeDialog::Visitor& headlessVisitor() {
    static TYTAnalyzeDialog::Visitor v;
    return v;
}

QString ReadOutText(float value) {
    if (value == kFailedDivision) return QStringLiteral("99999.99");
    return FormatValue(QStringLiteral("%8.3g"), static_cast<long double>(value)).trimmed();
}

float Quotient(float num, float den) {
    if (den == 0) return kFailedDivision;
    const float q = num / den;
    return std::isfinite(q) ? q : kFailedDivision;
}

// The German decimal comma is accepted beside the point.
std::optional<double> ParseReal(QString text) {
    text = text.trimmed().replace(QLatin1Char(','), QLatin1Char('.'));
    bool ok = false;
    const double v = text.toDouble(&ok);
    if (!ok || !std::isfinite(v)) return std::nullopt;
    return v;
}

class AnalyzePaintBox final : public QWidget {
public:
    explicit AnalyzePaintBox(TYTAnalyzeDialog& owner) : m_owner(owner) {
        setObjectName(QStringLiteral("PaintBox1"));
        setAttribute(Qt::WA_OpaquePaintEvent);
        setMinimumSize(240, 140);
    }

protected:
    void paintEvent(QPaintEvent*) override {
        m_owner.PaintBox1Paint();
        QPainter painter(this);
        painter.drawImage(0, 0, m_owner.picture());
    }
    void mousePressEvent(QMouseEvent* e) override {
        if (e->button() == Qt::LeftButton) m_owner.PaintBox1MouseDown(e->position().toPoint());
    }
    void mouseMoveEvent(QMouseEvent* e) override { m_owner.PaintBox1MouseMove(e->position().toPoint()); }
    void mouseReleaseEvent(QMouseEvent* e) override {
        if (e->button() == Qt::LeftButton) m_owner.PaintBox1MouseUp();
    }

private:
    TYTAnalyzeDialog& m_owner;
};

QLineEdit* ReadOnlyEdit(const QString& name, TColor color) {
    auto* edit = new QLineEdit;
    edit->setObjectName(name);
    edit->setReadOnly(true);
    edit->setAlignment(Qt::AlignRight);
    edit->setMinimumWidth(70);
    QPalette palette = edit->palette();
    palette.setColor(QPalette::Text, toQColor(color));
    edit->setPalette(palette);
    return edit;
}

} // namespace

TYTAnalyzeDialog::TYTAnalyzeDialog(PlotView view, QWidget* parent) : QDialog(parent), m_view(std::move(view)) {
    setObjectName(QStringLiteral("YTAnalyzeDialog"));
    setWindowTitle(QStringLiteral("Auswertung"));
    setModal(true);

    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(6, 6, 6, 6);
    layout->setSpacing(4);

    m_scrollBox = new QScrollArea;
    m_scrollBox->setObjectName(QStringLiteral("ScrollBox1"));
    m_scrollBox->setWidgetResizable(true);
    m_scrollBox->setBackgroundRole(QPalette::Base);
    QPalette white = m_scrollBox->palette();
    white.setColor(QPalette::Base, Qt::white);
    m_scrollBox->setPalette(white);
    m_paintBox = new AnalyzePaintBox(*this);
    m_scrollBox->setWidget(m_paintBox);
    layout->addWidget(m_scrollBox, 1);

    auto* manual = new QGroupBox(QStringLiteral("Manuelle Skalierung Ordinate"));
    auto* manualRow = new QHBoxLayout(manual);
    manualRow->setContentsMargins(6, 2, 6, 4);
    m_yMinEdit = new QLineEdit(FormatValue(QStringLiteral("%16.10g"), 0.0).trimmed());
    m_yMinEdit->setObjectName(QStringLiteral("yMinEdit"));
    m_yMaxEdit = new QLineEdit(FormatValue(QStringLiteral("%16.10g"), 1.0).trimmed());
    m_yMaxEdit->setObjectName(QStringLiteral("yMaxEdit"));
    m_yManCB = new QCheckBox(QStringLiteral("Aktiv"));
    m_yManCB->setObjectName(QStringLiteral("yManCB"));
    manualRow->addWidget(new QLabel(QStringLiteral("yMin:")));
    manualRow->addWidget(m_yMinEdit, 1);
    manualRow->addSpacing(8);
    manualRow->addWidget(new QLabel(QStringLiteral("yMax:")));
    manualRow->addWidget(m_yMaxEdit, 1);
    manualRow->addSpacing(8);
    manualRow->addWidget(m_yManCB);
    layout->addWidget(manual);

    auto* markers = new QGroupBox(QStringLiteral("Marker"));
    auto* grid = new QGridLayout(markers);
    grid->setContentsMargins(6, 2, 6, 4);
    grid->setHorizontalSpacing(6);
    grid->setVerticalSpacing(2);
    struct Field {
        ReadOut which;
        const char* caption;
        const char* name;
        TColor color;
        int row;
        int column;
    };
    static constexpr Field kFields[] = {
        {kT1, "t1 =", "t1Edit", kNavy, 0, 0},       {kY1, "y1 =", "y1Edit", kNavy, 0, 1},
        {kDt, "dt =", "dtEdit", kBlack, 0, 2},      {kT2, "t2 =", "t2Edit", kGreen, 1, 0},
        {kY2, "y2 =", "y2Edit", kGreen, 1, 1},      {kDy, "dy =", "dyEdit", kBlack, 1, 2},
        {kDyDt, "dy/dt =", "dydtEdit", kBlack, 2, 0}, {kY2Y1, "y2/y1 =", "y2y1Edit", kBlack, 2, 1},
        {kDtDy, "dt/dy =", "dtdyEdit", kBlack, 2, 2},
    };
    for (const Field& f : kFields) {
        auto* label = new QLabel(QString::fromUtf8(f.caption));
        QPalette palette = label->palette();
        palette.setColor(QPalette::WindowText, toQColor(f.color));
        label->setPalette(palette);
        label->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
        m_readOut[f.which] = ReadOnlyEdit(QString::fromUtf8(f.name), f.color);
        grid->addWidget(label, f.row, 2 * f.column);
        grid->addWidget(m_readOut[f.which], f.row, 2 * f.column + 1);
    }
    for (int c = 0; c < 3; ++c) grid->setColumnStretch(2 * c + 1, 1);
    layout->addWidget(markers);

    auto* bar = new QHBoxLayout;
    m_printButton = new QPushButton(QStringLiteral("&Drucken..."));
    m_printButton->setObjectName(QStringLiteral("PrintButton"));
    m_saveButton = new QPushButton(QStringLiteral("&Speichern..."));
    m_saveButton->setObjectName(QStringLiteral("SaveButton"));
    m_saveButton->setEnabled(false);
    auto* ok = new QPushButton(QStringLiteral("OK"));
    ok->setObjectName(QStringLiteral("OKButton"));
    ok->setDefault(true);
    bar->addWidget(m_printButton);
    bar->addWidget(m_saveButton);
    bar->addStretch(1);
    bar->addWidget(ok);
    layout->addLayout(bar);

    connect(m_printButton, &QPushButton::clicked, this, [this] { PrintButtonClick(); });
    connect(m_saveButton, &QPushButton::clicked, this, [this] { SaveButtonClick(); });
    connect(ok, &QPushButton::clicked, this, &QDialog::accept);
    connect(m_yManCB, &QCheckBox::toggled, this, [this](bool on) {
        m_manual = on;
        PaintChart(false);
    });
    connect(m_yMinEdit, &QLineEdit::textChanged, this, [this] { manualChanged(); });
    connect(m_yMaxEdit, &QLineEdit::textChanged, this, [this] { manualChanged(); });

    resize(474, 400);
    if (const QScreen* screen = QGuiApplication::primaryScreen())
        move(screen->availableGeometry().center() - QPoint(474 / 2, 400 / 2));
}

TYTAnalyzeDialog::~TYTAnalyzeDialog() = default;

void TYTAnalyzeDialog::setSaveAction(std::function<void(QWidget*)> save) {
    m_save = std::move(save);
    m_saveButton->setEnabled(static_cast<bool>(m_save));
}

void TYTAnalyzeDialog::setPrintEnabled(bool enabled) { m_printButton->setEnabled(enabled); }

void TYTAnalyzeDialog::setHeadlessVisitor(Visitor visitor) { headlessVisitor() = std::move(visitor); }

int TYTAnalyzeDialog::Run() {
    if (!isHeadlessPlatform()) return exec();
    show();
    PaintChart(false);
    if (const Visitor& visit = headlessVisitor()) visit(*this);
    if (isVisible()) done(QDialog::Accepted);
    return result();
}

TKXGraphic TYTAnalyzeDialog::makeChart(Canvas& canvas, const QRect& page, bool onPrinter) const {
    TKXGraphic chart(canvas, page, onPrinter);
    chart.SetMinFontSize(7);
    chart.SetPlotArea(true, 0.1f, 0.15f, 0.8f, 0.8f);
    ApplyAxisChoice(chart, AxisId::X, m_view.x);
    ApplyAxisChoice(chart, AxisId::Y, m_view.y);
    if (m_manual) chart.SetYRange(true, 0, 0, m_yLow, m_yHigh);
    return chart;
}

QRect TYTAnalyzeDialog::plotArea() const {
    if (m_picture.isNull()) return {};
    QImage scratch(1, 1, QImage::Format_RGB32);
    Canvas canvas(scratch);
    return makeChart(canvas, m_picture.rect(), false).plotRect();
}

void TYTAnalyzeDialog::keepInPlotArea(const TKXGraphic& chart) {
    const auto clampTo = [&](float& v, AxisId axis) {
        const float origin = axis == AxisId::X ? chart.x0() : chart.y0();
        const float length = axis == AxisId::X ? chart.lx() : chart.ly();
        const auto lo = static_cast<float>(chart.WorldToAxis(axis, origin));
        const auto hi = static_cast<float>(chart.WorldToAxis(axis, origin + length));
        // the left end too: a marker left of the axis would cross out its labels
        if (!(v >= std::min(lo, hi))) v = std::min(lo, hi);
        if (!(v <= std::max(lo, hi))) v = std::max(lo, hi);
    };
    for (Marker* m : {&m_marker1, &m_marker2}) {
        clampTo(m->t, AxisId::X);
        clampTo(m->y, AxisId::Y);
    }
}

void TYTAnalyzeDialog::drawMarker(TKXGraphic& chart, int which, bool onPrinter) {
    const Marker& m = which == 1 ? m_marker1 : m_marker2;
    const TColor xorColor = which == 1 ? kMarker1Xor : kMarker2Xor;
    // XOR colours would print pale on paper: the printer gets what the screen shows
    const TColor color = onPrinter ? (xorColor ^ kWhite) : xorColor;
    const float x = chart.AxisToWorld(AxisId::X, m.t);
    const float y = chart.AxisToWorld(AxisId::Y, m.y);
    chart.MoveTo(x, chart.y0());
    chart.DrawSegment(1, color, x, chart.y0() + chart.ly());
    chart.MoveTo(chart.x0(), y);
    chart.DrawSegment(1, color, chart.x0() + chart.lx(), y);
}

void TYTAnalyzeDialog::drawConnection(TKXGraphic& chart, bool onPrinter) {
    chart.MoveTo(chart.AxisToWorld(AxisId::X, m_marker1.t), chart.AxisToWorld(AxisId::Y, m_marker1.y));
    chart.DrawSegment(1, onPrinter ? kBlack : kWhite, chart.AxisToWorld(AxisId::X, m_marker2.t),
                      chart.AxisToWorld(AxisId::Y, m_marker2.y));
}

void TYTAnalyzeDialog::PaintChart(bool toPrinter) {
    Printer& printer = Printer::instance();
    Canvas* target = nullptr;
    QRect page;
    std::optional<Canvas> screen;
    if (toPrinter) {
        target = printer.beginJob();
        page = printer.pageRect();
    } else {
        const QSize size = m_paintBox->size().expandedTo(QSize(1, 1));
        if (m_picture.size() != size) m_picture = QImage(size, QImage::Format_RGB32);
        m_picture.fill(Qt::white);
        screen.emplace(m_picture);
        target = &*screen;
        page = m_picture.rect();
    }
    {
        TKXGraphic chart = makeChart(*target, page, toPrinter);
        try {
            DrawPlotView(chart, m_view);
        } catch (...) {
            // a broken curve must not cost the markers
        }
        if (!m_placed) {
            m_marker1 = {static_cast<float>(chart.WorldToAxis(AxisId::X, 0.2f)),
                         static_cast<float>(chart.WorldToAxis(AxisId::Y, 0.2f))};
            m_marker2 = {static_cast<float>(chart.WorldToAxis(AxisId::X, 0.8f)),
                         static_cast<float>(chart.WorldToAxis(AxisId::Y, 0.8f))};
            m_placed = true;
        }
        keepInPlotArea(chart);
        chart.SetPenMode(toPrinter ? PenMode::Copy : PenMode::Xor);
        drawMarker(chart, 1, toPrinter);
        drawMarker(chart, 2, toPrinter);
        drawConnection(chart, toPrinter);
    }
    updateReadOut();
    if (toPrinter) printer.endJob();
    else m_paintBox->update();
}

void TYTAnalyzeDialog::PaintBox1Paint() {
    if (m_picture.size() != m_paintBox->size().expandedTo(QSize(1, 1))) PaintChart(false);
}

void TYTAnalyzeDialog::PaintBox1MouseDown(QPoint at) {
    PaintBox1Paint();
    Canvas canvas(m_picture);
    const TKXGraphic chart = makeChart(canvas, m_picture.rect(), false);
    const int c1 = chart.WorldToPixel(AxisId::X, chart.AxisToWorld(AxisId::X, m_marker1.t));
    const int c2 = chart.WorldToPixel(AxisId::X, chart.AxisToWorld(AxisId::X, m_marker2.t));
    const long long d1 = std::llabs(static_cast<long long>(c1) - at.x());
    const long long d2 = std::llabs(static_cast<long long>(c2) - at.x());
    m_dragging = d1 < d2 ? 1 : 2;
    const Marker& m = marker(m_dragging);
    const QPoint crossing(m_dragging == 1 ? c1 : c2,
                          chart.WorldToPixel(AxisId::Y, chart.AxisToWorld(AxisId::Y, m.y)));
    m_paintBox->setCursor(Qt::SizeBDiagCursor);
    QCursor::setPos(m_paintBox->mapToGlobal(crossing));
}

void TYTAnalyzeDialog::PaintBox1MouseMove(QPoint at) {
    if (m_dragging == 0 || m_picture.isNull()) return;
    Canvas canvas(m_picture);
    TKXGraphic chart = makeChart(canvas, m_picture.rect(), false);
    const QRect area = chart.plotRect();
    at.setX(std::clamp(at.x(), area.left(), area.right()));
    at.setY(std::clamp(at.y(), area.top(), area.bottom()));
    chart.SetPenMode(PenMode::Xor);
    drawConnection(chart, false);
    drawMarker(chart, m_dragging, false);
    Marker& m = m_dragging == 1 ? m_marker1 : m_marker2;
    m = {static_cast<float>(chart.PixelToAxis(AxisId::X, at.x())),
         static_cast<float>(chart.PixelToAxis(AxisId::Y, at.y()))};
    // an edge pixel converts to a little beyond the axis end
    keepInPlotArea(chart);
    drawMarker(chart, m_dragging, false);
    drawConnection(chart, false);
    updateReadOut();
    m_paintBox->update();
}

void TYTAnalyzeDialog::PaintBox1MouseUp() {
    if (m_dragging == 0) return;
    m_dragging = 0;
    m_paintBox->unsetCursor();
}

QString TYTAnalyzeDialog::readOut(ReadOut which) const { return m_readOut[which]->text(); }

void TYTAnalyzeDialog::updateReadOut() {
    const float dt = m_marker2.t - m_marker1.t;
    const float dy = m_marker2.y - m_marker1.y;
    const float values[kReadOutCount] = {
        m_marker1.t, m_marker1.y, m_marker2.t, m_marker2.y, dt, dy,
        Quotient(dy, dt), Quotient(m_marker2.y, m_marker1.y), Quotient(dt, dy),
    };
    for (int i = 0; i < kReadOutCount; ++i) m_readOut[i]->setText(ReadOutText(values[i]));
}

void TYTAnalyzeDialog::manualChanged() {
    const std::optional<double> low = ParseReal(m_yMinEdit->text());
    const std::optional<double> high = ParseReal(m_yMaxEdit->text());
    if (!low || !high || !(*high > *low)) return;
    m_yLow = *low;
    m_yHigh = *high;
    if (m_manual) PaintChart(false);
}

void TYTAnalyzeDialog::PrintButtonClick() {
    if (!Printer::instance().setup(this)) return;
    PaintChart(true);
}

void TYTAnalyzeDialog::SaveButtonClick() {
    if (m_save) m_save(this);
}

} // namespace ovanto
