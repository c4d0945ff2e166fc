#!/usr/bin/env python3
"""Runs the README's tour of the nodexa command twice on one copy of the demo
and fails unless every command prints exactly what the README shows, both
times.

    readme_tour.py README NODEXA DEMO

README: the README.md whose "### A short tour" section holds the commands
("    $ nodexa ...") each followed by its output; NODEXA: the built command;
DEMO: the built demo folder (medium/, machine/), copied to a scratch folder.
"""
import os
import shutil
import subprocess
import sys
import tempfile

README_DEMO = "/home/pat/nodexa/build/dev/demo"


def tour(readme):
    """The (command, expected output lines) pairs of the tour section."""
    lines = open(readme, encoding="utf-8").read().split("\n")
    start = lines.index("### A short tour")
    end = next(i for i in range(start + 1, len(lines)) if lines[i].startswith("## "))
    steps = []
    in_block = False
    for at in range(start + 1, end):
        line = lines[at]
        following = lines[at + 1] if at + 1 < end else ""
        if line.startswith("    $ "):
            steps.append((line[6:], []))
            in_block = True
        elif in_block and line.startswith("    "):
            steps[-1][1].append(line[4:])
        elif in_block and line == "" and following.startswith("    ") and \
                not following.startswith("    $ "):
            steps[-1][1].append("")  # a blank line inside one command's output
        else:
            in_block = False
    return steps


def main():
    readme, command, demo = sys.argv[1:4]
    steps = tour(readme)
    if not steps:
        print("no tour found in " + readme)
        return 1
    failures = 0
    with tempfile.TemporaryDirectory(prefix="nodexa-tour-") as scratch:
        for part in ("medium", "machine"):
            shutil.copytree(os.path.join(demo, part), os.path.join(scratch, part), symlinks=True)
        env = dict(os.environ)
        env.pop("COLUMNS", None)
        env["NODEXA_EXECUTABLE_DIRECTORY"] = os.path.join(scratch, "medium", "Setup", "Bin")
        env["NODEXA_MACHINE"] = os.path.join(scratch, "machine")
        env["PATH"] = os.path.dirname(os.path.abspath(command)) + os.pathsep + env.get("PATH", "")
        for run in (1, 2):
            for line, expected in steps:
                done = subprocess.run(["bash", "-c", line], env=env, cwd=scratch,
                                      stdout=subprocess.PIPE, stderr=subprocess.STDOUT,
                                      stdin=subprocess.DEVNULL)
                # The README shows the demo where a clone of it is built.
                printed = done.stdout.decode("utf-8", "replace").replace(scratch, README_DEMO)
                got = printed.rstrip("\n").split("\n")
                got = [text.rstrip() for text in got] if got != [""] else []
                want = [text.rstrip() for text in expected]
                if got != want:
                    failures += 1
                    print("run %d: $ %s" % (run, line))
                    print("  README:\n    " + "\n    ".join(want))
                    print("  printed:\n    " + "\n    ".join(got))
    print("%d commands, twice: %s" % (len(steps), "as the README shows" if not failures
                                     else "%d differ" % failures))
    return 1 if failures else 0


if __name__ == "__main__":
    sys.exit(main())
