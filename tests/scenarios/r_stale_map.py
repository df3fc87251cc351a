"""A record the panel cannot show (here one the game left unfinished, with 否 to the repair) leaves the map empty, not the previous game's."""

import subprocess



def colours(shot, place):
    x, y, w, h = place
    out = subprocess.run(["convert", str(shot), "-crop", f"{w}x{h}+{x}+{y}", "-format", "%k", "info:"],
                         capture_output=True, text=True, check=True)
    return int(out.stdout.strip())


def run(s):
    folder = s.folder("records")
    s.sample("1v1_arabia.mgx", folder)
    s.sample("unfinished.mgx", folder)
    p = s.start(folder)
    p.click_row("1v1_arabia.mgx")
    p.wait_log(r"\[korvale\.window\] shown .*1v1_arabia\.mgx")
    p.click_row("unfinished.mgx")
    p.prompt("question", "")
    p.key("n")
    p.wait_main_active()
    wx, wy, _, _ = p.geometry()
    x, y, w, h = p.place("mapContainer")
    shot = p.screenshot("r_stale_map_after")
    # The middle of the picture: below the "地图" caption, above the mark switches.
    count = colours(shot, (wx + x + w // 4, wy + y + h // 4, w // 2, h // 4))
    s.check(count <= 3, f"the map area is empty ({count} colours where the old map was)")
    p.assert_alive()
