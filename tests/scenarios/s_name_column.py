"""Without a stored layout the 名称 column opens wide enough to read the names."""



def run(s):
    folder = s.folder("records")
    s.rec("aoc10a_4v4_arabia_gbk.mgx", folder)
    s.sample("1v1_arabia.mgx", folder)
    p = s.start(folder)
    _, _, width, _ = p.place("firstRow")
    # The longest name here, 25 characters, reads whole from about 175 px (icon included); the
    # column used to open at about 85 px.
    s.check(width >= 175, f"the 名称 column is {width} px wide")
    p.assert_alive()
