#!/usr/bin/env python3
"""Plants one small fault at a time in the protocol's and the port rules' sources, the exchange's
controller and the command line's decisions, rebuilds only the tests that cover the file, runs
them, and reports each fault as caught, not compiled or survived.

    python3 tools/mutation-check/mutate.py [--only SUBSTRING] [--list] [--threshold 95]
                                           [--lock FILE] [--retry REPORT] [--build-dir build-mutate]

The same tree always gives the same faults in the same order. The source is restored after every
fault, also when the run is interrupted. Faults known to change nothing are listed, with the
reason, in equivalents.tsv beside this script and are left out of the score.
"""

import argparse
import contextlib
import fcntl
import os
import re
import signal
import subprocess
import sys
import time
from pathlib import Path

ROOT = Path(__file__).resolve().parents[2]
EQUIVALENTS = Path(__file__).resolve().with_name("equivalents.tsv")

PROTOCOL_TESTS = [
    "test_record", "test_configuration", "test_receive_buffer", "test_answer_finding",
    "test_text_value", "test_range_check", "test_configuration_file", "test_team_numbers",
    "test_file_encoding",
]
LINK_TESTS = ["test_com_port_map", "test_port_name"]
# The command line's decisions, in process first; the simulator's runs of the programs last.
CLI_TESTS = ["test_cli_decisions", "test_cli_records", "test_cli_command_line",
             "test_cli_end_to_end", "test_cli_backup_series"]

# Each file with the tests that cover it, the most direct first: the first failing test ends a
# fault's run, so it is usually the only one built.
FILES = {
    "protocol/record.cpp": PROTOCOL_TESTS,
    "protocol/requests.cpp": PROTOCOL_TESTS,
    "protocol/configuration.cpp": ["test_configuration", "test_team_numbers",
                                   "test_configuration_file"] + PROTOCOL_TESTS,
    "protocol/receive_buffer.cpp": ["test_receive_buffer"] + PROTOCOL_TESTS,
    "protocol/answer_finding.cpp": ["test_answer_finding"] + PROTOCOL_TESTS,
    "protocol/text_value.cpp": ["test_text_value", "test_range_check"] + PROTOCOL_TESTS,
    "protocol/range_check.cpp": ["test_range_check"] + PROTOCOL_TESTS,
    "protocol/configuration_file.cpp": ["test_configuration_file"] + PROTOCOL_TESTS,
    "protocol/settings_description.cpp": ["test_configuration_file"] + PROTOCOL_TESTS,
    "protocol/file_encoding.cpp": ["test_file_encoding", "test_configuration_file"],
    "link/com_port_map.cpp": LINK_TESTS,
    "link/com_port_pin.cpp": LINK_TESTS,
    "link/port_name.cpp": ["test_port_name", "test_com_port_map"],
    "link/port_resolver.cpp": ["test_port_name", "test_com_port_map"],
    "link/exchange_controller.cpp": ["test_exchange_controller", "test_exchange"],
    "messages/failure_class.cpp": ["test_messages", "test_cli_decisions", "test_exchange"] + CLI_TESTS,
    "cli/advice.cpp": CLI_TESTS,
    "cli/receiver_result.cpp": CLI_TESTS,
    "cli/programming.cpp": CLI_TESTS,
    "cli/exchange_failure.cpp": CLI_TESTS,
    "cli/receiver_exchanges.cpp": ["test_cli_end_to_end"] + CLI_TESTS,
    "cli/session.cpp": CLI_TESTS,
    "cli/series.cpp": CLI_TESTS,
}

TEST_TIMEOUT = 30  # seconds; a test that hangs on a fault has caught it

