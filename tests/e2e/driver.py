#!/usr/bin/python3
"""Drives Stripewell in a real X server as a person would, and checks what
comes out of it.

Everything goes through xdotool (keys and mouse) and what a person can read
back: the clipboard (xclip), the saved files and screenshots (ImageMagick's
import). Every picture is handed to two independent bar code readers,
ZXingReader as is and zbarimg after a 2x nearest-pixel enlargement.

Usage: /usr/bin/python3 tests/e2e/driver.py path/to/stripewell WORK_DIR
Needs DISPLAY to name a running X server with a window manager (tests/e2e/e2e.sh).
Prints one PASS or FAIL line per check, the figures of the run, and ends with
"N passed, M failed"; exits non-zero on any failure.
"""

import os
import random
import signal
import subprocess
import sys
import time
from pathlib import Path

from PIL import Image

# Codes printed on real goods and books, and common sample codes.
OUTSIDE_CODES = [
    "4901234567894", "9780306406157", "3017620422003", "0012345678905", "5000112637922",
    "8711000003053", "7622210449283", "6901234567892", "2112345678900", "1234567890128",
    "9780201633610", "4006381333931", "5901234123457",
]

MAIN_TITLE = "Stripewell"
VIEW_TITLE = "Stripewell - 拡大図"
PRINT_TITLE = "印刷"
SAVE_TITLE = "ジャンコードの保存"
PICTURE_SIZE = (135, 87)
WAIT = 10  # seconds to wait for what must follow an action; a busy machine is slow

# Where a person points in the main window (client coordinates).
TEXT2, TEXT1, TEXT3 = (138, 17), (86, 37), (222, 37)
CHECK1, CHECK2 = (16, 60), (16, 80)
ZOOM, COPY, SAVE = (192, 120), (192, 144), (192, 168)
PICTURE = (76, 136)
# The enlarged view's picture inside its 2-pixel border.
VIEW_PICTURE = (2, 2, 272, 176)


def check_digit(first12):
    """The EAN-13 check digit: weights 1 and 3 from the left, modulo 10."""
    total = sum(int(d) * (3 if i % 2 else 1) for i, d in enumerate(first12))
    return str(-total % 10)


def generated_codes():
    """One code for every leading digit, the rest drawn from a fixed seed."""
    rng = random.Random(20240607)
    codes = []
    for lead in "0123456789":
        first12 = lead + "".join(rng.choice("0123456789") for _ in range(11))
        codes.append(first12 + check_digit(first12))
    return codes


class Fatal(Exception):
    """A step after which the run cannot go on."""


def stopped(signum, frame):
    raise Fatal("the run was stopped from outside (out of time?)")


def run(*cmd, timeout=10):
    try:
        return subprocess.run(cmd, capture_output=True, timeout=timeout)
    except subprocess.TimeoutExpired:
        return subprocess.CompletedProcess(cmd, 124, b"", b"timed out")


def poll(probe, seconds, interval=0.05):
    """Calls probe until it returns something true; returns its last result."""
    end = time.monotonic() + seconds
    while True:
        result = probe()
        if result or time.monotonic() > end:
            return result
        time.sleep(interval)


# --- the person at the keyboard -------------------------------------------

def xdotool(*args):
    result = run("xdotool", *args)
    if result.returncode != 0:
        raise Fatal(f"xdotool {' '.join(args)} failed: {result.stderr.decode().strip()}")


def keys(*names):
    xdotool("key", "--delay", "20", *names)


def type_text(text):
    xdotool("type", "--delay", "12", text)


def click(window, spot, count=1):
    xdotool("mousemove", "--window", window, str(spot[0]), str(spot[1]),
            "click", "--repeat", str(count), "--delay", "60", "1",
            "mousemove", "1", "1")  # and rest the pointer outside the windows


def clipboard(target):
    result = run("xclip", "-selection", "clipboard", "-t", target, "-o")
    return result.stdout if result.returncode == 0 and result.stdout else None


