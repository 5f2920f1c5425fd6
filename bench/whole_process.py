#!/usr/bin/env python3
"""Times whole kalendra-cli processes on a heavy user's file against glibc's iconv program on the same
bytes, in the same run, and prints the medians and the ratios.

usage: bench/whole_process.py [BUILD-FOLDER] [--entries N] [--runs N]
       (default build/release, 100,000 entries, 7 runs; build it with -DCMAKE_BUILD_TYPE=Release)

  load    = `check FILE` (read, decode, parse, build the store, report)
  save    = `convert FILE OUT` - load (format, encode, write, fsync, rename)
  month   = `month FILE 2026-12 --json` - load (one six-week grid with its JSON)
  decode  = `iconv -f CP932 -t UTF-16LE FILE`;  encode = `iconv -f UTF-16LE -t CP932` of its output
Ratios above 1 mean faster than iconv. Peak memory is the resident peak of each process.
"""
import argparse
import os
import statistics
import subprocess
import sys
import tempfile
import time

HERE = os.path.dirname(os.path.abspath(__file__))


def run(command, stdout=subprocess.DEVNULL):
    """Wall time in ms, peak resident memory in bytes and processor time in ms of one process."""
    start = time.perf_counter()
    process = subprocess.Popen(command, stdout=stdout, stderr=subprocess.PIPE)
    _, status, usage = os.wait4(process.pid, 0)
    elapsed = (time.perf_counter() - start) * 1000
    process.returncode = os.waitstatus_to_exitcode(status)
    if process.returncode != 0:
        sys.exit("failed: %s\n%s" % (" ".join(command), process.stderr.read().decode(errors="replace")))
    return elapsed, usage.ru_maxrss * 1024, (usage.ru_utime + usage.ru_stime) * 1000


def medians(commands, runs):
    """Median time and highest peak of each command. The commands take turns run by run, so that the
    machine's drift over the minutes (other work, clock speed) falls on all of them alike."""
    times = {name: [] for name in commands}
    cpu = {name: [] for name in commands}
    peaks = {name: 0 for name in commands}
    for _ in range(runs):
        for name, command in commands.items():
            elapsed, peak, used = run(command)
            times[name].append(elapsed)
            cpu[name].append(used)
            peaks[name] = max(peaks[name], peak)
    return {name: (statistics.median(times[name]), peaks[name], statistics.median(cpu[name])) for name in commands}


def main():
    parser = argparse.ArgumentParser()
    parser.add_argument("build", nargs="?", default="build/release")
    parser.add_argument("--entries", type=int, default=100000)
    parser.add_argument("--runs", type=int, default=7)
    args = parser.parse_args()
    cli = os.path.abspath(os.path.join(args.build, "kalendra-cli"))
    with tempfile.TemporaryDirectory() as work:
        os.environ.update(KALENDRA_CONFIG=os.path.join(work, "Kalendra.ini"), HOME=work, TZ="Asia/Tokyo",
                          XDG_CONFIG_HOME=os.path.join(work, "config"), XDG_DATA_HOME=os.path.join(work, "data"))
        # A returning user's settings: the one-time holiday update of a first load is not part of every load.
        with open(os.environ["KALENDRA_CONFIG"], "w") as ini:
            ini.write("[System]\nHolidayChangeFlag1=1\n")
        heavy = os.path.join(work, "heavy.klx")
        utf16 = os.path.join(work, "heavy.utf16")
        subprocess.run([sys.executable, os.path.join(HERE, "heavy_file.py"), heavy, str(args.entries)], check=True)
        with open(utf16, "wb") as out:
            subprocess.run(["iconv", "-f", "CP932", "-t", "UTF-16LE", heavy], stdout=out, check=True)
        size = os.path.getsize(heavy)
        runs = args.runs
        results = medians({
            "decode": ["iconv", "-f", "CP932", "-t", "UTF-16LE", heavy],
            "encode": ["iconv", "-f", "UTF-16LE", "-t", "CP932", utf16],
            "load": [cli, "check", heavy],
            "convert": [cli, "convert", heavy, os.path.join(work, "out.klx")],
            "month": [cli, "month", heavy, "2026-12", "--json"],
        }, runs)
        decode, _, decode_cpu = results["decode"]
        encode, _, encode_cpu = results["encode"]
        load, load_peak, load_cpu = results["load"]
        convert, convert_peak, convert_cpu = results["convert"]
        month, _, month_cpu = results["month"]
        save = convert - load
        mb = size / 1e6
        print("file: %d entries, %.1f MB of CP932; medians of %d runs" % (args.entries, mb, runs))
        print("iconv decode   %8.1f ms  %6.0f MB/s" % (decode, mb / decode * 1000))
        print("iconv encode   %8.1f ms  %6.0f MB/s" % (encode, mb / encode * 1000))
        print("load (check)   %8.1f ms  %6.0f MB/s  %.2fx decode  peak %.0f MB = %.2fx file"
              % (load, mb / load * 1000, decode / load, load_peak / 1e6, load_peak / size))
        print("save           %8.1f ms  %6.0f MB/s  %.2fx encode  (convert %.1f ms, peak %.0f MB)"
              % (save, mb / save * 1000 if save > 0 else 0, encode / save if save > 0 else 0, convert,
                 convert_peak / 1e6))
        print("month - load   %8.1f ms  (month %.1f ms)" % (month - load, month))
        # Processor time drifts less than wall time on a shared machine.
        print("processor time: decode %.1f, encode %.1f, load %.1f (%.2fx), save %.1f (%.2fx), month - load %.1f ms"
              % (decode_cpu, encode_cpu, load_cpu, decode_cpu / load_cpu, convert_cpu - load_cpu,
                 encode_cpu / (convert_cpu - load_cpu), month_cpu - load_cpu))


if __name__ == "__main__":
    main()
