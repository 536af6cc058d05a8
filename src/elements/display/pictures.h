#pragma once

#include "elements/core/animation_step.h"
#include "elements/display/basic_shapes.h"
#include "platform/avi_clip.h"
#include "platform/picture.h"

#include <QImage>
#include <QString>

#include <chrono>
#include <memory>
#include <span>

namespace ovanto {

// One picture of an element: a file through the search paths, else a number
// of the picture library. During a run it is loaded again only when its name
// changes, so a step costs one blit.
class PictureSlot {
public:
    // The picture for `name`, or nullptr when neither a file nor a library picture answers.
    const Picture* load(ElementContext& window, const QString& name, bool transparent);
    // Called after a successful draw.
    void drawn(const QString& name) { m_lastName = name; }
    const QString& lastName() const { return m_lastName; }

private:
    const QString& resolved(ElementContext& window, const QString& name);

    QString m_lastName;
    Picture m_picture;
    bool m_valid = false;
    // Where the name was last looked up: the search walks several directories,
    // so it is done again only after a second or when the name or run state changes.
    // A file found is checked for changes at every look; a library number's
    // missing file only with the lookup.
    QString m_resolvedName;
    QString m_resolvedPath;
    bool m_resolvedExists = false;
    std::chrono::steady_clock::time_point m_resolvedAt;
    bool m_resolvedRunning = false;
};

// Where a picture whose name is no file would be looked for last: beside the library.
QString PictureFallbackPath(ElementContext& window, const QString& name);
// True when `name` resolves to a readable file or to a library number.
bool PictureNameResolves(ElementContext& window, const QString& name);
// The rectangle with a black pen and a black diagonal cross, for a picture that failed.
void DrawFailedPicture(Canvas& canvas, const Rect& r);
// Draws the slot's picture centred in r (offsets truncated), or the failure rectangle.
void DrawCentredPicture(Canvas& canvas, ElementContext& window, PictureSlot& slot, const QString& name,
                        bool transparent, const Rect& r);

// Elements whose record order differs from the grid: the properties are kept
// in record order and the grid rows are mapped onto them. The line type behind
// a relabelled row 3, and a stored state, follow the class rows at the end.
class TReorderedGraph : public TGraph {
public:
    void InitPropGrid(TextGrid& elementGrid, TextGrid& propGrid, int row, bool withDefaults) override;
    void PropsToGrid(TextGrid& elementGrid, TextGrid& propGrid, int row) override;
    void GridToProps(const TextGrid& elementGrid, const TextGrid& propGrid, int row) override;

protected:
    TReorderedGraph(ElementContext& window, const ElementSchema& schema, std::span<const int> gridRows);

private:
    std::span<const int> m_gridRows; // per property, its grid row
};

// A picture from a file or the library in the rectangle; stretched unless it has exactly the size.
class TBitmapGraph final : public TRectGraph {
public:
    enum { kFile = TRectGraph::kPropertyEnd, kPropertyEnd };

    explicit TBitmapGraph(ElementContext& window);
    void InitPropGrid(TextGrid& elementGrid, TextGrid& propGrid, int row, bool withDefaults) override;
    void LoadFromString(QString& s) override;
    void Draw(Canvas& canvas) override;

private:
    PictureSlot m_slot;
};

// A metafile stretched into the rectangle; parsed once per version of its file.
class TWMFGraph final : public TRectGraph {
public:
    enum { kFile = TRectGraph::kPropertyEnd, kPropertyEnd };

    explicit TWMFGraph(ElementContext& window);
    void LoadFromString(QString& s) override;
    void Draw(Canvas& canvas) override;
};

class TQEVAnimate;

// A silent clip in a child control on the window: playing freely, or showing the frame a channel names.
class TAVIGraph final : public TGraph {
public:
    enum { kX = kFirstClassProperty, kY, kAct, kRep, kFile, kFrIn, kPropertyEnd };

    explicit TAVIGraph(ElementContext& window);
    ~TAVIGraph() override;
    void LoadFromString(QString& s) override;
    void Draw(Canvas& canvas) override;

    // 0-based frame shown, and whether the clip plays on by itself.
    int shownFrame() const;
    bool playing() const;
    // One frame interval of free play (the control's timer calls it).
    void advance();

    // Plays while it is drawn.
    LookTraits lookTraits() const override { return {.alwaysDraw = true}; }

private:
    std::optional<Rect> outlineBox() const override;
    void show(const std::shared_ptr<const AviClip>& clip, bool visible);

