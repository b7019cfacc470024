#!/usr/bin/env python3
"""Runs the benchmarks side by side and prints medians and ratios.

QZ-Script through `tapwell-cli script --dry-run`, each next to its
line-for-line equivalent in Python 3 and Lua 5.4; and the keystroke engine
through `tapwell-cli trace` on a 1 MB and a 10 MB text.
"""
import os
import statistics
import subprocess
import sys
import tempfile
import time

HERE = os.path.dirname(os.path.abspath(__file__))


def run_once(cmd):
    """Wall time of one run in seconds; a failing run is reported."""
    start = time.perf_counter()
    proc = subprocess.run(cmd, stdout=subprocess.DEVNULL, stderr=subprocess.PIPE)
    elapsed = time.perf_counter() - start
    if proc.returncode != 0:
        sys.stderr.write(f"{' '.join(cmd)} exited {proc.returncode}: "
                         f"{proc.stderr.decode(errors='replace')[:400]}\n")
    return elapsed


def median_time(cmd, runs):
    return statistics.median(run_once(cmd) for _ in range(runs))


def peak_rss_kib(cmd):
    """Peak resident size of one run, read from GNU time."""
    out = subprocess.run(["/usr/bin/time", "-f", "%M"] + cmd, stdout=subprocess.DEVNULL,
                         stderr=subprocess.PIPE, text=True)
    return int(out.stderr.strip().splitlines()[-1])


def main():
    cli = sys.argv[1] if len(sys.argv) > 1 else os.path.join(
        HERE, "..", "build", "bench", "src", "cli", "tapwell-cli")
    runs = int(os.environ.get("TAPWELL_BENCH_RUNS", "5"))
    lua = "lua5.4"
    print(f"{'benchmark':<16}{'QZ-Script':>11}{'python3':>10}{'lua5.4':>10}"
          f"{'QZ/py':>8}{'QZ/lua':>8}")
    for name in ["1_int_loop", "2_arith", "3_string", "4_builtins"]:
        qz = median_time([cli, "script", "--dry-run", os.path.join(HERE, "qz", name + ".qz")], runs)
        py = median_time([sys.executable, os.path.join(HERE, "py", name + ".py")], runs)
        lu = median_time([lua, os.path.join(HERE, "lua", name + ".lua")], runs)
        print(f"{name:<16}{qz:>10.3f}s{py:>9.3f}s{lu:>9.3f}s{qz / py:>8.2f}{qz / lu:>8.2f}")

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


if __name__ == "__main__":
    main()
