#!/usr/bin/python3
"""A screen reader's hands for the window tests.

Reads one command per line on standard input, works the application named
on the command line through AT-SPI only, and answers each command with one
JSON line on standard output:

  items [TITLE]           a window's template items, each group box
                          followed by the controls it holds, as the screen
                          reader sees them (role, name, states, relations);
                          the main window, or the one whose title starts
                          with TITLE
  menu                    the main window's menu bar, its menus and their
                          items, depth first
  do ROLE|NAME|ACTION[|TITLE]
                          runs an action on the one shown item with that
                          role and name
  menu-do NAME|ACTION     runs an action on the menu item with that name
  type TEXT               types TEXT on the keyboard
  key KEYSYM              presses and releases one key (e.g. Return)
"""
import json
import sys
import time

import pyatspi

WAIT_SECONDS = 30


def find_application(name):
    deadline = time.monotonic() + WAIT_SECONDS
    while time.monotonic() < deadline:
        for application in pyatspi.Registry.getDesktop(0):
            if application is not None and application.name == name:
                return application
        time.sleep(0.1)
    raise RuntimeError("no application " + name)


def window_named(application, title):
    for window in application:
        if window is not None and window.getRoleName() == "dialog" and window.name.startswith(
                title):
            return window
    raise RuntimeError("no window " + title)


def related_names(item, relation_type):
    names = []
    for relation in item.getRelationSet():
        if relation.getRelationType() == relation_type:
            names += [relation.getTarget(i).name for i in range(relation.getNTargets())]
    return names


def describe(item):
    states = item.getState()
    actions = []
    if "Action" in pyatspi.listInterfaces(item):
        action = item.queryAction()
        actions = [action.getName(i) for i in range(action.nActions)]
    return {
        "role": item.getRoleName(),
        "name": item.name,
        "description": item.description,
        "parent": item.parent.name if item.parent is not None else None,
        "showing": states.contains(pyatspi.STATE_SHOWING),
        "checked": states.contains(pyatspi.STATE_CHECKED),
        "actions": actions,
        "labelledBy": related_names(item, pyatspi.RELATION_LABELLED_BY),
        "labelFor": related_names(item, pyatspi.RELATION_LABEL_FOR),
    }


def tree_items(window):
    """The window's template items depth first: each group box, then the
    controls it holds. The menu bar is not one of them."""
    for item in window:
        if item is not None and item.getRoleName() == "menu bar":
            continue
        yield item
        if item is not None and item.getRoleName() == "panel":
            yield from item


def descendants(item):
    for child in item:
        if child is not None:
            yield child
            yield from descendants(child)


def menu_items(window):
    for item in window:
        if item is not None and item.getRoleName() == "menu bar":
            yield from descendants(item)


def do_action(items, role, name, action_name):
    matches = [item for item in items
               if item is not None and (role is None or item.getRoleName() == role)
               and item.name == name]
    if len(matches) != 1:
        raise RuntimeError("%d items are %s %r" % (len(matches), role, name))
    action = matches[0].queryAction()
    for i in range(action.nActions):
        if action.getName(i) == action_name:
            return action.doAction(i)
    raise RuntimeError("%s %r has no action %s" % (role, name, action_name))


def run(application_name):
    application = find_application(application_name)
    for line in sys.stdin:
        command, _, argument = line.rstrip("\n").partition(" ")
        try:
            if command == "items":
                window = window_named(application, argument or "Kupongen")
                answer = [describe(item) for item in tree_items(window)]
            elif command == "menu":
                window = window_named(application, "Kupongen")
                answer = [describe(item) for item in menu_items(window)]
            elif command == "do":
                role, name, action, *title = argument.split("|")
                window = window_named(application, title[0] if title else "Kupongen")
                shown = [item for item in tree_items(window)
                         if item is not None and item.getState().contains(pyatspi.STATE_SHOWING)]
                answer = do_action(shown, role, name, action)
            elif command == "menu-do":
                name, action = argument.split("|")
                window = window_named(application, "Kupongen")
                answer = do_action(menu_items(window), None, name, action)
            elif command == "type":
                pyatspi.Registry.generateKeyboardEvent(0, argument, pyatspi.KEY_STRING)
                answer = True
            elif command == "key":
                keysym = int(argument, 16)
                pyatspi.Registry.generateKeyboardEvent(keysym, None, pyatspi.KEY_SYM)
                answer = True
            else:
                raise RuntimeError("unknown command " + command)
            print(json.dumps({"ok": True, "answer": answer}), flush=True)
        except Exception as error:  # the test reports it
            print(json.dumps({"ok": False, "error": str(error)}), flush=True)


if __name__ == "__main__":
    run(sys.argv[1])
