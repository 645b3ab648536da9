"""The skin description, lightblue.ini: its sections and keys, written from
the same numbers that draw the pictures.
"""

from lightblue_palette import (ACCENT, ACCENT_DARK, BORDER, BORDER_BOTTOM, BORDER_HOT, BUTTON_FACE,
                               FRAME_ACTIVE, FRAME_INACTIVE, INK, INK_HOT, SEPARATOR, SIDE_TOP_FIXED,
                               TITLE_BUTTON, TITLE_HEIGHT, TOP_END, WHITE)


def rgb(c):
    return "%d %d %d" % c


def description():
    """Sections and keys of lightblue.ini, in file order."""
    a, i = FRAME_ACTIVE["text"], FRAME_INACTIVE["text"]
    border = {}
    for name in ("Left", "Right"):
        border.update({name: "frame%s.bmp" % name.lower(), name + "Frame": 2,
                       name + "TopHeight": SIDE_TOP_FIXED, name + "BotHeight": BORDER_BOTTOM,
                       name + "Stretch": 1, name + "Trans": 1})
    # The title bar's rounded corners lie in the side pieces: frametop.bmp has
    # no magenta to leave out, so it is drawn opaque (skintool check insists).
    border.update({"Top": "frametop.bmp", "TopFrame": 2, "TopTopHeight": TOP_END,
                   "TopBotHeight": TOP_END, "TopStretch": 1, "TopTrans": 0,
                   "Bottom": "framebottom.bmp", "BottomFrame": 2, "BottomTopHeight": 0,
                   "BottomBotHeight": 0, "BottomStretch": 1, "BottomTrans": 0})
    personality = dict(border)
    personality.update({
        "TextBack": "textback.bmp", "TextShift": 22, "TextShiftVert": 0, "TextRightClip": 75,
        "TextAlignment": 0, "TXTBackleft": 8, "TXTBackRight": 8,
        "ActiveTextR": a[0], "ActiveTextG": a[1], "ActiveTextB": a[2],
        "InActiveTextR": i[0], "InActiveTextG": i[1], "InActiveTextB": i[2],
        "menuBar": "menubar.bmp", "TileMenu": 1, "TileLeftMenu": 1, "TileRightMenu": 1,
    })
    colours = {
        "WindowText": rgb(INK), "ButtonFace": rgb(BUTTON_FACE), "Scrollbar": rgb((226, 236, 246)),
        "HilightText": rgb(WHITE), "Hilight": rgb(ACCENT), "Menubar": rgb(BUTTON_FACE),
        "Menu": rgb((250, 252, 255)), "MenuText": rgb(INK), "ButtonText": rgb(INK),
        "ButtonHilight": rgb(WHITE), "Buttonlight": rgb((244, 248, 253)),
        "ButtonShadow": rgb((112, 132, 160)), "ButtonDkShadow": rgb((64, 96, 140)),
        "MenuBarText": rgb(INK), "TitleTextActive": rgb(a), "TitleTextNoActive": rgb(i),
    }
    text = {"NormalColour2": rgb(INK), "MouseOverColour2": rgb(INK_HOT), "PressedColour2": rgb(INK)}

    def element(image, margins=(0, 0, 0, 0), trans=1, tile=0, **extra):
        keys = {"Image": image, "LeftWidth": margins[0], "TopHeight": margins[1],
                "RightWidth": margins[2], "BottomHeight": margins[3], "Trans": trans, "Tile": tile}
        keys.update(extra)
        return keys

    def caption(action, x, y, visibility, visibility1, image=None):
        keys = {"Action": action, "Align": 1 if action != 3 else 0, "Xcoord": x, "Ycoord": y,
                "Visibility": visibility, "Visibility1": visibility1}
        if image:
            keys["ButtonImage"] = image
        return keys

    top = (TITLE_HEIGHT - TITLE_BUTTON) // 2
    sections = [
        ("TitlebarSkin", {"SkinName": "lightblue"}),
        ("Personality", personality),
        ("Fonts", {"FontHeight": 14}),
        ("Colours", colours),
        ("Colour0", {"color": rgb(ACCENT)}),
        ("Colour1", {"color": rgb(FRAME_ACTIVE["body"])}),
        ("Colour2", {"color": rgb(BUTTON_FACE)}),
        ("Colour3", {"color": rgb(FRAME_ACTIVE["outline"])}),
        ("Colour4", {"color": rgb(INK)}),
        ("Customcolors", {"Color%d" % n: rgb(c) for n, c in enumerate(
            [ACCENT, ACCENT_DARK, FRAME_ACTIVE["body"], BUTTON_FACE, INK, BORDER, BORDER_HOT,
             SEPARATOR, (250, 252, 255), WHITE])}),
        # Caption buttons, right-aligned at 28, 51 and 74 pixels from the
        # window's right edge. Maximize shows while the window is not
        # maximized, restore while it is; both only on windows that have a
        # minimize or maximize box. Button4 is the window icon.
        ("Button0", caption(0, 28, top, 0, 0, "closebutton.bmp")),
        ("Button1", caption(1, 51, top, 2, 6, "maxbutton.bmp")),
        ("Button2", caption(1, 51, top, 1, 6, "restorebutton.bmp")),
        ("Button3", caption(2, 74, top, 6, 0, "minbutton.bmp")),
        ("Button4", caption(3, 8, (TITLE_HEIGHT - 16 + 1) // 2, 0, 0)),
        ("MDICONTROLS", {"Image": "mdicontrols.bmp"}),
        ("Buttons", dict({"Bitmap": "button.bmp", "CheckButton": "checkbox.bmp",
                          "RadioButton": "radio.bmp", "LeftWidth": 3, "TopHeight": 3,
                          "RightWidth": 3, "BottomHeight": 3, "Trans": 1, "Tile": 0}, **text)),
        ("Progress", {"Bitmap": "progress.bmp", "Style": 0, "LeftWidth": 3, "TopHeight": 3,
                      "RightWidth": 3, "BottomHeight": 3, "Trans": 1, "Tile": 0}),
        ("Progress.Chunk", element("progresschunk.bmp", trans=1, tile=1, Frame=1)),
        ("GroupBoxEdge", element("groupboxedge.bmp", (4, 4, 4, 4))),
        ("GroupBox", element("groupbox.bmp", (6, 0, 6, 0), BackgroundAlignment=0,
                             BackgroundLeftShift=0, BackgroundRightShift=0, **text)),
        ("Tabs", dict(element("tabs.bmp", (4, 4, 4, 2), Border="tabpane.bmp", Style=0), **text)),
        ("StatusBarEdges", element("statusbar.bmp", (2, 2, 2, 2), trans=0, NormalColour2=rgb(INK))),
        ("Tab.Pane", element("tabpane.bmp", (4, 4, 4, 4), trans=0)),
        ("ToolBars", dict(element("toolbars.bmp", (3, 3, 3, 3)), **text)),
        ("ComboButton", element("combobutton.bmp", (3, 3, 3, 3), Style=0)),
        ("SunkEdge", element("sunkedge.bmp", (2, 2, 2, 2))),
        ("ExtraImages", element("extraimages.bmp")),
        ("Headerbar", dict(element("headerbar.bmp", (2, 2, 2, 2), trans=0, Frame=5), **text)),
        ("MenuItem", element("menuitem.bmp", (3, 3, 3, 3))),
        ("MenuBackground", element("menuback.bmp", (3, 3, 3, 3), trans=0)),
        ("Scrollbar", element("scrollbar.bmp")),
        ("HorzScroll", element("hscroll.bmp", trans=0)),
        ("VertScroll", element("vscroll.bmp", trans=0)),
        ("HorzScrollThumb", element("hscrollthumb.bmp", (4, 3, 4, 3), FrameCount=3)),
        ("VertScrollThumb", element("vscrollthumb.bmp", (3, 4, 3, 4), FrameCount=3)),
    ]
    for name, margins in (("ThumbHorz", (3, 3, 3, 3)), ("ThumbVert", (3, 3, 3, 3)),
                          ("ThumbLeft", (6, 3, 3, 3)), ("ThumbRight", (3, 3, 6, 3)),
                          ("ThumbUp", (3, 6, 3, 3)), ("ThumbDown", (3, 3, 3, 6))):
        sections.append(("Trackbar." + name, element("track%s.bmp" % name.lower(), margins)))
    for name in ("Horz", "Vert"):
        sections.append(("UpDown." + name, element("updown%s.bmp" % name[0].lower(),
                                                   GlyphImage="updown%sglyph.bmp" % name[0].lower())))
    return sections


INI_HEADER = """\
; lightblue: the skin built into Tessaly.
; Generated by tools/skinart/make_lightblue.py from the same numbers that
; draw the pictures; change the script and run it again instead of editing
; this file. Colours are red, green and blue; pictures use magenta
; (255 0 255) as their transparent colour.
"""


def ini_text(sections):
    lines = [INI_HEADER]
    for name, keys in sections:
        lines.append("[%s]" % name)
        lines += ["%s=%s" % (k, val) for k, val in keys.items()]
        lines.append("")
    return "\r\n".join("\n".join(lines).split("\n"))