def clipboard_owned_since():
    """When the clipboard's owner took it: every new Copy changes it."""
    return clipboard("TIMESTAMP")


def clipboard_text():
    data = clipboard("UTF8_STRING")
    return data.decode("utf-8", "replace") if data else None


def copy_selection():
    """Select all and copy in the focused box; returns the clipboard's text."""
    keys("ctrl+a", "ctrl+c")
    return clipboard_text()


def windows_titled(title):
    result = run("xdotool", "search", "--onlyvisible", "--name", f"^{title}$")
    return result.stdout.decode().split()


def window_name(window):
    return run("xdotool", "getwindowname", window).stdout.decode().strip()


def active_window():
    return run("xdotool", "getactivewindow").stdout.decode().strip()


def above(window):
    return b"_NET_WM_STATE_ABOVE" in run("xprop", "-id", window, "_NET_WM_STATE").stdout


def client_size(window):
    info = run("xwininfo", "-id", window).stdout.decode()
    fields = dict(line.strip().split(": ", 1) for line in info.splitlines() if ": " in line)
    return int(fields.get("Width", 0)), int(fields.get("Height", 0))


def screenshot(window, path):
    run("import", "-window", window, f"png:{path}")
    return picture_of(path)


# --- the readers ------------------------------------------------------------

def zxing(path, *options):
    return run("ZXingReader", "-format", "EAN-13", *options, str(path)).stdout.decode()


def zxing_code(path):
    return zxing(path, "-bytes").strip()


def zbar_code(path, enlarged):
    run("convert", str(path), "-filter", "point", "-resize", "200%", enlarged)
    return run("zbarimg", "-q", "--raw", "-Sdisable", "-Sean13.enable", enlarged).stdout.decode().strip()


def picture_of(path):
    """The picture in an image file as RGB, or None when it cannot be read."""
    try:
        with Image.open(path) as image:
            return image.convert("RGB")
    except (OSError, ValueError):
        return None


def pixels(path):
    picture = picture_of(path)
    return picture.tobytes() if picture else None


def enlarged(picture):
    """The picture twice as large, every pixel a 2x2 block."""
    return picture.resize((2 * picture.width, 2 * picture.height), Image.NEAREST)