# Binary operators stand between blanks in the formatted sources, which tells them apart from
# template brackets, references and unary signs.
OPERATORS = {
    "<": "<=", "<=": "<", ">": ">=", ">=": ">", "==": "!=", "!=": "==",
    "&&": "||", "||": "&&", "+": "-", "-": "+", "+=": "-=", "-=": "+=",
}
OPERATOR_RE = re.compile(r"(?<= )(<=|>=|==|!=|&&|\|\||\+=|-=|<|>|\+|-)(?= )")
INTEGER_RE = re.compile(r"(?<![\w.])(0[xX][0-9A-Fa-f]+|\d[\d']*)([uUlL]*)(?![\w.])")
BOOLEAN_RE = re.compile(r"\b(true|false)\b")
CHAR_RE = re.compile(r"(u?)'([0-9A-Za-z])'")
# Directives, declarations of no behaviour, and the rows of constant tables (data, not rules).
SKIPPED_LINE_RE = re.compile(r"^\s*(#|static_assert\b|namespace\b|using\b|template\b|\{)")


def masked(line, in_comment):
    """The line with comments and string and character literals blanked, and whether a block
    comment is still open at its end."""
    out = []
    i = 0
    while i < len(line):
        if in_comment:
            end = line.find("*/", i)
            if end < 0:
                out.append(" " * (len(line) - i))
                return "".join(out), True
            out.append(" " * (end + 2 - i))
            i = end + 2
            in_comment = False
            continue
        c = line[i]
        if line.startswith("//", i):
            out.append(" " * (len(line) - i))
            break
        if line.startswith("/*", i):
            in_comment = True
            continue
        if c in "\"'":
            j = i + 1
            while j < len(line) and line[j] != c:
                j += 2 if line[j] == "\\" else 1
            # A digit separator is no literal: 1'000.
            if c == "'" and i > 0 and line[i - 1].isdigit():
                out.append(c)
                i += 1
                continue
            out.append(" " * (min(j, len(line) - 1) + 1 - i))
            i = j + 1
            continue
        out.append(c)
        i += 1
    return "".join(out), in_comment


def integer_variants(text, suffix):
    digits = text.replace("'", "")
    value = int(digits, 16) if digits[:2].lower() == "0x" else int(digits)
    variants = [value + 1] + ([value - 1] if value > 0 else [])
    if digits[:2].lower() == "0x":
        width = len(digits) - 2
        return [f"0x{v:0{width}X}{suffix}" for v in variants]
    return [f"{v}{suffix}" for v in variants]


def line_mutants(line, code):
    """(priority, column, length, replacement) for every fault the line can take."""
    found = []
    for m in OPERATOR_RE.finditer(code):
        operator = m.group(1)
        if operator in "+-+=-=" and '"' in line:
            continue  # text joined with +: a change would not compile
        found.append((0, m.start(), len(operator), OPERATORS[operator]))
    for m in BOOLEAN_RE.finditer(code):
        found.append((1, m.start(), len(m.group(1)), "false" if m.group(1) == "true" else "true"))
    for m in INTEGER_RE.finditer(code):
        for variant in integer_variants(m.group(1), m.group(2)):
            found.append((2, m.start(), len(m.group(0)), variant))
    for m in CHAR_RE.finditer(line):
        if code[m.start():m.end()].strip():
            continue  # inside a string
        prefix, char = m.groups()
        for step in (1, -1):
            found.append((2, m.start(), len(m.group(0)), f"{prefix}'{chr(ord(char) + step)}'"))
    return found


def mutants_of(path, per_line):
    lines = (ROOT / path).read_text(encoding="utf-8").split("\n")
    in_comment = False
    inactive = []  # per open #if: whether its code is left out of this build
    result = []
    for number, line in enumerate(lines, start=1):
        stripped = line.strip()
        if stripped.startswith("#if"):
            inactive.append(stripped in ("#ifdef Q_OS_WIN", "#if defined(Q_OS_WIN)"))
        elif stripped.startswith("#else") and inactive:
            inactive[-1] = not inactive[-1]
        elif stripped.startswith("#endif") and inactive:
            inactive.pop()
        code, in_comment = masked(line, in_comment)
        if any(inactive) or SKIPPED_LINE_RE.match(line):
            continue
        chosen = sorted(line_mutants(line, code))[:per_line]
        for _, column, length, replacement in sorted(chosen, key=lambda c: (c[1], c[3])):
            after = line[:column] + replacement + line[column + length:]
            result.append({"file": path, "line": number, "before": line, "after": after})
    return result


