// One paint of 100 digital displays of a kind against 100 RECTs of the same boxes.

#include "kind_paint.h"
#include "qt_benchmark_main.h"

namespace {

using ovanto::bench::Box;
using ovanto::bench::KindCase;

// The common fields with a stroke and fill, then the class fields.
QString head(const char* keyword, const QString& stroke, const QString& fill) {
    return QStringLiteral("%1\t%2\t%3\t1\t-1\t0\t0\t").arg(QLatin1String(keyword), stroke, fill);
}

QString input(const Box& b) { return QStringLiteral("I1*%1/10").arg(b.index); }

const KindCase kCases[] = {
    {"NUMBER", [](const Box& b) {
         return head("NUMBER", QStringLiteral("0"), QStringLiteral("12632256")) +
                QStringLiteral("\t%1\t%2\t10\tARIAL\t").arg(b.x, b.y) + QStringLiteral("%5.1f") +
                QStringLiteral("\t%1\t4\t1\t0").arg(input(b));
     }},
    // Each element has a stroke of its own, so each keeps recoloured copies.
    {"LCD", [](const Box& b) {
         return head("LCD", QString::number(0x00FF00 + b.index), QStringLiteral("0")) +
                QStringLiteral("\t%1\t%2\t3\t1\t%3\t2\t1\t1").arg(b.x, b.y, input(b));
     }},
    {"7SEG", [](const Box& b) {
         return head("7SEG", QString::number(0x0000FF + b.index * 256), QStringLiteral("0")) +
                QStringLiteral("\t%1\t%2\t3\t1\t%3\t2\t1\t1").arg(b.x, b.y, input(b));
     }},
    {"LCDTEXT", [](const Box& b) {
         return head("LCDTEXT", QString::number(0x00FFFF + b.index), QStringLiteral("0")) +
                QStringLiteral("\t%1\t%2\t").arg(b.x, b.y) + QStringLiteral("%3.0f") +
                QStringLiteral("\t%1\t2\t1\t1").arg(input(b));
     }},
    {"LED", [](const Box& b) {
         return head("LED", QStringLiteral("0"), QStringLiteral("65280")) +
                QStringLiteral("\t%1\t%2\t5\t%3\t0").arg(b.x, b.y, input(b));
     }},
    {"RECTLED", [](const Box& b) {
         return head("RECTLED", QStringLiteral("0"), QStringLiteral("255")) +
                QStringLiteral("\t%1\t%2\t5\t%3\t0").arg(b.x, b.y, input(b));
     }},
    {"PHOTOSENSOR", [](const Box& b) {
         return head("PHOTOSENSOR", QStringLiteral("0"), QStringLiteral("52479")) +
                QStringLiteral("\t%1\t%2\t%3\t16\t5\t%4\t%5").arg(b.x, b.y).arg(b.width).arg(input(b)).arg(b.index % 4);
     }},
    {"TIME", [](const Box& b) {
         return head("TIME", QStringLiteral("0"), QStringLiteral("16777215")) +
                QStringLiteral("\t%1\t%2\t10\tARIAL\thh:mm:ss").arg(b.x, b.y);
     }},
    {"DATE", [](const Box& b) {
         return head("DATE", QStringLiteral("0"), QStringLiteral("16777215")) +
                QStringLiteral("\t%1\t%2\t10\tARIAL\tdd.mm.yyyy").arg(b.x, b.y);
     }},
};

} // namespace

int main(int argc, char** argv) {
    ovanto::bench::RegisterKindPaints(kCases);
    return RunQtBenchmarks(argc, argv);
}
