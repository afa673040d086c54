#!/usr/bin/env python3
"""Mutation check of the headless tests: how many small faults put into src/ do they catch?

From a seed it picks a fixed sample of simple mutations spread over src/, weighted toward the
battle rules, the computer's turn and the file readers: a comparison flipped or loosened, a
constant off by one, && for || (and back), a statement removed, a returned value negated. Each is
applied alone in a scratch copy of the tree, the headless test program is rebuilt incrementally
and run with a time limit, stopping at the first failure (with --every-failure the whole suite runs
and every failing test is named, to find the tests that alone kill a mutant). A mutant is killed when a test fails,
survives when all pass, times out when the run takes too long; one that does not compile is
counted apart and not held against the tests. The same seed and count always give the same
sample, so two runs (before and after a change to the tests) can be compared line by line.

    python3 scripts/mutants.py [--seed S] [--count N] [--timeout SECONDS] [--out FILE] [--revision REV]
                               [--every-failure] [--list]

The scratch copy and its build live in build-mutants/ and are reused by the next run.
"""

import argparse
import atexit
import os
import random
import re
import shutil
import signal
import subprocess
import sys
import tempfile
import time

ROOT = os.path.dirname(os.path.dirname(os.path.abspath(__file__)))

# Files whose faults matter most get more of the sample.
WEIGHTS = [
    (re.compile(r"^src/data/BattleRules\.cpp$"), 12),
    (re.compile(r"^src/ai/"), 12),
    (re.compile(r"^src/battle/Battle(Attack|Movement|Turns|Dispatch)\.cpp$"), 6),
    (re.compile(r"^src/storage/"), 5),
    (re.compile(r"^src/gfx/Model\.cpp$"), 5),
    (re.compile(r"^src/pipeline/"), 3),
    (re.compile(r"^src/data/"), 3),
]

# Lines that are not code worth mutating.
SKIP = re.compile(r"^\s*(//|#|\*|/\*)|static_assert|^\s*(case|default)\b|\bassert\(|\boperator\b")


def weight_of(path):
    for pattern, weight in WEIGHTS:
        if pattern.search(path):
            return weight
    return 1


def mutations_of(line):
    """Every simple mutation of one line, as (description, new line)."""
    found = []
    code = line.split("//")[0]

    def at(match):
        return " at column %d" % (match.start() + 1)

    def replace_at(match, new):
        return line[:match.start()] + new + line[match.end():]

    for op, new in (("==", "!="), ("!=", "=="), ("&&", "||"), ("||", "&&")):
        for m in re.finditer(re.escape(op), code):
            found.append((op + " -> " + new + at(m), replace_at(m, new)))
    # Comparisons, written with a space either side as the project's layout puts binary operators
    # (template brackets, streams and arrows have none).
    for m in re.finditer(r"(?<= )(<=|>=|<|>)(?= )", code):
        op = m.group(1)
        flipped = {"<": "<=", "<=": "<", ">": ">=", ">=": ">"}[op]
        found.append((op + " -> " + flipped + at(m), replace_at(m, flipped)))
    # Whole-number constants, off by one (not inside names or strings).
    if '"' not in code:
        for m in re.finditer(r"(?<![\w.])(\d+)(?![\w.])", code):
            value = int(m.group(1))
            found.append(("%d -> %d" % (value, value + 1) + at(m), replace_at(m, str(value + 1))))
    m = re.match(r"^(\s*)return (true|false);", line)
    if m:
        found.append(("return " + m.group(2) + " negated",
                      m.group(1) + "return " + ("false" if m.group(2) == "true" else "true") + ";\n"))
    # A plain statement (a call or an assignment) removed.
    if re.match(r"^\s*[\w.\->\[\]()*&:]+\s*(\(.*\)|[-+*/|&]?=.*|\+\+|--);\s*$", code) and "return" not in code:
        indent = re.match(r"^\s*", line).group(0)
        found.append(("statement removed", indent + ";  // removed\n"))
    return found


def candidates(root):
    files = [name for name in tracked(root) if name.startswith("src/") and name.endswith(".cpp")]
    result = []
    for path in sorted(files):
        if path.startswith("src/app/main.cpp"):
            continue
        with open(os.path.join(root, path), encoding="utf-8") as source:
            lines = source.readlines()
        for number, line in enumerate(lines, 1):
            if SKIP.search(line):
                continue
            for description, mutated in mutations_of(line):
                result.append((path, number, description, mutated))
    return result


