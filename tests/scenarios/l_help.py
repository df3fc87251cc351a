"""帮助 (F1): without a desktop program for HTML files the help shows in a window of the program's own."""

import re
import time

from korvale_scenario import Failure


def run(s):
    folder = s.folder("records")
    s.sample("1v1_arabia.mgx", folder)
    p = s.start(folder)
    p.key("F1")
    deadline = time.monotonic() + 10
    while not p.window_named("帮助手册 - Korvale"):
        if time.monotonic() > deadline:
            raise Failure("no help window appeared")
        time.sleep(0.1)
    p.assert_alive()
