#include "qevman/qevman.h"

#include "qevman/manager_form.h"

#include <QApplication>
#include <QListWidget>
#include <QPointer>
#include <QWidget>

#include <algorithm>
#include <vector>

namespace ovanto::qevman {
namespace {

// One list per process; entries are guarded pointers, so a window destroyed
// without being removed simply drops out.
struct Registry {
    std::vector<QPointer<QWidget>> forms;
    std::vector<QPointer<QWidget>> managed;
    QPointer<TManagerForm> manager;
    int32_t state = 0; // applied when the manager window is first shown
    // A new manager window is first shown from the event loop: the caller that
    // created it sets its rectangle first, which a window already shown
    // minimised would not take.
    bool firstShowPending = false;
};

Registry& registry() {
    static Registry r;
    return r;
}

void prune(std::vector<QPointer<QWidget>>& list, const QObject* gone = nullptr) {
    std::erase_if(list, [gone](const QPointer<QWidget>& w) { return w.isNull() || w.data() == gone; });
}

bool contains(const std::vector<QPointer<QWidget>>& list, const QWidget* w) {
    return std::any_of(list.begin(), list.end(), [w](const QPointer<QWidget>& p) { return p.data() == w; });
}

void refreshManager() {
    Registry& r = registry();
    prune(r.managed);
    if (TManagerForm* m = r.manager.data())
        m->setEntries(r.managed);
}

// The destroyed signal arrives while the window is half gone; compare addresses only.
void watch(QWidget* w) {
    QObject::connect(w, &QObject::destroyed, w, [](QObject* gone) {
        Registry& r = registry();
        prune(r.forms, gone);
        prune(r.managed, gone);
        if (TManagerForm* m = r.manager.data())
            m->setEntries(r.managed);
    });
}

void applyState(TManagerForm* m, int32_t state) {
    if (state & kQevManHidden)
        m->hide();
    else if (state & kQevManMinimized)
        m->showMinimized();
    else
        m->showNormal();
}

QWidget* widgetWithNativeId(std::uintptr_t id) {
    if (id == 0)
        return nullptr;
    const auto tops = QApplication::topLevelWidgets();
    for (QWidget* w : tops) {
        if (w->internalWinId() != 0 && static_cast<std::uintptr_t>(w->internalWinId()) == id)
            return w;
    }
    return nullptr;
}

} // namespace
} // namespace ovanto::qevman

using namespace ovanto::qevman;

extern "C" {

int32_t AddQEVForm(QWidget* form) {
    Registry& r = registry();
    prune(r.forms);
    if (form && !contains(r.forms, form)) {
        if (!contains(r.managed, form))
            watch(form);
        r.forms.emplace_back(form);
    }
    return static_cast<int32_t>(r.forms.size());
}

void RemoveQEVForm(QWidget* form) {
    Registry& r = registry();
    prune(r.forms, form);
}

void AddQEVFormMan(QWidget* form) {
    Registry& r = registry();
    prune(r.managed);
    if (form && !contains(r.managed, form)) {
        if (!contains(r.forms, form))
            watch(form);
        r.managed.emplace_back(form);
    }
    refreshManager();
}

void RemoveQEVFormMan(QWidget* form) {
    Registry& r = registry();
    prune(r.managed, form);
    refreshManager();
}

void SetQEVFormCaption(QWidget* form) {
    if (form && contains(registry().managed, form))
        refreshManager();
}

void InitQEVManager(std::uintptr_t owner) {
    Registry& r = registry();
    // Widgets need a widget application; a bare core application gets no manager window.
    if (r.manager || !qobject_cast<QApplication*>(QCoreApplication::instance()))
        return;
    auto* m = new TManagerForm(widgetWithNativeId(owner));
    r.manager = m;
    refreshManager();
    r.firstShowPending = true;
    QMetaObject::invokeMethod(
        m,
        [m] {
            Registry& reg = registry();
            if (!reg.firstShowPending)
                return;
            reg.firstShowPending = false;
            applyState(m, reg.state);
        },
        Qt::QueuedConnection);
}

QWidget* GetQEVManForm() { return registry().manager.data(); }

int32_t GetQEVManFormState() {
    Registry& r = registry();
    const TManagerForm* m = r.manager.data();
    if (!m || r.firstShowPending)
        return r.state;
    int32_t state = 0;
    if (!m->isVisible())
        state |= kQevManHidden;
    if (m->isMinimized())
        state |= kQevManMinimized;
    return state;
}

void SetQEVManFormState(uint8_t state) {
    Registry& r = registry();
    r.state = state & 0x7F;
    if (TManagerForm* m = r.manager.data(); m && !r.firstShowPending)
        applyState(m, r.state);
}

void HideQEVManForm() {
    Registry& r = registry();
    r.firstShowPending = false;
    if (TManagerForm* m = r.manager)
        m->hide();
}

void ShowQEVManForm() {
    Registry& r = registry();
    r.firstShowPending = false;
    if (TManagerForm* m = r.manager)
        m->show();
}

void ShowQEVForm(const char* name) {
    if (!name)
        return;
    Registry& r = registry();
    prune(r.forms);
    prune(r.managed);
    const QString caption = QString::fromUtf8(name);
    for (const auto* list : {&r.forms, &r.managed}) {
        for (const QPointer<QWidget>& w : *list) {
            if (w->windowTitle() == caption) {
                bringToFront(w);
                return;
            }
        }
    }
}

int32_t SetQEVManWindowPos_(int32_t x, int32_t y) {
    TManagerForm* m = registry().manager;
    if (!m)
        return 0;
    m->move(x, y);
    return 1;
}

} // extern "C"
