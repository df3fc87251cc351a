"""按模板重命名 and 撤销重命名: the selected records take names from the template, and the undo puts the old names back."""


def run(s):
    folder = s.folder("records")
    names = ["1v1_arabia.mgx", "4v4_chat_ageups.mgx"]
    for name in names:
        s.sample(name, folder)
    p = s.start(folder)
    p.click_row(names[0])
    p.key("ctrl+a")
    # 按模板重命名 is the last entry of 操作 that can be chosen (撤销重命名 is greyed until a rename).
    p.key("alt+o", "Up", "Return")
    p.wait_active_window_change()
    p.key("Return")  # the template as offered
    p.wait_main_active()
    renamed = sorted(f.name for f in folder.iterdir())
    s.check(renamed != sorted(names), f"the records have new names: {renamed}")
    s.check_equal(len(renamed), 2, "no file lost or added")

    p.key("alt+o", "Up", "Return")  # 撤销重命名, now the last entry
    s.wait_until(lambda: sorted(f.name for f in folder.iterdir()) == sorted(names), "the undo puts the names back")
    p.assert_alive()
