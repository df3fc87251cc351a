"""The shared helpers of the player scenarios: a fresh folder per scenario, the real korvale
program on the X display the runner provides, keys and clicks through xdotool, and the program's
log (every message box, question and picker is logged by the category korvale.prompt, the record
list and the panel by theirs) read back with time stamps on the same clock as ours."""

import os
import re
import shutil
import subprocess
import time
from pathlib import Path


class Failure(Exception):
    """A check of the scenario did not hold."""


class Skipped(Exception):
    """The scenario waits for a change that has not landed on this branch."""


MAIN_TITLE = "无标题 - Korvale 1.38正式版"


def xdotool(*args, check=True):
    result = subprocess.run(["xdotool", *map(str, args)], capture_output=True, text=True, timeout=20)
    if check and result.returncode != 0:
        raise Failure(f"xdotool {' '.join(map(str, args))} failed: {result.stderr.strip()}")
    return result.stdout.strip()


def write_config_ini(path, savegame, exe_a="", exe_c=""):
    text = "".join(line + "\r\n" for line in (str(savegame), str(exe_a), str(exe_c)))
    Path(path).write_bytes(text.encode("utf-16-le"))


def read_config_ini(path):
    return Path(path).read_bytes().decode("utf-16-le").split("\r\n")[:3]


