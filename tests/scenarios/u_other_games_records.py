"""A double click on an HD Edition record starts nothing and says, in a box, which game plays it; a double click on a record of 1.0c still starts the game (a stand-in script named as the 1.0c executable)."""

import time

HD_MESSAGE = "此录像需用《帝国时代II 高清版》（HD 5.x）播放，无法用征服者 1.0c 打开。"


def fake_game(s):
    """A script in place of the game: each start appends a line to started.txt beside it."""
    folder = s.folder("game")
    script = folder / "age2_x1.sh"
    script.write_text('#!/bin/sh\necho started >> "$(dirname "$0")/started.txt"\n')
    script.chmod(0o755)
    return script, folder / "started.txt"


def starts(marker):
    return len(marker.read_text().splitlines()) if marker.exists() else 0


def double_click_hd(s, p, name):
    p.mark()
    p.click_row(name, repeat=2)
    said = p.prompt("message", "高清版")
    s.check_equal(said, HD_MESSAGE, "the box over the HD record")
    return said


def run(s):
    folder = s.folder("records")
    hd = s.rec("hd50_tourney_final_g4.aoe2record", folder, "hd50_final.aoe2record")
    s.sample("1v1_arabia.mgx", folder)
    script, marker = fake_game(s)
    p = s.start(folder, config=(folder, "", script))

    double_click_hd(s, p, hd.name)
    p.key("Return")
    p.wait_main_active()
    time.sleep(1.0)  # a started game would have written by now
    s.check_equal(starts(marker), 0, "games started by the HD record")

    # Enter on the same row says it again rather than starting 1.0c.
    p.mark()
    p.key("Return")
    s.check_equal(p.prompt("message", "高清版"), HD_MESSAGE, "the box after Enter")
    p.key("Return")
    p.wait_main_active()

    p.mark()
    p.click_row("1v1_arabia.mgx", repeat=2)
    s.wait_until(lambda: starts(marker) == 1, "the stand-in game started for the 1.0c record")
    time.sleep(0.5)
    p.no_log(r"\[korvale\.prompt\] message:")
    s.check_equal(starts(marker), 1, "games started by the 1.0c record")

    # The end state, left for the screenshot: the box over the HD record once more.
    double_click_hd(s, p, hd.name)
    s.check_equal(starts(marker), 1, "games started in all")
    p.assert_alive()
