#!/usr/bin/python3
# Reads every window of the program through the desktop's accessibility bus
# (AT-SPI), as a screen reader does, while kalyx5pc-tour --wait opens them one
# by one. Fails on a control that a user can reach (focusable) and that has no
# name, or whose role says nothing of what it is. Lists what it checked.
# Run by scripts/accessibility-check inside a private D-Bus session and X server.
import subprocess
import sys
import time

import pyatspi

GENERIC_ROLES = {"filler", "panel", "unknown", "invalid", "redundant object", "layered pane", "window"}
# What a screen reader says even when it cannot take the focus: a picture
# (a logo, an icon beside a field) and a progress bar.
NAMED_ANYWAY = {"image", "icon", "progress bar"}
# Roles whose name is the data they hold: an empty cell is an empty cell.
DATA_ROLES = {"table cell", "list item", "tree item", "table row"}


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


def table_problem(node):
    """A list or grid tells a screen reader its rows and which are selected."""
    try:
        table = node.queryTable()
        table.nRows, table.nSelectedRows
    except Exception:
        return "table that does not report its rows"
    return None


def table_summary(node, name):
    try:
        table = node.queryTable()
        return f"'{name}' {table.nRows} rows, {table.nSelectedRows} selected"
    except Exception:
        return f"'{name}' rows unknown"


def check(window_name, app, reported):
    found = []
    walk(app, [], found)
    faults = []
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
        if role == "table" and (problem := table_problem(node)) and (problem, where) not in reported:
            reported.add((problem, where))
            faults.append(f"FAULT {window_name}: {problem}: {where}")
    tables = [table_summary(node, name) for node, role, name, states, _ in found if role == "table"]
    print(f"{window_name}: {len(found)} objects shown, {focusable} focusable checked for a name and a role"
          + (f"; tables: {', '.join(tables)}" if tables else ""))
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
    for line in tour.stdout:
        line = line.strip()
        if line == "done":
            done = True
            break
        if line.startswith("FAULT "):  # the tour's own: a window that did not open
            print(line)
            faults += 1
            continue
        if not line.startswith("window "):
            continue
        window = line[len("window "):]
        app = app or application("Kalyx 5pc")
        if app is None:
            print("FAULT the program never appeared on the accessibility bus")
            tour.kill()
            return 1
        time.sleep(0.3)  # the window's tree settles
        faults += check(window, app, reported)
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
