#pragma once

#include "elements/core/tgraph.h"
#include "elements/display/pictures.h"

#include <array>
#include <initializer_list>
#include <span>

namespace ovanto {

// Where the common parts of an operating element sit among its properties.
struct OperatingRows {
    int x;
    int y;
    int w;
    int h;
    int output = -1;     // none for the dialog button
    int simEnabled = -1; // none for the key elements
    int stateAfter = -1; // the record keeps the on or pressed flag after this property
};

// The elements a user operates with the mouse or keys. Their properties are
// kept in record order; the grid shows them in its own order, with the output
// number in row 3 where the record keeps the line type (hidden: grid row 0).
// The on or pressed flag is no property, but the record keeps it.
class TOperatingGraph : public TControlGraph {
public:
    void InitPropGrid(TextGrid& elementGrid, TextGrid& propGrid, int row, bool withDefaults) override;
    void PropsToGrid(TextGrid& elementGrid, TextGrid& propGrid, int row) override;
    void GridToProps(const TextGrid& elementGrid, const TextGrid& propGrid, int row) override;
    void SaveToString(QString& s) const override;
    void LoadFromString(QString& s) override;
    void SimulationStart() override;
    void SimulationEnd() override;

    bool stateOn() const { return m_on; }
    void setState(bool on) { m_on = on; }

    void addLookState(LookHash& hash) const override {
        hash.add(m_on);
        hash.add(m_quiet);
    }

protected:
    TOperatingGraph(ElementContext& window, const ElementSchema& schema, std::span<const int> gridRows,
                    const OperatingRows& rows, const char* fillDefault);

    std::optional<Rect> outlineBox() const override;

    // Inside the face and allowed to act; a refused press beeps.
    bool operatedAt(int x, int y);
    bool refused() const;
    // The entry the output number selects, or 0 (not finite, or outside the table).
    int outputPosition() const;
    // Writes v (0 when it cannot be evaluated) and repaints when the window asks for it.
    void writeOutput(bool on, int onValueProperty);
    void repaintIfAsked();
    // The raised or pressed face with its picture and caption, greyed when refused.
    void drawButton(Canvas& canvas, const Rect& r, bool pressed, const QString& caption, int bmpFile,
                    int bmpPosition, int fontSize);

    // Constructors write their off value once, without painting.
    bool m_quiet = false;

private:
    std::span<const int> m_gridRows;
    OperatingRows m_rows;
    const char* m_fillDefault;
    PictureSlot m_picture;
    bool m_on = false;
};

// A latching switch; switches of one group behave like radio buttons.
class TSwitchGraph final : public TOperatingGraph {
public:
    enum {
        kCaption = kFirstClassProperty, kX, kY, kW, kH, kOnValue, kOutput, kBMPFile, kBMPPosition,
        kFontSize, kGroup, kPassword, kSimEnabled, kPropertyEnd
    };

    explicit TSwitchGraph(ElementContext& window);
    void Draw(Canvas& canvas) override;
    void UpdateOutput() override;
    void MouseDown(int x, int y) override;
    void DescribeOutput(QString& s) const override;

private:
    bool passwordGiven() const;
};

// A momentary push button, which also carries the window and host commands.
class TButtonGraph final : public TOperatingGraph {
public:
    enum {
        kCaption = kFirstClassProperty, kX, kY, kW, kH, kOnValue, kOutput, kBMPFile, kBMPPosition,
        kFontSize, kSimEnabled, kPropertyEnd
    };

    explicit TButtonGraph(ElementContext& window);
    void Draw(Canvas& canvas) override;
    void UpdateOutput() override;
    void MouseDown(int x, int y) override;
    void MouseUp(int x, int y) override;

    void addLookState(LookHash& hash) const override {
        TOperatingGraph::addLookState(hash);
        hash.add(m_commandDone);
    }

private:
    void runCommand(int code);
    // Lets a person see the pressed face before a command takes the screen.
    void showReleased();
    TGraph* nearestTarget(std::initializer_list<const char*> keywords) const;

    bool m_commandDone = false;
};

// Shows a picture or a text file.
class TDlgButtonGraph final : public TOperatingGraph {
public:
    enum {
        kCaption = kFirstClassProperty, kX, kY, kW, kH, kBMPFile, kBMPPosition, kFontSize,
        kDisplayedFile, kSimEnabled, kPropertyEnd
    };

    explicit TDlgButtonGraph(ElementContext& window);
    void Draw(Canvas& canvas) override;
    void UpdateOutput() override;
    void MouseDown(int x, int y) override;
    void MouseUp(int x, int y) override;
};

// A picture switch of up to ten positions; each click goes one on.
class TBMPButtonGraph final : public TOperatingGraph {
public:
    static constexpr int kMaxPictures = 10;
    enum {
        kX = kFirstClassProperty, kY, kW, kH, kValues, kOutput, kBMPCount, kBMPFile1,
        kTransparent = kBMPFile1 + kMaxPictures, kSimEnabled, kPropertyEnd
    };

    explicit TBMPButtonGraph(ElementContext& window);
    void Draw(Canvas& canvas) override;
    void UpdateOutput() override;
    void MouseDown(int x, int y) override;
    void DescribeOutput(QString& s) const override;
    // Its position is written at every step anyway.
    void SimulationStart() override {}
    void SimulationEnd() override {}

    int state() const { return m_state; }

    void addLookState(LookHash& hash) const override {
        TOperatingGraph::addLookState(hash);
        hash.add(m_state);
    }

private:
    int m_state = 1;
    std::array<PictureSlot, kMaxPictures> m_pictures;
};

// A key of the keyboard as seen by the window's key events.
class TKeyGraph : public TOperatingGraph {
public:
    enum { kX = kFirstClassProperty, kY, kW, kH, kOnValue, kOutput, kKeyCode, kToggleMode, kPropertyEnd };

    explicit TKeyGraph(ElementContext& window);
    void Draw(Canvas& canvas) override;
    void UpdateOutput() override;
    void KeyDown(int key) override;
    void KeyUp(int key) override;
    void LoadFromString(QString& s) override;

    void addLookState(LookHash& hash) const override {
        TOperatingGraph::addLookState(hash);
        hash.add(m_armed);
    }

protected:
    TKeyGraph(ElementContext& window, const ElementSchema& schema);
    std::optional<Rect> outlineBox() const override;
    void drawKeyCap(Canvas& canvas, bool polled);
    void write();

private:
    bool m_armed = false;
};

// A key polled through the global key state at every step.
class TKeyStateGraph final : public TKeyGraph {
public:
    explicit TKeyStateGraph(ElementContext& window);
    void Draw(Canvas& canvas) override;
    void UpdateOutput() override;
    void KeyDown(int) override {}
    void KeyUp(int) override {}

private:
    bool m_wasDown = false;
};

// An element that takes over its edited text when a button with the command
// -100 - mode asks for it.
class EditTakeover {
public:
    virtual ~EditTakeover() = default;
    virtual int updateMode() const = 0;
    virtual void takeOverText() = 0;
};

void RegisterButtons();
void RegisterKeys();

} // namespace ovanto
