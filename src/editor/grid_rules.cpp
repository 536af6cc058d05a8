#include "editor/grid_rules.h"

#include "elements/core/formula/formula.h"
#include "elements/core/formula/parse_float.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <initializer_list>

namespace ovanto {
namespace {

struct EditLimit {
    int below; // rows r < below are editable
    std::initializer_list<const char*> keywords;
};

const std::array<EditLimit, 14> kEditLimits{{
    {11, {"CIRCLE", "LED", "RECTLED"}},
    {12, {"RECT", "RRECT", "SHADRECT", "ELLIPSE"}},
    {13, {"LINE", "LINE2", "BITMAP", "WMF", "AVI", "PROGRESSBAR", "HBAR", "VBAR"}},
    {14, {"TRIANG", "PARALL", "POLYLINE"}},
    {15, {"LCD", "7SEG", "LCDTEXT", "TRACKBAR", "VTRACKBAR"}},
    {16, {"STATEBMP", "3/2-VALVE", "5/2-VALVE", "KEY", "KEYSTATE", "FILLCOLOR", "BMPSEQGENERATOR", "CHECKBOX",
          "COMBOBOX", "LISTBOX"}},
    {17, {"DYNBMP", "BUTTON", "EDIT"}},
    {18, {"INFOTEXT", "DLGBUTTON", "RADIOGROUP", "THMETER"}},
    {19, {"SWITCH", "YTANALYZE", "SPINEDIT"}},
    {20, {"DYNLINE", "HEATING", "VMEASURE", "HMEASURE", "SPRING", "BELT2", "ARC", "MOTOR", "BELT", "PUMP", "HYDCYL",
          "ROLL", "HROLLBELT", "VROLLBELT", "PHOTOSENSOR"}},
    {21, {"VALVE", "VALVE3", "TANK", "HPIPE", "VPIPE", "UPDOWN"}},
    {25, {"ANADISP", "TIME", "DATE", "BMPBUTTON"}},
    {26, {"XYPLOT", "BMPSEQ"}},
    {27, {"YTPLOT"}},
}};

bool isOneOf(const QString& keyword, std::initializer_list<const char*> names) {
    return std::any_of(names.begin(), names.end(), [&](const char* n) { return keyword == QLatin1String(n); });
}

struct ButtonRows {
    const char* keyword;
    int first;
    int last;
};

constexpr ButtonRows kColorRows[] = {
    {"MESSAGE", 17, 19}, {"HPIPE", 17, 17},   {"VPIPE", 17, 17},     {"VALVE", 13, 14},     {"VALVE3", 13, 14},
    {"MOTOR", 11, 12},   {"PUMP", 12, 13},    {"TANK", 15, 15},      {"HYDCYL", 12, 12},    {"HYDCYL", 14, 14},
    {"MSGLIST", 19, 19}, {"HBARGRAPH", 14, 15}, {"VBARGRAPH", 14, 15},
};
constexpr ButtonRows kPictureRows[] = {
    {"BITMAP", 12, 12},    {"WMF", 12, 12},     {"SWITCH", 14, 14},   {"BUTTON", 14, 14},
    {"DLGBUTTON", 13, 13}, {"DLGBUTTON", 15, 15}, {"DYNBMP", 12, 13}, {"BMPBUTTON", 13, 22},
    {"STATEBMP", 12, 13},  {"BMPSEQGENERATOR", 10, 10}, {"BMPSEQ", 12, 21},
};
constexpr ButtonRows kMediaRows[] = {{"AVI", 11, 11}, {"SOUND", 9, 9}};
constexpr ButtonRows kFontRows[] = {
    {"LABEL", 10, 10},   {"NUMBER", 10, 10},  {"INFOTEXT", 10, 10}, {"EDIT", 11, 11},    {"SPINEDIT", 16, 16},
    {"CHECKBOX", 13, 13}, {"LISTBOX", 13, 13}, {"COMBOBOX", 13, 13}, {"RADIOGROUP", 15, 15}, {"TIME", 10, 10},
    {"DATE", 10, 10},    {"MESSAGE", 11, 11}, {"TABLE", 17, 17},    {"MSGLIST", 13, 13},
};

template <std::size_t N>
bool listed(const ButtonRows (&table)[N], const QString& keyword, int row) {
    for (const ButtonRows& b : table)
        if (keyword == QLatin1String(b.keyword) && row >= b.first && row <= b.last) return true;
    return false;
}

} // namespace

bool PropertyCellEditable(const QString& keyword, int r) {
    for (const EditLimit& limit : kEditLimits)
        if (isOneOf(keyword, limit.keywords)) return r < limit.below;
    if (isOneOf(keyword, {"HBARGRAPH", "VBARGRAPH", "VSCALE", "HSCALE"})) return r < 30;
    if (isOneOf(keyword, {"LABEL", "NUMBER"})) return r != 10;
    if (keyword == QLatin1String("MESSAGE")) return r != 11;
    if (keyword == QLatin1String("MSGLIST")) return r != 13;
    if (keyword == QLatin1String("TABLE")) return r != 17;
    if (keyword == QLatin1String("SOUND")) return r < 9 || r == 11;
    return false;
}

bool ValueButtonVisible(ValueButton button, const QString& keyword, int row, bool elementExists) {
    if (!elementExists) return false;
    switch (button) {
    case ValueButton::Color:
        return row == 1 || row == 2 || listed(kColorRows, keyword, row);
    case ValueButton::PictureFile:
        return listed(kPictureRows, keyword, row);
    case ValueButton::MediaFile:
        return listed(kMediaRows, keyword, row);
    case ValueButton::Font:
        return listed(kFontRows, keyword, row);
    }
    return false;
}

FileDialogPreset PictureFilePreset(const QString& keyword) {
    if (isOneOf(keyword, {"BITMAP", "BUTTON", "SWITCH", "DYNBMP", "BMPBUTTON", "STATEBMP", "BMPSEQ", "BMPSEQGENERATOR"}))
        return {QStringLiteral("*.bmp"), QStringLiteral("Windows-Bitmaps (*.bmp)|*.bmp")};
    if (keyword == QLatin1String("DLGBUTTON"))
        return {QStringLiteral("*.*"), QStringLiteral("Windows-Bitmaps (*.bmp)|*.bmp|Textdateien (*.txt)|*.txt")};
    return {QStringLiteral("*.wmf"), QStringLiteral("Windows-Metafiles (*.wmf)|*.wmf")};
}

FileDialogPreset MediaFilePreset(const QString& keyword) {
    if (keyword == QLatin1String("AVI"))
        return {QStringLiteral("*.avi"), QStringLiteral("Video für Windows (*.avi)|*.avi")};
    return {QStringLiteral("*.wav"), QStringLiteral("Windows-Sound (*.wav)|*.wav")};
}

CellTextKind ClassifyCellText(const QString& text) {
    QString number = text;
    number.replace(QLatin1Char(','), QLatin1Char('.'));
    long double value = 0.0L;
    if (TryParseFloat(number.toStdString(), value)) return CellTextKind::Number;
    CompiledFormula program;
    return CompileFormula(text.toUpper().toStdString(), program) ? CellTextKind::Formula : CellTextKind::Broken;
}

std::vector<bool> SelectionAfterClick(const std::vector<bool>& selected, int clicked, bool shift, bool ctrl) {
    std::vector<bool> result = selected;
    const int n = static_cast<int>(selected.size());
    int a = -1;
    int b = -1;
    for (int i = 0; i < n; ++i)
        if (selected[static_cast<std::size_t>(i)]) {
            if (a < 0) a = i;
            b = i;
        }
    int rangeFrom = -1;
    int rangeTo = -2;
    if (clicked >= 0 && clicked < n) {
        result[static_cast<std::size_t>(clicked)] = true;
        if (shift) {
            if (a >= 0 && a < clicked) {
                rangeFrom = a;
                rangeTo = clicked;
            } else if (b > clicked) {
                rangeFrom = clicked;
                rangeTo = b;
            }
            for (int i = rangeFrom; i <= rangeTo; ++i) result[static_cast<std::size_t>(i)] = true;
        }
    }
    if (!ctrl)
        for (int i = 0; i < n; ++i)
            if (i != clicked && (i < rangeFrom || i > rangeTo)) result[static_cast<std::size_t>(i)] = false;
    return result;
}

int ElementGridRowCount(int elementCount) {
    int rows = 50;
    while (rows - 2 < elementCount && rows < 1'000'000) rows += 5;
    return rows;
}

QString FormatRealEdit(long double value) {
    return QString::asprintf("%16.10g", static_cast<double>(value)).trimmed();
}

bool SpinnerValue(const QString& cellText, int& value) {
    bool ok = false;
    const int v = cellText.trimmed().toInt(&ok, 10);
    if (!ok || v < -32000 || v > 32000) return false;
    value = v;
    return true;
}

} // namespace ovanto
