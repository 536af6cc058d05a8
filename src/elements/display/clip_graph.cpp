#include "elements/core/element_registry.h"
#include "elements/display/pictures.h"
#include "elements/display/shape_geometry.h"
#include "platform/canvas.h"
#include "platform/dialogs.h"

#include <QCoreApplication>
#include <QFileInfo>
#include <QMouseEvent>
#include <QPainter>
#include <QTimer>
#include <QWidget>

#include <cmath>

namespace ovanto {
namespace {

constexpr PropertyDef kAviRows[] = {
    rows::X("x", "50"), rows::Y("y", "120"), rows::Float("Act", "1"), rows::Int("Rep", "0"),
    rows::Text("File", "*.AVI"), rows::Int("FrIn", "-1"),
};
static_assert(RowsMatch<TAVIGraph>(kAviRows));
constexpr ElementSchema kAvi{.keyword = "AVI", .rows = kAviRows};

QString ResolvedFile(ElementContext& window, const QString& name) {
    const QString found = window.findFile(name);
    return found.isEmpty() ? PictureFallbackPath(window, name) : found;
}

bool IsFrameChannel(int c) { return (c >= 1 && c <= 56) || (c >= 101 && c <= 150); }

} // namespace

// The child control that shows the clip; its clicks reach the window as if it were drawn there.
class TQEVAnimate final : public QWidget {
public:
    TQEVAnimate(QWidget* parent, TAVIGraph& owner, ElementContext& window)
        : QWidget(parent), m_owner(owner), m_window(window) {
        m_timer.setTimerType(Qt::PreciseTimer);
        QObject::connect(&m_timer, &QTimer::timeout, this, [this] { m_owner.advance(); });
    }

    void showFrame(const QImage* frame) {
        m_frame = frame;
        update();
    }
    void play(bool on, int intervalMs) {
        if (!on) {
            m_timer.stop();
        } else if (!m_timer.isActive() || m_timer.interval() != intervalMs) {
            m_timer.start(intervalMs);
        }
    }

protected:
    void paintEvent(QPaintEvent*) override {
        if (!m_frame) return;
        QPainter painter(this);
        painter.drawImage(0, 0, *m_frame);
    }
    void mousePressEvent(QMouseEvent* e) override { forward(e, QEvent::MouseButtonPress); }
    void mouseDoubleClickEvent(QMouseEvent* e) override { forward(e, QEvent::MouseButtonPress); }
    void mouseReleaseEvent(QMouseEvent* e) override { forward(e, QEvent::MouseButtonRelease); }
    void mouseMoveEvent(QMouseEvent* e) override {
        if (m_window.designMode()) forward(e, QEvent::MouseMove);
    }

private:
    void forward(QMouseEvent* e, QEvent::Type type) {
        QWidget* target = parentWidget();
        if (!target) return;
        QMouseEvent forwarded(type, mapTo(target, e->position()), e->globalPosition(), e->button(), e->buttons(),
                              e->modifiers());
        QCoreApplication::sendEvent(target, &forwarded);
    }

    TAVIGraph& m_owner;
    ElementContext& m_window;
    QTimer m_timer;
    const QImage* m_frame = nullptr;
};

TAVIGraph::TAVIGraph(ElementContext& window) : TGraph(window, kAvi) {
    if (QWidget* parent = window.controlParent()) {
        m_control = new TQEVAnimate(parent, *this, window);
        m_control->hide();
    }
}

TAVIGraph::~TAVIGraph() { delete m_control; }

std::optional<Rect> TAVIGraph::outlineBox() const {
    const long double x = evaluateInt(kX), y = evaluateInt(kY);
    const int w = m_clip ? m_clip->width() : m_control ? m_control->width() : 0;
    const int h = m_clip ? m_clip->height() : m_control ? m_control->height() : 0;
    return Rect{ToCoord(x), ToCoord(y - h), ToCoord(x + w), ToCoord(y)};
}

void TAVIGraph::LoadFromString(QString& s) {
    TGraph::LoadFromString(s);
    const QString name = text(kFile);
    if (!QFileInfo(ResolvedFile(window(), name)).isFile())
        window().dialogs().showError(window().controlParent(),
                                     QStringLiteral("Datei ") + name + QStringLiteral(" kann nicht geöffnet werden!"));
}

int TAVIGraph::shownFrame() const { return m_playback.frame(); }
bool TAVIGraph::playing() const { return m_playback.playing(); }

void TAVIGraph::advance() {
    m_playback.advance();
    if (m_control && m_clip) {
        m_control->showFrame(&m_clip->frame(m_playback.frame()));
        m_control->play(m_playback.playing(), m_clip->millisecondsPerFrame());
    }
}

void TAVIGraph::show(const std::shared_ptr<const AviClip>& clip, bool visible) {
    if (!m_control) return;
    if (!clip) {
        m_control->play(false, 0);
        m_control->showFrame(nullptr);
        m_control->setVisible(visible);
        return;
    }
    guarded([&] {
        const long long x = evaluateInt(kX), y = evaluateInt(kY);
        m_control->setGeometry(ToCoord(x), ToCoord(y - clip->height()), clip->width(), clip->height());
    });
    m_control->showFrame(&clip->frame(m_playback.frame()));
    m_control->play(m_playback.playing(), clip->millisecondsPerFrame());
    m_control->setVisible(visible);
}

void TAVIGraph::Draw(Canvas& canvas) {
    TGraph::Draw(canvas);
    bool visible = false;
    guarded([&] { visible = IsVisible(); });
    const QString name = text(kFile);
    const QString file = name.contains(QLatin1Char('*')) ? QString() : ResolvedFile(window(), name);
    std::shared_ptr<const AviClip> clip = file.isEmpty() ? nullptr : LoadAviClip(file);
    bool shown = false;
    if (clip && clip->ok()) {
        if (clip != m_clip) {
            m_clip = clip;
            m_playback = ClipPlayback();
            m_wasActive = false;
        }
        guarded([&] {
            const int frameInput = evaluateInt(kFrIn);
            if (frameInput == -1) {
                const bool active = evaluate(kAct) > 0;
                // Play starts when Act rises, so a clip that ran its rounds stays still until Act falls and rises again.
                if (active && !m_wasActive) m_playback.start(clip->frameCount(), std::max(evaluateInt(kRep), 0));
                if (!active) m_playback.stop();
                m_wasActive = active;
            } else {
                const long double v = IsFrameChannel(frameInput) ? std::nearbyint(GetSignal(frameInput)) : 1.0L;
                const int frame = std::isfinite(v) ? static_cast<int>(std::clamp<long double>(v, -1.0L, 1e9L)) : 1;
                m_playback.seek(frame, clip->frameCount());
                m_wasActive = false;
            }
            shown = true;
        });
    }
    if (!shown) {
        if (!m_reported && !file.isEmpty() && QFileInfo(file).isFile()) {
            m_reported = true;
            window().dialogs().showError(window().controlParent(),
                                         QStringLiteral("AVI-File ") + name +
                                             QStringLiteral(" kann nicht angezeigt werden (File enthält vermutlich Tondaten)."));
        }
        m_clip.reset();
        m_playback = ClipPlayback();
        show(nullptr, visible);
        return;
    }
    m_reported = false;
    show(m_clip, visible);
}

void RegisterClips() { RegisterElementClass<TAVIGraph>(kAvi); }

} // namespace ovanto
