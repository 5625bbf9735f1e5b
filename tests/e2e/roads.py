"""The program in a real X server, used with the keyboard alone (keys), read as a screen
reader reads it (names), and started with a file to open (file). Run inside xsession.sh and
dbus-run-session:

    roads.py keys|names|file PROGRAM SOURCE_HEX EXPECTED_HEX WORK_DIR
"""
import atexit
import os
import shutil
import subprocess
import sys
import time

import pyatspi
from gi.repository import GLib

mode, program, source, expected, work = sys.argv[1:6]
opened, saved = f"{work}/generatore.hex", f"{work}/salvato.hex"


def poll(check, limit):
    end = time.monotonic() + limit
    while not (result := check()) and time.monotonic() < end:
        while GLib.MainContext.default().iteration(False):  # the screen reader's events
            pass
        time.sleep(0.05)
    return result


def until(check, what, limit=20):
    return poll(check, limit) or fail(f"{what}: not within {limit} s")


def fail(message):
    shot = f"{work}/failure.png"
    subprocess.run(["import", "-window", "root", shot])
    sys.exit(f"FAIL: {message} (the screen: {shot}, the program's output: {work}/program.log)")


def window(title):
    found = subprocess.run(["xdotool", "search", "--onlyvisible", "--name", title],
                           capture_output=True, text=True).stdout.split()
    return found[0] if found else None


def key(*keys):
    subprocess.run(["xdotool", "key", "--delay", "40", *keys], check=True)


def type_text(text):
    subprocess.run(["xdotool", "type", "--delay", "20", text], check=True)


def answer_file_dialog(title, path):
    until(lambda: window(title), f"a dialog titled '{title}'")
    key("ctrl+a")
    type_text(path)
    # The name field's completion list may take a Return for itself.
    if not any(key("Return") or poll(lambda: not window(title), 2) for _ in range(3)):
        fail(f"the dialog '{title}' did not take {path}")


def start(*arguments):
    shutil.rmtree(work, ignore_errors=True)
    os.makedirs(work)
    shutil.copyfile(source, opened)
    # A dark desktop style asked for: the window must keep its own look all the same.
    env = dict(os.environ, QT_QPA_PLATFORM="xcb", QT_LINUX_ACCESSIBILITY_ALWAYS_ON="1",
               QT_STYLE_OVERRIDE="Adwaita-Dark")
    app = subprocess.Popen([program, *arguments], env=env, cwd=work, stdout=open(f"{work}/program.log", "w"),
                           stderr=subprocess.STDOUT)
    atexit.register(app.kill)
    main = until(lambda: window("Personalizzazione Barre  Kelvo"), "the main window")
    with open(f"{work}/program.log") as log:
        if "invalid style override" in log.read():
            fail("the dark style Adwaita-Dark is not installed (adwaita-qt6): the check below would prove nothing")
    subprocess.run(["xdotool", "windowactivate", "--sync", main])
    # Between the two text groups the window shows its own button face.
    pixel = subprocess.run(["import", "-window", main, "-crop", "1x1+530+320", "-depth", "8", "txt:-"],
                           capture_output=True, text=True).stdout
    if "#ECE9D8" not in pixel:
        fail(f"the window does not keep its own colours under a dark style: {pixel}")
    return app


