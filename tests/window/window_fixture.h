#pragma once

#include "elements/core/test_element.h"
#include "platform/canvas.h"
#include "window/config_dialog_link.h"
#include "window/tform1.h"

#include <QImage>
#include <QStringList>

#include <stdexcept>
#include <utility>
#include <vector>

namespace ovanto::testing {

// Records what the window asks of the configuration dialog.
class RecordingDialogLink final : public ConfigDialogLink {
public:
    std::vector<std::pair<int, bool>> rows;
    std::vector<int> gridKeys;
    QStringList status;
    QString caption = QStringLiteral("Dialog caption");
    QString helpFile;
    bool locked = false;
    int ioRefreshes = 0;
    QSize clientFields;
    QStringList menuCalls;

    void selectElementRow(int row, bool fromWindow) override { rows.emplace_back(row, fromWindow); }
    bool lockButtonDown() const override { return locked; }
    void setStatusPanelText(const QString& text) override { status << text; }
    QString captionText() const override { return caption; }
    void elementGridKeyDown(int key) override { gridKeys.push_back(key); }
    void refreshPropertyGrid(TGraph*) override {}
    void refreshIOWindow() override { ++ioRefreshes; }
    QString helpFileName() const override { return helpFile; }
    void setClientSizeFields(int w, int h) override { clientFields = QSize(w, h); }
    void showConfigurationDialog() override { menuCalls << QStringLiteral("dialog"); }
    void raiseElementPalette() override { menuCalls << QStringLiteral("palette"); }
    void showIOWindow() override { menuCalls << QStringLiteral("io"); }
};

// A test element that fills its bounds with its fill colour and counts what reaches it.
class FilledGraph : public TTestGraph {
public:
    using TTestGraph::TTestGraph;
    std::vector<int> keysDown, keysUp;
    int outputs = 0;

    void Draw(Canvas& canvas) override {
        TTestGraph::Draw(canvas);
        Rect r;
        GetBounds(r);
        canvas.rectangle(r.left, r.top, r.right, r.bottom);
    }
    void KeyDown(int key) override { keysDown.push_back(key); }
    void KeyUp(int key) override { keysUp.push_back(key); }
    void UpdateOutput() override { ++outputs; }
};

class ThrowingGraph final : public TTestGraph {
public:
    using TTestGraph::TTestGraph;
    void Draw(Canvas&) override { throw std::runtime_error("broken"); }
};

// Adds a FilledGraph at x, y (lower-left corner) of width w and height 10.
inline FilledGraph* addFilled(TForm1& form, int x, int y, int w = 20, int fill = 16777215) {
    auto element = std::make_unique<FilledGraph>(form);
    element->setText(TTestGraph::kX, QString::number(x));
    element->setText(TTestGraph::kY, QString::number(y));
    element->setText(TTestGraph::kW, QString::number(w));
    element->setText(TGraph::kRGBFill, QString::number(fill));
    return static_cast<FilledGraph*>(form.addElement(std::move(element)));
}

inline bool isBlack(const QImage& image, int x, int y) { return (image.pixel(x, y) & 0xFFFFFF) == 0; }

// True when any pixel of the rectangle (right and bottom exclusive) is black.
inline bool anyBlack(const QImage& image, int left, int top, int right, int bottom) {
    for (int y = top; y < bottom; ++y)
        for (int x = left; x < right; ++x)
            if (isBlack(image, x, y)) return true;
    return false;
}

} // namespace ovanto::testing
