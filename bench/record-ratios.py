#!/usr/bin/env python3
"""Runs the record load benchmark and prints load time / floor time per real record."""
import json
import subprocess
import sys

binary = sys.argv[1] if len(sys.argv) > 1 else "build-bench/bench/korvale_record_bench"
out = subprocess.run([binary, "--benchmark_format=json", "--benchmark_repetitions=5",
                      "--benchmark_report_aggregates_only=true"] + sys.argv[2:],
                     check=True, capture_output=True, text=True).stdout
times = {}
for run in json.loads(out)["benchmarks"]:
    if run.get("aggregate_name") != "median":
        continue
    kind, name = run["run_name"].split("/", 1)
    times.setdefault(name, {})[kind] = run["real_time"]
worst = 0.0
print(f"{'record':45} {'floor ms':>9} {'load ms':>9} {'ratio':>6}")
for name, t in sorted(times.items()):
    ratio = t["Load"] / t["Floor"]
    worst = max(worst, ratio)
    print(f"{name:45} {t['Floor']:9.3f} {t['Load']:9.3f} {ratio:6.2f}")
print(f"worst ratio {worst:.2f} (target 1.30)")
