"""A record cut to half its length: the panel says 录像不完整 beside the duration and korvale-info --json says "truncated": true."""

import json


def run(s):
    folder = s.folder("records")
    whole = s.rec("aoc10c_1v1_arabia.mgx", folder)
    cut = folder / "cut.mgx"
    data = whole.read_bytes()
    cut.write_bytes(data[: len(data) // 2])
    p = s.start(folder)
    p.click_row("cut.mgx")
    p.wait_log(r"\[korvale\.window\] shown .*cut\.mgx")
    labels, _ = p.panel()
    duration = " ".join(v for v in labels.values() if "时间" in v or "长度" in v)
    s.check("录像不完整" in " ".join(labels.values()), f"the panel says the record is incomplete: {labels}")
    p.click_row(whole.name)
    p.wait_log(r"\[korvale\.window\] shown .*" + whole.name)
    labels, _ = p.panel()
    s.check("录像不完整" not in " ".join(labels.values()), "the whole record is not called incomplete")

    cut_json = json.loads(s.korvale_info("--json", cut).stdout.splitlines()[0])
    whole_json = json.loads(s.korvale_info("--json", whole).stdout.splitlines()[0])
    s.check('"truncated": true' in json.dumps(cut_json), "korvale-info: the cut record is truncated")
    s.check('"truncated": true' not in json.dumps(whole_json), "korvale-info: the whole record is not")
    p.assert_alive()
