"""Finds the history window of a running Vollmark on the AT-SPI bus and prints what a screen
reader reads of its chart: the window's name and the chart's description.

Usage: read_history_window.py <title start>
Exit code 0 when a window of that title has a chart whose description tells the growth and
the forecast, 1 otherwise.
"""
import sys
import time

import gi

gi.require_version("Atspi", "2.0")
from gi.repository import Atspi  # noqa: E402


def nodes(node, depth=0):
    if node is None or depth > 12:
        return
    yield node
    for i in range(node.get_child_count()):
        yield from nodes(node.get_child_at_index(i), depth + 1)


def history_window(title, timeout=20.0):
    deadline = time.monotonic() + timeout
    while time.monotonic() < deadline:
        desktop = Atspi.get_desktop(0)
        for i in range(desktop.get_child_count()):
            for node in nodes(desktop.get_child_at_index(i)):
                if node.get_role() == Atspi.Role.FRAME and (node.get_name() or "").startswith(title):
                    return node
        time.sleep(0.2)
    return None


def main():
    title = sys.argv[1]
    window = history_window(title)
    if window is None:
        desktop = Atspi.get_desktop(0)
        seen = [(n.get_role_name(), n.get_name()) for i in range(desktop.get_child_count())
                for n in nodes(desktop.get_child_at_index(i), 10)]
        print(f"FAIL: no window titled {title!r} on the accessibility bus, only {seen}")
        return 1
    for node in nodes(window):
        description = node.get_description() or ""
        if (node.get_role() == Atspi.Role.CHART and "Зайняте зросло на" in description
                and "заповниться приблизно за" in description):
            print(f"{node.get_name()!r} ({node.get_role_name()}): {description!r}")
            return 0
    print(f"FAIL: the window {window.get_name()!r} has no chart describing growth and forecast")
    return 1


sys.exit(main())