    TQEVAnimate* m_control = nullptr;
    std::shared_ptr<const AviClip> m_clip;
    ClipPlayback m_playback;
    bool m_wasActive = false;
    bool m_reported = false;
};

// Up to ten pictures shown in turn by time or by a signal's band.
class TBMPSequenceGraph final : public TReorderedGraph {
public:
    enum {
        kX = kFirstClassProperty, kY, kW, kH, kInput, kBMPCount, kFirst, kLast = kFirst + 9, kTransparent,
        kRangeMin, kRangeMax, kDelay, kPropertyEnd
    };
    static constexpr int kMaxFrames = 10;

    explicit TBMPSequenceGraph(ElementContext& window);
    void Draw(Canvas& canvas) override;
    void Init() override;

    int frame() const { return m_frame; }

    void addLookState(LookHash& hash) const override {
        hash.add(m_frame);
        addDueStep(hash, m_step, kDelay);
    }

private:
    std::optional<Rect> outlineBox() const override;
    int chooseFrame();

    int m_frame = 1;
    AnimationStep m_step;
    std::array<PictureSlot, kMaxFrames> m_slots;
};

// Frame 1..count for v in bands of (min, max]; 1 below the second band or when count < 2.
int SequenceFrameOf(long double v, long double min, long double max, int count);

// The 21 ready-made sequences of the palette (tags 100..120); nullptr for another tag.
struct SequencePreset {
    int tag;
    const char* hint;
    int count;
    std::array<int, 8> pictures;
    int w;
    int h;
    int delay;
};
std::span<const SequencePreset> SequencePresets();
std::unique_ptr<TGraph> MakeSequencePreset(ElementContext& window, int tag);

// One of two pictures, by a signal against OnValue.
class TStateBMPGraph final : public TReorderedGraph {
public:
    enum { kX = kFirstClassProperty, kY, kW, kH, kOnValue, kInput, kOnFile, kOffFile, kTransparent, kPropertyEnd };

    explicit TStateBMPGraph(ElementContext& window);
    void Draw(Canvas& canvas) override;
    bool isOn() const;

private:
    std::optional<Rect> outlineBox() const override;

    PictureSlot m_on;
    PictureSlot m_off;
};

// A picture switch: a click toggles (or, in mode 1, holds) the state, which goes to an output.
class TDynBMPGraph final : public TReorderedGraph {
public:
    enum {
        kX = kFirstClassProperty, kY, kW, kH, kOnValue, kOutput, kState, kOnFile, kOffFile, kTransparent, kMode,
        kSimEnabled, kPropertyEnd
    };

    explicit TDynBMPGraph(ElementContext& window);
    // Operated like a control: it waits for its inputs unless CIn is -1.
    bool DependsOnInputs() const override;
    void Draw(Canvas& canvas) override;
    void UpdateOutput() override;
    void MouseDown(int x, int y) override;
    void MouseUp(int x, int y) override;
    void DescribeOutput(QString& s) const override;

private:
    std::optional<Rect> outlineBox() const override;

    PictureSlot m_on;
    PictureSlot m_off;
};

// The signal-table position an output number writes to, 0 when it lies outside the table.
int OutputPositionOf(long double number);

void RegisterPictures();
void RegisterPictureSequences();
void RegisterMetafilePictures();
void RegisterClips();

} // namespace ovanto

namespace ovanto {

// A looping sound while visible; in design mode a loudspeaker icon.
class TSoundGraph final : public TGraph {
public:
    enum { kX = kFirstClassProperty, kY, kFile, kPropertyEnd };
    static constexpr int kIconSize = 15;

    explicit TSoundGraph(ElementContext& window);
    ~TSoundGraph() override;
    void LoadFromString(QString& s) override;
    void Draw(Canvas& canvas) override;

    // Plays while it is drawn.
    LookTraits lookTraits() const override { return {.alwaysDraw = true}; }

private:
    std::optional<Rect> outlineBox() const override;

    bool m_playing = false;
};

// Writes the window to numbered bitmaps during a run, one per OutputInterval of simulated time.
class TBMPSeqGeneratorGraph final : public TGraph {
public:
    enum { kX = kFirstClassProperty, kY, kOutputInterval, kFilenameBase, kPropertyEnd };
    static constexpr int kIconSize = 24;

    explicit TBMPSeqGeneratorGraph(ElementContext& window);
    void Draw(Canvas& canvas) override;
    void Init() override;
    // After each repaint of a run, with the window's picture.
    void AfterRepaint(const QImage& picture);

private:
    std::optional<Rect> outlineBox() const override;

    long double m_elapsed = 0;
    long long m_nextNumber = 1;
};

// base_0001.ext, base_0002.ext ... for base.ext.
QString GeneratedFrameName(const QString& filenameBase, long long number);

void RegisterMedia();

} // namespace ovanto
