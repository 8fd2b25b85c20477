#!/usr/bin/env python3
"""Runs every benchmark scenario for zelvaron-cli and its counterparts, alternating them, and
prints the median wall times, throughputs and ratios as a Markdown table.

Called by bench/run.sh, which installs the tools, builds the program and makes the datasets.
Environment: ZELVARON_BENCH_DIR (datasets and scratch space, default /tmp/zelvaron-bench),
ZELVARON_CLI (the program), ZELVARON_BENCH_ROUNDS (rounds per scenario, default 5),
ZELVARON_BENCH_SLOW_ROUNDS (rounds of the two compression scenarios, which take minutes per
round, default 3), ZELVARON_BENCH_ONLY (comma-separated scenario keys to run, default all).
"""

import json
import os
import shutil
import statistics
import subprocess
import sys
import time
from dataclasses import dataclass, field

ROOT = os.environ.get("ZELVARON_BENCH_DIR", "/tmp/zelvaron-bench")
DATA = os.path.join(ROOT, "data")
WORK = os.path.join(ROOT, "work")
CLI = os.environ["ZELVARON_CLI"]
ROUNDS = int(os.environ.get("ZELVARON_BENCH_ROUNDS", "5"))
SLOW_ROUNDS = int(os.environ.get("ZELVARON_BENCH_SLOW_ROUNDS", "3"))
FIXED_COST_ROUNDS = max(ROUNDS, 15)
ONLY = [k for k in os.environ.get("ZELVARON_BENCH_ONLY", "").split(",") if k]
TIME = "/usr/bin/time"

ENV = dict(os.environ)
ENV["XDG_CONFIG_HOME"] = os.path.join(ROOT, "config")  # no user settings leak in
ENV["TMPDIR"] = os.path.join(ROOT, "tmp")
ENV["LC_ALL"] = "C.UTF-8"


def tree_bytes(path):
    total = 0
    for base, _, files in os.walk(path):
        for f in files:
            total += os.lstat(os.path.join(base, f)).st_size
    return total


def tree_files(path):
    return sum(len(files) for _, _, files in os.walk(path))


def remove(path):
    if os.path.isdir(path) and not os.path.islink(path):
        shutil.rmtree(path)
    elif os.path.lexists(path):
        os.remove(path)


def q(path):
    """A path quoted for bash."""
    return "'" + path.replace("'", "'\\''") + "'"


@dataclass
class Command:
    label: str
    argv: list                      # run under /usr/bin/time -v
    prepare: callable = None        # untimed, before every round
    zelvaron: bool = False
    verify: callable = None         # untimed check of a counterpart's result after its first round
    times: list = field(default_factory=list)
    rss_kib: list = field(default_factory=list)


def bash(label, script, prepare=None, verify=None):
    return Command(label, ["bash", "-c", "set -e; " + script], prepare, verify=verify)


def project(name, jobs, options):
    """Writes a project with `zelvaron-cli save` from JSON; `options` maps option groups to
    the fields that differ from the defaults."""
    path = os.path.join(WORK, name + ".zelv")
    description = {"Jobs": [{"Active": True, "WithSubdirs": True, "SourceDir": s, "TargetDir": t}
                            for s, t in jobs]}
    description.update(options)
    text = json.dumps(description, ensure_ascii=False, indent=1)
    with open(path + ".json", "w", encoding="utf-8") as f:
        f.write(text)
    subprocess.run([CLI, "save", path], input=text.encode(), check=True, env=ENV)
    return path


def zelvaron(label, project_path, prepare=None):
    return Command(label, [CLI, "run", project_path], prepare, zelvaron=True)


