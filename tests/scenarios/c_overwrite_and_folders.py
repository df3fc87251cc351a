"""A batch copy with a folder in the selection: the folder is skipped and said once, 否 keeps that file and goes on, 全部是 answers for the rest; the question names the file and its buttons speak Chinese."""

import re


def run(s):
    folder = s.folder("records")
    names = ["a.mgx", "b.mgx", "c.mgx", "d.mgx"]
    for name in names:
        s.sample("1v1_arabia.mgx", folder, name)
    dest = s.folder("records/dest")
    for name in ("a.mgx", "c.mgx", "d.mgx"):
        (dest / name).write_bytes(b"mine")
    p = s.start(folder)

    p.click_row("a.mgx")
    p.key("ctrl+a")  # the folder "dest" sorts first and is selected too
    p.key("alt+o", "f")
    p.prompt("folder picker", "拷贝到")
    p.type("dest")
    p.key("Return")
    question = p.prompt("question", r"文件已存在，是否覆盖？ \| " + re.escape(str(dest)) + r"/\w\.mgx")
    s.check("否(&N)" in question and "全部是(&A)" in question, f"the buttons: {question}")
    declined = re.search(r"/(\w\.mgx)", question).group(1)
    p.key("n")
    p.prompt("question", r"文件已存在，是否覆盖？")
    p.key("a")
    said = p.prompt("message", "已复制 3 个文件到")
    s.check("文件夹不参与此操作，已跳过：dest" in said, f"the folder is said once: {said}")
    p.key("Return")
    p.wait_main_active()
    s.check_equal((dest / declined).read_bytes(), b"mine", f"{declined}, declined")
    for name in set(names) - {declined}:
        s.check_equal((dest / name).read_bytes(), (folder / name).read_bytes(), name)
    s.check_equal(len(re.findall(r"question: 文件已存在", p.log_text())), 2, "questions asked (全部是 answers the third)")
    p.assert_alive()
