"""压缩 and 删除 with a folder in the selection (skipped and said), then 解压缩 brings the records back."""

import zipfile


def run(s):
    folder = s.folder("records")
    for name in ("1v1_arabia.mgx", "scenario.mgx"):
        s.sample(name, folder)
    s.folder("records/sub")
    p = s.start(folder)

    p.click_row("1v1_arabia.mgx")
    p.key("ctrl+a", "alt+o", "z")
    p.prompt("save picker", "另存为")
    p.type(str(s.root / "records" / "pack.zip"))
    p.key("Return")
    said = p.prompt("message", "文件压缩完毕")
    s.check("已跳过：sub" in said, f"the folder is said: {said}")
    p.key("Return")
    p.wait_main_active()
    with zipfile.ZipFile(folder / "pack.zip") as archive:
        s.check_equal(sorted(archive.namelist()), ["1v1_arabia.mgx", "scenario.mgx"], "the archive's entries")

    # Delete both records; the folder stays and is said.
    p.wait_listing()
    p.click_row("1v1_arabia.mgx")
    p.key("ctrl+a", "Delete")
    for _ in range(3):
        question = p.prompt("question", "确定删除")
        p.key("n" if "pack.zip" in question else "y")
    said = p.prompt("message", "文件夹不参与此操作")
    p.key("Return")
    p.wait_main_active()
    s.check(not (folder / "1v1_arabia.mgx").exists() and (folder / "sub").is_dir(), "records gone, folder kept")

    # Unpack the archive into the folder (F5 first: the list as it stands now).
    p.key("F5")
    p.wait_listing()
    p.click_row("pack.zip")
    p.key("alt+o", "u")
    p.prompt("message", "")
    p.key("Return")
    p.wait_main_active()
    s.check((folder / "1v1_arabia.mgx").exists() and (folder / "scenario.mgx").exists(), "unpacked")
    p.assert_alive()