def run_timed(command, log_path):
    rss_path = log_path + ".time"
    argv = [TIME, "-v", "-o", rss_path] + command.argv
    with open(log_path, "wb") as log:
        start = time.perf_counter()
        status = subprocess.run(argv, stdout=log, stderr=subprocess.STDOUT, env=ENV).returncode
        elapsed = time.perf_counter() - start
    rss = 0
    with open(rss_path) as f:
        for line in f:
            if "Maximum resident set size" in line:
                rss = int(line.rsplit(":", 1)[1])
    if status != 0:
        with open(log_path, errors="replace") as f:
            tail = f.read()[-2000:]
        raise RuntimeError(f"{command.label} ended with status {status}:\n{tail}")
    return elapsed, rss


@dataclass
class Scenario:
    key: str
    title: str
    commands: list
    payload_bytes: int
    goal: str = ""                   # text of the goal
    check: callable = None           # (Zelvaron median, {counterpart label: median}) -> goal met
    verify: callable = None          # untimed check after the first Zelvaron round; error text or None
    rounds: int = ROUNDS
    note: str = ""
    skipped: str = ""
    source: str = DATA               # read once before the rounds, so that it is in the page cache
    setup: callable = None           # untimed, once before the rounds


def sync():
    subprocess.run(["sync"], check=True)
    settle()


def device_stat_path(path):
    dev = os.stat(path).st_dev
    stat = f"/sys/dev/block/{os.major(dev)}:{os.minor(dev)}/stat"
    return stat if os.path.exists(stat) else None


def settle(quiet_s=0.3, limit_s=15.0):
    """Waits until the disk under WORK has no request in flight for `quiet_s`. Removing the
    copies of a round frees gigabytes, and with the `discard` mount option the file system
    tells the device about them after the next journal commit; without this wait those
    requests land in the middle of the next timed command."""
    stat = device_stat_path(WORK)
    if not stat:
        return
    start = quiet_since = time.perf_counter()
    while time.perf_counter() - start < limit_s:
        with open(stat) as f:
            in_flight = int(f.read().split()[8])
        now = time.perf_counter()
        if in_flight:
            quiet_since = now
        elif now - quiet_since >= quiet_s:
            return
        time.sleep(0.02)


def run_scenario(scenario):
    print(f"\n== {scenario.title}", flush=True)
    for r in range(scenario.rounds):
        # Alternate who goes first, so that a drifting machine load hits both sides alike.
        order = scenario.commands if r % 2 == 0 else list(reversed(scenario.commands))
        for command in order:
            if command.prepare:
                command.prepare()
            sync()
            index = scenario.commands.index(command)
            log = os.path.join(WORK, f"{scenario.key}.{index}.{len(command.times)}.log")
            elapsed, rss = run_timed(command, log)
            command.times.append(elapsed)
            command.rss_kib.append(rss)
            print(f"   round {r + 1}  {command.label:<40} {elapsed:8.3f} s  {rss / 1024:7.1f} MiB", flush=True)
            if command.zelvaron and r == 0 and scenario.verify:
                problem = scenario.verify()
                if problem:
                    scenario.skipped = problem
                    print(f"   {problem}", flush=True)
                    return
            if not command.zelvaron and r == 0 and command.verify:
                problem = command.verify()
                if problem:
                    raise RuntimeError(f"{command.label}: {problem}")


def median(values):
    return statistics.median(values) if values else float("nan")


def ratio_goal(limit, against=None):
    """Goal: the Zelvaron median divided by the counterpart median is at most `limit`."""
    def check(z, counterparts):
        c = counterparts[against] if against else next(iter(counterparts.values()))
        return z / c <= limit
    return check


# ---------------------------------------------------------------------------------------

def target(name):
    return os.path.join(WORK, "target-" + name)


def fresh(*paths):
    def prepare():
        for p in paths:
            remove(p)
    return prepare


def first_file(path):
    return next(os.path.join(b, f) for b, _, fs in sorted(os.walk(path)) for f in sorted(fs))


def diff_verify(source, copy):
    def verify():
        result = subprocess.run(["diff", "-r", "-q", source, copy], capture_output=True, text=True)
        if result.returncode != 0:
            return "the copy differs from the source:\n" + result.stdout[-1000:]
        return None
    return verify


