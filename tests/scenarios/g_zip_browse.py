"""Browsing a Zip: a double click lists the archive like a folder and a click shows a record read from it."""

import zipfile


def run(s):
    folder = s.folder("records")
    with zipfile.ZipFile(folder / "games.zip", "w", zipfile.ZIP_DEFLATED) as archive:
        for name in ("1v1_arabia.mgx", "4v4_chat_ageups.mgx"):
            archive.write(s.samples / name, name)
    p = s.start(folder)
    p.mark()
    p.click_row("games.zip", repeat=2)
    p.wait_log(r"\[korvale\.window\] listed .*games\.zip")
    p.wait_listing()
    rows = p.listing()
    s.check("4v4_chat_ageups.mgx" in rows, f"the archive's records are listed: {rows}")
    p.click_row("4v4_chat_ageups.mgx")
    p.wait_log(r"\[korvale\.window\] shown .*4v4_chat_ageups\.mgx")
    s.check(not (folder / "4v4_chat_ageups.mgx").exists(), "nothing was unpacked to show it")
    p.assert_alive()
