"""A damaged record shows one Chinese sentence (the reader's English detail goes to the log), and Qt's own dialogs speak Chinese."""

import re


def run(s):
    folder = s.folder("records")
    record = s.sample("1v1_arabia.mgx", folder, "damaged.mgx")
    data = bytearray(record.read_bytes())
    data[8:40] = b"\xff" * 32  # the start of the compressed header
    record.write_bytes(bytes(data))
    s.sample("scenario.mgx", folder)
    p = s.start(folder)
    p.click_row("damaged.mgx")
    said = p.prompt("message", "录像文件已损坏")
    s.check(not re.search(r"[A-Za-z]{3,}", said), f"no English in the box: {said}")
    p.key("Return")
    p.wait_main_active()
    s.check(p.logged(r"\[korvale\.record\] record not read: .*[a-z]{3,}"), "the reader's detail is in the log")

    # Qt's file dialog in Chinese: its screenshot is kept for a person to look at.
    p.click_row("scenario.mgx")
    p.key("alt+o", "f")
    p.prompt("folder picker", "拷贝到")
    p.screenshot("o_damaged_chinese_picker")
    p.key("Escape")
    p.wait_main_active()
    p.assert_alive()
