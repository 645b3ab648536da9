#!/usr/bin/env python3
"""Draw the "lightblue" skin and the program's own pictures.

Writes, relative to the repository root (or --root):
  assets/skin/lightblue/*.bmp      the skin's pictures (24-bit, magenta key)
  assets/skin/lightblue/lightblue.ini   the skin description
  app/res/tessaly.ico               the program icon (16, 32, 48 px, alpha)
  app/res/{encrypt,decrypt,login,changepw,save}.bmp   32 x 32 button pictures
  tools/win/demo/res/menuglyphs.bmp   the demo program's 16 x 16 menu pictures
  tools/win/demo/res/backdrop.bmp, speedglyphs.bmp   the demo gallery's pictures
  assets/player/{en,di,cl}_mp*.bmp   the skinned media player's 11 x 9 glyphs

Everything is drawn from code with the standard library only, so the output
is the same byte for byte on every run. Edit the scripts, not the files.

The scripts beside this one, by what they draw:
  lightblue_palette.py      lightblue's colours, frame sizes and state looks
  boxes.py                  rounded boxes, embossed glyphs, frame strips
  window_frame.py           border pieces, caption plate, caption buttons
  controls.py               push, check, radio and tool buttons, group box,
                            combo box
  scroll_track_progress.py  scroll bars, track bar thumbs, progress, up-down
  tabs_headers.py           tabs, tab pane, header, status bar panels
  menus.py                  menu bar, menu items, menu background
  skin_description.py       lightblue.ini
  program_pictures.py       the icon and the button pictures
  demo_pictures.py          the demo's menu pictures, backdrop, speed glyphs
  player_glyphs.py          the media player's glyphs
  pixels.py, vector.py      pixel canvas, BMP and ICO files; vector renderer
This one gathers the skin pictures, checks them against the description
and writes every file.

Conventions of the skin pictures: frames of one element lie side by side
(the window frame pieces and the caption background stack theirs, active
look first); for button-like elements frame 1 is normal, 2 pressed,
3 disabled, 4 hot and 5 focused or default; magenta (255, 0, 255) is never
drawn, which is how rounded corners and glyph backgrounds are cut out.
"""

import argparse
import os
import sys

sys.dont_write_bytecode = True   # before the imports below: no __pycache__ in the source tree
sys.path.insert(0, os.path.dirname(os.path.abspath(__file__)))

from boxes import per_frame  # noqa: E402
from controls import (check_box, combo_button, extra_images, group_box_edge, group_box_label,  # noqa: E402
                      push_button, radio_button, sunk_edge, tool_buttons)
from demo_pictures import MENU_PICTURES, MENU_UNDERLAY, gallery_backdrop, gallery_glyphs  # noqa: E402
from lightblue_palette import BORDER_BOTTOM, SIDE_TOP_FIXED, TITLE_HEIGHT  # noqa: E402
from menus import menu_background, menu_bar, menu_item  # noqa: E402
from pixels import KEY, Picture, bmp_bytes, ico_bytes, side_by_side  # noqa: E402
from player_glyphs import player_glyphs  # noqa: E402
from program_pictures import BUTTON_PICTURES, PICTURE_UNDERLAY, icon_image  # noqa: E402
from scroll_track_progress import (progress, progress_chunk, scroll_bar, scroll_thumb, scroll_track,  # noqa: E402
                                   thumb, up_down)
from skin_description import description, ini_text  # noqa: E402
from tabs_headers import header_bar, status_edges, tab_pane, tabs  # noqa: E402
from window_frame import (CLOSE, MAXIMIZE, MINIMIZE, RESTORE, caption_button, caption_plate,  # noqa: E402
                          frame_pieces, mdi_controls)


# ---------------------------------------------------------------------------
# All skin pictures
# ---------------------------------------------------------------------------

def skin_pictures():
    pics = frame_pieces()
    pics["textback.bmp"] = caption_plate()
    pics["closebutton.bmp"] = caption_button(CLOSE, red=True)
    pics["maxbutton.bmp"] = caption_button(MAXIMIZE)
    pics["restorebutton.bmp"] = caption_button(RESTORE)
    pics["minbutton.bmp"] = caption_button(MINIMIZE)
    pics["mdicontrols.bmp"] = mdi_controls()
    pics["button.bmp"] = push_button()
    pics["checkbox.bmp"] = check_box()
    pics["radio.bmp"] = radio_button()
    pics["menubar.bmp"] = menu_bar()
    pics["menuitem.bmp"] = menu_item()
    pics["menuback.bmp"] = menu_background()
    pics["scrollbar.bmp"] = scroll_bar()
    pics["hscroll.bmp"] = scroll_track(False)
    pics["vscroll.bmp"] = scroll_track(True)
    pics["hscrollthumb.bmp"] = scroll_thumb(False)
    pics["vscrollthumb.bmp"] = scroll_thumb(True)
    pics["progress.bmp"] = progress()
    pics["progresschunk.bmp"] = progress_chunk()
    pics["groupboxedge.bmp"] = group_box_edge()
    pics["groupbox.bmp"] = group_box_label()
    pics["tabs.bmp"] = tabs()
    pics["tabpane.bmp"] = tab_pane()
    pics["statusbar.bmp"] = status_edges()
    pics["toolbars.bmp"] = tool_buttons()
    pics["headerbar.bmp"] = header_bar()
    pics["sunkedge.bmp"] = sunk_edge()
    pics["combobutton.bmp"] = combo_button()
    pics["extraimages.bmp"] = extra_images()
    upright, pointed = thumb(), thumb("up")
    lying = per_frame(pointed, 5, Picture.transposed)
    pics["trackthumbhorz.bmp"] = upright
    pics["trackthumbvert.bmp"] = per_frame(upright, 5, Picture.transposed)
    pics["trackthumbup.bmp"] = pointed
    pics["trackthumbdown.bmp"] = thumb("down")
    pics["trackthumbleft.bmp"] = lying
    pics["trackthumbright.bmp"] = per_frame(lying, 5, Picture.flipped_h)
    for name in ("h", "v"):
        faces, glyphs = up_down(name == "h")
        pics["updown%s.bmp" % name] = faces
        pics["updown%sglyph.bmp" % name] = glyphs
    return pics


