"""After a repair the panel shows the repaired record, and the status bar counts the entries and the selection."""



def run(s):
    folder = s.folder("records")
    record = s.rec("aoc10a_4v4_headerend0.mgx", folder)
    s.sample("1v1_arabia.mgx", folder)
    p = s.start(folder)
    p.click_row(record.name)
    p.prompt("question", "修复")
    p.key("y")
    p.prompt("message", "")
    p.mark()
    p.key("Return")
    p.wait_log(r"\[korvale\.window\] shown .*" + record.name)
    p.key("ctrl+a")
    p.wait_log(r"\[korvale\.window\] status: 2 个对象，已选 2 个")
    p.assert_alive()
