#!/usr/bin/env python3
"""Writes demo.vsys (a qev-host system file with one block) and demo.qev
(the same picture as an animation file). Run it after changing the picture:
    python3 examples/demo/make_demo.py
"""
import os

VERSION = 435
CAPTION = "Ovanto - Behälter"
WIDTH, HEIGHT = 360, 300
BACKGROUND = 15790320  # light grey
INPUTS = ["Füllstand", "Zufluss", "Abfluss", "Temperatur", "Pumpe läuft", "Ventilstellung"]
OUTPUTS = ["Pumpe", "Ventil", "Heizung"]

BLUE, GREY, BLACK, WHITE, RED = 16711680, 8421504, 0, 16777215, 255
# Red when off, green when on; the valve shades from red (shut) to green (open).
RUNNING = "255+STEP(I5-0.5)*65025"
OPENING = "ROUND(255*(1-I6))+ROUND(255*I6)*256"


def base(keyword, stroke, fill, ltype, comment=""):
    return [keyword, str(stroke), str(fill), str(ltype), "-1", "0", "0", comment]


def rect(x, y, w, h, stroke, fill, ltype, comment=""):
    return base("RECT", stroke, fill, ltype, comment) + [str(x), str(y), str(w), str(h), "0"]


def line2(x1, y1, x2, y2, stroke, ltype, comment=""):
    return base("LINE2", stroke, 0, ltype, comment) + [str(x1), str(y1), str(x2), str(y2), "0", "0"]


def circle(xm, ym, r, stroke, fill, ltype, comment=""):
    return base("CIRCLE", stroke, fill, ltype, comment) + [str(xm), str(ym), str(r), "0"]


def triang(p1, p2, p3, stroke, fill, ltype, comment=""):
    return base("TRIANG", stroke, fill, ltype, comment) + [str(v) for p in (p1, p2, p3) for v in p] + ["0"]


def separator(comment):
    return base("SEPARATOR", 255, 16777215, 1, comment)


# Tank 100 x 160 pixels standing at y = 220; the water column is 1.56 pixels per percent.
ELEMENTS = [
    separator("=== Zulauf ==="),
    line2(0, 120, 22, 120, GREY, 6, "Saugleitung"),
    line2(40, 102, 40, 40, GREY, 6, "Druckleitung"),
    line2(40, 40, 110, 40, GREY, 6),
    line2(110, 40, 110, 60, GREY, 6),
    circle(40, 120, 18, BLACK, RUNNING, 2, "Pumpe"),
    separator("=== Behälter ==="),
    rect(60, 220, 100, 160, BLACK, WHITE, 2, "Behälter"),
    rect(62, 218, 96, "I1*1.56", BLUE, BLUE, 0, "Wasser"),
    line2(160, 181, 168, 181, BLACK, 1, "25 %"),
    line2(160, 142, 168, 142, BLACK, 1, "50 %"),
    line2(160, 103, 168, 103, BLACK, 1, "75 %"),
    rect(184, 222, 16, 124, BLACK, -1, 1, "Thermometer"),
    rect(186, 220, 12, "I4*2", RED, RED, 0, "Temperatur"),
    separator("=== Ablauf ==="),
    line2(110, 220, 110, 250, GREY, 6, "Ablaufleitung"),
    line2(110, 250, 330, 250, GREY, 6),
    triang((245, 238), (245, 262), (260, 250), BLACK, OPENING, 1, "Ventil"),
    triang((275, 238), (275, 262), (260, 250), BLACK, OPENING, 1),
]


def flt(v):
    """The 23-character float form: sign position, d.dddddddddddddd, E, sign, 4 digits."""
    if v == 0:
        return " 0.00000000000000E+0000"
    mantissa, exponent = f"{abs(v):.14E}".split("E")
    return ("-" if v < 0 else " ") + mantissa + "E" + exponent[0] + exponent[1:].rjust(4, "0")


def inputs_block():
    lines = []
    for name in INPUTS:
        lines += [name, flt(1.0), flt(0.0), flt(-1e30), flt(1e30)]
    return lines


def records():
    return ["\t".join(e) for e in ELEMENTS]


def section():
    s = [str(VERSION), CAPTION, str(len(ELEMENTS))] + records()
    s += ["100", "100", str(WIDTH), str(HEIGHT)]           # window rectangle
    s += ["0", "2"]                                         # normal state, sizeable border
    s += [str(len(INPUTS))] + inputs_block()
    s += [str(BACKGROUND)]
    s += [flt(10.0)] * 3 + ["1"] * 3                        # counters
    s += [str(len(OUTPUTS))] + OUTPUTS
    s += ["1", "0"]                                         # refresh interval, static content
    s += ["0", "", "0", "0", "0"]                           # help entry, help file, centre, maximised, expanded
    s += [flt(0.0)] * len(INPUTS)                           # current input values
    for _ in range(20):
        s += [flt(0.0), ""]                                 # constants and comments
    s += ["1", "0"] * 4                                     # visibility, activation, refresh, active signal
    s += ["1", "1", "0", "0"]                               # visible before/after, key activation, on top
    s += ["0", "0", "0", "0", "0", "0", "0"]                # no window manager
    s += ["0", "0"]                                         # pixel format auto, no external I/Os
    return s


def animation_file():
    s = [str(VERSION), CAPTION, str(len(ELEMENTS))] + records()
    s += ["0", str(len(INPUTS))] + inputs_block()
    s += [str(BACKGROUND)]
    s += [flt(10.0)] * 3 + ["1"] * 3
    s += ["2", str(WIDTH), str(HEIGHT)]
    s += [str(len(OUTPUTS))] + OUTPUTS
    s += ["1", "0"]
    s += ["0", "", "0", "0", "0"]
    s += [flt(0.0) + " "] * 20
    s += ["1", "0"] * 4 + ["1", "1"]
    s += ["0", "0", "0", "0", "0"]
    return s


def host_file():
    own = ["VELOR-SYSTEM 1", "StepSize=0.1", "EndTime=0", "Inputs=plant", "Csv=", "Interpolation=linear",
           "Control=auto", "Blocks=1", "BLOCK 1"]
    return own + section()


def write(name, lines):
    path = os.path.join(os.path.dirname(os.path.abspath(__file__)), name)
    with open(path, "wb") as f:
        f.write("".join(l + "\r\n" for l in lines).encode("cp1252"))


if __name__ == "__main__":
    write("demo.vsys", host_file())
    write("demo.qev", animation_file())
