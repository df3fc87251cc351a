"""Start-up, clicking through records and the time from a click to the panel showing the record."""

import statistics

BIG = "aoc10a_4v4_arabia_gbk.mgx"  # 2.7 MB, the largest real record


def run(s):
    folder = s.folder("records")
    for name in ("1v1_arabia.mgx", "4v4_chat_ageups.mgx", "scenario.mgx"):
        s.sample(name, folder)
    s.rec(BIG, folder)
    p = s.start(folder)
    rows = p.listing()
    s.check(BIG in rows and "1v1_arabia.mgx" in rows, f"the records are listed: {rows}")

    p.click_row("4v4_chat_ageups.mgx")
    p.wait_log(r"\[korvale\.window\] shown .*4v4_chat_ageups\.mgx")
    labels, lines = p.panel()
    s.check(any("开始升级" in line for line in lines), f"the chat list shows the age-ups: {lines}")

    # Down moves the selection; a click on another record shows it.
    p.key("Down")
    times = []
    for _ in range(5):
        times.append(p.timed(lambda: p.click_row(BIG), r"\[korvale\.window\] shown .*" + BIG))
        p.click_row("1v1_arabia.mgx")
        p.wait_log(r"\[korvale\.window\] shown .*1v1_arabia\.mgx")
    s.figure(f"click to panel, {BIG} (2.7 MB), 5 clicks", f"median {statistics.median(times):.0f} ms, "
             f"best {min(times):.0f} ms, worst {max(times):.0f} ms (target 50 ms; includes starting xdotool)")
    p.assert_alive()
