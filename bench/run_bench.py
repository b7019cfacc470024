#!/usr/bin/env python3
"""Runs the benchmarks side by side and prints medians and ratios.

QZ-Script through `tapwell-cli script --dry-run`, each next to its
line-for-line equivalent in Python 3 and Lua 5.4; and the keystroke engine
through `tapwell-cli trace` on a 1 MB and a 10 MB text.

usage: run_bench.py [CLI] [--no-python] [--no-trace] [NAME...]

The runs of one program alternate between the languages, so that a change in
the machine's load falls on all of them alike, and every run is held to one
core (TAPWELL_BENCH_CPU, else the first this process may use): the cores of a
virtual machine can run at different speeds, and a median over runs that
landed on either core compares the cores rather than the languages. A
program that prints its result must print the same in every language
(QZ-Script through MESSAGE, which the dry run shows as a box line); a
mismatch is reported.
"""
import os
import re
import statistics
import subprocess
import sys
import tempfile
import time

HERE = os.path.dirname(os.path.abspath(__file__))


def run_once(cmd):
    """Wall time of one run in seconds and its output; a failing run is reported."""
    start = time.perf_counter()
    proc = subprocess.run(cmd, stdout=subprocess.PIPE, stderr=subprocess.PIPE)
    elapsed = time.perf_counter() - start
    if proc.returncode != 0:
        sys.stderr.write(f"{' '.join(cmd)} exited {proc.returncode}: "
                         f"{proc.stderr.decode(errors='replace')[:400]}\n")
    return elapsed, proc.stdout.decode(errors="replace")


def median_time(cmd, runs):
    return statistics.median(run_once(cmd)[0] for _ in range(runs))


def peak_rss_kib(cmd):
    """Peak resident size of one run, read from GNU time."""
    out = subprocess.run(["/usr/bin/time", "-f", "%M"] + cmd, stdout=subprocess.DEVNULL,
                         stderr=subprocess.PIPE, text=True)
    return int(out.stderr.strip().splitlines()[-1])


def printed_result(output):
    """What a program printed: the texts of QZ-Script's boxes, or the lines."""
    boxes = re.findall(r'^box \d+ "[^"]*" "(.*)"$', output, re.M)
    return boxes if boxes else output.split()


def program_names():
    names = [f[:-3] for f in os.listdir(os.path.join(HERE, "qz")) if f.endswith(".qz")]
    return sorted(names, key=lambda n: (int(n.split("_")[0]), n))


def script_benchmarks(cli, runs, names, python):
    lua = "lua5.4"
    print(f"{'benchmark':<20}{'QZ-Script':>11}{'python3':>10}{'lua5.4':>10}"
          f"{'QZ/py':>8}{'QZ/lua':>8}{'QZ peak':>10}")
    for name in names:
        cmds = {"qz": [cli, "script", "--dry-run", os.path.join(HERE, "qz", name + ".qz")],
                "lua": [lua, os.path.join(HERE, "lua", name + ".lua")]}
        if python:
            cmds["py"] = [sys.executable, os.path.join(HERE, "py", name + ".py")]
        times = {lang: [] for lang in cmds}
        outputs = {}
        for _ in range(runs):
            for lang, cmd in cmds.items():
                t, out = run_once(cmd)
                times[lang].append(t)
                outputs.setdefault(lang, printed_result(out))
        med = {lang: statistics.median(ts) for lang, ts in times.items()}
        py_time = f"{med['py']:>9.3f}s" if python else f"{'-':>10}"
        py_ratio = f"{med['qz'] / med['py']:>8.2f}" if python else f"{'-':>8}"
        rss = peak_rss_kib(cmds["qz"])
        print(f"{name:<20}{med['qz']:>10.3f}s{py_time}{med['lua']:>9.3f}s{py_ratio}"
              f"{med['qz'] / med['lua']:>8.2f}{rss / 1024:>7.1f} MiB")
        if len(set(map(tuple, outputs.values()))) > 1:
            print(f"  results differ: {outputs}")


def trace_benchmarks(cli, runs):
    with tempfile.TemporaryDirectory() as tmp:
        sizes = {}
        for mb in (1, 10):
            path = os.path.join(tmp, f"text{mb}.txt")
            line = "The quick brown fox jumps over the lazy dog 0123456789 あいう漢字\n"
            data = (line * (mb * 1024 * 1024 // len(line.encode()) + 1)).encode()[:mb * 1024 * 1024]
            # Cut back to a whole character.
            data = data.decode("utf-8", errors="ignore").encode()
            with open(path, "wb") as f:
                f.write(data)
            units = len(data.decode().encode("utf-16-le")) // 2
            cmd = [cli, "trace", "--mode", "unicode", path]
            t = median_time(cmd, runs)
            rss = peak_rss_kib(cmd)
            sizes[mb] = t
            print(f"trace {mb:>2} MB     {t:>10.3f}s   peak {rss / 1024:.1f} MiB"
                  f" ({rss * 1024 / (units * 2):.2f}x the text's UTF-16 size)")
        print(f"trace growth 10 MB / 1 MB: {sizes[10] / sizes[1]:.2f}x")


def pin_to_one_core():
    allowed = sorted(os.sched_getaffinity(0))
    cpu = int(os.environ.get("TAPWELL_BENCH_CPU", allowed[0]))
    os.sched_setaffinity(0, {cpu})  # children inherit it
    return cpu


def main():
    args = sys.argv[1:]
    python = "--no-python" not in args
    trace = "--no-trace" not in args
    args = [a for a in args if a not in ("--no-python", "--no-trace")]
    cli = os.path.join(HERE, "..", "build", "bench", "src", "cli", "tapwell-cli")
    if args and os.path.sep in args[0]:
        cli = args.pop(0)
    runs = int(os.environ.get("TAPWELL_BENCH_RUNS", "5"))
    names = args or program_names()
    print(f"all runs on cpu {pin_to_one_core()}")
    script_benchmarks(cli, runs, names, python)
    if trace:
        trace_benchmarks(cli, runs)


if __name__ == "__main__":
    main()
