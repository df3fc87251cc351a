"""After a repair the panel shows the record; the window's size is remembered; 定制 maps (defect 14 of the window issue)."""

PENDING = "defect 14 is fixed on the listview branch; this scenario is written once it is merged"


def run(s):
    raise NotImplementedError
