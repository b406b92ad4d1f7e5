#!/usr/bin/python3
"""Drops files on an X window as a file manager does, by the XDND protocol,
so that Wine delivers them to the program as a real WM_DROPFILES.

Usage: xdnd-drop.py X Y PATH...   (X, Y: the drop point on the screen)"""
import sys
import time
import urllib.parse

from Xlib import X, Xatom, display
from Xlib.protocol import event

VERSION = 5
PATIENCE_S = 60


def main(argv):
    if len(argv) < 4:
        sys.exit(__doc__)
    x, y, paths = int(argv[1]), int(argv[2]), argv[3:]
    d = display.Display()
    root = d.screen().root
    atom = lambda name: d.intern_atom(name)
    uri_list = atom("text/uri-list")
    data = "".join("file://" + urllib.parse.quote(p) + "\r\n" for p in paths).encode()

    # The window under the point that takes drops: the deepest with XdndAware.
    target, window = None, root
    while window is not None:
        if window.get_full_property(atom("XdndAware"), X.AnyPropertyType):
            target = window
        under = None
        for child in reversed(window.query_tree().children):  # topmost first
            if child.get_attributes().map_state != X.IsViewable:
                continue
            geometry, point = child.get_geometry(), child.translate_coords(root, x, y)
            if 0 <= point.x < geometry.width and 0 <= point.y < geometry.height:
                under = child
                break
        window = under
    if target is None:
        sys.exit(f"xdnd-drop: no window at {x},{y} takes drops")

    source = root.create_window(0, 0, 1, 1, 0, X.CopyFromParent)
    source.set_selection_owner(atom("XdndSelection"), X.CurrentTime)

    def send(name, values):
        message = event.ClientMessage(window=target, client_type=atom(name), data=(32, values))
        target.send_event(message, event_mask=0)
        d.flush()

    send("XdndEnter", [source.id, VERSION << 24, uri_list, 0, 0])
    send("XdndPosition", [source.id, 0, (x << 16) | y, X.CurrentTime, atom("XdndActionCopy")])
    dropped = False
    deadline = time.monotonic() + PATIENCE_S
    while time.monotonic() < deadline:
        if not d.pending_events():
            time.sleep(0.01)
            continue
        e = d.next_event()
        if e.type == X.SelectionRequest:  # the target reads the file list
            if e.target == uri_list:
                e.requestor.change_property(e.property, uri_list, 8, data)
                prop = e.property
            else:
                prop = X.NONE
            reply = event.SelectionNotify(time=e.time, requestor=e.requestor, selection=e.selection,
                                          target=e.target, property=prop)
            e.requestor.send_event(reply, event_mask=0)
            d.flush()
        elif e.type == X.ClientMessage and e.client_type == atom("XdndStatus") and not dropped:
            if not e.data[1][1] & 1:
                sys.exit("xdnd-drop: the window refused the drop")
            send("XdndDrop", [source.id, 0, X.CurrentTime, 0, 0])
            dropped = True
        elif e.type == X.ClientMessage and e.client_type == atom("XdndFinished"):
            return 0
    sys.exit("xdnd-drop: " + ("the drop was never finished" if dropped else "the window never answered"))


if __name__ == "__main__":
    sys.exit(main(sys.argv))
