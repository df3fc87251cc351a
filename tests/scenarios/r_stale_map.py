"""A record the panel cannot show leaves the panel empty, not the previous map (defect 7 of the window issue)."""

PENDING = "defect 7 is fixed on the listview branch; this scenario is written once it is merged"


def run(s):
    raise NotImplementedError
