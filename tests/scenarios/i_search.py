"""Search: typing a word in the search field filters the list to the records that hold it."""

import time


def run(s):
    folder = s.folder("records")
    for name in ("1v1_arabia.mgx", "4v4_chat_ageups.mgx", "scenario.mgx"):
        s.sample(name, folder)
    p = s.start(folder)
    p.wait_log(r"\[korvale\.window\] status: .*", timeout=15)  # the indexing says it is done
    p.click_place("searchField")
    p.mark()
    p.type("arabia")
    _, found = p.wait_log(r"\[korvale\.window\] status: (.*\d.*)", timeout=15)
    s.check(found.group(1), "the status bar says what the search found")
    p.assert_alive()
