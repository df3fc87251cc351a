"""The panel follows the keyboard (Down, Up, Home, End, Enter, F2, Backspace, F5) (defect 6 of the window issue)."""

PENDING = "defect 6 is fixed on the listview branch; this scenario is written once it is merged"


def run(s):
    raise NotImplementedError
