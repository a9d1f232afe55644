"""Opens the context menu of a running Vollmark through the AT-SPI accessibility bus (the
drive list's ShowMenu action, which needs no keyboard), checks the items a window system may
not honour and the added group, and ends the program with "Закрити".

Usage: read_menu.py wayland|x11 [the divisor item to choose first]
wayland: "Прозрачність" and "Залишити вершину" are disabled and unchecked;
x11: both are enabled and "Залишити вершину" is checked (the test saved it on).
Exit code 0 when every check holds, 1 otherwise.
"""
import sys
import time
import warnings

from read_drive_list import Atspi, GLib, drive_list


def child_named(node, name):
    for i in range(node.get_child_count()):
        item = node.get_child_at_index(i)
        if item.get_name() == name:
            return item
    return None


def submenu(node, name):
    item = child_named(node, name)
    return item.get_child_at_index(0) if item is not None and item.get_child_count() else None


def states(item):
    state_set = item.get_state_set()
    return {s for s in (Atspi.StateType.ENABLED, Atspi.StateType.CHECKED) if state_set.contains(s)}


def press(item):
    Atspi.Action.do_action(item, 0)


# Its replacement, Atspi.Action.get_name, is newer than Debian 12's libatspi.
warnings.filterwarnings("ignore", "Atspi.Action.get_action_name is deprecated", DeprecationWarning)


def open_menu(listing, timeout=10.0):
    """Runs the list's ShowMenu action and returns the menu once it reports itself showing."""
    shown = []

    def on_event(event):
        if event.detail1 == 1 and event.source.get_role() == Atspi.Role.POPUP_MENU:
            shown.append(event.source)

    listener = Atspi.EventListener.new(on_event)
    listener.register("object:state-changed:showing")
    count = Atspi.Action.get_n_actions(listing)
    names = [Atspi.Action.get_action_name(listing, i) for i in range(count)]
    if "ShowMenu" not in names:
        listener.deregister("object:state-changed:showing")
        return None
    Atspi.Action.do_action(listing, names.index("ShowMenu"))
    deadline = time.monotonic() + timeout

    def poll():
        if shown or time.monotonic() > deadline:
            Atspi.event_quit()
            return False
        return True

    GLib.timeout_add(100, poll)
    Atspi.event_main()
    listener.deregister("object:state-changed:showing")
    return shown[0] if shown else None


def main():
    mode = sys.argv[1]
    listing = drive_list()
    if listing is None:
        print("FAIL: no accessible list with rows on the bus")
        return 1
    menu = open_menu(listing)
    if menu is None:
        print("FAIL: the list's ShowMenu action opened no menu")
        return 1
    names = [menu.get_child_at_index(i).get_name() for i in range(menu.get_child_count())]
    print("menu:", names)
    errors = []
    if names[-3:] != ["Закрити", "", "Запускати під час входу"]:
        errors.append(f"the menu does not end with Закрити, a separator and the log-in item: {names}")
    options = submenu(menu, "Опції")
    if options is None:
        print("FAIL: no Опції submenu")
        return 1
    wanted = {
        "wayland": {"Прозрачність": set(), "Залишити вершину": set()},
        "x11": {"Прозрачність": {Atspi.StateType.ENABLED},
                "Залишити вершину": {Atspi.StateType.ENABLED, Atspi.StateType.CHECKED}},
    }[mode]
    for name, want in wanted.items():
        item = child_named(options, name)
        got = states(item) if item is not None else None
        print(f"{name}: {sorted(s.value_nick for s in got or ())}")
        if got != want:
            errors.append(f"{name}: {got}, expected {want}")
    if len(sys.argv) > 2:
        press(child_named(submenu(options, "Обчислити ємкість, як:"), sys.argv[2]))
    for error in errors:
        print("FAIL:", error)
    press(child_named(menu, "Закрити"))
    return 1 if errors else 0


if __name__ == "__main__":
    sys.exit(main())
