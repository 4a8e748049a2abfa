#!/usr/bin/env python3
"""Peak memory of kupongen-headless on the heaviest scripts and rows files it
accepts.

Each script holds one line as long as the line limit allows (plain text,
Windows-1252 letters, escaped controls, an unknown verb), one just past it, a
script of many long lines up to the script limit, and /dev/zero. The rows
files for --check and --grade are far over the 4 MiB limit (20 MB of rows,
from a file and on standard input, and one 100 MB line), or just within it
(random bytes, faulty lines for the longest JSON, rows to grade); each run
must give its exit status and its message. Fails when a run's peak resident
memory reaches 64 MiB, or a run's status or message is not the expected one.
    scripts/headless-memory.py [build/src/headless/kupongen-headless]
"""
import os
import random
import subprocess
import sys
import tempfile

LIMIT_KIB = 64 * 1024
LINE = 4 * 1024 * 1024  # the line limit of the script runner
ROWS_LIMIT = 4 * 1024 * 1024  # the largest rows file the check reads
START = "click 1001\nclick 1007\n"
ROW = b"E,1,X,2,1,X,2,1,X,2,1,X,2,1\r\n"
TOO_LARGE = "större än 4 MiB och läses inte"


def edit(text_of_length, unit_bytes):
    """One edit line of the longest text that fits, then state and save."""
    count = (LINE - len('edit ""')) // unit_bytes
    return f'{START}edit "{text_of_length * count}"\nstate\nsave "out"\nstate\n'


CASES = {
    "ascii edit": lambda: edit("x", 1),
    "Swedish letters": lambda: edit("\u00e4", 2),
    "euro signs": lambda: edit("\u20ac", 3),
    "escaped controls": lambda: edit("\\u0001", 6),
    "unknown verb": lambda: "y" * (LINE - 1) + "\nstate\n",
    "line past the limit": lambda: "y" * (LINE + 1) + "\nstate\n",
    "many long lines": lambda: START + ('edit "' + "\u00e4" * (512 * 1024) + '"\nstate\n') * 60,
}


def repeated(unit, size):
    """Writes unit again and again, size bytes in all, a chunk at a time."""
    def write(path):
        chunk = unit * (1024 * 1024 // len(unit) + 1)
        with open(path, "wb") as rows:
            left = size
            while left > 0:
                rows.write(chunk[:left])
                left -= min(left, len(chunk))
    return write


def random_bytes(path):
    with open(path, "wb") as rows:
        rows.write(random.Random(1).randbytes(ROWS_LIMIT))


ROWS_FILES = {
    "rows-20MB.txt": repeated(ROW, 20_000_000),
    "line-100MB.txt": repeated(b"1X2", 100_000_000),
    "random.bin": random_bytes,
    "faulty.txt": repeated(b"?\n", ROWS_LIMIT),
    "rows.txt": repeated(ROW, ROWS_LIMIT),
}

# name: (arguments, standard input, exit status, the stream and what it says)
CHECKS = {
    "--check 20 MB of rows": (["--check", "rows-20MB.txt"], None, 1, "stderr", TOO_LARGE),
    "--check - 20 MB of rows": (["--check", "-"], "rows-20MB.txt", 1, "stderr", TOO_LARGE),
    "--check one 100 MB line": (["--check", "line-100MB.txt"], None, 1, "stderr", TOO_LARGE),
    "--check random bytes": (["--check", "random.bin"], None, 1, "stdout",
                             "Filen kan inte laddas upp"),
    "--check --json faulty": (["--check", "faulty.txt", "--json"], None, 1, "stdout",
                              '"uploadable":false}'),
    "--grade 4 MiB of rows": (["--grade", "rows.txt", "--result", "1X21X2?1X21X2"], None, 0,
                              "stdout", "Rader: 144 631"),
}


def peak_kib(program, arguments, stdin=None):
    """Runs the program; its peak memory, exit status, and the start and the
    end of what it wrote to each stream (whole outputs could be large)."""
    with open(stdin or os.devnull, "rb") as given, \
            tempfile.TemporaryFile() as out, tempfile.TemporaryFile() as err:
        child = subprocess.Popen([program, "--seed", "1", *arguments], stdin=given, stdout=out,
                                 stderr=err)
        _, status, usage = os.wait4(child.pid, 0)
        said = {}
        for name, stream in (("stdout", out), ("stderr", err)):
            size = stream.seek(0, os.SEEK_END)
            stream.seek(0)
            text = stream.read(4096)
            stream.seek(max(0, size - 4096))
            text += stream.read(4096)
            said[name] = text.decode("utf-8", "replace")
    return usage.ru_maxrss, os.waitstatus_to_exitcode(status), said


def script_path(folder, name):
    return os.path.join(folder, name.replace(" ", "-") + ".script")


def write_scripts(folder):
    for name, make in CASES.items():
        with open(script_path(folder, name), "w", encoding="utf-8") as script:
            script.write(make())
    for name, write in ROWS_FILES.items():
        write(os.path.join(folder, name))


def main():
    if sys.argv[1:2] == ["--write"]:
        write_scripts(sys.argv[2])
        return 0
    program = os.path.abspath(
        sys.argv[1] if len(sys.argv) > 1 else "build/src/headless/kupongen-headless")
    worst = 0
    with tempfile.TemporaryDirectory() as folder:
        # A child writes the scripts: a child started from here copies this
        # process's peak memory into its own figure, so it must stay small.
        subprocess.run([sys.executable, __file__, "--write", folder], check=True)
        os.chdir(folder)
        scripts = {"/dev/zero": "/dev/zero"}
        scripts.update({name: script_path(folder, name) for name in CASES})
        for name, path in scripts.items():
            kib, status, _ = peak_kib(program, [path])
            worst = max(worst, kib)
            print(f"{name:24} {kib / 1024:6.1f} MiB  exit {status}")
        wrong = 0
        for name, (arguments, stdin, expected, stream, message) in CHECKS.items():
            kib, status, said = peak_kib(program, arguments, stdin)
            worst = max(worst, kib)
            right = status == expected and message in said[stream]
            wrong += 0 if right else 1
            print(f"{name:24} {kib / 1024:6.1f} MiB  exit {status}"
                  + ("" if right else f", expected {expected} and {message!r} on {stream}"))
    print(f"peak {worst / 1024:.1f} MiB (limit {LIMIT_KIB // 1024} MiB)")
    return 0 if worst < LIMIT_KIB and wrong == 0 else 1


if __name__ == "__main__":
    sys.exit(main())
