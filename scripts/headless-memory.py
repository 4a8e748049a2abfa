#!/usr/bin/env python3
"""Peak memory of kupongen-headless on the heaviest scripts it accepts.

Each script holds one line as long as the line limit allows (plain text,
Windows-1252 letters, escaped controls, an unknown verb), one just past it, a
script of many long lines up to the script limit, and /dev/zero. Fails when
any run's peak resident memory reaches 64 MiB.
    scripts/headless-memory.py [build/src/headless/kupongen-headless]
"""
import os
import subprocess
import sys
import tempfile

LIMIT_KIB = 64 * 1024
LINE = 4 * 1024 * 1024  # the line limit of the script runner
START = "click 1001\nclick 1007\n"


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


def peak_kib(program, script):
    with open(os.devnull, "wb") as null:
        child = subprocess.Popen([program, "--seed", "1", script], stdout=null, stderr=null)
        _, status, usage = os.wait4(child.pid, 0)
    return usage.ru_maxrss, os.waitstatus_to_exitcode(status)


def script_path(folder, name):
    return os.path.join(folder, name.replace(" ", "-") + ".script")


def write_scripts(folder):
    for name, make in CASES.items():
        with open(script_path(folder, name), "w", encoding="utf-8") as script:
            script.write(make())


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
            kib, status = peak_kib(program, path)
            worst = max(worst, kib)
            print(f"{name:22} {kib / 1024:6.1f} MiB  exit {status}")
    print(f"peak {worst / 1024:.1f} MiB (limit {LIMIT_KIB // 1024} MiB)")
    return 0 if worst < LIMIT_KIB else 1


if __name__ == "__main__":
    sys.exit(main())
