"""The panel follows the keyboard: Down, Home and End show the record that becomes current, F5 keeps the current row and Backspace goes up."""



def run(s):
    folder = s.folder("records")
    for name in ("1v1_arabia.mgx", "4v4_chat_ageups.mgx", "scenario.mgx"):
        s.sample(name, folder)
    p = s.start(folder)
    rows = p.listing()
    p.click_row(rows[0])
    p.wait_log(r"\[korvale\.window\] shown .*" + rows[0])
    ms = p.timed(lambda: p.key("Down"), r"\[korvale\.window\] shown .*" + rows[1])
    s.figure("Down to panel", f"{ms:.0f} ms")
    p.key("End")
    p.wait_log(r"\[korvale\.window\] shown .*" + rows[-1])
    p.key("Home")
    p.wait_log(r"\[korvale\.window\] shown .*" + rows[0])
    p.key("F5")
    p.wait_listing()
    p.key("Down")
    p.wait_log(r"\[korvale\.window\] shown .*" + rows[1])  # F5 kept the current row
    p.key("BackSpace")
    p.wait_log(r"\[korvale\.window\] listed " + str(folder.parent) + " rows:")
    p.assert_alive()