def second_run_scenario(small):
    # The first run of each side, untimed, brings its target up to date.
    tz, tr = target("small-second-z"), target("small-second-rsync")
    check_file = os.path.join(WORK, "small-second.pruef.txt")
    second = project("small-second", [(small, tz)], {"CPagePruefdatei": {"CheckFile": check_file}})
    stamps = {}

    def first_runs():
        for p in (tz, tr, check_file):
            remove(p)
        subprocess.run([CLI, "run", second], check=True, env=ENV, stdout=subprocess.DEVNULL)
        subprocess.run(["rsync", "-a", small + "/", tr + "/"], check=True)
        stamps["first"] = os.stat(first_file(tz)).st_ctime_ns

    def verify():
        # A copy would rewrite the file and so change its status-change time.
        return None if os.stat(first_file(tz)).st_ctime_ns == stamps["first"] else "the second run copied again"

    return Scenario(
        "small-second", "small, second run, nothing changed",
        [zelvaron("zelvaron (check file on)", second),
         bash("rsync -a onto the up-to-date target", f"rsync -a {q(small)}/ {q(tr)}/")],
        tree_bytes(small), "≤ 0.5 × rsync -a", ratio_goal(0.5), verify, source=small, setup=first_runs)


def zip_count_verify(path, expected):
    def verify():
        zips = sum(1 for _, _, fs in os.walk(path) for f in fs if f.endswith(".zip"))
        return None if zips == expected else f"{zips} archives instead of {expected}"
    return verify