class Run:
    def __init__(self, program, work):
        self.program = program
        self.work = work
        self.out = work / "saved"
        self.images = work / "images"
        self.out.mkdir()
        self.images.mkdir()
        self.passed = self.failed = 0
        self.codes = set()
        self.images_read = 0
        self.read_as_expected = {("ZXingReader", True): 0, ("zbarimg", True): 0,
                                 ("ZXingReader", False): 0, ("zbarimg", False): 0}
        self.images_to = {True: 0, False: 0}  # to decode, to refuse
        self.process = None
        self.main = None
        self.name = ""  # what Text2 holds
        self.saved = set()

    # --- bookkeeping ---

    def check(self, what, ok, seen=None):
        print(f"{'PASS' if ok else 'FAIL'}: {what}" + ("" if ok or seen is None else f" (saw {seen!r})"),
              flush=True)
        if ok:
            self.passed += 1
        else:
            self.failed += 1
        return ok

    def say(self, text):
        print(f"e2e: {text}", flush=True)

    def read(self, label, path, code):
        """Hands one picture to both readers: they must read code, or refuse
        it when code is None."""
        self.images_read += 1
        self.images_to[code is not None] += 1
        enlarged = self.images / f"{Path(path).name}-2x.png"
        found = {"ZXingReader": zxing_code(path), "zbarimg": zbar_code(path, enlarged)}
        for reader, text in found.items():
            ok = text == (code or "")
            self.read_as_expected[reader, code is not None] += ok
            if code is None:
                self.check(f"{label}: {reader} refuses it", ok, text)
            else:
                self.check(f"{label}: {reader} reads {code}", ok, text or "nothing")

    # --- the program ---

    def start(self):
        env = dict(os.environ, QT_QPA_PLATFORM="xcb",
                   LSAN_OPTIONS=f"suppressions={Path(__file__).resolve().parent.parent / 'lsan.supp'}"
                                ":print_suppressions=0",
                   XDG_CONFIG_HOME=str(self.work / "config"), XDG_CACHE_HOME=str(self.work / "cache"),
                   XDG_DATA_HOME=str(self.work / "data"))
        for name in ("WAYLAND_DISPLAY", "QT_SCALE_FACTOR", "QT_SCREEN_SCALE_FACTORS"):
            env.pop(name, None)
        self.say(f"starting {self.program}")
        self.log = open(self.work / "program.log", "wb")
        self.process = subprocess.Popen([self.program], cwd=self.work, env=env,
                                        stdout=self.log, stderr=subprocess.STDOUT)
        found = poll(lambda: windows_titled(MAIN_TITLE), 15, 0.1)
        if not found:
            raise Fatal(f"no visible window titled {MAIN_TITLE} within 15 s")
        self.main = found[0]
        if not poll(lambda: active_window() == self.main, WAIT):
            raise Fatal("the main window did not become active")
        self.check(f"the window titled {MAIN_TITLE} is shown and active (id {self.main})", True)

    def close(self):
        for _ in range(3):  # a busy machine may lose the first request
            run("xdotool", "windowactivate", "--sync", self.main, "key", "alt+F4")
            if poll(lambda: self.process.poll() is not None, 5):
                break
        status = self.process.poll()
        self.check("Alt+F4 closes the program, which exits with status 0", status == 0,
                   "still running" if status is None else f"status {status}")

    def stop(self):
        if self.process and self.process.poll() is None:
            self.process.terminate()
            try:
                self.process.wait(3)
            except subprocess.TimeoutExpired:
                self.process.kill()
                self.process.wait()
        if self.process:
            self.log.close()

    def program_log(self):
        return (self.work / "program.log").read_text(errors="replace") if self.process else ""

    # --- steps a person takes ---

    def enter_code(self, name, code):
        """Name into Text2, Enter, the twelve digits into Text1 (all selected by the Enter)."""
        click(self.main, TEXT2)
        keys("ctrl+a")
        type_text(name)
        self.name = name
        keys("Return")
        type_text(code[:12])

    def box_text(self, spot, expected):
        """What a box holds, as select-all and copy put it on the clipboard;
        expected only bounds the wait."""
        click(self.main, spot)
        poll(lambda: copy_selection() == expected, WAIT, 0.1)
        return clipboard_text()

    def check_boxes(self, label, name, code):
        if name is not None:
            seen = self.box_text(TEXT2, name)
            self.check(f"{label}: Text2 holds exactly the typed name", seen == name, seen)
        seen = self.box_text(TEXT1, code[:12])
        self.check(f"{label}: Text1 holds exactly the twelve digits", seen == code[:12], seen)
        seen = self.box_text(TEXT3, code[12])
        self.check(f"{label}: Text3 holds the check digit {code[12]}", seen == code[12], seen)

    def copy(self, label, code, how="click"):
        """Copy, then reads back the clipboard's PNG and BMP; returns the picture."""
        before = clipboard_owned_since()
        if how == "click":
            click(self.main, COPY)
        else:
            keys(*how.split())
        png = poll(lambda: clipboard_owned_since() != before and clipboard("image/png"), WAIT)
        if not self.check(f"{label}: Copy puts a picture on the clipboard anew, as image/png", bool(png)):
            return None
        bmp = clipboard("image/bmp")
        stem = self.images / f"{label}-clipboard"
        Path(f"{stem}.png").write_bytes(png)
        Path(f"{stem}.bmp").write_bytes(bmp or b"")
        picture = picture_of(f"{stem}.png")
        if not self.check(f"{label}: the clipboard picture is {PICTURE_SIZE[0]}x{PICTURE_SIZE[1]}",
                          picture is not None and picture.size == PICTURE_SIZE, picture and picture.size):
            return None
        self.read(f"{label} clipboard image/png", f"{stem}.png", code)
        if self.check(f"{label}: the clipboard offers image/bmp too", bool(bmp)):
            same = pixels(f"{stem}.bmp") == picture.tobytes()
            self.check(f"{label}: the clipboard's BMP shows the same picture as its PNG", same)
            self.read(f"{label} clipboard image/bmp", f"{stem}.bmp", code)
        return picture

    def open_view(self, label, how):
        if how == "enter":  # Enter in Text1 goes to Text3, Enter there to Zoom
            click(self.main, TEXT1)
            keys("Return", "Return", "space")
        elif how == "double-click":
            click(self.main, PICTURE, count=2)
        elif how == "button":
            click(self.main, ZOOM)
        else:
            keys(*how.split())
        found = poll(lambda: windows_titled(VIEW_TITLE), WAIT)
        if not self.check(f"{label}: a window titled {VIEW_TITLE!r} opens ({how})", bool(found)):
            raise Fatal("no enlarged view")
        view = found[0]
        if not poll(lambda: active_window() == view, WAIT):
            raise Fatal("the enlarged view did not become active")
        return view

    def zoom(self, label, code, how, picture, topmost=False):
        """Opens the enlarged view, checks it shows picture (when known)
        exactly twice as large and reads it, then closes it with Alt+F4.
        Returns what the view showed."""
        view = self.open_view(label, how)
        self.check(f"{label}: the view is titled exactly {VIEW_TITLE!r}", window_name(view) == VIEW_TITLE,
                   window_name(view))
        self.check(f"{label}: the view's client area is 274x179", client_size(view) == (274, 179),
                   client_size(view))
        self.check(f"{label}: the view is {'' if topmost else 'not '}kept on top (_NET_WM_STATE_ABOVE)",
                   above(view) == topmost)
        shot, crop = self.work / "shot.png", self.images / f"{label}-view.png"

        def view_picture():  # what the view shows once it is painted (black and white)
            image = screenshot(view, shot)
            shown = image and image.crop(VIEW_PICTURE)
            painted = shown and len(shown.getcolors(4) or ()) > 1
            return painted and (picture is None or shown.tobytes() == enlarged(picture).tobytes()) and shown
        shown = poll(view_picture, WAIT, 0.1)
        if not shown:  # kept for the readers and the checks below, which will tell
            shown = (screenshot(view, shot) or Image.new("RGB", (274, 179))).crop(VIEW_PICTURE)
        shown.save(crop)
        if picture is not None:
            self.check_twice(label, shown, picture)
        self.read(f"{label} enlarged view", crop, code)
        keys("alt+F4")
        gone = poll(lambda: not windows_titled(VIEW_TITLE), WAIT)
        self.check(f"{label}: Alt+F4 closes the view", gone)
        if not gone:
            raise Fatal("the enlarged view stays open")
        self.check(f"{label}: the main window is active again",
                   poll(lambda: active_window() == self.main, WAIT))
        self.check(f"{label}: the main window is {'still ' if topmost else 'not '}kept on top",
                   above(self.main) == topmost)
        return shown

    def check_twice(self, label, shown, picture):
        self.check(f"{label}: the view shows the copied picture exactly twice as large",
                   shown.tobytes() == enlarged(picture).tobytes())

    def open_save_dialog(self, label, how="click"):
        if how == "click":
            click(self.main, SAVE)
        else:
            keys(*how.split())
        found = poll(lambda: windows_titled(SAVE_TITLE), WAIT)
        if not self.check(f"{label}: Save opens the dialog titled {SAVE_TITLE!r}", bool(found)):
            raise Fatal("no save dialog")
        # The dialog is ready once select-all and copy in its name field work.
        seen = poll(lambda: copy_selection() == self.name, WAIT, 0.1)
        self.check(f"{label}: the dialog's name field starts with Text2's text {self.name!r}", seen,
                   clipboard_text())

    def save(self, label, code, typed, all_files, picture, how="click"):
        """Save: the dialog opens with the name from Text2; a filter is chosen
        with the keyboard and a full path typed into the name field."""
        self.open_save_dialog(label, how)
        if all_files:  # the filter box follows the name field; its second entry takes all files
            keys("Tab", "Down", "shift+Tab")
        keys("ctrl+a")
        path = self.out / typed
        type_text(str(path))
        keys("Return")
        self.check(f"{label}: the dialog closes", poll(lambda: not windows_titled(SAVE_TITLE), WAIT))
        if not all_files and not typed.lower().endswith(".bmp"):
            path = self.out / f"{typed}.bmp"
        self.saved.add(path.name)
        filter_name = "all files" if all_files else "bitmap"
        if not self.check(f"{label}: typing {typed!r} under the {filter_name} filter saves {path.name!r}",
                          poll(lambda: path.exists(), WAIT), sorted(p.name for p in self.out.iterdir())):
            return
        self.check_bmp(path, f"{label}: {path.name}")
        if picture is not None:
            self.check(f"{label}: {path.name} holds the picture that was copied",
                       pixels(path) == picture.tobytes())
        self.read(f"{label} saved {path.name}", path, code)

    def replace(self, label, code, picture, typed):
        """Saving under the bitmap filter as typed, a name that exists only
        once .bmp is added: the dialog has nothing to ask, the program asks
        (the dialog's own question would carry the dialog's title); No keeps
        the file, Yes replaces it."""
        path = self.out / f"{typed}.bmp"
        kept = path.read_bytes()
        for answer in ("Escape", "alt+y"):
            self.say(f"{label}: saving as {typed!r} under the bitmap filter, answering {answer}")
            self.open_save_dialog(label)
            keys("ctrl+a")
            type_text(str(self.out / typed))
            keys("Return")
            found = poll(lambda: [w for w in windows_titled(MAIN_TITLE) if w != self.main], WAIT)
            if not self.check(f"{label}: a question titled {MAIN_TITLE!r} appears", bool(found)):
                raise Fatal("no question about replacing the file")
            question = found[0]
            self.check(f"{label}: the save dialog has closed before it", not windows_titled(SAVE_TITLE))
            if not poll(lambda: active_window() == question, WAIT):
                raise Fatal("the question did not become active")
            keys(answer)
            closed = poll(lambda: question not in windows_titled(MAIN_TITLE), WAIT)
            self.check(f"{label}: the question closes", closed)
            if answer == "Escape":
                time.sleep(0.3)  # a wrongly written file would be there by now
                self.check(f"{label}: answering No keeps {path.name} as it was", path.read_bytes() == kept)
        replaced = poll(lambda: pixels(path) == picture.tobytes(), WAIT)
        self.check(f"{label}: answering Yes replaces {path.name} with the current picture", replaced)
        self.check_bmp(path, f"{label}: {path.name}")
        self.read(f"{label} replaced {path.name}", path, code)

    def check_bmp(self, path, label):
        """A Windows BMP of 135x87 at 96 dpi, as Pillow reads it whatever the name."""
        try:
            with Image.open(path) as image:
                image.load()
                seen = (image.format, image.size, tuple(round(d) for d in image.info.get("dpi", (0, 0))))
        except (OSError, ValueError) as error:
            seen = str(error)
        self.check(f"{label} is a BMP of {PICTURE_SIZE[0]}x{PICTURE_SIZE[1]} at 96 dpi",
                   seen == ("BMP", PICTURE_SIZE, (96, 96)), seen)

    # --- the scenes ---

    def automatic_check_digits(self, codes):
        """Every code typed with the check digit left to the program; each is
        copied, zoomed and saved, walking the ways to do so in turn."""
        zooms = ["enter", "double-click", "button"]
        saves = [("{}-bitmap", False), ("{}-any.png", True), ("{}-bitmap.BMP", False), ("{}-any", True)]
        for i, code in enumerate(codes):
            label, name = f"c{i:02d}", f"Item {i:02d} {code[:3]}"
            self.say(f"{label}: typing {name!r} and {code[:12]}")
            self.codes.add(code)
            self.enter_code(name, code)
            picture = self.copy(label, code)
            self.zoom(label, code, zooms[i % len(zooms)], picture)
            self.check_boxes(label, name, code)
            pattern, all_files = saves[i % len(saves)]
            self.save(label, code, pattern.format(label), all_files, picture)
        if picture is not None:  # the last code's picture replaces the first code's file
            self.replace("r1", codes[-1], picture, "c00-bitmap")

    def typed_check_digits(self, right, wrong):
        """Check1 off: the twelfth digit moves on to Text3, and the typed check
        digit is used as is."""
        self.say("clicking Check1 off: check digits are typed by hand")
        click(self.main, CHECK1)
        self.codes.update([right, wrong])

        other = str((int(right[12]) + 1) % 10)
        self.say(f"m1: typing {other} into Text3, then {right[:12]} into Text1 and {right[12]}")
        click(self.main, TEXT3)
        keys("ctrl+a")
        type_text(other)
        click(self.main, TEXT1)
        keys("ctrl+a")
        type_text(right)  # the thirteenth digit lands in Text3, replacing its text
        self.copy("m1", right)
        self.check_boxes("m1", None, right)

        bad = str((int(wrong[12]) + 5) % 10)
        self.say(f"m2: typing {wrong[:12]} and then the wrong check digit {bad}")
        click(self.main, TEXT1)
        keys("ctrl+a")
        type_text(wrong[:12] + bad)
        picture = self.copy("m2", None)
        self.check_boxes("m2", None, wrong[:12] + bad)
        errors = zxing(self.images / "m2-clipboard.png", "-errors")
        self.check("m2: the symbol carries the wrong check digit (ZXingReader -errors sees a checksum error)",
                   f'"{wrong[:12] + bad}"' in errors and "ChecksumError" in errors, errors)
        self.save("m2", None, "m2-wrong", False, picture)

        self.say(f"m3: Enter in Text1, the right check digit {wrong[12]}, Enter and space")
        click(self.main, TEXT1)
        keys("Return")
        type_text(wrong[12])
        shown = self.zoom("m3", wrong, "Return space", None)
        picture = self.copy("m3", wrong)
        if picture is not None:
            self.check_twice("m3", shown, picture)
        self.check_boxes("m3", None, wrong)

        self.say("m4: the wrong digit again, then Check1 on with Tab and space from Text2")
        click(self.main, TEXT3)
        keys("ctrl+a")
        type_text(bad)
        self.copy("m4 wrong", None)
        click(self.main, TEXT2)
        keys("Tab", "Tab", "Tab", "space")
        self.copy("m4", wrong)
        self.say(f"m4: typing {bad} into the read-only Text3")
        click(self.main, TEXT3)
        keys("ctrl+a")
        type_text(bad)
        seen = self.box_text(TEXT3, wrong[12])
        self.check("m4: Text3 takes no typing while Check1 is checked", seen == wrong[12], seen)
        self.copy("m4 after typing", wrong)
        self.check_boxes("m4", None, wrong)

    def keep_on_top(self, code):
        """Check2 by Tab and space; the enlarged view follows it; the main
        window keeps it and takes keyboard input after the view closes."""
        self.codes.add(code)
        name = "Top 1"
        self.say(f"t1: typing {name!r}, Tab, {code[:12]}, Tab x3 to Check2 and space")
        click(self.main, TEXT2)
        keys("ctrl+a")
        type_text(name)
        self.name = name
        keys("Tab")
        type_text(code[:12])
        keys("Tab", "Tab", "Tab", "space")
        self.check("t1: the main window gets _NET_WM_STATE_ABOVE", poll(lambda: above(self.main), WAIT))
        self.say("t1: Tab to Zoom and space")
        keys("Tab")
        shown = self.zoom("t1", code, "space", None, topmost=True)
        self.say("t1: the view closed; Tab to Copy and space, Tab to Save and space")
        picture = self.copy("t1", code, how="Tab space")
        if picture is not None:
            self.check_twice("t1", shown, picture)
        self.save("t1", code, "t1-any.bmp", True, picture, how="Tab space")
        self.check_boxes("t1", name, code)
        self.zoom("t2", code, "double-click", picture, topmost=True)
        self.say("t2: clicking Check2 off")
        click(self.main, CHECK2)
        self.check("t2: _NET_WM_STATE_ABOVE leaves the main window", poll(lambda: not above(self.main), WAIT))

    def print_dialog(self):
        """Ctrl+P opens the print dialog over the main window; Esc closes it
        and the main window takes the keyboard again."""
        self.say("p1: Ctrl+P, then Esc")
        click(self.main, TEXT2)
        keys("ctrl+p")
        found = poll(lambda: windows_titled(PRINT_TITLE), WAIT)
        self.check(f"p1: Ctrl+P shows a window titled {PRINT_TITLE}", bool(found))
        if not found:
            return
        self.check("p1: the print dialog has the keyboard", poll(lambda: active_window() == found[0], WAIT))
        keys("Escape")
        self.check("p1: Esc closes it", poll(lambda: not windows_titled(PRINT_TITLE), WAIT))
        self.check("p1: the main window is active again", poll(lambda: active_window() == self.main, WAIT))

    def everything(self):
        self.start()
        self.automatic_check_digits(OUTSIDE_CODES[:10] + generated_codes())
        self.typed_check_digits(OUTSIDE_CODES[10], OUTSIDE_CODES[11])
        self.keep_on_top(OUTSIDE_CODES[12])
        self.print_dialog()
        extra = sorted(set(p.name for p in self.out.iterdir()) - self.saved)
        self.check("no other file was saved", not extra, extra)
        self.close()