def keys_road():
    app = start()
    key("ctrl+o")
    answer_file_dialog("Apertura File", opened)
    # Back from the dialog, the focus is on the first control or on none: Shift+Tab goes
    # to the last one either way, Tab from there to the frames' one stop, frame 6; then 12.
    key("shift+Tab", "Tab", "Down", "Left", "Left")
    # Tab goes on to the call sign and selects it all, so typing replaces it.
    key("Tab")
    type_text("Q0TEST")
    # The call sign's background: black to red.
    key("Tab", "space", "Down", "Down", "Return")
    # The sliding text's background, red: Escape, then Enter on the Cancell button keep it,
    # as the next opening shows; then cyan.
    key("Tab", "Tab", "Tab", "space", "Down", "Escape", "space", "Up", "Tab", "Tab", "Return",
        "space", "Down", "Down", "Down", "Return")
    key("ctrl+s")
    answer_file_dialog("Scrittura File", saved)
    until(lambda: os.path.exists(saved), f"the file {saved}")
    # The preview comes up beside the window and leaves it the keyboard: Ctrl+X still ends
    # the program.
    key("ctrl+shift+p")
    until(lambda: window("^Anteprima$"), "the preview")
    key("ctrl+x")
    until(lambda: app.poll() is not None, "the end of the program")
    with open(expected, "rb") as file:  # written with CR LF, and none after the last line
        want = b"\r\n".join(file.read().splitlines())
    with open(saved, "rb") as file:
        got = file.read()
    if app.returncode != 0 or got != want:
        fail(f"exit status {app.returncode}; saved:\n{got.decode()}\nexpected:\n{want.decode()}")
    # The dialogs remember nothing: the program keeps no settings, Qt's own neither.
    left = [name for name in os.listdir(os.environ["XDG_CONFIG_HOME"]) if name.endswith(".conf")]
    if left:
        fail(f"settings written: {left}")


def described(accessible, showing=False):
    """Role, name, states and labels of the object and of all within it (all on screen),
    but those going away. A drop-down list's name is its entry; what it sets, its labels say."""
    try:
        role, states = accessible.getRoleName(), accessible.getState().getStates()
        labels = [target.name for relation in accessible.getRelationSet() if role == "combo box"
                  and relation.getRelationType() == pyatspi.RELATION_LABELLED_BY
                  for target in map(relation.getTarget, range(relation.getNTargets()))]
        found = role, accessible.name, {pyatspi.stateToString(state) for state in states}, labels
        if showing and "showing" not in found[2]:
            return
        yield found
        children = list(accessible)
    except (AttributeError, GLib.Error):
        return
    for child in children:
        yield from described(child, showing)


def ours():
    return [app for app in pyatspi.Registry.getDesktop(0) if app and app.name == "kelvo-barre"]


def seen(role, name, *states):
    """Whether the program shows an object of that role and name (or label) with the states
    named, and without those named with a leading minus."""
    for found in (found for app in ours() for found in described(app)):
        if found[0] == role and name in (found[1], *found[3]) and all(
                (state[1:] not in found[2]) if state[0] == "-" else (state in found[2]) for state in states):
            return True
    return False


CONTAINERS = {"application", "frame", "panel", "filler", "menu bar", "popup menu", "list", "tool bar",
              "scroll pane", "viewport", "split pane", "layered pane", "separator"}


def all_named(where):
    """Every control on screen has a name, and no two buttons, fields or menu entries share
    one, so that a screen reader can tell each from the others."""
    def nameless():
        shown = [found[:2] for app in ours() for found in described(app, True) if found[0] not in CONTAINERS]
        kinds = [found for found in shown if found[0] in ("push button", "check box", "radio button", "text",
                                                         "menu item")]
        return [found for found in shown if not found[1].strip()] + [k for k in set(kinds) if kinds.count(k) > 1]
    poll(lambda: not nameless(), 10) or fail(f"{where}: unnamed or alike to a screen reader: {nameless()}")


def expect(*rows):
    for row in rows:
        until(lambda: seen(*row), f"the screen reader's {row}")


