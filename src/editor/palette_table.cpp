#include "editor/palette_table.h"

#include "elements/core/element_registry.h"
#include "elements/core/tgraph.h"
#include "elements/display/pictures.h"

#include <array>

namespace ovanto {
namespace {

constexpr std::array<const char*, 6> kPages = {"Graph", "Display", "Controls", "Process", "Misc", "Animation"};

constexpr PaletteEntry kEntries[] = {
    {0, "Linie (Länge, Winkel)", 0, "LINE"},
    {0, "Linie (Anfangs-/Endpunkt)", 51, "LINE2"},
    {0, "Dynamische Linie", 52, "DYNLINE"},
    {0, "Polylinie", 7, "POLYLINE"},
    {0, "Rechteck", 1, "RECT"},
    {0, "Abgerundetes Rechteck", 2, "RRECT"},
    {0, "Schattiertes Rechteck", 3, "SHADRECT"},
    {0, "Kreis", 4, "CIRCLE"},
    {0, "Ellipse", 5, "ELLIPSE"},
    {0, "Dreieck", 6, "TRIANG"},
    {0, "Parallelogramm (drehbar)", 25, "PARALL"},
    {0, "Kreissegment", 77, "ARC"},
    {0, "Statischer Text", 10, "LABEL"},
    {0, "Bitmap", 8, "BITMAP"},
    {0, "Windows-Metafile", 9, "WMF"},
    {1, "Textmeldung", 34, "MESSAGE"},
    {1, "Meldungsliste", 69, "MSGLIST"},
    {1, "Zeit", 28, "TIME"},
    {1, "Datum", 29, "DATE"},
    {1, "Bitmap-Statusanzeige", 35, "STATEBMP"},
    {1, "Bitmap-Sequenz (Animiertes Bitmap)", 38, "BMPSEQ"},
    {1, "AVI-Video", 12, "AVI"},
    {1, "Numerisches Feld", 11, "NUMBER"},
    {1, "LCD-Anzeige (alphanumerisch)", 64, "LCDTEXT"},
    {1, "LCD-Anzeige (numerisch)", 33, "LCD"},
    {1, "7-Segment-Anzeige", 72, "7SEG"},
    {1, "Analoganzeige", 39, "ANADISP"},
    {1, "Horizontale Balkenanzeige", 20, "HBAR"},
    {1, "Vertikale Balkenanzeige", 21, "VBAR"},
    {1, "Windows-Verlaufsanzeige", 19, "PROGRESSBAR"},
    {1, "LED", 22, "LED"},
    {1, "Rechteck-LED", 23, "RECTLED"},
    {1, "y-t-Grafik", 26, "YTPLOT"},
    {1, "x-y-Grafik", 27, "XYPLOT"},
    {1, "Tabelle", 36, "TABLE"},
    {1, "Erweiterter Bargraph (horizontal)", 49, "HBARGRAPH"},
    {1, "Erweiterter Bargraph (vertikal)", 48, "VBARGRAPH"},
    {1, "Skala (vertikal)", 65, "VSCALE"},
    {1, "Skala (horizontal)", 66, "HSCALE"},
    {2, "Schalter", 13, "SWITCH"},
    {2, "Taster", 14, "BUTTON"},
    {2, "Bitmap-Schaltfläche", 31, "DYNBMP"},
    {2, "Bitmap-Mehrfachschalter", 73, "BMPBUTTON"},
    {2, "Editierfeld", 15, "EDIT"},
    {2, "Editierfeld mit Scroller", 30, "SPINEDIT"},
    {2, "Checkbox", 16, "CHECKBOX"},
    {2, "Schieberegler", 17, "TRACKBAR"},
    {2, "Vert. Schieberegler", 18, "VTRACKBAR"},
    {2, "Spin-Element", 32, "UPDOWN"},
    {2, "Listenfeld", 54, "LISTBOX"},
    {2, "Kombinations-Listenfeld", 53, "COMBOBOX"},
    {2, "Radio-Gruppe", 55, "RADIOGROUP"},
    {2, "Taste", 50, "KEY"},
    {2, "Tastenzustand", 63, "KEYSTATE"},
    {2, "Anzeigedialog (BMP/TXT)", 67, "DLGBUTTON"},
    {2, "YTPLOT-Auswertedialog", 68, "YTANALYZE"},
    {3, "Laufband", 59, "BELT"},
    {3, "Horizontale Leitung", 40, "HPIPE"},
    {3, "Vertikale Leitung", 41, "VPIPE"},
    {3, "Tank", 42, "TANK"},
    {3, "Ventil", 43, "VALVE"},
    {3, "Dreiwegeventil", 58, "VALVE3"},
    {3, "Hydraulik-Zylinder", 46, "HYDCYL"},
    {3, "Pumpe", 44, "PUMP"},
    {3, "Motor", 45, "MOTOR"},
    {3, "Thermometer", 47, "THMETER"},
    {3, "EMSR-Stelle", 60, "VMEASURE"},
    {3, "EMSR-Stelle", 61, "HMEASURE"},
    {3, "Feder", 62, "SPRING"},
    {3, "Heizung", 71, "HEATING"},
    {3, "Transportrolle", 74, "ROLL"},
    {3, "Horizontales Rollenband", 75, "HROLLBELT"},
    {3, "Vertikales Rollenband", 76, "VROLLBELT"},
    {3, "Gurtband", 78, "BELT2"},
    {3, "Lichtschranke", 79, "PHOTOSENSOR"},
    {3, "3/2-Wegeventil", 80, "3/2-VALVE"},
    {3, "5/2-Wegeventil", 81, "5/2-VALVE"},
    {4, "Sound", 24, "SOUND"},
    {4, "Farbfüllung", 57, "FILLCOLOR"},
    {4, "Info-Schaltfläche", 56, "INFOTEXT"},
    {4, "Separator", 37, "SEPARATOR"},
    {4, "Bitmap-Sequenz-Generierung", 70, "BMPSEQGENERATOR"},
    {5, "Rührer mit Motor", 100, "BMPSEQ"},
    {5, "Rührer", 101, "BMPSEQ"},
    {5, "Rührer groß", 102, "BMPSEQ"},
    {5, "Flamme von links", 103, "BMPSEQ"},
    {5, "Flamme von rechts", 104, "BMPSEQ"},
    {5, "Flamme von unten", 105, "BMPSEQ"},
    {5, "Drehung gegen Uhrzeigersinn", 106, "BMPSEQ"},
    {5, "Drehung im Uhrzeigersinn", 107, "BMPSEQ"},
    {5, "'Achtung!'-Symbol", 108, "BMPSEQ"},
    {5, "Dampf (vertikal)", 110, "BMPSEQ"},
    {5, "Dampf (horizontal)", 111, "BMPSEQ"},
    {5, "Warnlampe", 112, "BMPSEQ"},
    {5, "Motor", 113, "BMPSEQ"},
    {5, "Motor (klein)", 114, "BMPSEQ"},
    {5, "Sound-Symbol", 115, "BMPSEQ"},
    {5, "Fallende Tropfen", 116, "BMPSEQ"},
    {5, "Wasserstrahl von links", 117, "BMPSEQ"},
    {5, "Wasserstrahl von rechts", 118, "BMPSEQ"},
    {5, "Wasserstrahl von oben", 119, "BMPSEQ"},
    {5, "Wasserblasen durchsichtig (klein)", 120, "BMPSEQ"},
    {5, "Blasen", 109, "BMPSEQ"},
};

} // namespace

std::span<const char* const> PalettePages() { return kPages; }

std::span<const PaletteEntry> PaletteEntries() { return kEntries; }

const PaletteEntry* PaletteEntryOfTag(int tag) {
    for (const PaletteEntry& e : kEntries)
        if (e.tag == tag) return &e;
    return nullptr;
}

std::unique_ptr<TGraph> MakePaletteElement(ElementContext& window, int tag) {
    const PaletteEntry* entry = PaletteEntryOfTag(tag);
    if (!entry) return nullptr;
    if (tag >= kFirstSequenceTag) return MakeSequencePreset(window, tag);
    return MakeElement(window, QString::fromLatin1(entry->keyword));
}

} // namespace ovanto
