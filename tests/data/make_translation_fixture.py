#!/usr/bin/env python3
"""Writes viewer_main_translation.bin: the translation block (UTF-16LE, the
written form) of the viewer's main window, English and German.

Lines marked "assumed" carry texts or component names that the viewer's
description does not give; every other text is the viewer's own. The section
order is the writer's, the owner line comes first in its list, and the hints
start with btnPrev and btnNext."""
import os

D = "\x01"


def line(ident, *texts):
    return ident + D + "".join(t + D for t in texts)


# The form, the bars, then the buttons with their English and German captions.
CAPTIONED = [
    ("TViewerMain", "Duplexion", "Duplexion"),
    ("dxBarManager1Bar1", "General", "Allgemein"),
    ("dxBarManager1Bar2", "Navigation", "Navigation"),
]
BUTTONS = [
    ("btnOpen", "Open...", "Öffnen..."),
    ("btnFit", "Fit", "Anpassen"),
    ("btnOriginalSize", "Actual Size", "Originalgröße"),
    ("btnFullScreen", "Full Screen", "Vollbild"),
    ("btn2D", "2D", "2D"),
    ("btn3DGray", "3D Grayscale", "3D Grau"),
    ("btn3DColor", "3D Color", "3D Farbe"),
    ("btn3DDubois", "3D Color Dubois", "3D Farbe Dubois"),
    ("btn3DInterlace", "Interlaced", "Interlace"),
    ("btnLeftImage", "Left Image", "Linkes Bild"),
    ("btn3DRedGreen", "3D GrayScale Red/Green", "3D Grau Rot/Grün"),
    ("btnFastMode", "Load Images in low resolution (faster)",
     "Bilder in niedriger Auflösung laden (geht schneller)"),
    ("btnAntialias", "Antialias", "Antialias"),  # assumed: the German caption and hint
    ("btnAbout", "Info", "Info"),
    ("btnPrev", "Previous", "Zurück"),
    ("btnNext", "Next", "Vor"),
]
CAPTIONS = [line(*c) for c in CAPTIONED + BUTTONS]

# A hint is its button's caption except for these; btnPrev and btnNext come first.
HINT_TEXTS = {
    "btnOpen": ("Open", "Öffnen"),
    "btn3DInterlace": ("Interlace", "Interlace"),
    "btn3DRedGreen": ("3D GrayScale Red/Green", ""),
    "btnAbout": ("About", "Info"),
}
ORDERED = BUTTONS[-2:] + BUTTONS[:-2]
HINTS = [line(name, *HINT_TEXTS.get(name, (en, de))) for name, en, de in ORDERED]

# assumed: which four components besides the form carry a font and a
# character set, and their face name
FONT_OWNERS = ["TViewerMain", "pnInfo", "Memo1", "dxStatusBar1", "dxBarManager1"]
FONTS = [line(c, "MS Shell Dlg 2", "MS Shell Dlg 2") for c in FONT_OWNERS]
CHARSETS = [line(c, "DEFAULT_CHARSET", "DEFAULT_CHARSET") for c in FONT_OWNERS]

MULTILINES = [line("dxBarManager1.Categories", "Default", "Default")]  # assumed: the German category name

# The message-box texts: key, the framework's text, no German text.
DIALOGS = [line(k, t, "") for k, t in [
    ("Warning", "Warning"), ("Error", "Error"), ("Information", "Information"), ("Confirm", "Confirm"),
    ("Yes", "&Yes"), ("No", "&No"), ("OK", "OK"), ("Cancel", "Cancel"), ("Abort", "&Abort"),
    ("Retry", "&Retry"), ("Ignore", "&Ignore"), ("All", "&All"), ("No To All", "N&o to All"),
    ("Yes To All", "Yes to &All"), ("Help", "&Help")]]

STRINGS = [
    line("rsDoNotShowAgain", "Do not show again", "Diese Info nicht mehr anzeigen"),
    line("IDS_FullScreenInfo", "Press ESC to exit the full screen mode.",
         "Der Vollbildmodus kann mit ESC verlassen werden."),
]

OTHER = [
    line("OpenDialog1.Filter", "Images (*.mpo; *.jpg)|*.mpo;*.jpg", "Bilder (*.mpo; *.jpg)|*.mpo;*.jpg"),
    line("OpenDialog1.Title", "", ""),  # assumed: the second line's identifier; no text is known
]

COLLECTIONS = [
    line("dxStatusBar1.Panels[0].PanelStyleClassName", "TdxStatusBarTextPanelStyle", "TdxStatusBarTextPanelStyle"),
    line("dxStatusBar1.Panels[1].PanelStyleClassName", "TdxStatusBarTextPanelStyle", "TdxStatusBarTextPanelStyle"),
]

SECTIONS = [
    ("stCaptions", CAPTIONS), ("stHints", HINTS), ("stDisplayLabels", []), ("stFonts", FONTS),
    ("stMultiLines", MULTILINES), ("stDlgsCaptions", DIALOGS), ("stStrings", STRINGS),
    ("stOtherStrings", OTHER), ("stLocales", []), ("stCollections", COLLECTIONS), ("stCharSets", CHARSETS),
]

text = "".join(name + "_Unicode\r\n" + "".join(l + "\r\n" for l in lines) for name, lines in SECTIONS)
out = os.path.join(os.path.dirname(os.path.abspath(__file__)), "viewer_main_translation.bin")
with open(out, "wb") as f:
    f.write(text.encode("utf-16-le"))
