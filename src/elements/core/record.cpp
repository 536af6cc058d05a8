#include "elements/core/record.h"

#include "elements/core/element_context.h"
#include "elements/core/element_registry.h"
#include "elements/core/tgraph.h"
#include "platform/module.h"

namespace ovanto {
namespace {
int g_recordVersion = -1;
}

int RecordVersion() {
    if (g_recordVersion < 0) g_recordVersion = Module::recordVersion();
    return g_recordVersion;
}

void SetRecordVersion(int version) { g_recordVersion = version; }

void NextField(QString& s, QString& field) {
    const qsizetype tab = s.indexOf(QLatin1Char('\t'));
    if (tab < 0) {
        field = s;
        return;
    }
    field = s.left(tab);
    s.remove(0, tab + 1);
}

TGraph* ReadRecord(ElementContext& window, const QString& line) {
    const qsizetype tab = line.indexOf(QLatin1Char('\t'));
    const QString keyword = tab < 0 ? line : line.left(tab);
    std::unique_ptr<TGraph> element = MakeElement(window, keyword);
    if (!element) return nullptr;
    QString fields = tab < 0 ? QString() : line.mid(tab + 1);
    element->LoadFromString(fields);
    TGraph* raw = element.get();
    window.appendElement(std::move(element));
    return raw;
}

QString WriteRecord(const TGraph& element) {
    QString s;
    element.SaveToString(s);
    return s;
}

} // namespace ovanto
