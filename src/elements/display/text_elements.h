#pragma once

#include "elements/core/tgraph.h"

#include <QPoint>
#include <QPointer>

#include <QSize>

#include <vector>

class QLabel;

namespace ovanto {

// The extents of the few texts an element shows, measured once per font,
// size and text: measuring is the dear part of drawing a text.
class TextExtents {
public:
    // Measures with the canvas when one is given (its font set already), else on a scratch canvas.
    QSize get(const QString& font, int size, const QString& text, Canvas* canvas);

private:
    struct Entry {
        QString font;
        int size;
        QString text;
        QSize extent;
    };
    std::vector<Entry> m_entries;
};

// A fixed caption standing on (x, y), with an optional frame.
class TLabelGraph final : public TGraph {
public:
    enum { kX = kFirstClassProperty, kY, kSize, kFont, kCaption, kBorderType, kBorderWidth, kPropertyEnd };

    explicit TLabelGraph(ElementContext& window);
    void Draw(Canvas& canvas) override;

private:
    std::optional<Rect> outlineBox() const override;
    mutable TextExtents m_extents;
};

// A boxed caption that gives more on demand: a hover hint (mode 0), the
// "Info" memo on a click (mode 1) or the text file in its own program.
class TInfoTextGraph final : public TGraph {
public:
    enum {
        kX = kFirstClassProperty,
        kY,
        kSize,
        kFont,
        kCaption,
        kTextFile,
        kText,
        kOutputMode,
        kSimEnabled,
        kPropertyEnd
    };

    explicit TInfoTextGraph(ElementContext& window);
    ~TInfoTextGraph() override;

    void Draw(Canvas& canvas) override;
    void MouseDown(int x, int y) override;
    void MouseMove(int x, int y) override;

    bool hintShown() const { return m_hintShown; }
    // Where the hint stands, in screen coordinates.
    QPoint hintPosition() const { return m_hintAt; }
    // TextFile through the search paths, else beside the library.
    QString resolvedTextFile() const;

private:
    std::optional<Rect> outlineBox() const override;
    bool hits(int x, int y) const;
    void showHint(int x, int y);
    void hideHint();
    void openInformation();

    mutable TextExtents m_extents;
    QPointer<QLabel> m_hint;
    bool m_hintShown = false;
    QPoint m_hintAt;
};

// One of three texts in one of three colours, chosen by an input against two thresholds.
class TMessageGraph final : public TGraph {
public:
    enum {
        kX = kFirstClassProperty,
        kY,
        kInput,
        kSize,
        kFont,
        kLowText,
        kMidText,
        kHighText,
        kLowThreshold,
        kHighThreshold,
        kLowColor,
        kMidColor,
        kHighColor,
        kBorderType,
        kBorderWidth,
        kCentered,
        kPropertyEnd
    };

    explicit TMessageGraph(ElementContext& window);
    void Draw(Canvas& canvas) override;

    // The text and colour for the current input.
    struct Shown {
        QString text;
        int color = 0;
    };
    Shown shown() const;

private:
    std::optional<Rect> outlineBox() const override;
    // The cell of the widest text with the shown one's height; where the shown one starts.
    Rect textCell(Canvas* canvas, const Shown& now, int& textLeft) const;
    mutable TextExtents m_extents;
};

void RegisterTextElements();

} // namespace ovanto
