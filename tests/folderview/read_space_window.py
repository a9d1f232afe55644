"""Reads the space window of a running Vollmark on the AT-SPI bus, as a screen reader would,
until what it reads passes a check.

Usage: read_space_window.py <title start> <python expression over `window`>
`window` holds "path" (the path bar), "labels" (every label's text), "rows" (each row of the
folder list as (name, description), in order), "selected" (the selected row's name or None),
"tiles" (each tile of the growth map as (name, description, (x, y, width, height) on the
screen)), "current" (the selected tile's name or None), "focused" (the focused tile's) and
"tooltips" (the text of every tooltip the program shows).
Prints what it read last; exit code 0 once the expression holds, 1 after 30 seconds without.
"""
import json
import sys
import time

import gi

gi.require_version("Atspi", "2.0")
from gi.repository import Atspi  # noqa: E402


def nodes(node, depth=0):
    if node is None or depth > 14:
        return
    yield node
    for i in range(node.get_child_count()):
        yield from nodes(node.get_child_at_index(i), depth + 1)


def frame(title):
    desktop = Atspi.get_desktop(0)
    for i in range(desktop.get_child_count()):
        for node in nodes(desktop.get_child_at_index(i), 10):
            if node.get_role() == Atspi.Role.FRAME and (node.get_name() or "").startswith(title):
                return node
    return None


def read(window):
    state = {"path": None, "labels": [], "rows": [], "selected": None, "tiles": [],
             "current": None, "focused": None, "tooltips": []}
    for node in nodes(window):
        role = node.get_role()
        if role == Atspi.Role.LABEL:
            state["labels"].append(node.get_name() or "")
            if node.get_description() == "Тека":
                state["path"] = node.get_name()
        elif role == Atspi.Role.LIST and node.get_name() == "Теки":
            for i in range(node.get_child_count()):
                row = node.get_child_at_index(i)
                state["rows"].append((row.get_name(), row.get_description()))
                if row.get_state_set().contains(Atspi.StateType.SELECTED):
                    state["selected"] = row.get_name()
        elif role == Atspi.Role.LIST and node.get_name() == "Карта росту":
            for i in range(node.get_child_count()):
                tile = node.get_child_at_index(i)
                box = tile.get_extents(Atspi.CoordType.SCREEN)
                state["tiles"].append((tile.get_name(), tile.get_description(),
                                       (box.x, box.y, box.width, box.height)))
                states = tile.get_state_set()
                if states.contains(Atspi.StateType.SELECTED):
                    state["current"] = tile.get_name()
                if states.contains(Atspi.StateType.FOCUSED):
                    state["focused"] = tile.get_name()
    application = window.get_parent()
    for i in range(application.get_child_count() if application else 0):
        for node in nodes(application.get_child_at_index(i), 12):
            if node.get_role() == Atspi.Role.TOOL_TIP and node.get_name():
                state["tooltips"].append(node.get_name())
    return state


def main():
    title, check = sys.argv[1], sys.argv[2]
    deadline = time.monotonic() + 30
    state = None
    while time.monotonic() < deadline:
        window = frame(title)
        if window is not None:
            state = read(window)
            try:
                if eval(check, {}, {"window": state}):
                    print(json.dumps(state, ensure_ascii=False))
                    return 0
            except (IndexError, KeyError, TypeError):
                pass
        time.sleep(0.2)
    print(f"FAIL: {check!r} never held for a window titled {title!r}; last read: "
          f"{json.dumps(state, ensure_ascii=False)}")
    return 1


sys.exit(main())