def names_road():
    announced = []

    def heard(event):
        try:
            announced.append((event.source.getRoleName(), event.source.name))
        except GLib.Error:  # a dialog that is going away
            pass
    pyatspi.Registry.registerEventListener(heard, "object:property-change:accessible-name")
    app = start()
    until(ours, "the program on the screen reader's bus (AT-SPI)")
    expect(("status bar", "Cliccare sull' icona di sinistra per aprire il file "))
    key("ctrl+e")
    until(lambda: ("status bar", "Click on left icon to open the file") in announced,
          "the status panel's new text announced")
    key("ctrl+o")
    answer_file_dialog("Open File", opened)
    # To the frames' one tab stop, the current frame; the arrows stop at every edge.
    key("shift+Tab", "Tab")
    expect(("status bar", opened),
           ("check box", "Frame 6", "checked", "focusable", "focused"),
           ("check box", "Frame 16", "-checked", "-focusable"),
           ("image", "Red"), ("image", "Black"),
           ("text", "Click and digit the Sliding Text"), ("text", "Click and digit CALL"),
           ("push button", "Background Color of the Sliding Text"), ("combo box", "Speed of the Sliding Text"),
           ("push button", "Background Color of the Call Sign"), ("combo box", "Height of the Call Sign"),
           ("combo box", "Height of the Sliding Text"))
    all_named("the window with a file open")
    for keys, frame in ((["Left"] * 6, 1), (["Down"] * 2, 9), (["Up"] * 2, 1), (["Right"] * 8, 8)):
        key(*keys)
        expect(("check box", f"Frame {frame}", "checked", "focused"))
    key("Tab", "Tab", "space")  # the call sign's palette
    expect(("panel", "Background Color of the Call Sign", "showing"),
           ("radio button", "Black", "checked", "focusable", "focused"),
           ("radio button", "White", "-checked", "-focusable"))
    all_named("the palette")  # not the highlight's outlines: the checked state says it
    key("Escape", "ctrl+i")
    expect(("status bar", opened), ("check box", "Quadro 8", "checked"),
           ("image", "Rosso"), ("image", "Nero"), ("radio button", "Bianco"),
           ("text", "Cliccare e digitare il Nominativo"), ("push button", "Colore Sfondo del Nominativo"),
           ("push button", "Colore Sfondo del Testo Scorrevole"), ("combo box", "Velocità del Testo Scorrevole"),
           ("combo box", "Altezza del Testo Scorrevole"), ("combo box", "Altezza del Nominativo"))
    key("alt", "Return")  # the File menu, from the keyboard
    expect(("menu item", "Voce vuota", "showing", "enabled"), ("menu item", "Esci", "showing"))
    all_named("the File menu")
    key("Escape", "Escape")
    expect(("menu item", "Voce vuota", "-showing"))
    key("ctrl+shift+p")
    expect(("image", "Anteprima del quadro"))
    all_named("the window with the preview open")
    said = next(found.description for found in pyatspi.findAllDescendants(
        next(a for a in pyatspi.Registry.getDesktop(0) if a and a.name == "kelvo-barre"),
        lambda o: o.name == "Anteprima del quadro"))
    if said != "Quadro 8: banda nera in alto, barre, nominativo N0CALL su nero in basso":
        fail(f"the preview is described as: {said}")
    # A middle click pastes the X selection; a character the device cannot show is refused
    # there as everywhere else.
    subprocess.run(["xclip", "-selection", "primary"], input="xèy".encode(), check=True)
    box = next(found for app in ours()
               for found in pyatspi.findAllDescendants(app, lambda o: o.name == "Cliccare e digitare il Nominativo"))
    x, y, _, _ = box.queryComponent().getExtents(pyatspi.DESKTOP_COORDS)
    subprocess.run(["xdotool", "mousemove", str(x + 20), str(y + 10), "click", "2"], check=True)
    until(lambda: window("ATTENZIONE"), "the warning on a middle-click paste of 'è'")
    subprocess.run(["xdotool", "windowactivate", "--sync", window("ATTENZIONE")])
    key("Return")
    until(lambda: not window("ATTENZIONE"), "the warning answered")
    # Closed by its frame, the window ends the program, the preview open beside it or not.
    until(lambda: window("^Anteprima$"), "the preview still open")
    subprocess.run(["xdotool", "windowactivate", "--sync", window("Personalizzazione Barre  Kelvo")])
    key("alt+F4")
    until(lambda: app.poll() is not None, "the end of the program, the preview open")
    if app.returncode != 0:
        fail(f"exit status {app.returncode}")


def file_road():
    """A name relative to the current folder, as a terminal gives it; shown whole."""
    start(os.path.basename(opened))
    expect(("status bar", os.path.realpath(opened)), ("check box", "Quadro 6", "checked"), ("image", "Rosso"))


{"keys": keys_road, "names": names_road, "file": file_road}[mode]()
print(f"PASS: {mode}")
