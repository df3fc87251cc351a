"""设置: the dialog fits a 1280×800 screen, a folder that does not exist is refused with a word, and 切换到SaveGame says why it cannot go to a missing folder."""

from korvale_scenario import read_config_ini


def run(s):
    folder = s.folder("records")
    s.sample("1v1_arabia.mgx", folder)
    missing = s.root / "no-such-folder"
    p = s.start(folder, config=(missing,))
    config = p.scenario.out / f"run{s.starts}" / "config.ini"

    # 切换到SaveGame with a SaveGame folder that is not there.
    p.click_place("command32847")
    said = p.prompt("message", "SaveGame目录不存在")
    s.check(str(missing) in said, f"it names the folder: {said}")
    p.key("Return")
    p.wait_main_active()

    p.key("alt+c", "s")
    dialog = p.wait_active_window_change()
    _, _, width, height = p.geometry(dialog)
    s.figure("设置 dialog", f"{width}×{height} px")
    s.check(width <= 1280 and height <= 800, f"the dialog fits 1280×800: {width}×{height}")
    p.screenshot("k_settings_dialog")
    p.key("Return")  # 确定 with the missing SaveGame folder still in its box
    p.prompt("message", "SaveGame目录不存在")
    p.key("Return")
    p.back_to_dialog()
    s.check_equal(read_config_ini(config)[0], str(missing), "config.ini untouched after the refusal")
    # Put a folder that exists in the first box and confirm.
    p.key("ctrl+a")
    p.type(str(folder))
    p.key("Return")
    p.wait_main_active()
    s.check_equal(read_config_ini(config)[0], str(folder), "config.ini's SaveGame folder")
    p.assert_alive()
