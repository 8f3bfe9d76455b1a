#!/usr/bin/env python3
"""Fails when a program opened a serial device of the machine's.

    check_device_opens.py LOG            checks a log of `strace -f -y -e trace=open,openat`
    check_device_opens.py -- PROGRAM ... runs the program under strace, then checks its log

Tests reach only the pseudo-terminals they make (/dev/pts/N, through /dev/ptmx);
an open of a terminal, a USB adapter, a named serial link or a Bluetooth port
means a test could have sent bytes to a real device.
"""

import re
import subprocess
import sys
import tempfile

FOREIGN = re.compile(r"^/dev/(tty|serial/|rfcomm|cu\.)")
# openat(AT_FDCWD, "/dev/ttyUSB0", ...) or, with -y, openat(3</dev>, "ttyUSB0", ...)
OPEN = re.compile(r'\bopen(?:at)?\((?:(?:AT_FDCWD|\d+)(?:<([^>]*)>)?, )?"((?:[^"\\]|\\.)*)"')


def opened_paths(lines):
    """Every path the log shows an open of, made absolute where the log says how."""
    for line in lines:
        found = OPEN.search(line)
        if not found:
            continue
        folder, name = found.group(1), found.group(2)
        if folder and not name.startswith("/"):
            name = folder.rstrip("/") + "/" + name
        yield name


def foreign_devices(lines):
    return sorted({path for path in opened_paths(lines) if FOREIGN.match(path)})


def check(lines):
    found = foreign_devices(lines)
    for path in found:
        print(f"opened a device the tests did not make: {path}", file=sys.stderr)
    return 1 if found else 0


def run(command):
    """Only the opens decide: traced, every system call is slow, so the
    program's timing checks are its own test entries' to judge."""
    with tempfile.NamedTemporaryFile("r", suffix=".strace") as log:
        status = subprocess.call(["strace", "-f", "-qq", "-y", "-e", "trace=open,openat",
                                  "-e", "signal=none", "-o", log.name] + command)
        if status != 0:
            print(f"(the traced program ended with status {status})", file=sys.stderr)
        lines = log.readlines()
        # Any program opens something: an empty log means nothing was traced.
        if not any(OPEN.search(line) for line in lines):
            print("strace recorded no open: the guard could not watch", file=sys.stderr)
            return 1
        return check(lines)


def main(argv):
    if len(argv) > 1 and argv[1] == "--":
        return run(argv[2:])
    if len(argv) == 2:
        with open(argv[1], encoding="utf-8", errors="replace") as log:
            return check(log)
    print(__doc__, file=sys.stderr)
    return 2


if __name__ == "__main__":
    sys.exit(main(sys.argv))