def main():
    program, work = sys.argv[1], Path(sys.argv[2])
    bad = [code for code in OUTSIDE_CODES if check_digit(code[:12]) != code[12]]
    if bad:
        sys.exit(f"e2e: these listed codes are not valid EAN-13 codes: {bad}")
    leads = {code[0] for code in OUTSIDE_CODES[:10] + generated_codes()}
    assert leads == set("0123456789"), leads

    # Ended from outside (e2e.sh's time limit or trap): stop the program, then report.
    signal.signal(signal.SIGTERM, stopped)
    started = time.monotonic()
    e2e = Run(program, work)
    try:
        e2e.everything()
    except Fatal as error:
        e2e.check(str(error), False)
    finally:
        e2e.stop()
    done = e2e.read_as_expected
    print(f"e2e: codes tried: {len(e2e.codes)}; images read back: {e2e.images_read}")
    print(f"e2e: decoded as expected: ZXingReader {done['ZXingReader', True]}, "
          f"zbarimg {done['zbarimg', True]} of {e2e.images_to[True]}; wrong check digit refused: "
          f"ZXingReader {done['ZXingReader', False]}, zbarimg {done['zbarimg', False]} "
          f"of {e2e.images_to[False]}")
    print(f"e2e: wall time {time.monotonic() - started:.1f} s")
    if e2e.failed:
        print("--- program.log:\n" + e2e.program_log())
    print(f"{e2e.passed} passed, {e2e.failed} failed")
    return 1 if e2e.failed else 0


if __name__ == "__main__":
    sys.exit(main())
