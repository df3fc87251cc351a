"""The 名称 column fits the names without a stored layout (defect 9 of the window issue)."""

PENDING = "defect 9 is fixed on the listview branch; this scenario is written once it is merged"


def run(s):
    raise NotImplementedError
