#pragma once

#include "elements/core/tgraph.h"

#include <functional>

namespace ovanto {

class TPlotGraph;

// The analysis button: a raised push button that opens the analysis of the
// nearest y(t) plot group before it in the list.
class TYTAnalyzeGraph : public TControlGraph {
public:
    enum {
        kX = kFirstClassProperty,
        kY,
        kW,
        kH,
        kCaption,
        kFontSize,
        kBMPFile,
        kBMPPosition,
        kSaveButton,
        kPrintButton,
        kSimEnabled,
        kPropertyEnd
    };

    explicit TYTAnalyzeGraph(ElementContext& window);
    void SaveToString(QString& s) const override;
    void LoadFromString(QString& s) override;
    void Draw(Canvas& canvas) override;
    void MouseDown(int x, int y) override;
    void MouseUp(int x, int y) override;
    void UpdateOutput() override;
    void SimulationStart() override;
    void SimulationEnd() override;

    bool down() const { return m_down; }
    // The group master of the nearest "YTPLOT" before this button, or none.
    TPlotGraph* analysedPlot() const;

    // Whoever shows the analysis registers here: (master, save enabled, print enabled).
    using Opener = std::function<void(TPlotGraph&, bool, bool)>;
    static void setOpener(Opener opener);
    static bool hasOpener();

    void addLookState(LookHash& hash) const override { hash.add(m_down); }

protected:
    std::optional<Rect> outlineBox() const override;

private:
    bool refused() const;

    bool m_down = false;
};

void RegisterPlotButton();

} // namespace ovanto