# ---------------------------------------------------------------------------
# Checks and output
# ---------------------------------------------------------------------------

def check(pics, sections):
    """Guard the facts other parts of the program rely on."""
    by_section = dict(sections)
    assert by_section["Personality"]["TopFrame"] == 2
    assert (by_section["Personality"]["TopTopHeight"], by_section["Personality"]["TopBotHeight"]) == (12, 12)
    assert (by_section["Personality"]["LeftTopHeight"], by_section["Personality"]["LeftBotHeight"]) == (29, 5)
    assert "frame" not in {k.lower() for s in ("Button0", "Button1", "Button2", "Button3", "Button4")
                           for k in by_section[s]}
    assert by_section["Button0"]["Action"] == 0 and by_section["Button4"]["Action"] == 3
    assert (pics["closebutton.bmp"].width, pics["closebutton.bmp"].height) == (126, 21)
    assert (pics["radio.bmp"].width, pics["radio.bmp"].height) == (65, 14)
    assert (pics["checkbox.bmp"].width, pics["checkbox.bmp"].height) == (70, 14)
    assert pics["frametop.bmp"].height == 2 * TITLE_HEIGHT
    assert pics["frameleft.bmp"].height == SIDE_TOP_FIXED + 8 + BORDER_BOTTOM
    files = {val for _, keys in sections for val in keys.values()
             if isinstance(val, str) and val.endswith(".bmp")}
    assert files == set(pics), "pictures and description disagree: %s" % (files ^ set(pics))
    assert all(name == name.lower() for name in files)


def write(path, data):
    os.makedirs(os.path.dirname(path), exist_ok=True)
    with open(path, "wb") as f:
        f.write(data)


def main():
    here = os.path.dirname(os.path.abspath(__file__))
    parser = argparse.ArgumentParser(description=__doc__.split("\n")[0])
    parser.add_argument("--root", default=os.path.normpath(os.path.join(here, "..", "..")),
                        help="repository root to write into (default: this checkout)")
    args = parser.parse_args()

    skin_dir = os.path.join(args.root, "assets", "skin", "lightblue")
    res_dir = os.path.join(args.root, "app", "res")
    demo_dir = os.path.join(args.root, "tools", "win", "demo", "res")
    player_dir = os.path.join(args.root, "assets", "player")
    pics = skin_pictures()
    sections = description()
    check(pics, sections)
    for name, pic in sorted(pics.items()):
        write(os.path.join(skin_dir, name), bmp_bytes(pic))
    write(os.path.join(skin_dir, "lightblue.ini"), ini_text(sections).encode("ascii"))
    for name, draw in BUTTON_PICTURES.items():
        flat = draw().image().flattened(PICTURE_UNDERLAY)
        assert flat.get(0, 31) == KEY
        write(os.path.join(res_dir, name), bmp_bytes(flat))
    write(os.path.join(res_dir, "tessaly.ico"), ico_bytes([icon_image(s) for s in (16, 32, 48)]))
    glyphs = side_by_side([draw(16).image().flattened(MENU_UNDERLAY) for draw in MENU_PICTURES])
    write(os.path.join(demo_dir, "menuglyphs.bmp"), bmp_bytes(glyphs))
    write(os.path.join(demo_dir, "backdrop.bmp"), bmp_bytes(gallery_backdrop()))
    write(os.path.join(demo_dir, "speedglyphs.bmp"), bmp_bytes(gallery_glyphs()))
    for name, pic in sorted(player_glyphs().items()):
        write(os.path.join(player_dir, name), bmp_bytes(pic))
    print("%d skin pictures and lightblue.ini in %s" % (len(pics), skin_dir))
    print("%d button pictures and tessaly.ico in %s" % (len(BUTTON_PICTURES), res_dir))
    print("%d menu pictures in %s" % (len(MENU_PICTURES), demo_dir))


if __name__ == "__main__":
    main()
