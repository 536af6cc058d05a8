#pragma once

#include "chart/plot_view.h"

#include <QDialog>
#include <QImage>

#include <functional>
#include <optional>

class QCheckBox;
class QLineEdit;
class QPushButton;
class QScrollArea;

namespace ovanto {

class Canvas;

// "Auswertung": the curves of a y(t) plot group in a larger chart, two
// markers dragged with the mouse and the values read off them.
class TYTAnalyzeDialog : public QDialog {
    Q_OBJECT
public:
    struct Marker {
        float t = -1;
        float y = -1;
    };
    enum ReadOut { kT1, kY1, kT2, kY2, kDt, kDy, kDyDt, kY2Y1, kDtDy, kReadOutCount };

    explicit TYTAnalyzeDialog(PlotView view, QWidget* parent = nullptr);
    ~TYTAnalyzeDialog() override;

    // What "&Speichern..." does; without one the button stays disabled.
    void setSaveAction(std::function<void(QWidget*)> save);
    void setPrintEnabled(bool enabled);

    // Draws chart and markers into the paint box's picture (or on the printer's page as one job).
    void PaintChart(bool toPrinter);

    // Shows the dialog modally. Where no screen is, it paints once, lets the
    // installed visitor (a test) work on the open dialog, and closes.
    int Run();
    using Visitor = std::function<void(TYTAnalyzeDialog&)>;
    static void setHeadlessVisitor(Visitor visitor);

    Marker marker(int which) const { return which == 1 ? m_marker1 : m_marker2; }
    bool markersPlaced() const { return m_placed; }
    const PlotView& view() const { return m_view; }
    QWidget* paintBox() const { return m_paintBox; }
    const QImage& picture() const { return m_picture; }
    QString readOut(ReadOut which) const;
    // The chart's plot area in paint box pixels, as the last paint laid it out.
    QRect plotArea() const;

    // Paint box events, forwarded by the box.
    void PaintBox1Paint();
    void PaintBox1MouseDown(QPoint at);
    void PaintBox1MouseMove(QPoint at);
    void PaintBox1MouseUp();

private:
    TKXGraphic makeChart(Canvas& canvas, const QRect& page, bool onPrinter) const;
    void drawMarker(TKXGraphic& chart, int which, bool onPrinter);
    void drawConnection(TKXGraphic& chart, bool onPrinter);
    void keepInPlotArea(const TKXGraphic& chart);
    void updateReadOut();
    void manualChanged();
    void PrintButtonClick();
    void SaveButtonClick();

    PlotView m_view;
    Marker m_marker1;
    Marker m_marker2;
    bool m_placed = false;
    int m_dragging = 0; // 0 none, else the marker
    bool m_manual = false;
    double m_yLow = 0;
    double m_yHigh = 1;
    std::function<void(QWidget*)> m_save;

    QImage m_picture;
    QScrollArea* m_scrollBox = nullptr;
    QWidget* m_paintBox = nullptr;
    QLineEdit* m_yMinEdit = nullptr;
    QLineEdit* m_yMaxEdit = nullptr;
    QCheckBox* m_yManCB = nullptr;
    QLineEdit* m_readOut[kReadOutCount] = {};
    QPushButton* m_printButton = nullptr;
    QPushButton* m_saveButton = nullptr;
};

} // namespace ovanto
