"""Runs the player scenarios: every tests/scenarios/*.py that defines run(scenario), in name order
(or those named on the command line), each in a folder of its own under BUILD/scenarios/. One that
sets PENDING waits for a change on another branch and is skipped with that message, unless
KORVALE_SCENARIOS_PENDING=1. Prints
pass, fail or skip with the time of each and the figures they measured; exits 1 when one failed.
Needs an X display (scripts/scenarios provides one under Xvfb)."""

import importlib.util
import os
import shutil
import sys
import time
import traceback
from pathlib import Path

sys.path.insert(0, str(Path(__file__).parent))
from korvale_scenario import Failure, Scenario, Skipped  # noqa: E402


def load(path):
    found = importlib.util.spec_from_file_location(f"scenario_{path.stem}", path)
    module = importlib.util.module_from_spec(found)
    found.loader.exec_module(module)
    return module


def main():
    build = Path(sys.argv[1]).resolve()
    wanted = set(sys.argv[2:])
    recs = Path(os.environ.get("KORVALE_RECS_DIR", Path(__file__).resolve().parents[3] / "shared/recs")).resolve()
    out_root = build / "scenarios"
    shutil.rmtree(out_root, ignore_errors=True)
    out_root.mkdir(parents=True)
    here = Path(__file__).parent
    files = sorted(p for p in here.glob("*.py") if p.name not in ("run.py", "korvale_scenario.py"))
    results = []
    suite_started = time.monotonic()
    for path in files:
        name = path.stem
        if wanted and name not in wanted:
            continue
        module = load(path)
        scenario = Scenario(name, build, recs, out_root / name, out_root)
        started = time.monotonic()
        outcome, detail = "pass", ""
        try:
            pending = getattr(module, "PENDING", None)
            # KORVALE_SCENARIOS_PENDING=1 runs them all the same, to see whether a merge fixed them.
            if pending and os.environ.get("KORVALE_SCENARIOS_PENDING") != "1":
                raise Skipped(pending)
            module.run(scenario)
        except Skipped as skipped:
            outcome, detail = "skip", str(skipped)
        except Failure as failure:
            outcome, detail = "FAIL", str(failure)
        except Exception:  # a fault of the scenario itself counts as a failure
            outcome, detail = "FAIL", traceback.format_exc()
        finally:
            scenario.finish(name)
        seconds = time.monotonic() - started
        results.append((name, outcome))
        print(f"{outcome:4}  {name:28} {seconds:6.1f} s  {(module.__doc__ or '').strip().splitlines()[0] if module.__doc__ else ''}")
        for figure, value in scenario.figures:
            print(f"      {figure}: {value}")
        if detail:
            for line in detail.rstrip().splitlines():
                print(f"      {line}")
        sys.stdout.flush()
    failed = [name for name, outcome in results if outcome == "FAIL"]
    counts = {o: sum(1 for _, x in results if x == o) for o in ("pass", "FAIL", "skip")}
    print(f"scenarios: {counts['pass']} passed, {counts['FAIL']} failed, {counts['skip']} skipped "
          f"in {time.monotonic() - suite_started:.0f} s; screenshots in {out_root}")
    return 1 if failed or not results else 0


if __name__ == "__main__":
    sys.exit(main())
