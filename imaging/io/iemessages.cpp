// The texts of the library's message tables. English is complete; German is
// this library's own translation, since the viewer's interface is English or
// German. Other rows stay empty, so lookups in them give the English text.
#include "imaging/io/iedefs.h"

namespace {

constexpr const char* kEnglish[IEMessageCount] = {
    "Preview",                    // 0
    "Original",                   // 1
    "Result",                     // 2
    "OK",                         // 3
    "Cancel",                     // 4
    "Lock preview",               // 5
    "Copy Result to Original",    // 6
    "Contrast",                   // 7
    "Brightness",                 // 8
    "Hue",                        // 9
    "Saturation",                 // 10
    "Value",                      // 11
    "Base color",                 // 12
    "New color",                  // 13
    "Luminosity",                 // 14
    "Red",                        // 15
    "Green",                      // 16
    "Blue",                       // 17
    "Filter values",              // 18
    "Presets",                    // 19
    "Divisor",                    // 20
    "Load",                       // 21
    "Save",                       // 22
    "Equalization",               // 23
    "Threshold",                  // 24
    "Equalize",                   // 25
    "Histogram",                  // 26
    "Gray",                       // 27
    "Light",                      // 28
    "Left",                       // 29
    "Top",                        // 30
    "Width",                      // 31
    "Height",                     // 32
    "Color",                      // 33
    "Original image quantity",    // 34
    "Lens",                       // 35
    "Refraction",                 // 36
    "Parameters Preview",         // 37
    "Quality",                    // 38
    "DCT method",                 // 39
    "Smoothing factor",           // 40
    "Gray scale",                 // 41
    "Optimal Huffman",            // 42
    "Original size",              // 43
    "Compressed size",            // 44
    "Advanced",                   // 45
    "Progressive",                // 46
    "Compression",                // 47
    "Image index",                // 48
    "Photometric",                // 49
    "Scanned document info",      // 50
    "Name",                       // 51
    "Description",                // 52
    "Page name",                  // 53
    "Page number",                // 54
    "of",                         // 55
    "Horz. Position (inch)",      // 56
    "Vert. Position (inch)",      // 57
    "Colors",                     // 58
    "Transparent",                // 59
    "Transparent color",          // 60
    "Interlaced",                 // 61
    "Background",                 // 62
    "Horz. Position",             // 63
    "Vert. Position",             // 64
    "Delay time",                 // 65
    "Filter",                     // 66
    "Wave",                       // 67
    "Amplitude",                  // 68
    "Wave length",                // 69
    "Phase",                      // 70
    "Reflective",                 // 71
    "User filter",                // 72
    "Morphing filters",           // 73
    "Window size",                // 74
    "Maximum",                    // 75
    "Minimum",                    // 76
    "Opening",                    // 77
    "Closing",                    // 78
    "Rotate",                     // 79
    "Flip",                       // 80
    "Horizontal",                 // 81
    "Vertical",                   // 82
    "Frequency domain image",     // 83
    "Select region to clean",     // 84
    "Clear",                      // 85
    "Reset",                      // 86
    "Animate",                    // 87
    "Load filter",                // 88
    "Save filter",                // 89
    "Bump map",                   // 90
    "Print",                      // 91
    "Margins",                    // 92
    "inches",                     // 93
    "Right",                      // 94
    "Bottom",                     // 95
    "Position",                   // 96
    "Size",                       // 97
    "Normal",                     // 98
    "Fit to page",                // 99
    "Stretch to page",            // 100
    "Specified size",             // 101
    "Gamma correction",           // 102
    "Value",                      // 103
    "Print Setup",                // 104
    "Left Margin",                // 105
    "Top Margin",                 // 106
    "Right Margin",               // 107
    "Bottom Margin",              // 108
    "Size and Location",          // 109
    "Top Left",                   // 110
    "Top Center",                 // 111
    "Top Right",                  // 112
    "Center Left",                // 113
    "Center",                     // 114
    "Center Right",               // 115
    "Bottom Left",                // 116
    "Bottom Center",              // 117
    "Bottom Right",               // 118
    "Close",                      // 119
    "Apply",                      // 120
    "Measurement",                // 121
    "Units",                      // 122
    "Rate",                       // 123
    "All graphics",               // 124
    "Video for Windows",          // 125
    "File",                       // 126
    "Mem",                        // 127
    "Automatically updates your preview with the changes you have selected",  // 128
    "Print All",                  // 129
    "Print Selected",             // 130
    "Common Graphic Files",       // 131
    "All Files",                  // 132
    "HSV",                        // 133
    "HSL",                        // 134
    "RGB",                        // 135
    "FFT",                        // 136
    "Sharpen",                    // 137
    "Channels",                   // 138
    "pixel",                      // 139
    "frames",                     // 140
    "bit",                        // 141
    "byte",                       // 142
    "dpi",                        // 143
    "KB",                         // 144
    "Fit",                        // 145
    "Other",                      // 146
    "Columns",                    // 147
    "Rows",                       // 148
    "Style",                      // 149
    "Spacing",                    // 150
};

constexpr const char* kGerman[IEMessageCount] = {
    "Vorschau",                                // 0
    "Original",                                // 1
    "Ergebnis",                                // 2
    "OK",                                      // 3
    "Abbrechen",                               // 4
    "Vorschau sperren",                        // 5
    "Ergebnis ins Original übernehmen",        // 6
    "Kontrast",                                // 7
    "Helligkeit",                              // 8
    "Farbton",                                 // 9
    "Sättigung",                               // 10
    "Wert",                                    // 11
    "Grundfarbe",                              // 12
    "Neue Farbe",                              // 13
    "Luminanz",                                // 14
    "Rot",                                     // 15
    "Grün",                                    // 16
    "Blau",                                    // 17
    "Filterwerte",                             // 18
    "Vorgaben",                                // 19
    "Divisor",                                 // 20
    "Laden",                                   // 21
    "Speichern",                               // 22
    "Tonwertangleichung",                      // 23
    "Schwellenwert",                           // 24
    "Angleichen",                              // 25
    "Histogramm",                              // 26
    "Grau",                                    // 27
    "Licht",                                   // 28
    "Links",                                   // 29
    "Oben",                                    // 30
    "Breite",                                  // 31
    "Höhe",                                    // 32
    "Farbe",                                   // 33
    "Anteil des Originalbilds",                // 34
    "Linse",                                   // 35
    "Brechung",                                // 36
    "Parametervorschau",                       // 37
    "Qualität",                                // 38
    "DCT-Verfahren",                           // 39
    "Glättungsfaktor",                         // 40
    "Graustufen",                              // 41
    "Optimales Huffman",                       // 42
    "Originalgröße",                           // 43
    "Komprimierte Größe",                      // 44
    "Erweitert",                               // 45
    "Progressiv",                              // 46
    "Kompression",                             // 47
    "Bildindex",                               // 48
    "Photometrie",                             // 49
    "Angaben zum gescannten Dokument",         // 50
    "Name",                                    // 51
    "Beschreibung",                            // 52
    "Seitenname",                              // 53
    "Seitennummer",                            // 54
    "von",                                     // 55
    "Horiz. Position (Zoll)",                  // 56
    "Vert. Position (Zoll)",                   // 57
    "Farben",                                  // 58
    "Transparent",                             // 59
    "Transparente Farbe",                      // 60
    "Zeilensprung",                            // 61
    "Hintergrund",                             // 62
    "Horiz. Position",                         // 63
    "Vert. Position",                          // 64
    "Verzögerung",                             // 65
    "Filter",                                  // 66
    "Welle",                                   // 67
    "Amplitude",                               // 68
    "Wellenlänge",                             // 69
    "Phase",                                   // 70
    "Spiegelnd",                               // 71
    "Benutzerfilter",                          // 72
    "Morphologische Filter",                   // 73
    "Fenstergröße",                            // 74
    "Maximum",                                 // 75
    "Minimum",                                 // 76
    "Öffnung",                                 // 77
    "Schließung",                              // 78
    "Drehen",                                  // 79
    "Spiegeln",                                // 80
    "Horizontal",                              // 81
    "Vertikal",                                // 82
    "Bild im Frequenzbereich",                 // 83
    "Zu bereinigenden Bereich wählen",         // 84
    "Löschen",                                 // 85
    "Zurücksetzen",                            // 86
    "Animieren",                               // 87
    "Filter laden",                            // 88
    "Filter speichern",                        // 89
    "Bump-Map",                                // 90
    "Drucken",                                 // 91
    "Ränder",                                  // 92
    "Zoll",                                    // 93
    "Rechts",                                  // 94
    "Unten",                                   // 95
    "Position",                                // 96
    "Größe",                                   // 97
    "Normal",                                  // 98
    "An Seite anpassen",                       // 99
    "Auf Seite strecken",                      // 100
    "Angegebene Größe",                        // 101
    "Gammakorrektur",                          // 102
    "Wert",                                    // 103
    "Druckeinrichtung",                        // 104
    "Linker Rand",                             // 105
    "Oberer Rand",                             // 106
    "Rechter Rand",                            // 107
    "Unterer Rand",                            // 108
    "Größe und Position",                      // 109
    "Oben links",                              // 110
    "Oben Mitte",                              // 111
    "Oben rechts",                             // 112
    "Mitte links",                             // 113
    "Mitte",                                   // 114
    "Mitte rechts",                            // 115
    "Unten links",                             // 116
    "Unten Mitte",                             // 117
    "Unten rechts",                            // 118
    "Schließen",                               // 119
    "Übernehmen",                              // 120
    "Messung",                                 // 121
    "Einheiten",                               // 122
    "Rate",                                    // 123
    "Alle Grafiken",                           // 124
    "Video für Windows",                       // 125
    "Datei",                                   // 126
    "Speicher",                                // 127
    "Aktualisiert die Vorschau automatisch mit den gewählten Änderungen",  // 128
    "Alle drucken",                            // 129
    "Auswahl drucken",                         // 130
    "Gängige Grafikdateien",                   // 131
    "Alle Dateien",                            // 132
    "HSV",                                     // 133
    "HSL",                                     // 134
    "RGB",                                     // 135
    "FFT",                                     // 136
    "Schärfen",                                // 137
    "Kanäle",                                  // 138
    "Pixel",                                   // 139
    "Bilder",                                  // 140
    "Bit",                                     // 141
    "Byte",                                    // 142
    "dpi",                                     // 143
    "KB",                                      // 144
    "Einpassen",                               // 145
    "Andere",                                  // 146
    "Spalten",                                 // 147
    "Zeilen",                                  // 148
    "Stil",                                    // 149
    "Abstand",                                 // 150
};

}  // namespace

void IEFillMessageTables() {
  for (int32_t n = 0; n < IEMessageCount; ++n) IESetMessageText(msEnglish, uint8_t(n), kEnglish[n]);
  for (int32_t n = 0; n < IEMessageCount; ++n) IESetMessageText(msGerman, uint8_t(n), kGerman[n]);
}