def load_equivalents():
    known = {}
    for row in EQUIVALENTS.read_text(encoding="utf-8").splitlines():
        if not row.strip() or row.startswith("#"):
            continue
        file, before, after, reason = row.split("\t")
        known[(file, before.strip(), after.strip())] = reason
    return known


def key_of(mutant):
    return (mutant["file"], mutant["before"].strip(), mutant["after"].strip())


def where_of(mutant):
    return f"{mutant['file']}:{mutant['line']}: {mutant['before'].strip()}  ->  " \
        f"{mutant['after'].strip()}"


def survivors_in(report):
    """The faults an earlier run's report lists as survived."""
    prefix = "survived: "
    return {row[len(prefix):] for row in Path(report).read_text(encoding="utf-8").splitlines()
            if row.startswith(prefix)}


class Restorer:
    """Puts the original source back whatever ends a fault's run, Ctrl-C and SIGTERM included."""

    def __init__(self):
        self.saved = None

    def plant(self, path, text, original):
        self.saved = (path, original)
        path.write_text(text, encoding="utf-8")

    def restore(self):
        if self.saved:
            path, original = self.saved
            path.write_text(original, encoding="utf-8")
            self.saved = None


@contextlib.contextmanager
def cpu_lock(lock_path):
    if not lock_path:
        yield
        return
    with open(lock_path, "a") as handle:
        fcntl.flock(handle, fcntl.LOCK_EX)
        try:
            yield
        finally:
            fcntl.flock(handle, fcntl.LOCK_UN)


def build(build_dir, target):
    done = subprocess.run(["cmake", "--build", str(build_dir), "-j2", "--target", target],
                          stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL)
    return done.returncode == 0


def test_binary(build_dir, test):
    """The test's executable, built in the folder of its area: tests/protocol/, tests/cli/..."""
    found = sorted((build_dir / "tests").glob(f"*/{test}"))
    return found[0] if found else build_dir / "tests" / test


def run_test(build_dir, test):
    binary = test_binary(build_dir, test)
    env = dict(os.environ, QT_QPA_PLATFORM="offscreen")
    try:
        done = subprocess.run([str(binary)], cwd=binary.parent, env=env, timeout=TEST_TIMEOUT,
                              stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL)
    except subprocess.TimeoutExpired:
        return "timeout"
    return "passed" if done.returncode == 0 else "failed"


def unique(tests):
    return list(dict.fromkeys(tests))


def try_mutant(build_dir, tests):
    """caught / not compiled / survived, and the test that decided."""
    for index, test in enumerate(unique(tests)):
        if not build(build_dir, test):
            # Only the first build compiles the changed file; a later failure is the tree's.
            return ("not compiled" if index == 0 else "build failed"), test
        outcome = run_test(build_dir, test)
        if outcome != "passed":
            return "caught", f"{test} ({outcome})" if outcome == "timeout" else test
    return "survived", ""


def configure(build_dir):
    """A build of its own, made once: unoptimised for quick rebuilds, and with the standard
    library's bounds checks, so that a fault reading past an array fails the same way every run."""
    if (build_dir / "build.ninja").exists():
        return
    subprocess.run(["cmake", "--preset", "test", "-B", str(build_dir), "-DBUILD_TESTING=ON",
                    "-DORV52_BENCHMARKS=OFF", "-DCMAKE_BUILD_TYPE=Debug",
                    "-DCMAKE_CXX_FLAGS=-D_GLIBCXX_ASSERTIONS"],
                   cwd=ROOT, check=True, stdout=subprocess.DEVNULL)


def area_of(path):
    return path.split("/")[0]