def sample(root, seed, count):
    pool = candidates(root)
    rng = random.Random(seed)
    weights = [weight_of(path) for path, _, _, _ in pool]
    chosen = []
    seen = set()
    while len(chosen) < count and len(seen) < len(pool):
        index = rng.choices(range(len(pool)), weights)[0]
        if index in seen:
            continue
        seen.add(index)
        chosen.append(pool[index])
    return chosen


def run(command, cwd, timeout=None, env=None):
    """Runs a command; on timeout kills its whole process group (tests start tools of their own)."""
    process = subprocess.Popen(command, cwd=cwd, env=env, stdout=subprocess.PIPE, stderr=subprocess.STDOUT,
                               text=True, start_new_session=True)
    try:
        output, _ = process.communicate(timeout=timeout)
    except subprocess.TimeoutExpired:
        os.killpg(process.pid, signal.SIGKILL)
        process.communicate()
        raise
    return subprocess.CompletedProcess(command, process.returncode, output)


def tracked(root):
    """The files git tracks under root (the working tree, or a commit's tree written out)."""
    if root != ROOT:
        return sorted(os.path.relpath(os.path.join(folder, file), root)
                      for folder, _, files in os.walk(root) for file in files)
    return sorted(filter(None, subprocess.run(["git", "ls-files"], cwd=ROOT, capture_output=True, text=True,
                                              check=True).stdout.split("\n")))


def sync_tree(root, tree):
    """Makes the scratch tree hold the tracked files of root. Files whose content is unchanged keep
    their times, so the scratch build stays incremental across runs."""
    names = set(tracked(root))
    for name in names:
        source, target = os.path.join(root, name), os.path.join(tree, name)
        if not os.path.isfile(source):
            continue
        if os.path.isfile(target):
            with open(source, "rb") as a, open(target, "rb") as b:
                if a.read() == b.read():
                    continue
        os.makedirs(os.path.dirname(target), exist_ok=True)
        shutil.copy(source, target)  # stamped now, so make rebuilds what depends on it
    for folder, _, files in os.walk(tree):
        for file in files:
            path = os.path.join(folder, file)
            if os.path.relpath(path, tree) not in names:
                os.remove(path)


# The headless test program and the tools it runs.
TARGETS = ["gearward_tests", "gearward-data", "gearward-sim", "texture-gen"]
# After the first build a mutant rebuilds only these, in this order, each without its dependencies
# (the generated models and database stay as the unmutated tree made them).
FAST_TARGETS = ["gearward_core", "gearward_pipeline", "gearward_sim"] + TARGETS


def build_fast(build, jobs):
    for target in FAST_TARGETS:
        result = run(["cmake", "--build", build, "-j" + jobs, "--target", target + "/fast"], build)
        if result.returncode:
            return result
    return result