def scenarios():
    big = os.path.join(DATA, "big")
    text_dir = os.path.join(big, "text")
    small = os.path.join(DATA, "small")
    mixed = os.path.join(DATA, "mixed")
    empty = os.path.join(DATA, "empty")
    no_compare = {"CPageOption": {"CompareAfterCopy": False}}
    out = []

    tz, tc, td = target("big-z"), target("big-cp"), target("big-dd")
    big_files = sorted(os.path.relpath(os.path.join(b, f), big) for b, _, fs in os.walk(big) for f in fs)
    dd_script = " && ".join(
        f"mkdir -p {q(os.path.dirname(os.path.join(td, f)))} && "
        f"dd if={q(os.path.join(big, f))} of={q(os.path.join(td, f))} bs=1M status=none" for f in big_files)
    out.append(Scenario(
        "big-copy", "big, copy only",
        [zelvaron("zelvaron (CompareAfterCopy off)", project("big-copy", [(big, tz)], no_compare), fresh(tz)),
         bash("cp -a", f"cp -a {q(big)} {q(tc)}", fresh(tc), diff_verify(big, tc)),
         bash("dd bs=1M (reference, no goal)", dd_script, fresh(td))],
        tree_bytes(big), "≤ 1.05 × cp -a", ratio_goal(1.05, "cp -a"), diff_verify(big, tz), source=big))

    cmp_script = f"cp -a {q(big)} {q(tc)}" + "".join(
        f" && cmp {q(os.path.join(big, f))} {q(os.path.join(tc, f))}" for f in big_files)
    out.append(Scenario(
        "big-compare", "big, copy and compare",
        [zelvaron("zelvaron (defaults)", project("big-compare", [(big, tz)], {}), fresh(tz)),
         bash("cp -a, then cmp of every file", cmp_script, fresh(tc))],
        tree_bytes(big), "≤ 1.0 × cp -a + cmp", ratio_goal(1.0), source=big))

    tz, tc, tr = target("small-z"), target("small-cp"), target("small-rsync")
    out.append(Scenario(
        "small-copy", "small, copy only",
        [zelvaron("zelvaron (CompareAfterCopy off)", project("small-copy", [(small, tz)], no_compare), fresh(tz)),
         bash("cp -a", f"cp -a {q(small)} {q(tc)}", fresh(tc), diff_verify(small, tc)),
         bash("rsync -a", f"rsync -a {q(small)}/ {q(tr)}/", fresh(tr), diff_verify(small, tr))],
        tree_bytes(small), "≤ 1.05 × cp -a; ≤ 0.8 × rsync -a",
        lambda z, c: z / c["cp -a"] <= 1.05 and z / c["rsync -a"] <= 0.8, diff_verify(small, tz), source=small))

    out.append(Scenario(
        "small-compare", "small, copy and compare",
        [zelvaron("zelvaron (defaults)", project("small-compare", [(small, tz)], {}), fresh(tz)),
         bash("cp -a, then diff -r -q", f"cp -a {q(small)} {q(tc)} && diff -r -q {q(small)} {q(tc)}", fresh(tc))],
        tree_bytes(small), "≤ 1.0 × cp -a + diff", ratio_goal(1.0), source=small))

    out.append(second_run_scenario(small))

    tz, tc = target("mixed-z"), target("mixed-cp")
    check_file = os.path.join(WORK, "mixed.pruef.txt")
    checksums = {"CPagePruefdatei": {"CheckFile": check_file, "ChecksumEnabled": True}}
    md5_list = os.path.join(WORK, "mixed.md5")
    out.append(Scenario(
        "mixed-checksum", "mixed, check file with checksums, first run",
        [zelvaron("zelvaron (ChecksumEnabled on)", project("mixed-checksum", [(mixed, tz)], checksums),
                  fresh(tz, check_file)),
         bash("cp -a plus md5sum of every file",
              f"cp -a {q(mixed)} {q(tc)} && cd {q(mixed)} && find . -type f -print0 | xargs -0 md5sum > {q(md5_list)}",
              fresh(tc, md5_list))],
        tree_bytes(mixed), "none of its own (see the MD5 row)", None, source=mixed))

    scan_check = os.path.join(WORK, "mixed-scan.pruef.txt")
    scan = project("mixed-md5", [(mixed, target("mixed-scan"))],
                   {"CPageOption": {"ScanOnly": True},
                    "CPagePruefdatei": {"CheckFile": scan_check, "ChecksumEnabled": True}})
    out.append(Scenario(
        "mixed-md5", "mixed, MD5 of every file (ScanOnly with checksums)",
        [zelvaron("zelvaron (ScanOnly, ChecksumEnabled on)", scan, fresh(scan_check)),
         bash("md5sum of every file",
              f"cd {q(mixed)} && find . -type f -print0 | xargs -0 md5sum > {q(md5_list)}", fresh(md5_list))],
        tree_bytes(mixed), "MD5 throughput ≥ 0.95 × md5sum (time ratio ≤ 1.053)", ratio_goal(1 / 0.95),
        source=mixed,
        note="ScanOnly lists the tree and computes every checksum but copies nothing, so this row times "
             "Zelvaron's MD5 against md5sum alone."))

    tz, tz2, tc = target("mixed-zip-z"), target("mixed-zip-zv"), target("mixed-zip-loop")
    mixed_files = sorted(os.path.relpath(os.path.join(b, f), mixed) for b, _, fs in os.walk(mixed) for f in fs)
    mixed_dirs = sorted({os.path.dirname(f) for f in mixed_files} - {""})
    list_path = os.path.join(WORK, "mixed-files.txt")
    with open(list_path, "w", encoding="utf-8") as f:
        f.write("".join(p + "\n" for p in mixed_files))
    dirs_path = os.path.join(WORK, "mixed-dirs.txt")
    with open(dirs_path, "w", encoding="utf-8") as f:
        f.write("".join(p + "\n" for p in mixed_dirs))
    zip_loop = (f"cd {q(mixed)} && mkdir -p {q(tc)} && (cd {q(tc)} && xargs -d '\\n' mkdir -p < {q(dirs_path)})"
                f" && while IFS= read -r f; do zip -6 -q {q(tc)}/\"$f.zip\" \"$f\"; done < {q(list_path)}")

    def compressed_verify(path):
        def verify():
            zips = sum(1 for _, _, fs in os.walk(path) for f in fs if f.endswith(".zip"))
            if zips == 0:
                return ("pending: this build of Zelvaron copies without compressing (per-file "
                        "compression has not landed)")
            return None
        return verify
    compress = {"CPageZip": {"CompressFiles": True, "VerifyCompressed": False}}
    compress_verified = {"CPageZip": {"CompressFiles": True, "VerifyCompressed": True}}
    out.append(Scenario(
        "mixed-zip", "mixed, per-file compression",
        [zelvaron("zelvaron (CompressFiles on, verification off)",
                  project("mixed-zip", [(mixed, tz)], compress), fresh(tz)),
         zelvaron("zelvaron (CompressFiles on, verification on)",
                  project("mixed-zip-verified", [(mixed, tz2)], compress_verified), fresh(tz2)),
         bash("a loop of zip -6 -q per file", zip_loop, fresh(tc), zip_count_verify(tc, len(mixed_files)))],
        tree_bytes(mixed), "≤ 0.3 × the zip loop (both Zelvaron rows)",
        lambda z, c: z / c["a loop of zip -6 -q per file"] <= 0.3, compressed_verify(tz), rounds=SLOW_ROUNDS,
        source=mixed))

    tz, tc = target("text-zip-z"), target("text-zip")
    text_file = os.path.join(text_dir, "bericht.txt")
    out.append(Scenario(
        "text-zip", "big text file, compression",
        [zelvaron("zelvaron (CompressFiles on)", project("text-zip", [(text_dir, tz)], compress), fresh(tz)),
         bash("zip -6", f"mkdir -p {q(tc)} && zip -6 -q -j {q(tc)}/bericht.txt.zip {q(text_file)}", fresh(tc))],
        os.path.getsize(text_file), "≤ 1.05 × zip -6", ratio_goal(1.05), compressed_verify(tz), rounds=SLOW_ROUNDS,
        source=text_dir))

    tz = target("empty-z")
    out.append(Scenario(
        "fixed-cost", "a project whose one job has an empty source",
        [zelvaron("zelvaron (defaults)", project("fixed-cost", [(empty, tz)], {}), fresh(tz)),
         Command("true", ["true"])],
        0, "under 50 ms wall", lambda z, c: z < 0.050, rounds=FIXED_COST_ROUNDS, source=empty))

    tops = sorted(os.listdir(small))
    tz = target("three-z")
    tcs = [os.path.join(target("three-cp"), t) for t in tops]
    # Each cp is waited for by its own process id, so that a failed one fails the round.
    three_cp = "".join(f"cp -a {q(os.path.join(small, t))} {q(c)} & pids+=($!); " for t, c in zip(tops, tcs)) \
        + 'for p in "${pids[@]}"; do wait "$p"; done'
    out.append(Scenario(
        "small-three", "small, three jobs, ThreadCount 3",
        [zelvaron("zelvaron (3 jobs, CompareAfterCopy off)",
                  project("small-three", [(os.path.join(small, t), os.path.join(tz, t)) for t in tops],
                          {"CPageOption": {"ThreadCount": 3, "CompareAfterCopy": False}}), fresh(tz)),
         bash("three cp -a in parallel", f"mkdir -p {q(target('three-cp'))}; pids=(); {three_cp}",
              fresh(target("three-cp")), diff_verify(small, target("three-cp")))],
        tree_bytes(small), "≤ 1.05 × the three cp -a", ratio_goal(1.05), diff_verify(small, tz), source=small))
    return out


