"""复制到 / 移至 / 打开文件夹: the picker opens in the listed folder and the files go to the folder picked (a subfolder selected, a path typed), and the program says where they went."""


def run(s):
    folder = s.folder("records")
    s.sample("1v1_arabia.mgx", folder)
    s.sample("scenario.mgx", folder)
    target = s.folder("records/picked")
    elsewhere = s.folder("elsewhere/deeper")
    p = s.start(folder)

    # 复制到 with the subfolder picked by its name in the picker's name field.
    p.click_row("1v1_arabia.mgx")
    p.key("alt+o", "f")
    p.prompt("folder picker", r"拷贝到\.\.\. in " + str(folder) + "$")
    p.type("picked")
    p.key("Return")
    p.wait_log(r"\[korvale\.prompt\] picked: " + str(target) + "$")
    said = p.prompt("message", "已复制 1 个文件到")
    s.check(str(target) in said, f"the message names the folder: {said}")
    p.key("Return")
    s.check((target / "1v1_arabia.mgx").exists(), "the copy is in the folder picked")
    s.check(not (folder.parent / "1v1_arabia.mgx").exists(), "nothing landed in the parent")

    # 移至 with a full path typed.
    p.wait_main_active()
    p.click_row("scenario.mgx")
    p.key("alt+o", "v")
    p.prompt("folder picker", r"移动到\.\.\. in " + str(folder) + "$")
    p.type(str(elsewhere))
    p.key("Return")
    p.prompt("message", "已移动 1 个文件到")
    p.key("Return")
    s.check((elsewhere / "scenario.mgx").exists(), "the moved file is in the folder typed")
    s.check(not (folder / "scenario.mgx").exists(), "and no longer in the list's folder")
    p.wait_main_active()

    # 打开文件夹 (the first toolbar button) lists the subfolder picked.
    p.click_place("command32846")
    p.prompt("folder picker", r"打开文件夹\.\.\. in " + str(folder) + "$")
    p.type("picked")
    p.key("Return")
    p.wait_log(r"\[korvale\.window\] listed " + str(target) + " ")
    p.wait_main_active()
    p.wait_listing()
    s.check_equal(p.listing(), ["1v1_arabia.mgx"], "the folder picked is listed")
    p.assert_alive()
