"""Up after a typed address lists the parent of the folder listed now, every time."""



def run(s):
    top = s.folder("top")
    sub = s.folder("top/records/sub")
    s.sample("1v1_arabia.mgx", sub)
    p = s.start(top / "records")
    p.click_place("pathComboEdit")
    p.key("ctrl+a")
    p.type(str(sub))
    p.key("Return")
    p.wait_log(r"\[korvale\.window\] listed " + str(sub) + " rows:")
    for expected in (top / "records", top):
        p.click_place("command32799")  # 上一级文件夹
        p.wait_log(r"\[korvale\.window\] listed " + str(expected) + " rows:")
    p.assert_alive()
