"""Up after a typed address lists the parent of the folder listed now (defect 5 of the window issue)."""

PENDING = "defect 5 is fixed on the listview branch; this scenario is written once it is merged"


def run(s):
    raise NotImplementedError