def main():
    parser = argparse.ArgumentParser(description=__doc__.splitlines()[0])
    parser.add_argument("--only", default="", help="only files whose path contains this")
    parser.add_argument("--list", action="store_true", help="list the faults, build nothing")
    parser.add_argument("--threshold", type=float, default=95.0, help="lowest score, in %%")
    parser.add_argument("--per-line", type=int, default=4, help="most faults on one line")
    parser.add_argument("--every", type=int, default=1,
                        help="only every Nth fault, for a quick look over all files")
    parser.add_argument("--lock", default="", help="a lock file that every build and run holds")
    parser.add_argument("--retry", default="", metavar="REPORT",
                        help="only the faults an earlier run's report lists as survived")
    parser.add_argument("--build-dir", default="build-mutate")
    args = parser.parse_args()

    files = [f for f in FILES if args.only in f]
    mutants = [m for f in files for m in mutants_of(f, args.per_line)][::args.every]
    if args.retry:
        survived = survivors_in(args.retry)
        mutants = [m for m in mutants if where_of(m) in survived]
    equivalents = load_equivalents()
    if args.list:
        for m in mutants:
            mark = "  (equivalent)" if key_of(m) in equivalents else ""
            print(f"{m['file']}:{m['line']}: {m['before'].strip()}  ->  {m['after'].strip()}{mark}")
        print(f"{len(mutants)} faults")
        return 0

    build_dir = (ROOT / args.build_dir).resolve()
    restorer = Restorer()

    def interrupted(*_):
        raise KeyboardInterrupt

    signal.signal(signal.SIGTERM, interrupted)
    started = time.monotonic()
    counts = {}
    survivors = []
    try:
        with cpu_lock(args.lock):
            configure(build_dir)
            for test in unique(t for f in files for t in FILES[f]):
                if not build(build_dir, test) or run_test(build_dir, test) != "passed":
                    print(f"mutate: {test} fails without any fault; fix it first", file=sys.stderr)
                    return 2
        for n, m in enumerate(mutants, start=1):
            where = f"{m['file']}:{m['line']}"
            if key_of(m) in equivalents:
                status, by = "equivalent", ""
            else:
                path = ROOT / m["file"]
                original = path.read_text(encoding="utf-8")
                lines = original.split("\n")
                lines[m["line"] - 1] = m["after"]
                try:
                    restorer.plant(path, "\n".join(lines), original)
                    with cpu_lock(args.lock):
                        status, by = try_mutant(build_dir, FILES[m["file"]])
                finally:
                    restorer.restore()
            counts.setdefault(area_of(m["file"]), {}).setdefault(status, 0)
            counts[area_of(m["file"])][status] += 1
            print(f"[{n}/{len(mutants)}] {status:12} {where}: {m['before'].strip()}  ->  "
                  f"{m['after'].strip()}" + (f"  [{by}]" if by else ""), flush=True)
            if status == "survived":
                survivors.append(where_of(m))
    except KeyboardInterrupt:
        print("mutate: interrupted; the source is as it was; the faults tried so far:",
              file=sys.stderr)
        interrupted_at = sum(sum(c.values()) for c in counts.values())
    else:
        interrupted_at = None
    finally:
        restorer.restore()

    tried = len(mutants) if interrupted_at is None else interrupted_at
    print(f"\n{tried} of {len(mutants)} faults tried in {time.monotonic() - started:.0f} s")
    lowest = 100.0
    for area, c in sorted(counts.items()):
        scored = c.get("caught", 0) + c.get("survived", 0)
        score = 100.0 * c.get("caught", 0) / scored if scored else 100.0
        lowest = min(lowest, score)
        print(f"{area}: {score:.1f} % caught ({c.get('caught', 0)} of {scored}); "
              f"{c.get('survived', 0)} survived, {c.get('not compiled', 0)} not compiled, "
              f"{c.get('equivalent', 0)} listed as equivalent")
    if any(c.get("build failed") for c in counts.values()):
        print("mutate: a build failed after the changed file compiled", file=sys.stderr)
        return 2
    for s in survivors:
        print(f"survived: {s}")
    if interrupted_at is not None:
        return 130
    return 0 if lowest >= args.threshold else 1


if __name__ == "__main__":
    sys.exit(main())