def main():
    parser = argparse.ArgumentParser(description=__doc__.split("\n")[0])
    parser.add_argument("--seed", type=int, default=1)
    parser.add_argument("--count", type=int, default=100)
    parser.add_argument("--timeout", type=int, default=60, help="seconds for one run of the tests")
    parser.add_argument("--out", help="file for one line per mutant: verdict, file:line: mutation, and the test that failed first")
    parser.add_argument("--list", action="store_true", help="print the sample and stop")
    parser.add_argument("--revision", help="test this commit's tree instead of the working tree")
    parser.add_argument("--every-failure", action="store_true",
                        help="run the whole suite on each mutant and name every test that fails, so a run shows "
                             "which tests alone kill a mutant (slower: no stop at the first failure)")
    parser.add_argument("--scratch", default="build-mutants",
                        help="folder for the scratch copy and its build, kept for the next run")
    args = parser.parse_args()

    root = ROOT
    if args.revision:
        root = tempfile.mkdtemp(prefix="gearward-mutants-")
        atexit.register(shutil.rmtree, root, True)
        subprocess.run("git archive '%s' | tar -x -C '%s'" % (args.revision, root), shell=True, cwd=ROOT,
                       check=True)

    # In file order, so consecutive mutants of one file rebuild it once.
    mutants = sorted(sample(root, args.seed, args.count), key=lambda m: (m[0], m[1], m[2]))
    if args.list:
        for path, number, description, _ in mutants:
            print("%s:%d: %s" % (path, number, description))
        return 0

    # One scratch copy and build folder, kept between runs so a second run rebuilds only what changed.
    scratch = os.path.join(ROOT, args.scratch)
    tree = os.path.join(scratch, "tree")
    build = os.path.join(scratch, "build")
    sync_tree(root, tree)
    # A run stopped in the middle of a mutant leaves that file's object built from the mutant:
    # the file is stamped anew so the first build compiles it again.
    pending = os.path.join(scratch, "mutant-in-progress")
    if os.path.isfile(pending):
        with open(pending, encoding="utf-8") as f:
            stopped = os.path.join(tree, f.read().strip())
        if os.path.isfile(stopped):
            os.utime(stopped)
        os.remove(pending)
    jobs = str(os.cpu_count() or 2)
    build_command = ["cmake", "--build", build, "-j" + jobs, "--target"] + TARGETS
    # A link cut short (a run stopped mid-build) leaves an empty program that make takes as built.
    for target in ("tests/gearward_tests", "tools/gearward-data", "tools/gearward-sim", "tools/texture-gen"):
        program = os.path.join(build, target)
        if os.path.isfile(program) and os.path.getsize(program) == 0:
            os.remove(program)
    print("mutants: building the scratch copy", flush=True)
    configured = run(["cmake", "-S", tree, "-B", build, "-G", "Unix Makefiles", "-DCMAKE_BUILD_TYPE=RelWithDebInfo"],
                     tree)
    built = run(build_command, tree)
    if configured.returncode or built.returncode:
        print(configured.stdout[-2000:] + built.stdout[-4000:])
        print("mutants: the unmutated tree does not build")
        return 2
    env = dict(os.environ, SDL_VIDEODRIVER="dummy", SDL_AUDIODRIVER="dummy")
    tests = [os.path.join(build, "tests", "gearward_tests"), "--gtest_brief=1"]
    if not args.every_failure:
        tests.insert(1, "--gtest_fail_fast")
    test_dir = os.path.join(build, "tests")
    clean = run(tests, test_dir, args.timeout, env)
    if clean.returncode:
        print(clean.stdout[-4000:])
        print("mutants: the tests fail without a mutation")
        return 2

    counts = {"killed": 0, "survived": 0, "timed out": 0, "unbuildable": 0}
    survivors = []
    results = []
    started = time.time()
    try:
        for index, (path, number, description, mutated) in enumerate(mutants, 1):
            source = os.path.join(tree, path)
            with open(source, encoding="utf-8") as f:
                original = f.readlines()
            changed = list(original)
            changed[number - 1] = mutated
            with open(pending, "w", encoding="utf-8") as f:
                f.write(path)
            with open(source, "w", encoding="utf-8") as f:
                f.writelines(changed)
            killer = ""
            try:
                if build_fast(build, jobs).returncode:
                    verdict = "unbuildable"
                else:
                    try:
                        result = run(tests, test_dir, args.timeout, env)
                        verdict = "killed" if result.returncode else "survived"
                        # Each failing test is named twice (as it fails and in the closing list).
                        names = re.findall(r"\[  FAILED  \] ([A-Za-z_][\w/.]*)", result.stdout)
                        failed = list(dict.fromkeys(names))
                        killer = ",".join(failed) if failed else ("(crashed)" if result.returncode else "")
                    except subprocess.TimeoutExpired:
                        verdict = "timed out"
            finally:
                with open(source, "w", encoding="utf-8") as f:
                    f.writelines(original)
                os.remove(pending)
            counts[verdict] += 1
            line = "%s:%d: %s" % (path, number, description)
            if verdict == "survived":
                survivors.append(line + "    " + original[number - 1].strip())
            results.append("%-11s %s" % (verdict, line) + ("    by " + killer if killer else ""))
            print("[%d/%d] %-11s %s" % (index, len(mutants), verdict, line), flush=True)
    finally:
        # The tree as it was, so the next run's incremental build starts from the real sources.
        run(build_command, tree)

    if args.out:
        with open(args.out, "w", encoding="utf-8") as f:
            f.write("\n".join(results) + "\n")
    print("survivors:")
    for line in survivors:
        print("  " + line)
    print("mutants %d killed %d survived %d timed-out %d unbuildable %d minutes %.0f" % (
        len(mutants), counts["killed"], counts["survived"], counts["timed out"], counts["unbuildable"],
        (time.time() - started) / 60))
    return 0


if __name__ == "__main__":
    sys.exit(main())