def fmt_s(seconds):
    return f"{seconds * 1000:.0f} ms" if seconds < 1 else f"{seconds:.2f} s"


def fmt_rate(payload, seconds):
    return f"{payload / seconds / 1e6:.0f} MB/s" if payload else "–"


def table(results, memory_line):
    rows = ["| scenario | command | median | throughput | ratio Z / counterpart | Zelvaron peak RSS | goal | met |",
            "|---|---|---|---|---|---|---|---|"]
    for s in results:
        if s.skipped:
            rows.append(f"| {s.title} | – | – | – | – | – | {s.goal} | {s.skipped} |")
            continue
        zs = [c for c in s.commands if c.zelvaron]
        cs = [c for c in s.commands if not c.zelvaron]
        counter = {c.label: median(c.times) for c in cs}
        for z in zs:
            zm = median(z.times)
            ratios = "; ".join(f"{zm / m:.2f} × {label}" for label, m in counter.items())
            met = "–" if s.check is None else ("yes" if s.check(zm, counter) else "**no**")
            rows.append(f"| {s.title} | {z.label} | {fmt_s(zm)} | {fmt_rate(s.payload_bytes, zm)} | {ratios} | "
                        f"{median(z.rss_kib) / 1024:.1f} MiB | {s.goal} | {met} |")
        for c in cs:
            cm = median(c.times)
            rows.append(f"| | {c.label} | {fmt_s(cm)} | {fmt_rate(s.payload_bytes, cm)} | | | | |")
    rows.append(memory_line)
    return "\n".join(rows)


