#!/usr/bin/python3
"""Lists what a screen reader finds of one application on the session's
accessibility bus: one line an object, indented by depth, as
"role|name|value" (the value only where the object has a number).
Waits until the application is there."""
import sys
import time

import pyatspi


def application(name, patience):
    deadline = time.monotonic() + patience
    while time.monotonic() < deadline:
        desktop = pyatspi.Registry.getDesktop(0)
        for app in desktop:
            if app is not None and app.name == name:
                return app
        time.sleep(0.2)
    return None


def value_of(node):
    try:
        return "%g" % node.queryValue().currentValue
    except NotImplementedError:
        return ""


def walk(node, depth, out):
    if not node.getState().contains(pyatspi.STATE_SHOWING):
        return
    out.append("%s%s|%s|%s" % ("  " * depth, node.getRoleName(), node.name, value_of(node)))
    for child in node:
        if child is not None:
            walk(child, depth + 1, out)


def main():
    app = application(sys.argv[1], float(sys.argv[2]) if len(sys.argv) > 2 else 20)
    if app is None:
        print("no application named %s" % sys.argv[1], file=sys.stderr)
        return 1
    out = []
    for window in app:
        walk(window, 0, out)
    print("\n".join(out))
    return 0


if __name__ == "__main__":
    sys.exit(main())
