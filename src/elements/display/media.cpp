#include "elements/core/element_registry.h"
#include "elements/display/pictures.h"
#include "elements/display/shape_geometry.h"
#include "platform/canvas.h"
#include "platform/dialogs.h"
#include "platform/sound.h"

#include <QFileInfo>
#include <QImage>

namespace ovanto {
namespace {

constexpr PropertyDef kSoundRows[] = {
    {.caption = "x", .gridDefault = "40", .axis = Axis::X, .readAboveVersion = 382},
    {.caption = "y", .gridDefault = "40", .axis = Axis::Y, .readAboveVersion = 382},
    rows::Text("File", "*.WAV"),
};
static_assert(RowsMatch<TSoundGraph>(kSoundRows));
constexpr ElementSchema kSound{.keyword = "SOUND", .rows = kSoundRows};

constexpr PropertyDef kGeneratorRows[] = {
    rows::X("x", "40"), rows::Y("y", "40"), rows::Number("OutputInterval", "0.1"),
    rows::Text("FilenameBase", "*.bmp"),
};
static_assert(RowsMatch<TBMPSeqGeneratorGraph>(kGeneratorRows));
constexpr ElementSchema kGenerator{.keyword = "BMPSEQGENERATOR", .rows = kGeneratorRows};

// A search that never runs away, even in a directory crowded with frames.
constexpr long long kMaxFrameNumber = 10000000;

Rect IconBox(const TGraph& e, int x, int y, int size) {
    const long double left = e.evaluateInt(x);
    const long double bottom = e.evaluateInt(y);
    return {ToCoord(left), ToCoord(bottom - size), ToCoord(left + size), ToCoord(bottom)};
}

QString ResolvedFile(ElementContext& window, const QString& name) {
    const QString found = window.findFile(name);
    return found.isEmpty() ? PictureFallbackPath(window, name) : found;
}

// A loudspeaker with two waves.
void DrawSoundIcon(Canvas& canvas, const Rect& r) {
    canvas.setPenStyle(PenStyle::Solid);
    canvas.setPenWidth(1);
    canvas.setPenColor(kBlack);
    canvas.setBrushStyle(BrushStyle::Solid);
    canvas.setBrushColor(kBlack);
    const int cy = r.top + 7;
    const QPoint cone[] = {{r.left + 1, cy - 2}, {r.left + 4, cy - 2}, {r.left + 7, cy - 5},
                           {r.left + 7, cy + 5}, {r.left + 4, cy + 2}, {r.left + 1, cy + 2}};
    canvas.polygon(cone);
    for (const int d : {3, 6}) {
        canvas.moveTo(r.left + 7 + d, cy - d + 1);
        canvas.lineTo(r.left + 8 + d, cy);
        canvas.lineTo(r.left + 7 + d, cy + d);
    }
}

// A film strip with a frame counter look.
void DrawGeneratorIcon(Canvas& canvas, const Rect& r) {
    canvas.setPenStyle(PenStyle::Solid);
    canvas.setPenWidth(1);
    canvas.setPenColor(kBlack);
    canvas.setBrushStyle(BrushStyle::Solid);
    canvas.setBrushColor(rgbColor(60, 60, 60));
    canvas.rectangle(r.left, r.top + 2, r.right, r.bottom - 2);
    canvas.setBrushColor(kWhite);
    for (int x = r.left + 2; x + 3 < r.right; x += 5) {
        canvas.fillRect(x, r.top + 4, x + 3, r.top + 6);
        canvas.fillRect(x, r.bottom - 6, x + 3, r.bottom - 4);
    }
    canvas.setBrushColor(rgbColor(120, 180, 240));
    canvas.rectangle(r.left + 3, r.top + 8, r.left + 11, r.bottom - 8);
    canvas.rectangle(r.left + 13, r.top + 8, r.right - 3, r.bottom - 8);
}

} // namespace

QString GeneratedFrameName(const QString& filenameBase, long long number) {
    const int cut = std::max(filenameBase.lastIndexOf(QLatin1Char('/')), filenameBase.lastIndexOf(QLatin1Char('\\')));
    const int dot = filenameBase.lastIndexOf(QLatin1Char('.'));
    const bool hasExtension = dot > cut;
    const QString base = hasExtension ? filenameBase.left(dot) : filenameBase;
    const QString ext = hasExtension ? filenameBase.mid(dot) : QString();
    return base + QLatin1Char('_') + QStringLiteral("%1").arg(number, 4, 10, QLatin1Char('0')) + ext;
}

// --- SOUND ---------------------------------------------------------------------------------

TSoundGraph::TSoundGraph(ElementContext& window) : TGraph(window, kSound) {}

TSoundGraph::~TSoundGraph() {
    if (m_playing) window().sound().stopLooping();
}

std::optional<Rect> TSoundGraph::outlineBox() const { return IconBox(*this, kX, kY, kIconSize); }

void TSoundGraph::LoadFromString(QString& s) {
    TGraph::LoadFromString(s);
    const QString name = text(kFile);
    if (!name.contains(QLatin1Char('*')) && !QFileInfo(ResolvedFile(window(), name)).isFile())
        window().dialogs().showError(window().controlParent(),
                                     QStringLiteral("Datei ") + name + QStringLiteral(" kann nicht geöffnet werden!"));
}

void TSoundGraph::Draw(Canvas& canvas) {
    TGraph::Draw(canvas);
    if (window().designMode()) guarded([&] { DrawSoundIcon(canvas, *outlineBox()); });
    bool visible = false;
    guarded([&] { visible = IsVisible(); });
    Sound& sound = window().sound();
    if (!visible || window().soundMuted()) {
        if (m_playing) sound.stopLooping();
        m_playing = false;
        return;
    }
    const QString name = text(kFile);
    const QString file = ResolvedFile(window(), name);
    if (QFileInfo(file).isFile()) {
        sound.playLooping(file);
        m_playing = true;
    } else if (!name.contains(QLatin1Char('*'))) {
        sound.beep();
    }
}

// --- BMPSEQGENERATOR -----------------------------------------------------------------------

TBMPSeqGeneratorGraph::TBMPSeqGeneratorGraph(ElementContext& window) : TGraph(window, kGenerator) {}

std::optional<Rect> TBMPSeqGeneratorGraph::outlineBox() const { return IconBox(*this, kX, kY, kIconSize); }

void TBMPSeqGeneratorGraph::Draw(Canvas& canvas) {
    TGraph::Draw(canvas);
    if (window().designMode()) guarded([&] { DrawGeneratorIcon(canvas, *outlineBox()); });
}

void TBMPSeqGeneratorGraph::Init() {
    m_elapsed = 0;
    m_nextNumber = 1;
}

void TBMPSeqGeneratorGraph::AfterRepaint(const QImage& picture) {
    m_elapsed += window().stepSize();
    const QString base = text(kFilenameBase);
    if (!(m_elapsed >= number(kOutputInterval)) || base.isEmpty() || base.contains(QLatin1Char('*'))) return;
    m_elapsed = 0;
    // Numbers below the last one written were taken then; the search goes on from there.
    while (m_nextNumber < kMaxFrameNumber && QFileInfo::exists(GeneratedFrameName(base, m_nextNumber))) ++m_nextNumber;
    if (m_nextNumber >= kMaxFrameNumber) return;
    picture.save(GeneratedFrameName(base, m_nextNumber), "BMP");
}

void RegisterMedia() {
    RegisterElementClass<TSoundGraph>(kSound);
    RegisterElementClass<TBMPSeqGeneratorGraph>(kGenerator);
}

} // namespace ovanto
