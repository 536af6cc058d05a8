// One paint of 100 operating elements of a kind against 100 RECTs of the same
// boxes, and the response of a 200-element window to a press on a switch.

#include "elements/core/record.h"
#include "kind_paint.h"
#include "qt_benchmark_main.h"

#include <QCoreApplication>
#include <QMouseEvent>

namespace {

using ovanto::bench::Box;
using ovanto::bench::KindCase;

QString head(const char* keyword, const QString& stroke, const QString& fill) {
    return QStringLiteral("%1\t%2\t%3\t1\t-1\t0\t0\t").arg(QLatin1String(keyword), stroke, fill);
}

QString switchRecord(const Box& b) {
    return head("SWITCH", QStringLiteral("0"), QStringLiteral("12632256+I3")) +
           QStringLiteral("\tAus %1#Ein %1\t%2\t%3\t%4\t%5\t1\t%6\t%7\t*.BMP\t0\t8\t-1\t\t1")
               .arg(b.index)
               .arg(b.x, b.y)
               .arg(b.width)
               .arg(b.height)
               .arg(b.index % 50 + 1)
               .arg(b.index % 2);
}

const KindCase kCases[] = {
    {"SWITCH", switchRecord},
    {"BUTTON", [](const Box& b) {
         return head("BUTTON", QStringLiteral("I3"), QStringLiteral("12632256")) +
                QStringLiteral("\tTaster %1\t%2\t%3\t%4\t%5\t1\t%6\t0\t*.BMP\t0\t8\t1")
                    .arg(b.index)
                    .arg(b.x, b.y)
                    .arg(b.width)
                    .arg(b.height)
                    .arg(b.index % 50 + 1);
     }},
    {"DLGBUTTON", [](const Box& b) {
         return head("DLGBUTTON", QStringLiteral("0"), QStringLiteral("12632256+I3")) +
                QStringLiteral("\tText#Hilfe %1\t%2\t%3\t%4\t%5\t0\t*.BMP\t0\t8\thilfe.txt\t1")
                    .arg(b.index)
                    .arg(b.x, b.y)
                    .arg(b.width)
                    .arg(b.height);
     }},
    // Library pictures: the generated motor in three positions.
    {"BMPBUTTON", [](const Box& b) {
         return head("BMPBUTTON", QStringLiteral("0"), QStringLiteral("16777215-I3")) +
                QStringLiteral("\t%1\t%2\t%3\t%4\t0#1#2\t%5\t3\t280\t281\t282\t*.BMP\t*.BMP\t*.BMP\t*.BMP\t*.BMP\t*."
                               "BMP\t*.BMP\t1\t1")
                    .arg(b.x, b.y)
                    .arg(b.width)
                    .arg(b.height)
                    .arg(b.index % 50 + 1);
     }},
    // Outside design mode the keys draw nothing: this is the cost of asking.
    {"KEY", [](const Box& b) {
         return head("KEY", QStringLiteral("0"), QStringLiteral("16777215")) +
                QStringLiteral("\t%1\t%2\t20\t20\tI3\t%3\t0\t%4\t1").arg(b.x, b.y).arg(b.index % 50 + 1).arg(65 + b.index % 26);
     }},
    {"KEYSTATE", [](const Box& b) {
         return head("KEYSTATE", QStringLiteral("0"), QStringLiteral("16777215")) +
                QStringLiteral("\t%1\t%2\t20\t20\tI3\t%3\t0\t%4\t0").arg(b.x, b.y).arg(b.index % 50 + 1).arg(65 + b.index % 26);
     }},
};

// From the press on a switch, through the window's mouse handler, to its
// output written and the window painted; the release goes the same way.
void SwitchPressResponse(benchmark::State& state) {
    ovanto::TForm1 form;
    ovanto::SetRecordVersion(435);
    for (int i = 0; i < ovanto::bench::kKindCount; ++i) {
        const Box b = ovanto::bench::CellBox(i);
        ovanto::ReadRecord(form, ovanto::bench::RectRecord(b));
        // The switch pressed lies alone in the first cell; the other 99 lie over their rectangles.
        ovanto::ReadRecord(form, switchRecord(b));
    }
    if (form.elementCount() != 200) state.SkipWithError("the records did not load");
    form.setClientSize(QSize(800, 600));
    form.show();
    form.UpdateOutputs();
    QWidget* target = form.paintBox();
    const QPointF at(30, 40);
    const long double before = form.signalTable()[57];
    bool on = false;
    for (auto _ : state) {
        QMouseEvent press(QEvent::MouseButtonPress, at, target->mapToGlobal(at), Qt::LeftButton, Qt::LeftButton,
                          Qt::NoModifier);
        QCoreApplication::sendEvent(target, &press);
        QMouseEvent release(QEvent::MouseButtonRelease, at, target->mapToGlobal(at), Qt::LeftButton, Qt::NoButton,
                            Qt::NoModifier);
        QCoreApplication::sendEvent(target, &release);
        on = !on;
    }
    if (on && form.signalTable()[57] == before) state.SkipWithError("the switch wrote nothing");
}

} // namespace

int main(int argc, char** argv) {
    ovanto::bench::RegisterKindPaints(kCases);
    benchmark::RegisterBenchmark("SWITCH_press_to_paint/200", SwitchPressResponse)->Unit(benchmark::kMicrosecond);
    return RunQtBenchmarks(argc, argv);
}
