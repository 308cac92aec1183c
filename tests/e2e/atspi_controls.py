#!/usr/bin/python3
"""Reads the window's controls over the accessibility bus, as a screen reader does.

Usage: atspi_controls.py APPLICATION NAME...
Waits until APPLICATION shows on the bus with every NAME among its controls' names, and prints
those with role and description. Fails unless each NAME is there with a description. With
--press NAME, finally presses that control through its action.
"""
import sys
import time

import pyatspi


def controls(node, depth=0):
    if node is None or depth > 40:
        return
    yield node
    for i in range(node.childCount):
        yield from controls(node.getChildAtIndex(i), depth + 1)


def named_controls(app_name):
    """The application's controls by name, or None while it is not on the bus."""
    desktop = pyatspi.Registry.getDesktop(0)
    for i in range(desktop.childCount):
        app = desktop.getChildAtIndex(i)
        if app is not None and app.name == app_name:
            found = {}
            for node in controls(app):
                if node.name:
                    found.setdefault(node.name, (node.getRoleName(), node.description, node))
            return found
    return None


def main():
    args = sys.argv[1:]
    press = None
    if "--press" in args:
        at = args.index("--press")
        press = args[at + 1]
        del args[at:at + 2]
    app_name, wanted = args[0], args[1:]
    # The main window shows after the splash: wait until every wanted name is there.
    found = None
    deadline = time.monotonic() + 30
    while time.monotonic() < deadline:
        found = named_controls(app_name)
        if found is not None and all(name in found for name in wanted):
            break
        time.sleep(0.3)
    if found is None:
        print(f"atspi: no application {app_name} on the accessibility bus", file=sys.stderr)
        return 1
    print(f"atspi: {len(found)} named controls of {app_name}")
    missing = []
    for name in wanted:
        if name not in found:
            missing.append(name)
            continue
        role, description, _ = found[name]
        print(f"atspi: {role} \"{name}\": {description}")
        if not description:
            missing.append(name + " (no description)")
    if missing:
        print("atspi: missing: " + ", ".join(missing), file=sys.stderr)
        return 1
    if press is not None:
        node = found[press][2]
        action = node.queryAction()
        names = [action.getName(i) for i in range(action.nActions)]
        if "Press" not in names and "press" not in names:
            print(f"atspi: \"{press}\" offers no press ({names})", file=sys.stderr)
            return 1
        index = names.index("Press") if "Press" in names else names.index("press")
        action.doAction(index)
        print(f"atspi: pressed \"{press}\"")
    return 0


if __name__ == "__main__":
    sys.exit(main())
