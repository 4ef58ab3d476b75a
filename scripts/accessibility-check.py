#!/usr/bin/python3
# Reads every window of the program through the desktop's accessibility bus
# (AT-SPI), as a screen reader does, while kalyx5pc-tour --wait opens them one
# by one. Fails on a window that does not show on the bus under its title, a
# control that a user can reach (focusable) and that has no name or whose role
# says nothing of what it is, a picture or progress bar without a name, and a
# list whose rows, selected rows or current row differ from what the program
# holds (the tour prints them), and a dialog whose text a screen reader would
# not hear with the dialog and with the control its focus is on (the progress
# dialog's "Finished downloading ..."), and a focus move a screen reader is not
# told of with what the program says there (the chart cursor's reading). Lists
# what it checked.
# Run by scripts/accessibility-check inside a private D-Bus session and X server.
import subprocess
import sys
import time

import pyatspi
from gi.repository import GLib

GENERIC_ROLES = {"filler", "panel", "unknown", "invalid", "redundant object", "layered pane", "window"}
# What a screen reader says even when it cannot take the focus: a picture
# (a logo, an icon beside a field) and a progress bar.
NAMED_ANYWAY = {"image", "icon", "progress bar"}
# Roles whose name is the data they hold: an empty cell is an empty cell.
DATA_ROLES = {"table cell", "list item", "tree item", "table row"}


# The name of each object the bus announced as taking the focus, as a screen
# reader hears it when the focus moves (one its parent does not hold is not heard).
focus_heard = []


def on_focus(event):
    if event.detail1 != 1:
        return
    try:
        # An object outside its parent's children is a dead one to a screen reader.
        if event.source.getIndexInParent() >= 0:
            focus_heard.append(event.source.name or "")
    except Exception:
        pass


def take_events(seconds):
    """Lets the bus deliver what the program announced."""
    context = GLib.MainContext.default()
    end = time.time() + seconds
    while time.time() < end:
        if not context.iteration(False):
            time.sleep(0.02)


def focus_faults(window_name, hears):
    faults = []
    for text in hears:
        if text not in focus_heard:
            faults.append(f"FAULT {window_name}: a screen reader is not told \"{text}\" as the focus moves "
                          f"(the focus was announced on: {focus_heard[-4:]})")
    return faults


def application(name, timeout=10.0):
    end = time.time() + timeout
    while time.time() < end:
        desktop = pyatspi.Registry.getDesktop(0)
        for app in desktop:
            if app is not None and app.name == name:
                return app
        time.sleep(0.2)
    return None


def walk(node, path, found, depth=0):
    if node is None or depth > 40:
        return
    try:
        states = node.getState()
        role = node.getRoleName()
        name = node.name or ""
    except Exception:
        return
    if not states.contains(pyatspi.STATE_SHOWING):
        return
    here = path + [f"{role} '{name}'" if name else role]
    found.append((node, role, name, states, here))
    for child in node:
        walk(child, here, found, depth + 1)


def heard_table(node):
    """A table as a screen reader hears it: (rows, selected rows, the row of its
    focused cell or None), or None if it does not answer as a table."""
    try:
        table = node.queryTable()
        focused = [c for c in node if c is not None and c.getState().contains(pyatspi.STATE_FOCUSED)]
        at = table.getRowAtIndex(focused[0].getIndexInParent()) + 1 if focused else None
        return table.nRows, table.nSelectedRows, at
    except Exception:
        return None


def table_summary(node, name):
    heard = heard_table(node)
    if heard is None:
        return f"'{name}' rows unknown"
    rows, selected, at = heard
    return f"'{name}' {rows} rows, {selected} selected" + (f", focus on row {at}" if at else "")


def shown_window(app, title, timeout=5.0):
    """Waits for the window the tour opened to reach the bus: a top-level
    object of the program, showing, with the window's title as its name."""
    end = time.time() + timeout
    while time.time() < end:
        for child in app:
            try:
                if child is not None and child.name == title and child.getState().contains(pyatspi.STATE_SHOWING):
                    return True
            except Exception:
                pass
        time.sleep(0.2)
    return False


def list_faults(window_name, found, lists):
    """Each list the program shows, as a screen reader hears it: its rows, its
    selected rows and, where it holds the focus, its current row."""
    faults = []
    tables = [(node, name) for node, role, name, states, _ in found if role == "table"]
    for name, rows, selected, current in lists:
        heard = [h for node, table_name in tables if table_name == name and (h := heard_table(node))]
        if not any(r == rows and s == selected and at in (None, current) for r, s, at in heard):
            faults.append(f"FAULT {window_name}: list '{name}' holds {rows} rows, {selected} selected, row {current} "
                          f"current; a screen reader hears {heard or 'no such list'} (rows, selected, focused row)")
    return faults


