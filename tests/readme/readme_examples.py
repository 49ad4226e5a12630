#!/usr/bin/env python3
"""Runs every `quorlin-cli` example of the README as written.

Each fenced ```console block is a session: a line starting with "$ " is a command, run
by bash from a scratch folder that holds the sample files as data/, and the lines up to
the next command are what it prints (standard output, then standard error). A line "..."
stands for any lines, and "…" inside a line for any text. A line "(exit status N)" is
the status the command must end with; without one it must end with 0.
"""

import pathlib
import re
import shutil
import subprocess
import sys
import tempfile


def sessions(readme):
    block = None
    for line in readme.splitlines():
        if block is None:
            if line.strip() == "```console":
                block = []
        elif line.strip() == "```":
            yield block
            block = None
        else:
            block.append(line)


def examples(block):
    command = None
    shown = []
    for line in block:
        if line.startswith("$ "):
            if command is not None:
                yield command, shown
            command, shown = line[2:], []
        elif command is not None:
            shown.append(line)
    if command is not None:
        yield command, shown


def line_pattern(line):
    return re.compile("".join(".*" if part == "…" else re.escape(part) for part in re.split("(…)", line)) + r"\Z")


def matches(shown, printed):
    """Whether the printed lines are the shown ones, "..." standing for any lines."""
    if not shown:
        return not printed
    if shown[0] == "...":
        return any(matches(shown[1:], printed[i:]) for i in range(len(printed) + 1))
    return bool(printed) and line_pattern(shown[0]).match(printed[0]) is not None and matches(shown[1:], printed[1:])


def main():
    readme, data, cli = map(pathlib.Path, sys.argv[1:4])
    failures = 0
    count = 0
    with tempfile.TemporaryDirectory() as scratch:
        shutil.copytree(data, pathlib.Path(scratch) / "data")
        bin_dir = pathlib.Path(scratch) / "bin"
        bin_dir.mkdir()
        (bin_dir / "quorlin-cli").symlink_to(cli.resolve())
        for block in sessions(readme.read_text(encoding="utf-8")):
            for command, shown in examples(block):
                if "quorlin-cli" not in command:
                    continue
                count += 1
                status = 0
                if shown and (m := re.fullmatch(r"\(exit status (\d+)\)", shown[-1])):
                    status, shown = int(m.group(1)), shown[:-1]
                run = subprocess.run(["bash", "-c", command], cwd=scratch, capture_output=True, text=True,
                                     env={"PATH": f"{bin_dir}:/usr/bin:/bin", "LC_ALL": "C.UTF-8"})
                printed = (run.stdout + run.stderr).splitlines()
                if run.returncode != status or not matches(shown, printed):
                    failures += 1
                    print(f"FAILED: $ {command}\n  exit {run.returncode}, expected {status}; printed:")
                    print("\n".join("    " + line for line in printed[:40]))
    print(f"{count} examples, {failures} failed")
    return 1 if failures or count == 0 else 0


if __name__ == "__main__":
    sys.exit(main())
