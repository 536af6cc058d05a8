#pragma once

#include "elements/display/instrument_common.h"

#include <QObject>
#include <QPointer>

class QProgressBar;

namespace ovanto {

// A native progress bar on the window. It paints itself; the element places
// it and sets its position when the outputs are updated, never while the
// picture is drawn, and passes the mouse on to the window beneath.
class TProgressBarGraph final : public TInputRowGraph {
public:
    enum { kX = kFirstClassProperty, kY, kW, kH, kMin, kMax, kInput, kPropertyEnd };

    explicit TProgressBarGraph(ElementContext& window);
    ~TProgressBarGraph() override;

    void UpdateOutput() override;
    void SetBounds(const Rect& r) override;

    // Nothing without a window to put it on.
    QProgressBar* control() const { return m_bar; }

protected:
    std::optional<Rect> outlineBox() const override;

private:
    class MouseForwarder;

    QPointer<QProgressBar> m_bar;
};

void RegisterProgressBar();

} // namespace ovanto