def description(node):
    try:
        return node.description or ""
    except Exception:
        return ""


def text_faults(window_name, title, found, texts):
    """Each text the window must say: in the window's description, and in the
    name or description of the object its focus is on."""
    faults = []
    tops = [(node, path[1]) for node, role, name, states, path in found if len(path) == 2 and name == title]
    windows = [node for node, _ in tops]
    focused = [node for node, role, name, states, path in found
               if states.contains(pyatspi.STATE_FOCUSED) and len(path) > 2 and path[1] in [top for _, top in tops]]
    for text in texts:
        if not any(text in description(w) for w in windows):
            faults.append(f"FAULT {window_name}: a screen reader does not hear \"{text}\" with the window "
                          f"(its description: {[description(w) for w in windows]})")
        for node in focused:
            heard = (node.name or "") + " " + description(node)
            if text not in heard:
                faults.append(f"FAULT {window_name}: the focus on {node.getRoleName()} '{node.name}' does not say "
                              f"\"{text}\" (it says \"{heard.strip()}\")")
    return faults


def check(window_name, title, app, reported, lists, texts, hears):
    found = []
    walk(app, [], found)
    faults = (list_faults(window_name, found, lists) + text_faults(window_name, title, found, texts)
              + focus_faults(window_name, hears))
    focusable = 0
    for node, role, name, states, path in found:
        if role in NAMED_ANYWAY and not name.strip():
            where = " > ".join(path[-3:])
            problem = f"{role} without a name"
            if (problem, where) not in reported:
                reported.add((problem, where))
                faults.append(f"FAULT {window_name}: {problem}: {where}")
        if not states.contains(pyatspi.STATE_FOCUSABLE):
            continue
        focusable += 1
        where = " > ".join(path[-3:])
        problem = None
        if role in GENERIC_ROLES:
            problem = f"focusable object with the generic role '{role}'"
        elif not name.strip() and role not in DATA_ROLES:
            problem = f"focusable {role} without a name"
        if problem and (problem, where) not in reported:
            reported.add((problem, where))
            inside = ", ".join(f"{c.getRoleName()} '{c.name}'" for c in list(node)[:4] if c is not None)
            faults.append(f"FAULT {window_name}: {problem}: {where}" + (f" (holding {inside})" if inside else ""))
    tables = [table_summary(node, name) for node, role, name, states, _ in found if role == "table"]
    print(f"{window_name}: {len(found)} objects shown, {focusable} focusable checked for a name and a role"
          + (f"; tables: {', '.join(tables)}" if tables else "")
          + "".join(f"; the focus moved to '{text}'" for text in hears if text in focus_heard))
    for fault in faults:
        print(fault)
    sys.stdout.flush()
    return len(faults)


def main():
    tour = subprocess.Popen([sys.argv[1], "--wait"], stdin=subprocess.PIPE, stdout=subprocess.PIPE, text=True)
    app = None
    faults = 0
    windows = 0
    reported = set()
    done = False
    lists = []
    texts = []
    hears = []
    pyatspi.Registry.registerEventListener(on_focus, "object:state-changed:focused")
    for line in tour.stdout:
        line = line.rstrip("\n")
        if line.startswith("list "):
            name, rows, selected, current = line[len("list "):].split("\t")
            lists.append((name, int(rows), int(selected), int(current)))
            continue
        if line.startswith("says "):
            texts.append(line[len("says "):])
            continue
        if line.startswith("hears "):
            hears.append(line[len("hears "):])
            continue
        if line == "done":
            done = True
            break
        if line.startswith("FAULT "):  # the tour's own: a window that did not open
            print(line)
            faults += 1
            continue
        if not line.startswith("window "):
            continue
        window, title = line[len("window "):].split("\t", 1)
        app = app or application("Kalyx 5pc")
        if app is None:
            print("FAULT the program never appeared on the accessibility bus")
            tour.kill()
            return 1
        if not shown_window(app, title):
            print(f"FAULT {window}: no window '{title}' showing on the accessibility bus")
            faults += 1
        take_events(0.3)  # the window's tree settles
        faults += check(window, title, app, reported, lists, texts, hears)
        lists = []
        texts = []
        hears = []
        focus_heard.clear()
        windows += 1
        tour.stdin.write("next\n")
        tour.stdin.flush()
    status = tour.wait(timeout=30)
    if not done or status != 0:
        print(f"FAULT the tour ended before its last window (exit status {status})")
        faults += 1
    print(f"accessibility: {windows} windows read through AT-SPI, {faults} faults")
    return 1 if faults or windows == 0 else 0


if __name__ == "__main__":
    sys.exit(main())
