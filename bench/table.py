#!/usr/bin/env python3
"""Prints benchmark rows with ratios from Google Benchmark JSON files.

Usage: table.py LOG_HANDLER.json PRUNE.json
"""
import json
import sys


def medians(path):
    with open(path) as f:
        runs = json.load(f)["benchmarks"]
    return {r["run_name"]: r for r in runs if r.get("aggregate_name") == "median"}


def row(name, ours, floor, unit, per_item=False):
    if per_item:  # messages per second: larger is better, ratio is ours/floor
        a, b = ours["items_per_second"], floor["items_per_second"]
        print(f"| {name} | {a / 1e3:.0f}k/s | {b / 1e3:.0f}k/s | {a / b:.2f} |")
    else:  # time: smaller is better, ratio is ours/floor
        a, b = ours["real_time"], floor["real_time"]
        print(f"| {name} | {a:.0f} {unit} | {b:.0f} {unit} | {a / b:.2f} |")


log = medians(sys.argv[1])
for threads in (1, 4):
    key = f"real_time/threads:{threads}"
    handler = log[f"BM_Handler/{key}"]
    floor = log[f"BM_WriteFloor/{key}"]
    spdlog = log[f"BM_Spdlog/{key}"]
    row(f"log handler, {threads} thread(s), vs write(2) floor", handler, floor,
        "", per_item=True)
    row(f"log handler, {threads} thread(s), vs spdlog (flush each)", handler,
        spdlog, "", per_item=True)

prune = medians(sys.argv[2])
row("PruneOldestLog, 10,000 entries, vs listing the folder",
    prune["BM_PruneOldestLog"], prune["BM_ListFolderFloor"], "us")
