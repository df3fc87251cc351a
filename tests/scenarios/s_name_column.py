"""Without a stored layout the 名称 column opens wide enough to read the names (defect 9 of the window issue)."""

PENDING = "the column widths are fixed on the listview branch; turn this on once it is merged"


def run(s):
    folder = s.folder("records")
    s.rec("aoc10a_4v4_arabia_gbk.mgx", folder)
    s.sample("1v1_arabia.mgx", folder)
    p = s.start(folder)
    _, _, width, _ = p.place("firstRow")
    # 25 characters of about 7 px and the icon.
    s.check(width >= 200, f"the 名称 column is {width} px wide")
    p.assert_alive()
