#include "elements/core/element_registry.h"

#include "elements/core/element_context.h"
#include "elements/core/property_schema.h"
#include "elements/core/tgraph.h"

#include <QHash>

namespace ovanto {
namespace {

struct ElementClass {
    const ElementSchema* schema;
    ElementFactory factory;
};

QHash<QString, ElementClass>& factories() {
    static QHash<QString, ElementClass> table;
    return table;
}

} // namespace

const QStringList& ElementKeywords() {
    static const QStringList keywords = {
        // basic shapes
        "SEPARATOR", "LINE", "LINE2", "DYNLINE", "RECT", "RRECT", "SHADRECT", "ELLIPSE", "CIRCLE", "TRIANG",
        "POLYLINE", "ARC", "PARALL",
        // process equipment, drives and conveyors
        "TANK", "HPIPE", "VPIPE", "VALVE", "VALVE3", "3/2-VALVE", "5/2-VALVE", "PUMP", "MOTOR", "BELT", "BELT2",
        "HYDCYL", "HEATING", "SPRING", "ROLL", "HROLLBELT", "VROLLBELT", "FILLCOLOR",
        // measuring instruments
        "VMEASURE", "HMEASURE", "ANADISP", "THMETER", "VSCALE", "HSCALE", "HBAR", "VBAR", "VBARGRAPH",
        "HBARGRAPH", "PROGRESSBAR",
        // digital displays and lamps
        "NUMBER", "LCD", "7SEG", "LCDTEXT", "LED", "RECTLED", "PHOTOSENSOR", "TIME", "DATE",
        // texts
        "LABEL", "INFOTEXT", "MESSAGE", "MSGLIST", "TABLE",
        // pictures and media
        "BITMAP", "WMF", "BMPSEQ", "BMPSEQGENERATOR", "DYNBMP", "STATEBMP", "AVI", "SOUND",
        // plots
        "YTPLOT", "XYPLOT", "YTANALYZE",
        // buttons, switches and keys
        "SWITCH", "BUTTON", "DLGBUTTON", "BMPBUTTON", "KEY", "KEYSTATE",
        // windows controls
        "EDIT", "SPINEDIT", "CHECKBOX", "COMBOBOX", "LISTBOX", "RADIOGROUP", "TRACKBAR", "VTRACKBAR", "UPDOWN",
    };
    return keywords;
}

void RegisterElementClass(const ElementSchema& schema, ElementFactory factory) {
    const QString keyword = QString::fromLatin1(schema.keyword);
    Q_ASSERT(ElementKeywords().contains(keyword));
    factories().insert(keyword, {&schema, factory});
}

const ElementSchema* RegisteredSchema(const QString& keyword) {
    const auto it = factories().constFind(keyword);
    return it == factories().constEnd() ? nullptr : it->schema;
}

bool IsElementClassRegistered(const QString& keyword) { return factories().contains(keyword); }

QStringList RegisteredElementKeywords() {
    QStringList result;
    for (const QString& k : ElementKeywords())
        if (factories().contains(k)) result << k;
    return result;
}

std::unique_ptr<TGraph> MakeElement(ElementContext& window, const QString& keyword) {
    const auto it = factories().constFind(keyword);
    return it == factories().constEnd() ? nullptr : it->factory(window);
}

TGraph* CreateElement(ElementContext& window, const QString& keyword) {
    std::unique_ptr<TGraph> element = MakeElement(window, keyword);
    if (!element) return nullptr;
    TGraph* raw = element.get();
    window.appendElement(std::move(element));
    return raw;
}

} // namespace ovanto
