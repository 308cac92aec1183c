#pragma once
// The German texts of the window and its messages, each written once. The control table names
// its captions from here where the program rewrites them, so a caption and the text the program
// sets later cannot drift apart. The small windows' own long texts stay beside their layout.
#include <QString>

namespace solifa::texts {

// The caption of the window at start, before the start folder. It names version 1.3 whatever
// the package's version is: the caption is part of the design the worksheets were made with.
inline constexpr char kStartCaption[] = "SOLIFA V1.3   ";
// The caption after a file was written, before its folder. The design deliberately shows the
// older "V1.0" here, with four blanks; it is kept as it is.
inline constexpr char kCaptionAfterFile[] = "SOLIFA V1.0    ";

// The file button while the body stands still, and the title of its messages.
inline constexpr char kFileAction[] = "Datei erzeugen";
// The file button while the body turns: the frame count with a blank where a sign would stand.
inline QString SeriesButtonCaption(int frameCount) {
    return QStringLiteral(" %1 Dateien erzeugen").arg(frameCount);
}
// The turn button: it names what a click does.
inline constexpr char kTurnOn[] = "ein";
inline constexpr char kTurnOff[] = "aus";

// The messages about files. A path longer than kLongPath characters stands on its own line.
inline constexpr int kLongPath = 40;
inline constexpr char kFileCreatedBefore[] = "Die Datei ";
inline constexpr char kFileCreatedAfter[] = " wurde erzeugt!";
inline constexpr char kSeriesCreatedBefore[] = " %1 Dateien ";
inline constexpr char kSeriesCreatedAfter[] = " wurden erzeugt!";
inline constexpr char kFileWriteFailed[] = "Die Datei %1 konnte nicht geschrieben werden.\r\n%2";
inline constexpr char kNotEncoded[] = "Das Bild konnte nicht umgewandelt werden.";
inline constexpr char kSeriesSizeChanged[] =
    "Die Größe der Bilder hat sich während der Serie geändert.";
inline constexpr char kAnimationNotWritten[] = "Die Animation konnte nicht geschrieben werden.";

// The clipboard button's messages.
inline constexpr char kClipboardTitle[] = "Bitmap-Grafik ablegen";
inline constexpr char kClipboardDone[] =
    "Die Bitmap-Grafik wurde in den Zwischenspeicher abgelegt!";
inline constexpr char kClipboardFailed[] =
    "Die Bitmap-Grafik konnte nicht in den Zwischenspeicher abgelegt werden.";

// A text of this file as Qt takes it.
inline QString Q(const char* text) {
    return QString::fromUtf8(text);
}

// The view's context menu: the looks, the line styles and widths, and the output buttons'
// entries, which carry the window's shortcuts.
inline constexpr char kMenuWorksheetLook[] = "Arbeitsblatt-Darstellung";
inline constexpr char kMenuColourLook[] = "Farbige Darstellung";
inline constexpr char kMenuTextbookLook[] = "Lehrbuch-Darstellung runder Körper";
inline constexpr char kMenuFrontLines[] = "Linien vorn";
inline constexpr char kMenuBackLines[] = "Linien hinten";
// The line styles by their sample line's style, from 1.
inline constexpr const char* kMenuLineStyles[] = {"durchgezogen", "gestrichelt", "gepunktet",
                                                  "Strich-Punkt", "Strich-Punkt-Punkt"};
inline constexpr char kMenuLineWidth[] = "Linienstärke";
inline QString MenuLineWidth(int pixels) {
    return QStringLiteral("%1 Pixel").arg(pixels);
}
inline constexpr char kMenuCopy[] = "In die Ablage kopieren";
inline constexpr char kMenuSave[] = "Datei erzeugen …";
inline constexpr char kMenuPrint[] = "Drucken …";

} // namespace solifa::texts
