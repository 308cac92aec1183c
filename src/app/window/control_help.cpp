#include "app/window/control_help.h"

#include <QWidget>
#include <array>

namespace solifa {
namespace {

// The controls in the order Tab visits them.
// clang-format off
constexpr std::array kHelp = std::to_array<ControlHelp>({
    // Body buttons: the caption names the body.
    {"SSCommand1(0)", nullptr, "Körper wählen: Kugel (Ecken und Ebenen merkt sich jeder Körper)"},
    {"SSCommand1(1)", nullptr, "Körper wählen: Würfel"},
    {"SSCommand1(2)", nullptr, "Körper wählen: Oktaeder"},
    {"SSCommand1(3)", nullptr, "Körper wählen: Zylinder (Ecken merkt sich jeder Körper)"},
    {"SSCommand1(4)", nullptr, "Körper wählen: Pyramide"},
    {"SSCommand1(5)", nullptr, "Körper wählen: Kegel (Ecken merkt sich jeder Körper)"},
    {"SSCommand1(6)", nullptr, "Körper wählen: Trichter (Ecken merkt sich jeder Körper)"},

    // The view and its bars.
    {"Picture1", "Ansicht", "Ansicht des Körpers\nRechtsklick: Kontextmenü (Darstellung, Linien, Ausgabe)\nTasten: ←/→ Drehwinkel, ↑/↓ Kippwinkel (mit Umschalt je 10),\n+/− Zoom, 0 bis 7 Versatz"},
    {"VScroll1", "Kippwinkel", "Kippwinkel: kippt den Körper nach vorn, oben 0°, unten 90° (Wert bei „Kippwinkel:“)"},
    {"HScroll1(0)", "Drehwinkel", "Drehwinkel: dreht den Körper in der Bildebene, 0° bis 359° (Wert bei „Drehwinkel:“)"},

    // The values.
    {"SSCommand1(7)", "Versatz 0", "Versatz 0: der Körper steht ohne Drehung um seine Achse (Taste 0 in der Ansicht)"},
    {"SSCommand1(8)", "Versatz 1", "Versatz 1: dreht den Körper um 1/8 des Eckenabstands um seine Achse (Taste 1 in der Ansicht)"},
    {"SSCommand1(9)", "Versatz 2", "Versatz 2: dreht den Körper um 2/8 des Eckenabstands um seine Achse (Taste 2 in der Ansicht)"},
    {"SSCommand1(10)", "Versatz 3", "Versatz 3: dreht den Körper um 3/8 des Eckenabstands um seine Achse (Taste 3 in der Ansicht)"},
    {"SSCommand1(11)", "Versatz 4", "Versatz 4: dreht den Körper um 4/8 des Eckenabstands um seine Achse (Taste 4 in der Ansicht)"},
    {"SSCommand1(12)", "Versatz 5", "Versatz 5: dreht den Körper um 5/8 des Eckenabstands um seine Achse (Taste 5 in der Ansicht)"},
    {"SSCommand1(13)", "Versatz 6", "Versatz 6: dreht den Körper um 6/8 des Eckenabstands um seine Achse (Taste 6 in der Ansicht)"},
    {"SSCommand1(14)", "Versatz 7", "Versatz 7: dreht den Körper um 7/8 des Eckenabstands um seine Achse (Taste 7 in der Ansicht)"},
    {"HScroll1(1)", "Ecken", "Ecken: Zahl der Ecken des Umfangs, 3 bis 36"},
    {"HScroll1(2)", "Ebenen", "Ebenen: Zahl der Ebenen der Kugel, 2 bis 36"},

    // Appearance.
    {"Picture5", "Hintergrundfarbe", "Klicken: Hintergrundfarbe wählen"},
    {"Check2(1)", nullptr, "Flächen vorn (dem Betrachter zugewandt) zeigen oder weglassen"},
    {"Picture2(1)", "Flächenfarbe vorn", "Klicken: Farbe der Flächen vorn wählen"},
    {"Check1(1)", nullptr, "Flächen vorn nur als Umriss, ohne Füllung; aus: die Farbe wählen"},
    {"Picture4(1)", "Linienfarbe vorn", "Klicken: Linienfarbe der Flächen vorn wählen"},
    {"Picture3(1)", "Linienart vorn", "Klicken: nächste Linienart (alle Linienarten auch im Kontextmenü der Ansicht)"},
    {"Check2(0)", nullptr, "Flächen hinten (vom Betrachter abgewandt) zeigen oder weglassen"},
    {"Picture2(0)", "Flächenfarbe hinten", "Klicken: Farbe der Flächen hinten wählen"},
    {"Check1(0)", nullptr, "Flächen hinten nur als Umriss, ohne Füllung; aus: die Farbe wählen"},
    {"Picture4(0)", "Linienfarbe hinten", "Klicken: Linienfarbe der Flächen hinten wählen"},
    {"Picture3(0)", "Linienart hinten", "Klicken: nächste Linienart (alle Linienarten auch im Kontextmenü der Ansicht)"},
    {"Picture6(1)", "Abschlussfarbe außen", "Klicken: Farbe der Abschlussflächen von außen (oben) gesehen wählen"},
    {"Check3(0)", nullptr, "Obere Abschlussfläche nur als Umriss, ohne Füllung"},
    {"Picture6(0)", "Abschlussfarbe innen", "Klicken: Farbe der Abschlussflächen von innen (unten) gesehen wählen"},
    {"Check3(1)", nullptr, "Untere Abschlussfläche nur als Umriss, ohne Füllung"},

    // Output.
    {"HScroll6", "Ausgabegröße", "Ausgabegröße: Breite und Höhe des ausgegebenen Bildes in Pixeln,\nhöchstens die Bildschirmhöhe; darüber stehen Pixel und cm"},
    {"SSCommand6", nullptr, "Drucken (Strg+P): das Bild auf einer Seite drucken"},
    {"SSCommand5", nullptr, "In die Ablage kopieren (Strg+C): das Bild in die Zwischenablage legen"},
    {"SSCommand9", nullptr, "Datei erzeugen (Strg+S): das Bild als Datei speichern, das Format nach der Endung;\nwährend der Drehung eine Bildserie"},
    {"SSCommand10", nullptr, "Info (F1): Informationen über das Programm"},
    {"SSCommand8", nullptr, "Weitere Programme zeigen"},

    // The bottom row.
    {"SSCommand3", nullptr, "Drehung um die Körperachse ein- und ausschalten;\nwährend der Drehung erzeugt „Datei erzeugen“ eine Bildserie"},
    {"Check4", "Drehrichtung umkehren", "Drehrichtung umkehren: spiegelt den Körper (bleibt nach „aus“ bestehen)"},
    {"HScroll3", "Bilder", "Bilder: so viele Bilder zeigt die Drehung, bis der Körper um eine Ecke weitergedreht ist,\n3 bis 32; so viele Dateien hat eine Bildserie"},
    {"SSCommand2", nullptr, "Position zurück auf die Mitte (X 0, Y 0)"},
    {"HScroll2", "Position X", "Position X: verschiebt den Körper nach links oder rechts, −100 bis 100 Pixel"},
    {"VScroll2", "Position Y", "Position Y: verschiebt den Körper nach oben oder unten, −100 bis 100 Pixel"},
    {"SSCommand4", nullptr, "Zoomfaktor zurück auf 1"},
    {"HScroll4", "Zoomfaktor", "Zoomfaktor: vergrößert oder verkleinert den Körper, 0,8 bis 3 in Schritten von 0,01"},
    {"SSCommand11", nullptr, "Programm beenden (Strg+Q)"},
});
// clang-format on

} // namespace

void ApplyControlHelp(const std::map<QString, QWidget*>& controls) {
    QWidget* previous = nullptr;
    for (const ControlHelp& h : kHelp) {
        QWidget* w = controls.at(QString::fromUtf8(h.name));
        const QString tip = QString::fromUtf8(h.toolTip);
        w->setToolTip(tip);
        w->setAccessibleDescription(tip);
        if (h.spokenName != nullptr)
            w->setAccessibleName(QString::fromUtf8(h.spokenName));
        if (previous != nullptr)
            QWidget::setTabOrder(previous, w);
        previous = w;
    }
}

} // namespace solifa
