#!/usr/bin/env python3
"""Runs the record load benchmark and prints load time / floor time per real record, then the
40-load runs: one reader against the floors that reuse their buffers (zlib's stream, libdeflate
whole), and against fresh buffers."""
import json
import subprocess
import sys

binary = sys.argv[1] if len(sys.argv) > 1 else "build-bench/bench/korvale_record_bench"
out = subprocess.run([binary, "--benchmark_format=json", "--benchmark_repetitions=5",
                      "--benchmark_report_aggregates_only=true"] + sys.argv[2:],
                     check=True, capture_output=True, text=True).stdout
times = {}
many = {}
for run in json.loads(out)["benchmarks"]:
    if run.get("aggregate_name") != "median":
        continue
    kind, name = run["run_name"].split("/", 1)
    if kind.startswith("BM_"):
        many[kind[3:]] = (run["real_time"], run["cpu_time"])
    else:
        times.setdefault(name, {})[kind] = run["real_time"]
worst = 0.0
if times:
    print(f"{'record':45} {'floor ms':>9} {'load ms':>9} {'ratio':>6}")
for name, t in sorted(times.items()):
    if "Load" not in t or "Floor" not in t:
        continue
    ratio = t["Load"] / t["Floor"]
    worst = max(worst, ratio)
    print(f"{name:45} {t['Floor']:9.3f} {t['Load']:9.3f} {ratio:6.2f}")
if times:
    print(f"worst ratio {worst:.2f} (target 1.30)")

if many:
    print()
    print(f"{'40 loads':21} {'real ms':>9} {'cpu ms':>9}")
    for kind in ("FloorReused", "FloorReusedLibdeflate", "FloorFresh", "LoadMany", "LoadOneShot"):
        if kind in many:
            print(f"{kind:21} {many[kind][0]:9.1f} {many[kind][1]:9.1f}")
    for load, floor, target in (("LoadMany", "FloorReused", " (target 1.20)"),
                                ("LoadMany", "FloorReusedLibdeflate", " (target 1.30)"), ("LoadMany", "FloorFresh", ""),
                                ("LoadOneShot", "FloorReused", ""), ("LoadOneShot", "FloorFresh", "")):
        if load in many and floor in many:
            real = many[load][0] / many[floor][0]
            cpu = many[load][1] / many[floor][1]
            print(f"{load} / {floor}: {real:.2f} real, {cpu:.2f} cpu{target}")