class Program:
    """One run of korvale. Its stderr is the log; each line carries the monotonic time in
    seconds (the same clock as time.monotonic()), the category and the message."""

    def __init__(self, scenario, args, cwd):
        self.scenario = scenario
        self.log_path = scenario.out / f"korvale-{scenario.starts}.log"
        env = dict(os.environ)
        env.update({
            "HOME": str(scenario.home),
            "XDG_CONFIG_HOME": str(scenario.home / ".config"),
            "XDG_DATA_HOME": str(scenario.home / ".local/share"),
            "LANG": "zh_CN.UTF-8",
            "LANGUAGE": "zh_CN",
            "QT_LOGGING_RULES": "korvale.*.debug=true",
            "QT_MESSAGE_PATTERN": "%{time boot} [%{category}] %{message}",
        })
        env.pop("QT_QPA_PLATFORM", None)
        self.log_file = open(self.log_path, "w")
        self.process = subprocess.Popen([str(scenario.program), *map(str, args)], cwd=cwd, env=env,
                                        stdout=self.log_file, stderr=subprocess.STDOUT)
        self.window = None
        self.seen = set()  # every window met: the splash, the dialogs
        self.dialogs = []
        self.cursor = 0  # the log offset after the last line a wait consumed

    # --- the log ---------------------------------------------------------------------------

    def log_text(self):
        return self.log_path.read_text(errors="replace")

    def mark(self):
        """Later waits look only at what the program logs from now on."""
        self.cursor = len(self.log_text())

    def wait_log(self, pattern, timeout=10.0):
        """The first line after the cursor matching pattern; the cursor moves past it. Returns
        (time stamp in seconds, match)."""
        regex = re.compile(pattern)
        deadline = time.monotonic() + timeout
        while True:
            text = self.log_text()
            start = self.cursor
            for line in text[start:].splitlines(keepends=True):
                if not line.endswith("\n"):
                    break
                start += len(line)
                found = regex.search(line)
                if found:
                    self.cursor = start
                    stamp = line.split()[0] if line.strip() else ""
                    return (float(stamp) if re.fullmatch(r"\d+\.\d+", stamp) else None), found
            self.assert_alive()
            if time.monotonic() > deadline:
                raise Failure(f"the log never said /{pattern}/ within {timeout} s")
            time.sleep(0.01)

    def logged(self, pattern):
        """The first match of pattern anywhere in the log, or None."""
        return re.search(pattern, self.log_text(), re.MULTILINE)

    def no_log(self, pattern):
        """Nothing after the cursor matches pattern."""
        found = re.search(pattern, self.log_text()[self.cursor:])
        if found:
            raise Failure(f"the log said what it should not: {found.group(0)!r}")

    def prompt(self, kind, pattern, timeout=10.0):
        """Waits for the message box / question / picker of that kind (message, question, folder
        picker, file picker, save picker) whose text matches, and for its window to take the
        keyboard. Returns its text."""
        _, found = self.wait_log(r"\[korvale\.prompt\] " + kind + r": (.*" + pattern + r".*)$", timeout)
        self.wait_dialog()
        return found.group(1)

    def wait_listing(self, timeout=15.0):
        """Waits until the list shows a listing (after start, a navigation, a refresh)."""
        self.wait_log(r"\[korvale\.window\] listing shown: ", timeout)

    def listing(self):
        """The labels of the rows shown in the last listing, in the order shown."""
        text = self.log_text()
        end = text.rfind("[korvale.window] listing shown: ")
        rows = {}
        for line in reversed(text[:end].splitlines()):
            found = re.search(r"\[korvale\.window\] row (\d+): (.*)$", line)
            if found:
                rows[int(found.group(1))] = found.group(2)
                if found.group(1) == "0":
                    break
            elif "place firstRow" not in line and rows:
                break
        return [rows[i] for i in sorted(rows)]

    def place(self, name, timeout=5.0):
        """(x, y, width, height) of a named widget in the main window, as the program last logged it."""
        deadline = time.monotonic() + timeout
        while True:
            found = re.findall(r"\[korvale\.window\] place " + re.escape(name) + r": (-?\d+) (-?\d+) (\d+) (\d+)",
                               self.log_text())
            if found:
                return tuple(int(v) for v in found[-1])
            if time.monotonic() > deadline:
                raise Failure(f"the program never said where {name} is")
            time.sleep(0.05)

    def row_point(self, label):
        """Where to click on the row showing label."""
        rows = self.listing()
        if label not in rows:
            raise Failure(f"{label!r} is not listed: {rows}")
        x, y, _, h = self.place("firstRow")
        return x + 12, y + rows.index(label) * h + h // 2

    def click_row(self, label, repeat=1):
        self.click(*self.row_point(label), repeat=repeat)

    def click_place(self, name):
        x, y, w, h = self.place(name)
        self.click(x + w // 2, y + h // 2)

    def panel(self):
        """The panel's label texts and chat lines as logged when the last record was shown."""
        text = self.log_text()
        start = text.rfind("[korvale.window] shown ")
        labels, lines = {}, []
        for line in text[start:].splitlines()[1:]:
            label = re.search(r"\[korvale\.window\] panel label (\w+): (.*)$", line)
            chat = re.search(r"\[korvale\.window\] panel line: (.*)$", line)
            if label:
                labels[label.group(1)] = label.group(2)
            elif chat:
                lines.append(chat.group(1))
            elif "[korvale.window] shown " in line:
                break
        return labels, lines

    # --- the window ------------------------------------------------------------------------

    def assert_alive(self):
        if self.process.poll() is not None:
            raise Failure(f"korvale ended (exit status {self.process.returncode}); see {self.log_path}")

    def wait_main_window(self, timeout=30.0):
        deadline = time.monotonic() + timeout
        while time.monotonic() < deadline:
            self.assert_alive()
            for window in self.windows():
                if xdotool("getwindowname", window, check=False) == MAIN_TITLE:
                    self.window = window
                    return window
            time.sleep(0.05)
        raise Failure("the main window never appeared")

    def windows(self):
        """The program's visible top-level windows."""
        return xdotool("search", "--onlyvisible", "--pid", self.process.pid, check=False).splitlines()

    def window_named(self, title):
        for window in self.windows():
            if xdotool("getwindowname", window, check=False) == title:
                return window
        return None

    def close_splash(self):
        """The splash closes on a click, as a player would do rather than wait 7.5 s."""
        deadline = time.monotonic() + 10
        while time.monotonic() < deadline:
            for window in self.windows():
                if window != self.window and self.geometry(window)[2] < 800:
                    self.seen.add(window)
                    x, y, w, h = self.geometry(window)
                    xdotool("mousemove", x + w // 2, y + h // 2, "click", "1")
                    time.sleep(0.2)
                    return
            time.sleep(0.05)

    def geometry(self, window=None):
        out = xdotool("getwindowgeometry", "--shell", window or self.window)
        values = dict(line.split("=", 1) for line in out.splitlines() if "=" in line)
        return int(values["X"]), int(values["Y"]), int(values["WIDTH"]), int(values["HEIGHT"])

    # Xvfb runs without a window manager, so nothing gives a new window the keyboard: these do
    # what a window manager would, focusing each dialog as it maps and the main window when the
    # dialogs are gone.

    def focus(self, window):
        xdotool("windowfocus", "--sync", window, check=False)
        time.sleep(0.05)

    def wait_dialog(self, timeout=10.0):
        """Waits for a window of the program that was not there before (a dialog) and gives it
        the keyboard; returns its id."""
        deadline = time.monotonic() + timeout
        while time.monotonic() < deadline:
            self.assert_alive()
            for window in self.windows():
                if window != self.window and window not in self.seen:
                    self.seen.add(window)
                    time.sleep(0.15)  # Qt maps the window, then lays out and focuses its first control
                    self.focus(window)
                    self.dialogs.append(window)
                    return window
            time.sleep(0.03)
        raise Failure("no dialog appeared")

    wait_active_window_change = wait_dialog

    def back_to_dialog(self):
        """After a box over a dialog closed: the dialog under it takes the keyboard again."""
        time.sleep(0.15)
        visible = set(self.windows())
        for window in reversed(self.dialogs):
            if window in visible:
                self.focus(window)
                return window
        raise Failure("no dialog is left to go back to")

    def wait_main_active(self, timeout=10.0):
        """Waits until the program's dialogs are gone, then gives the main window the keyboard."""
        deadline = time.monotonic() + timeout
        while time.monotonic() < deadline:
            self.assert_alive()
            visible = set(self.windows())
            if not any(window in visible for window in self.dialogs):
                self.focus(self.window)
                return
            time.sleep(0.03)
        raise Failure("a dialog stayed open")

    def key(self, *keys):
        for k in keys:
            xdotool("key", "--clearmodifiers", k)
            time.sleep(0.08)

    def type(self, text):
        xdotool("type", "--delay", "15", text)
        time.sleep(0.1)

    def click(self, x, y, button=1, repeat=1, window=None):
        """A click at (x, y) inside the window (the main window unless another is named)."""
        wx, wy, _, _ = self.geometry(window)
        xdotool("mousemove", wx + x, wy + y, "click", "--repeat", repeat, "--delay", "60", button)
        time.sleep(0.1)

    def timed(self, action, pattern, timeout=10.0):
        """Runs action (a key or click) and waits for the log line; the milliseconds from just
        before the action to the line."""
        self.mark()
        start = time.monotonic()
        action()
        stamp, _ = self.wait_log(pattern, timeout)
        return (stamp - start) * 1000.0

    def screenshot(self, name):
        path = self.scenario.shots / f"{name}.png"
        subprocess.run(["import", "-window", "root", str(path)], check=True, timeout=30)
        return path

    def close(self):
        if self.process.poll() is None:
            self.process.terminate()
            try:
                self.process.wait(timeout=5)
            except subprocess.TimeoutExpired:
                self.process.kill()
                self.process.wait()
        self.log_file.close()


class Scenario:
    """One scenario's world: its own folder of records, home and configuration."""

    def __init__(self, name, build, recs, out, shots):
        self.name = name
        self.build = Path(build)
        self.program = self.build / "src/app/korvale"
        self.info = self.build / "tools/korvale-info/korvale-info"
        self.samples = self.build / "samples"
        self.recs = Path(recs)
        self.out = Path(out)
        self.shots = Path(shots)
        self.root = self.out / "files"
        self.home = self.out / "home"
        self.starts = 0
        self.programs = []
        self.figures = []  # (name, value) printed by the runner
        for folder in (self.root, self.home / ".config", self.shots):
            folder.mkdir(parents=True, exist_ok=True)

    def folder(self, relative):
        path = self.root / relative
        path.mkdir(parents=True, exist_ok=True)
        return path

    def sample(self, name, into, as_name=None):
        return Path(shutil.copy2(self.samples / name, Path(into) / (as_name or name)))

    def rec(self, name, into, as_name=None):
        source = self.recs / name
        if not source.exists():
            raise Skipped(f"the real record {name} is not in {self.recs}")
        target = Path(into) / (as_name or name)
        shutil.copyfile(source, target)
        return target

    def start(self, folder, extra_args=(), config=None, cwd=None):
        """Starts korvale on folder, with a config.ini in its working folder naming folder as the
        SaveGame folder, and returns once the window is up and the splash is gone."""
        self.starts += 1
        cwd = Path(cwd or self.out / f"run{self.starts}")
        cwd.mkdir(parents=True, exist_ok=True)
        write_config_ini(cwd / "config.ini", *(config or (folder,)))
        for attempt in range(3):
            program = Program(self, [*extra_args, folder] if folder else list(extra_args), cwd)
            self.programs.append(program)
            try:
                program.wait_main_window()
                break
            except Failure:
                # Xvfb now and then refuses a connection right after another client left; that is
                # the test display's fault, not the program's, so try again.
                program.close()
                if attempt == 2 or "could not connect to display" not in program.log_text():
                    raise
                self.programs.remove(program)
                time.sleep(0.5)
        program.close_splash()
        program.wait_main_active()
        program.wait_listing()
        return program

    def wait_until(self, condition, what, timeout=10.0):
        deadline = time.monotonic() + timeout
        while not condition():
            if time.monotonic() > deadline:
                raise Failure(f"never: {what}")
            time.sleep(0.05)

    def check(self, condition, message):
        if not condition:
            raise Failure(message)

    def check_equal(self, actual, expected, what):
        if actual != expected:
            raise Failure(f"{what}: expected {expected!r}, got {actual!r}")

    def figure(self, name, value):
        self.figures.append((name, value))

    def korvale_info(self, *args):
        result = subprocess.run([str(self.info), *map(str, args)], capture_output=True, text=True, timeout=60)
        return result

    def finish(self, shot_name):
        for program in self.programs:
            if program.process.poll() is None:
                try:
                    program.screenshot(shot_name)
                except Exception:
                    pass
                break
        for program in self.programs:
            program.close()
