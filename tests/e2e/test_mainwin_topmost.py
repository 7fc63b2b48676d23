#!/usr/bin/python3
"""The main window comes up at the screen's top-left corner, shows its bands and menu buttons,
and stays above another window that is opened over it and activated."""

import time

import fixtures
import screens
from harness import Session, check, check_equal, px, run_test, wait_until
from screens import MAIN_H, MAIN_W


def active_window(s):
    out = s.x("xprop", "-root", "_NET_ACTIVE_WINDOW")
    return int(out.split("#")[1].split(",")[0], 16) if "#" in out else None


def body(app_dir, artifacts):
    with Session("mainwin_topmost", app_dir, artifacts, prepare=fixtures.prepare_network) as s:
        s.start_qbx()
        main = s.wait_main_window()
        x, y, w, h = s.geometry(main)
        s.screenshot("started")
        check_equal((x, y), (0, 0), "main window position")
        # The face is 1785 x 8220 twips; a caption strip of the window's own may sit above it.
        check(px(MAIN_W) <= w <= px(1875) + 2 and px(MAIN_H) <= h <= px(8595) + 2,
              f"main window size {w}x{h}, expected about {px(MAIN_W)}x{px(MAIN_H)}")

        a = s.atspi
        app = s.app()
        main_rect = (x, y, w, h)
        texts = {n.name for n in a.find(app, showing=True, within=main_rect)}
        for wanted in ("Quillbox", "设置", "操作"):
            check(wanted in texts, f"{wanted!r} not shown on the main window; saw {sorted(texts)}")

        # Another program's window over the same corner, activated by the user.
        s.spawn("xmessage", ["xmessage", "-geometry", "400x300+0+0", "another window"])
        other = s.wait_window("xmessage")
        s.x("xdotool", "windowactivate", "--sync", str(other))
        wait_until(lambda: active_window(s) == other, 5, "the other window to become active")
        time.sleep(0.2)   # let the window manager restack after activation
        s.screenshot("other-window-activated")

        main_frame = s.frame_of(main)
        other_frame = s.frame_of(other)
        # The other window really lies over that corner: right of the main window it is seen.
        check_equal(s.window_at(x + w + 100, 150), other_frame, "window right of the main window")
        # Where both lie, the main window is the one shown.
        for point in ((x + w // 2, y + 10), (x + w // 2, y + 250)):
            check_equal(s.window_at(*point), main_frame, f"window shown at {point}")
        stack = s.stacking()
        if main in stack and other in stack:
            check(stack.index(main) > stack.index(other),
                  f"main window below the other one in the stacking order {stack}")
        check("_NET_WM_STATE_ABOVE" in s.net_wm_state(main) or main not in stack,
              f"main window not kept above: {s.net_wm_state(main)}")

        # The pop-up and the category window open over the other window too.
        face = screens.client_geometry(s, main)
        screens.open_popup(s, face, 2, arrow_on_right=True)
        popup = screens.wait_popup(s)
        px_, py_, pw_, ph_ = popup.rect
        check(px_ + pw_ <= 400 and py_ + ph_ <= 300,
              f"pop-up at {popup.rect} not over the other window; move the other window")
        point = (px_ + pw_ * 7 // 10, py_ + ph_ // 4)     # column 3, above its icon
        s.move_pointer(*point, steps=4)
        s.wiggle(*point)
        screens.wait_catwin(s)
        s.screenshot("popup-over-other-window")
        qbx_frames = {s.frame_of(w) for w in s.qbx_windows()}
        seen = s.window_at(*point)
        check(seen in qbx_frames and seen != other_frame,
              f"at {point} the screen shows window 0x{seen:x}, not the pop-up or category window")
        s.check_running()


if __name__ == "__main__":
    run_test(body)
