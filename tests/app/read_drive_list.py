"""Reads the drive list of a running Vollmark through the AT-SPI accessibility bus and checks
each drive row against the command-line tool's JSON for the same mounts.

Usage: read_drive_list.py <drives.json> [command that moves the selection down one row]
Exit code 0 when every drive answers with matching name and description, the program's
windows carry a title and a window role and, given the command, the newly selected row
reports its selection and focus, 1 otherwise.
"""
import json
import re
import subprocess
import sys
import time

import gi

gi.require_version("Atspi", "2.0")
from gi.repository import Atspi, GLib  # noqa: E402


def find(node, role, depth=0):
    if node is None or depth > 12:
        return None
    if node.get_role() == role:
        return node
    for i in range(node.get_child_count()):
        found = find(node.get_child_at_index(i), role, depth + 1)
        if found is not None:
            return found
    return None


def drive_list(timeout=20.0):
    """The list of the first application that has one, polled until it shows up."""
    deadline = time.monotonic() + timeout
    while time.monotonic() < deadline:
        desktop = Atspi.get_desktop(0)
        for i in range(desktop.get_child_count()):
            app = desktop.get_child_at_index(i)
            found = find(app, Atspi.Role.LIST)
            if found is not None and found.get_child_count() > 0:
                return found
        time.sleep(0.2)
    return None


def number(text):
    """A figure as printed, whatever the locale's grouping and its one or two decimals."""
    match = re.fullmatch(r"(.*?)(?:[.,](\d{1,2}))?", text.rstrip(" %"))
    whole = re.sub(r"\D", "", match.group(1)) or "0"
    return float(f"{whole}.{match.group(2) or 0}")


def check_row(row, drive):
    name, description = row.get_name(), row.get_description()
    errors = []
    wanted = f"{drive['letter']}:"
    for part in (wanted, drive["label"], f"[{drive['fileSystem']} - {drive['typeText']}]"):
        if part and part not in name:
            errors.append(f"name {name!r} lacks {part!r}")
    match = re.fullmatch(r"Total (.+), Free (.+), Used (.+), (\S+ %)", description)
    if not match:
        return errors + [f"description {description!r} is not total, free, used, percentage"]
    total, free, used, percent = match.groups()
    if total != drive["totalText"]:
        errors.append(f"{drive['letter']}: total {total!r}, tool says {drive['totalText']!r}")
    # Free space moves while the test runs (other programs write to the same disks), so the
    # figures must agree to a thousandth of the total and keep the same unit word.
    slack = number(drive["totalText"].rsplit(" ", 1)[0]) / 1000 + 0.01
    for got, key in ((free, "freeText"), (used, "usedText")):
        value, word = got.rsplit(" ", 1)
        want_value, want_word = drive[key].rsplit(" ", 1)
        if word != want_word or abs(number(value) - number(want_value)) > slack:
            errors.append(f"{drive['letter']}: {key} {got!r}, tool says {drive[key]!r}")
    if abs(number(percent) - drive["usedPercent"]) > 0.15:
        errors.append(f"{drive['letter']}: percentage {percent!r}, "
                      f"tool says {drive['usedPercent']}")
    if row.get_role() != Atspi.Role.LIST_ITEM:
        errors.append(f"{drive['letter']}: role {row.get_role_name()}")
    return errors


def application_of(node):
    while node.get_role() != Atspi.Role.APPLICATION:
        node = node.get_parent()
    return node


def check_windows(app):
    errors = []
    for i in range(app.get_child_count()):
        window = app.get_child_at_index(i)
        print(f"window: {window.get_role_name()} {window.get_name()!r}")
        if window.get_role() not in (Atspi.Role.FRAME, Atspi.Role.WINDOW, Atspi.Role.DIALOG):
            errors.append(f"window {window.get_name()!r} has role {window.get_role_name()}")
        if not window.get_name():
            errors.append(f"a {window.get_role_name()} has no title")
    return errors


def check_selection_events(listing, command):
    """Runs the command and expects the second row to announce its selection and focus."""
    seen = set()

    def on_event(event):
        if event.detail1 == 1:
            seen.add((event.type, event.source.get_name()))

    listener = Atspi.EventListener.new(on_event)
    kinds = ("object:state-changed:selected", "object:state-changed:focused")
    for kind in kinds:
        listener.register(kind)
    try:
        subprocess.run(command, shell=True, check=False, timeout=20)
    except subprocess.TimeoutExpired:
        return [f"{command!r} did not finish"]
    # Events arrive through the main loop; stop once both came or after a generous wait.
    wanted = {(kind, listing.get_child_at_index(1).get_name()) for kind in kinds}
    deadline = time.monotonic() + 10

    def poll():
        if wanted <= seen or time.monotonic() > deadline:
            Atspi.event_quit()
            return False
        return True

    GLib.timeout_add(100, poll)
    Atspi.event_main()
    for kind in kinds:
        listener.deregister(kind)
    print("events:", *sorted(seen), sep="\n  ")
    return [f"no {kind} event for the second row" for kind, _ in sorted(wanted - seen)]


def main():
    with open(sys.argv[1], encoding="utf-8") as f:
        drives = {d["letter"]: d for d in json.load(f)["drives"]}
    listing = drive_list()
    if listing is None:
        print("FAIL: no accessible list with rows on the bus")
        return 1
    rows = [listing.get_child_at_index(i) for i in range(listing.get_child_count())]
    names = [r.get_name() for r in rows]
    print("rows:", *names, sep="\n  ")
    errors = []
    if names[:2] != ["LOCAL DISKS VALUE", "NETWORK DISKS VALUE"]:
        errors.append(f"summary rows {names[:2]}")
    letters = [n[0] for n in names[2:]]
    if letters != sorted(drives):
        errors.append(f"drive rows {letters}, tool lists {sorted(drives)}")
    for row in rows[2:]:
        drive = drives.get(row.get_name()[:1])
        if drive is not None:
            errors += check_row(row, drive)
    errors += check_windows(application_of(listing))
    if len(sys.argv) > 2:
        errors += check_selection_events(listing, sys.argv[2])
    for error in errors:
        print("FAIL:", error)
    return 1 if errors else 0


if __name__ == "__main__":
    sys.exit(main())
