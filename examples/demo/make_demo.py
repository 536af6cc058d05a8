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


def base(keyword, stroke, fill, ltype, comment=""):
    return [keyword, str(stroke), str(fill), str(ltype), "-1", "0", "0", comment]


def rect(x, y, w, h, stroke, fill, ltype, comment=""):
    return base("RECT", stroke, fill, ltype, comment) + [str(x), str(y), str(w), str(h), "0"]


def line2(x1, y1, x2, y2, stroke, ltype, comment=""):
    return base("LINE2", stroke, 0, ltype, comment) + [str(x1), str(y1), str(x2), str(y2), "0", "0"]


def separator(comment):
    return base("SEPARATOR", 255, 16777215, 1, comment)


WATER, STEEL = 16760445, 12632256


def pipe(keyword, x, y, w, h, flow, comment="", direction=0, ends=(0, 0)):
    """A pipe whose dotted water moves while `flow` is positive (backwards with direction 1)."""
    return base(keyword, BLACK, WATER, 1, comment) + [str(x), str(y), str(w), str(h), flow, str(direction), "0",
                                                       str(ends[0]), str(ends[1]), "40", str(STEEL)]


def tank(x, y, w, h, level, comment=""):
    # Round bottom, bubbling water (pattern 1 moving at random), agitator.
    return base("TANK", BLACK, WATER, 2, comment) + [str(x), str(y), str(w), str(h), level, "1", "80", "2",
                                                      str(WHITE), "3", "1"]


def pump(x, y, w, running, comment=""):
    return base("PUMP", BLACK, STEEL, 2, comment) + [str(x), str(y), str(w), running, "0.5", "65280", "255", "3"]


def valve(x, y, w, h, opening, comment=""):
    # Opens from the centre as I6 goes from 0 to 1; the stem and bar of a hand wheel on top.
    return base("VALVE", BLACK, STEEL, 1, comment) + [str(x), str(y), str(w), str(h), opening, "1", "65280",
                                                       "255", "8", "1"]


def heating(x, y, w, h, on, comment=""):
    return base("HEATING", RED, GREY, 3, comment) + [str(x), str(y), str(w), str(h), on, "0.5", "1"]


def switch(x, y, w, h, caption, output, on_value, on, comment=""):
    """A latching switch writing `on_value` to block output `output`; `on` is its saved position."""
    return base("SWITCH", BLACK, STEEL, 1, comment) + [caption, str(x), str(y), str(w), str(h), on_value, str(output),
                                                       "1" if on else "0", "*.BMP", "0", "8", "-1", "", "1"]


def trackbar(x, y, w, h, output, position, comment=""):
    """A slider writing 0..1 to block output `output`; `position` 0..100 is where it was left."""
    return base("TRACKBAR", BLACK, BACKGROUND, 1, comment) + [str(x), str(y), str(w), str(h), "0", "1", str(output),
                                                              str(position), "0", "1"]


def button(x, y, w, h, caption, output, on_value, comment=""):
    """A push button: `on_value` on block output `output` while it is held down."""
    return base("BUTTON", RED, STEEL, 1, comment) + [caption, str(x), str(y), str(w), str(h), on_value, str(output),
                                                     "0", "*.BMP", "0", "8", "1"]


# Tank 100 x 160 pixels standing at y = 220, filled to I1 percent.
ELEMENTS = [
    separator("=== Zulauf ==="),
    pipe("HPIPE", 0, 124, 24, 8, "I2", "Saugleitung", ends=(0, 5)),
    pipe("VPIPE", 36, 104, 8, 64, "I2*I5", "Druckleitung", direction=1, ends=(0, 0)),
    pipe("HPIPE", 36, 48, 78, 8, "I2*I5", ends=(2, 3)),
    pipe("VPIPE", 106, 62, 8, 14, "I2*I5", ends=(0, 0)),
    pump(22, 138, 36, "I5", "Pumpe"),
    separator("=== Behälter ==="),
    tank(60, 220, 100, 160, "I1", "Behälter"),
    heating(80, 196, 60, 14, "STEP(60-I4)", "Heizung"),
    line2(160, 181, 168, 181, BLACK, 1, "25 %"),
    line2(160, 142, 168, 142, BLACK, 1, "50 %"),
    line2(160, 103, 168, 103, BLACK, 1, "75 %"),
    separator("=== Anzeigen ==="),
    base("ANADISP", 5242880, 12648447, 2, "Zufluss") + ["215", "95", "130", "70", "2", "0", "3", "2.5", "Zufluss",
                                                         "l/s", "2", "1", "60", "1"],
    base("THMETER", 16777215, 255, 1, "Temperatur") + ["290", "235", "20", "115", "0", "50", "4", "1", "6", "8", "1",
                                                        "%.1f °C"],
    separator("=== Ablauf ==="),
    pipe("VPIPE", 106, 258, 8, 38, "I3", "Ablaufleitung", ends=(0, 0)),
    pipe("HPIPE", 106, 258, 224, 8, "I3", ends=(2, 1)),
    valve(240, 268, 40, 20, "I6", "Ventil"),
    separator("=== Bedienung ==="),
    switch(174, 140, 98, 24, "Pumpe aus#Pumpe ein", 1, "1", True, "Pumpe"),
    trackbar(174, 174, 98, 30, 2, 100, "Ventil"),
    button(174, 200, 98, 24, "Heizen", 3, "1", "Heizung"),
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
           "Control=block", "Blocks=1", "BLOCK 1"]
    return own + section()


def write(name, lines):
    path = os.path.join(os.path.dirname(os.path.abspath(__file__)), name)
    with open(path, "wb") as f:
        f.write("".join(l + "\r\n" for l in lines).encode("cp1252"))


if __name__ == "__main__":
    write("demo.vsys", host_file())
    write("demo.qev", animation_file())
