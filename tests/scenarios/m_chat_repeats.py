"""The chat list lists a resignation once per player and a repeated age-up once, while korvale-info --json keeps every copy the record holds."""

import json

RECORD = "aoc10c_4v4_2chapters_gbk.mgx"


def run(s):
    folder = s.folder("records")
    record = s.rec(RECORD, folder)
    p = s.start(folder, extra_args=())
    p.click_row(RECORD)
    p.wait_log(r"\[korvale\.window\] shown .*" + RECORD, timeout=20)
    _, lines = p.panel()
    resign = "[00:52:59] ~我来自增城~ 投降"
    s.check_equal(lines.count(resign), 1, "the resignation line in the chat list")
    events = [line for line in lines if "开始升级" in line]
    s.check(events and len(events) == len(set(events)), f"each age-up once: {events}")

    out = s.korvale_info("--json", record)
    data = json.loads(out.stdout.splitlines()[0])
    text = json.dumps(data, ensure_ascii=False)
    s.check(text.count("~我来自增城~ 投降") > 1, "korvale-info keeps every copy the record holds")
    p.assert_alive()
