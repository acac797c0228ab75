#!/usr/bin/python3
"""What a screen reader finds in a running program, read from the AT-SPI tree.

    atspi_check.py bar <pid> <key pop-up text>...   the bar, closed, with icon-only keys
    atspi_check.py names <pid>                       every control of every window is named
    atspi_check.py focus <pid> <where> <command>...  each command (a key press, say) moves the
                                                     focus, and the program announces the control
                                                     that has it, by name

Prints PASS and FAIL lines; exits with the number of failed checks (77: no AT-SPI).
"""
import shlex
import subprocess
import sys
import time

try:
    import pyatspi
except ImportError:
    print("SKIP: python3-pyatspi is not installed", file=sys.stderr)
    sys.exit(77)

failed = 0

# Roles a person operates or reads as a control; frames, panels and fillers only hold them.
CONTROL_ROLES = {
    "push button", "toggle button", "check box", "radio button", "text", "entry",
    "password text", "scroll bar", "slider", "spin button", "list", "list box", "table",
    "tree", "tree table", "combo box", "page tab", "menu item", "page tab list",
}


def check(ok, what):
    global failed
    print(("PASS: " if ok else "FAIL: ") + what)
    if not ok:
        failed += 1


def application(pid, seconds=20):
    deadline = time.time() + seconds
    while time.time() < deadline:
        desktop = pyatspi.Registry.getDesktop(0)
        for app in desktop:
            try:
                if app is not None and app.get_process_id() == pid:
                    return app
            except Exception:
                pass
        time.sleep(0.2)
    return None


def walk(node, depth=0):
    yield node
    if depth > 30:
        return
    for i in range(node.childCount):
        child = node.getChildAtIndex(i)
        if child is not None:
            yield from walk(child, depth + 1)


def showing(node):
    return node.getState().contains(pyatspi.STATE_SHOWING)


def actions(node):
    try:
        action = node.queryAction()
    except NotImplementedError:
        return {}
    return {action.getName(i): (action, i) for i in range(action.nActions)}


def controls(app):
    return [n for n in walk(app) if n.getRoleName() in CONTROL_ROLES]


def check_named(app, where):
    unnamed = [f"{n.getRoleName()} in {n.parent.name or n.parent.getRoleName()}"
               for n in controls(app) if not n.name.strip()]
    check(not unnamed, f"{where}: every control has a name" +
          (f" (unnamed: {', '.join(sorted(set(unnamed))[:12])})" if unnamed else ""))
    design = [n.name for n in controls(app)
              if n.name.strip() and n.name.rstrip("0123456789_").rstrip("_") in
              ("Check", "Option", "Command", "Label", "Text", "HScroll", "Dir", "File", "Drive")]
    check(not design, f"{where}: no control is named after its design name {design[:5]}")


def wait_until(predicate, seconds=5):
    deadline = time.time() + seconds
    while time.time() < deadline:
        if predicate():
            return True
        time.sleep(0.1)
    return False


def check_bar(app, tips):
    check_named(app, "the bar")
    nodes = list(walk(app))
    keys = [n for n in nodes if n.getRoleName() == "push button" and n.name in tips]
    check(sorted(k.name for k in keys) == sorted(tips),
          f"icon-only keys are named by their pop-up texts ({len(keys)} of {len(tips)})")
    check(not any(showing(k) for k in keys), "no key of the closed bar is showing")
    see_through = [n for n in nodes if n.getRoleName() == "check box"]
    check("Check2" not in [n.name for n in see_through] and
          "See-through bar background" in [n.name for n in see_through],
          "the see-through box says what it does")
    handle = [n for n in nodes if n.name == "Open or close the bar"]
    check(len(handle) == 1 and handle[0].getRoleName() == "push button",
          "the handle is a button")
    for name in ("Dock the bar on the left side", "End Ombrix"):
        found = [n for n in nodes if n.name == name]
        check(len(found) == 1 and "Press" in actions(found[0]), f"'{name}' can be pressed")
    if handle and "Press" in actions(handle[0]):
        action, i = actions(handle[0])["Press"]
        action.doAction(i)
        check(wait_until(lambda: all(showing(k) for k in keys)),
              "pressing the handle opens the bar: its keys are showing")
    else:
        check(False, "the handle has a Press action")


def check_focus_announced(pid, where, commands):
    """Runs each command and waits for a focus event of the program's naming what has it."""
    from gi.repository import GLib
    events = []

    def heard(event):
        try:
            if event.detail1 == 1 and event.host_application.get_process_id() == pid:
                events.append((event.source.name, event.source.getRoleName()))
        except Exception:
            pass

    def listen(seconds, until=lambda: False):
        context = GLib.MainContext.default()
        deadline = time.time() + seconds
        while time.time() < deadline and not until():
            while context.pending():
                context.iteration(False)
            time.sleep(0.02)

    pyatspi.Registry.registerEventListener(heard, "object:state-changed:focused")
    listen(1)
    previous = None
    for command in commands:
        before = len(events)
        subprocess.run(shlex.split(command), timeout=20, check=False)
        listen(5, lambda: any(name.strip() for name, _ in events[before:]))
        named = [f"{role} '{name}'" for name, role in events[before:] if name.strip()]
        check(bool(named) and named[-1] != previous,
              f"{where}: after '{command}' the newly focused control is announced"
              f" ({named[-1] if named else 'nothing heard'}; before: {previous})")
        previous = named[-1] if named else previous
    pyatspi.Registry.deregisterEventListener(heard, "object:state-changed:focused")


def main():
    what, pid = sys.argv[1], int(sys.argv[2])
    app = application(pid)
    if app is None:
        check(False, f"process {pid} appears on the accessibility bus")
        return
    if what == "bar":
        check_bar(app, sys.argv[3:])
    elif what == "focus":
        check_focus_announced(pid, sys.argv[3], sys.argv[4:])
    else:
        check_named(app, what)


main()
sys.exit(min(failed, 76))
