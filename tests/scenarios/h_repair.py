"""Repair: a record whose first field is 0 is offered a repair; 是 repairs it and keeps a backup."""


def run(s):
    folder = s.folder("records")
    record = s.rec("aoc10a_4v4_headerend0.mgx", folder)
    s.sample("1v1_arabia.mgx", folder)
    original = record.read_bytes()
    p = s.start(folder)
    p.click_row(record.name)
    p.prompt("question", "修复")
    p.key("y")
    p.prompt("message", "")
    p.key("Return")
    p.wait_main_active()
    repaired = record.read_bytes()
    s.check(repaired[:4] != b"\0\0\0\0", "the first field is set")
    s.check_equal(repaired[4:], original[4:], "the rest of the record")
    backups = [f for f in folder.iterdir() if f.name.startswith(record.name) and f.name != record.name]
    s.check(backups and backups[0].read_bytes() == original, f"a backup holds the original: {backups}")
    p.assert_alive()
