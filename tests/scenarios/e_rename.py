"""重命名 in place: a new free name renames the file on disk and the list goes on working."""


def run(s):
    folder = s.folder("records")
    s.sample("1v1_arabia.mgx", folder)
    s.sample("scenario.mgx", folder)
    p = s.start(folder)
    p.click_row("1v1_arabia.mgx")
    p.key("alt+o", "r")
    p.key("ctrl+a")
    p.type("renamed.mgx")
    p.key("Return")
    p.mark()
    s.check((folder / "renamed.mgx").exists() and not (folder / "1v1_arabia.mgx").exists(), "renamed on disk")
    # The entry keeps working under its new name.
    p.click_row("scenario.mgx")
    p.wait_log(r"\[korvale\.window\] shown .*scenario\.mgx")
    p.assert_alive()
