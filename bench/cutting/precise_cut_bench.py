#!/usr/bin/env python3
# SPDX-License-Identifier: GPL-3.0-or-later
"""Precise cut against ffmpeg and mp3splt: 10 minutes out of the middle of a 60-minute 320 kbit/s MP3 in
the page cache, each tool in the same run, round after round (a report, not a timed test).

Prints each tool's wall time (median and best of the rounds), the precise cut's ratio to each tool (the
median of the ratios within a round, as the machine may be busy), and each tool's peak resident memory.
The precise cut's memory is also measured on a cut of the whole file, to show that it does not grow with
the cut's length. A tool that is not installed is skipped.

    precise_cut_bench.py [--cut PATH_TO_trimvox-cut] [--dir FOLDER] [--rounds N] [--minutes M]

The source is made once with sox and lame (a few minutes) and kept in FOLDER for later runs.
"""
import argparse
import os
import shutil
import statistics
import subprocess
import sys
import tempfile
import time


def run(command):
    """Runs a command; its wall time in seconds and peak resident memory in KiB.

    The memory is measured by GNU time where it is installed: a child forked from this (much larger)
    Python process would inherit its peak."""
    report = None
    if os.path.exists("/usr/bin/time"):
        report = tempfile.NamedTemporaryFile(prefix="precise-bench-", suffix=".txt", delete=False)
        report.close()
        command = ["/usr/bin/time", "-f", "%M", "-o", report.name] + command
    start = time.perf_counter()
    process = subprocess.Popen(command, stdout=subprocess.DEVNULL, stderr=subprocess.PIPE)
    _, status, usage = os.wait4(process.pid, 0)
    elapsed = time.perf_counter() - start
    error = process.stderr.read().decode(errors="replace")
    process.stderr.close()
    if os.waitstatus_to_exitcode(status) != 0:
        sys.exit(f"precise_cut_bench: {command[0]} failed: {error.strip()}")
    peak = usage.ru_maxrss
    if report is not None:
        with open(report.name) as text:
            peak = int(text.read().split()[-1])
        os.unlink(report.name)
    return elapsed, peak


def make_source(path, minutes):
    if os.path.exists(path):
        return
    print(f"making a {minutes}-minute 320 kbit/s source with sox and lame …", flush=True)
    temporary = path + ".part"
    sox = subprocess.Popen(["sox", "-q", "-R", "-n", "-r", "44100", "-c", "2", "-b", "16", "-t", "wav", "-",
                            "synth", str(minutes * 60), "pinknoise", "vol", "0.4"], stdout=subprocess.PIPE)
    subprocess.run(["lame", "--quiet", "--cbr", "-b", "320", "--tt", "Benchmark", "--add-id3v2", "-", temporary],
                   stdin=sox.stdout, check=True)
    sox.wait()
    os.rename(temporary, path)


def main():
    here = os.path.dirname(os.path.abspath(__file__))
    parser = argparse.ArgumentParser()
    parser.add_argument("--cut", default=os.path.join(here, "..", "..", "build", "src", "cutting", "trimvox-cut"))
    parser.add_argument("--dir", default=os.path.join(tempfile.gettempdir(), "trimvox-precise-bench"))
    parser.add_argument("--rounds", type=int, default=5)
    parser.add_argument("--minutes", type=int, default=60)
    args = parser.parse_args()

    os.makedirs(args.dir, exist_ok=True)
    source = os.path.join(args.dir, f"source-{args.minutes}min-320k.mp3")
    make_source(source, args.minutes)
    with open(source, "rb") as whole:  # into the page cache
        while whole.read(1 << 22):
            pass

    middle = args.minutes * 60 / 2
    start, end = middle - 300, middle + 300  # ten minutes out of the middle
    out = lambda name: os.path.join(args.dir, name)
    mmss = lambda seconds: f"{int(seconds // 60)}.{int(seconds % 60):02d}"
    tools = {"precise cut": [args.cut, "--precise", source, str(start), str(end), out("precise.mp3")]}
    if shutil.which("ffmpeg"):
        tools["ffmpeg -c copy"] = ["ffmpeg", "-v", "error", "-nostdin", "-y", "-ss", str(start), "-to", str(end),
                                   "-i", source, "-c", "copy", out("ffmpeg.mp3")]
    else:
        print("ffmpeg is not installed: skipped")
    if shutil.which("mp3splt"):
        tools["mp3splt"] = ["mp3splt", "-q", "-d", args.dir, "-o", "mp3splt", source, mmss(start), mmss(end)]
    else:
        print("mp3splt is not installed: skipped")

    times = {name: [] for name in tools}
    memory = {name: 0 for name in tools}
    for _ in range(args.rounds):
        for name, command in tools.items():
            elapsed, peak = run(command)
            times[name].append(elapsed)
            memory[name] = max(memory[name], peak)
    _, whole_peak = run([args.cut, "--precise", source, "0", str(args.minutes * 60), out("whole.mp3")])

    size = os.path.getsize(source) / (1 << 20)
    print(f"source: {args.minutes} min, {size:.0f} MiB; cut {start:.0f}-{end:.0f} s; {args.rounds} rounds")
    print(f"{'tool':<16}{'median s':>10}{'best s':>10}{'peak MiB':>10}{'ratio':>10}")
    ours = times["precise cut"]
    for name in tools:
        ratio = statistics.median(t / o for t, o in zip(times[name], ours))
        print(f"{name:<16}{statistics.median(times[name]):>10.3f}{min(times[name]):>10.3f}"
              f"{memory[name] / 1024:>10.1f}{ratio:>9.2f}x")
    print(f"precise cut of the whole file: peak {whole_peak / 1024:.1f} MiB")
    print("ratio: the tool's time over the precise cut's (above 1: the precise cut is faster)")


if __name__ == "__main__":
    main()