def memory_growth(results):
    by_key = {s.key: s for s in results if not s.skipped}
    if "small-copy" not in by_key or "fixed-cost" not in by_key:
        return "| memory | – | – | – | – | – | ≤ 300 bytes per listed file | needs small-copy and fixed-cost |"
    small_rss = median(next(c for c in by_key["small-copy"].commands if c.zelvaron).rss_kib)
    empty_rss = median(next(c for c in by_key["fixed-cost"].commands if c.zelvaron).rss_kib)
    files = tree_files(os.path.join(DATA, "small"))
    per_file = (small_rss - empty_rss) * 1024 / files
    met = "yes" if per_file <= 300 else "**no**"
    return (f"| memory | peak RSS of small copy − empty run, per listed file | {per_file:.0f} bytes | | | "
            f"{small_rss / 1024:.1f} − {empty_rss / 1024:.1f} MiB | ≤ 300 bytes per listed file | {met} |")


def main():
    for d in (WORK, ENV["XDG_CONFIG_HOME"], ENV["TMPDIR"]):
        os.makedirs(d, exist_ok=True)
    load_before = os.getloadavg()
    results = []
    for s in scenarios():
        if ONLY and s.key not in ONLY:
            continue
        try:
            # The sources come from the page cache in every round, the first included.
            subprocess.run(["bash", "-c", "find . -type f -print0 | xargs -0 -r cat > /dev/null"],
                           cwd=s.source, check=True)
            if s.setup:
                s.setup()
            run_scenario(s)
        except (RuntimeError, subprocess.CalledProcessError, OSError) as error:
            s.skipped = f"could not run: {error}".replace("\n", " ")[:300]
            print(f"   {s.skipped}", flush=True)
        results.append(s)
    load_after = os.getloadavg()
    text = table(results, memory_growth(results))
    notes = [s for s in results if s.note]
    print("\n" + text)
    for s in notes:
        print(f"\n{s.title}: {s.note}")
    footer = (f"load average (1, 5, 15 min) before: {load_before[0]:.2f} {load_before[1]:.2f} {load_before[2]:.2f}, "
              f"after: {load_after[0]:.2f} {load_after[1]:.2f} {load_after[2]:.2f}; rounds: {ROUNDS} "
              f"({SLOW_ROUNDS} for the compression scenarios, {FIXED_COST_ROUNDS} for the fixed cost)")
    print("\n" + footer)
    with open(os.path.join(ROOT, "results.md"), "w", encoding="utf-8") as f:
        f.write(text + "\n\n" + footer + "\n")


if __name__ == "__main__":
    sys.exit(main())
