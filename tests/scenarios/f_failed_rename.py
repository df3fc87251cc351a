"""A failed in-place rename (the name of another record) says so and the program carries on after the box is closed."""



def run(s):
    folder = s.folder("records")
    s.sample("1v1_arabia.mgx", folder)
    s.sample("scenario.mgx", folder)
    p = s.start(folder)
    for close_key in ("Return", "Escape"):
        p.click_row("1v1_arabia.mgx")
        p.key("alt+o", "r", "ctrl+a")
        p.type("scenario.mgx")
        p.key("Return")
        p.prompt("message", "重命名.*失败")
        p.key(close_key)
        p.wait_main_active()
        p.assert_alive()
    s.check((folder / "1v1_arabia.mgx").exists(), "the file keeps its name")
