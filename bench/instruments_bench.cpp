// One paint of 100 instruments of each kind against 100 RECTs of the same boxes.

#include "kind_paint.h"
#include "qt_benchmark_main.h"

namespace {

using ovanto::bench::Box;
using ovanto::bench::KindCase;

// The common fields up to the comment, then the class fields.
QString Record(const char* head, const QStringList& fields) {
    return QString::fromLatin1(head) + QStringLiteral("\t-1\t0\t0\t\t") + fields.join(QLatin1Char('\t'));
}
QString Value(const Box& b) { return QStringLiteral("FRAC(I3*%1/7)").arg(b.index + 1); }
QString Plus(const QString& formula, int d) { return formula + QStringLiteral("+%1").arg(d); }

const KindCase kCases[] = {
    {"ANADISP",
     [](const Box& b) {
         return Record("ANADISP\t5242880\t12648447\t2", {b.x, b.y, "60", "40", Value(b), "0", "1", "0.8", "Druck",
                                                       "bar", "2", "1", "60", "1"});
     }},
    {"THMETER",
     [](const Box& b) {
         return Record("THMETER\t16777215\t255\t1", {Plus(b.x, 25), b.y, "14", "45", "0", "1", Value(b), "1", "5", "7",
                                                   "1", "%.2f"});
     }},
    {"VBARGRAPH",
     [](const Box& b) {
         return Record("VBARGRAPH\t16777215\t32768\t1", {Plus(b.x, 25), b.y, "14", "40", "0", "1", "0", Value(b),
                                                       "65535", "255", "0.5", "0.75", "6", "7", "1", "%.2f", "0"});
     }},
    {"HBARGRAPH",
     [](const Box& b) {
         return Record("HBARGRAPH\t16777215\t32768\t1", {b.x, Plus(b.y, -15), "60", "12", "-1", "1", "1",
                                                       QStringLiteral("SIN(I3*%1)").arg(b.index), "65535", "255",
                                                       "0.5", "0.75", "5", "7", "1", "dx", "1"});
     }},
    {"VSCALE",
     [](const Box& b) {
         return Record("VSCALE\t0\t16777215\t1", {Plus(b.x, 25), b.y, "5", "40", "0", "I3", "6", "4", "7", "0"});
     }},
    {"HSCALE",
     [](const Box& b) {
         return Record("HSCALE\t0\t16777215\t1", {b.x, Plus(b.y, -20), "55", "6", "0", "I3", "6", "4", "7", "0"});
     }},
    {"HBAR",
     [](const Box& b) { return Record("HBAR\t16777215\t8421376\t1", {b.x, b.y, "60", "14", "0", "1", Value(b)}); }},
    {"VBAR",
     [](const Box& b) { return Record("VBAR\t16777215\t8421376\t1", {b.x, b.y, "14", "45", "0", "1", Value(b)}); }},
    {"VMEASURE",
     [](const Box& b) {
         return Record("VMEASURE\t0\t16777215-I3\t1", {Plus(b.x, 20), b.y, "25", "45", "FIC", "101", "6", "25", "0"});
     }},
    {"HMEASURE",
     [](const Box& b) {
         return Record("HMEASURE\t0\t16777215-I3\t1", {b.x, b.y, "55", "25", "TI", "102", "6", "30", "0"});
     }},
    {"PROGRESSBAR",
     [](const Box& b) { return Record("PROGRESSBAR\t0\t16777215\t1", {b.x, b.y, "60", "14", "0", "1", Value(b)}); }},
};

} // namespace

int main(int argc, char** argv) {
    ovanto::bench::RegisterKindPaints(kCases);
    return RunQtBenchmarks(argc, argv);
}
