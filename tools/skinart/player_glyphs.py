"""The skinned media player's button glyphs, 11 x 9, in three looks."""

from lightblue_palette import INK, INK_OFF
from pixels import Picture


# The media player's button glyphs, 11 x 9 on olive (128, 128, 0), the key
# colour the skin engine draws them with: play, pause, stop, next, previous,
# step, back, record, eject.
PLAYER_KEY = (128, 128, 0)
PLAYER_GLYPHS = [
    ("mpplay", (30, 140, 50), ["..##.......", "..####.....", "..######...", "..#######..", "..########.",
                                "..#######..", "..######...", "..####.....", "..##......."]),
    ("mppause", (196, 132, 20), ["..###.###..", "..###.###..", "..###.###..", "..###.###..", "..###.###..",
                                  "..###.###..", "..###.###..", "..###.###..", "..###.###.."]),
    ("mpstop", (150, 36, 36), [".........", "..#######..", "..#######..", "..#######..", "..#######..",
                                "..#######..", "..#######..", "..#######..", "..........."]),
    ("mpnext", (36, 96, 170), ["#.....##...", "##....##...", "###...##...", "####..##...", "#####.##...",
                                "####..##...", "###...##...", "##....##...", "#.....##..."]),
    ("mpprev", (36, 96, 170), ["...##.....#", "...##....##", "...##...###", "...##..####", "...##.#####",
                                "...##..####", "...##...###", "...##....##", "...##.....#"]),
    ("mpstep", (36, 96, 170), ["#....#.....", "##...##....", "###..###...", "####.####..", "##########.",
                                "####.####..", "###..###...", "##...##....", "#....#....."]),
    ("mpback", (36, 96, 170), [".....#....#", "....##...##", "...###..###", "..####.####", ".##########",
                                "..####.####", "...###..###", "....##...##", ".....#....#"]),
    ("mprecord", (210, 40, 40), ["...#####...", "..#######..", ".#########.", ".#########.", ".#########.",
                                  ".#########.", ".#########.", "..#######..", "...#####..."]),
    ("mpeject", (36, 96, 170), [".....#.....", "....###....", "...#####...", "..#######..", ".#########.",
                                 "...........", ".#########.", ".#########.", "..........."]),
]
PLAYER_LOOKS = [("en", INK), ("di", INK_OFF), ("cl", None)]


def player_glyph(rows, ink):
    pic = Picture(11, 9, PLAYER_KEY)
    for y, row in enumerate(rows):
        for x, cell in enumerate(row.ljust(11, ".")):
            if cell == "#":
                pic.set(x, y, ink)
    return pic


def player_glyphs():
    """File name -> picture of every player glyph in its three looks:
    enabled (ink), disabled (grey ink) and coloured."""
    return {"%s_%s.bmp" % (prefix, name): player_glyph(rows, ink or colour)
            for name, colour, rows in PLAYER_GLYPHS for prefix, ink in PLAYER_LOOKS}
