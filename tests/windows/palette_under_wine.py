"""Glyphboard.exe end to end under wine, on a real (virtual) X display.

Run inside tools/wine-desktop.sh, which provides DISPLAY, WINEPREFIX and
WINE. The test starts an editor (notepad) and the palette with no Word, checks
that the palette is kept above other windows, clicks a cell and closes the
failure box with Cancel; registers the fake Word server (an out-of-process
COM server that logs every call); clicks every cell of the four panels and
every strip cell in view, one at a time; compares the fake's log with what
the palette's tables say each click types; checks that the editor is still
the active window; collapses and expands the
window; and ends the palette with its exit button, after which the fake
ends too. Last it starts the palette at 125 % and 150 % and checks that the
window is the design scaled whole. Before any cell is hovered it
takes a picture of each panel as the window shows it, for the panel picture
checks of the native build.

Usage: palette_under_wine.py <Glyphboard.exe> <fake_word_server.exe>
                             <palette_click_table.exe> <work dir> [<shots dir>]

Standard library only (Debian's /usr/bin/python3).
"""

import os
import shutil
import subprocess
import sys
import time

WINE = os.environ.get("WINE", "wine")
PANEL_OWNERS = {"Command3": "Picture1", "Command4": "Image1", "Command5": "Image2", "Command6": "Image3"}
# Picture1 in the window's client area, and its picture's size, in pixels.
PICTURE1_AT = (79, 1)
PANEL_SIZE = (628, 139)
# The calls whose order and arguments the test compares; releases and the
# font objects' gets are the link's own business.
COMPARED = ("Global.ActiveDocument", "Document.ActiveWindow", "Window.Selection",
            "Selection.TypeBackspace", "Font.NameBi", "Selection.TypeText")


# The expanded client size at 125 % and 150 %: 10605 x 2640 twips.
SCALED_SIZES = [(120, (884, 220)), (144, (1061, 264))]
# Client sizes of the two views and the icons that switch them, in pixels.
EXPANDED = (707, 176)
COLLAPSED = (52, 38)
COLLAPSE_ICON = (79 + 20, 1 + 140 + 15)
EXPAND_ICON = (25, 18)


# The whole run ends before CTest's timeout, so that tools/wine-desktop.sh
# still cleans up after a run that hangs.
RUN_DEADLINE = time.monotonic() + 540


class Failure(Exception):
    pass


class FakeWordLog:
    """The fake's log file, read as it grows."""

    def __init__(self, path):
        self.path = path
        self.lines = []
        self.typed = 0
        self._offset = 0
        self._partial = b""

    def refresh(self):
        try:
            with open(self.path, "rb") as source:
                source.seek(self._offset)
                data = source.read()
        except FileNotFoundError:
            return self
        self._offset += len(data)
        *complete, self._partial = (self._partial + data).split(b"\n")
        for line in complete:
            text = line.decode("utf-8")
            self.lines.append(text)
            self.typed += text.startswith("Selection.TypeText")
        return self


def xdotool(*args):
    return subprocess.run(["xdotool", *args], capture_output=True, text=True, timeout=30).stdout.split()


def wait_for(what, condition, timeout):
    deadline = min(time.monotonic() + timeout, RUN_DEADLINE)
    while time.monotonic() < deadline:
        result = condition()
        if result:
            return result
        time.sleep(0.02)
    raise Failure(f"timed out after {timeout} s waiting for {what}")


def window(title, timeout=30):
    return wait_for(f"a window named {title!r}",
                    lambda: (xdotool("search", "--onlyvisible", "--name", title) or [None])[0], timeout)


def boxes():
    return xdotool("search", "--onlyvisible", "--name", "^Close Program$")


def size_of(palette):
    for word in xdotool("getwindowgeometry", palette):
        if "x" in word and word.replace("x", "").isdigit():
            width, height = word.split("x")
            return int(width), int(height)
    return None


def collapsed(size):
    # The window manager keeps a window wide enough for its title bar's
    # buttons, so only the height is exact.
    return size and size[1] == COLLAPSED[1] and COLLAPSED[0] <= size[0] < EXPANDED[0]


def check_size(palette, expected):
    if size_of(palette) != expected:
        raise Failure(f"the window is {size_of(palette)}, expected {expected}")


def click(palette, at):
    xdotool("mousemove", "--window", palette, str(at[0]), str(at[1]), "click", "1")


def windows_path(path):
    return subprocess.run([WINE, "winepath", "-w", path], capture_output=True, text=True,
                          timeout=60).stdout.strip()


def read_table(table_exe):
    output = subprocess.run([WINE, table_exe], capture_output=True, text=True, timeout=120,
                            encoding="utf-8").stdout
    rows = []
    for line in output.splitlines():
        button, control, x, y, delete_first, font, text = line.rstrip("\r").split("\t")
        rows.append({"button": button, "control": control, "at": (int(x), int(y)),
                     "delete_first": delete_first == "1", "font": font, "text": text})
    # Four panel buttons with their 56 cells, five strip cells, the exit.
    if len(rows) != 4 * 57 + 5 + 1:
        raise Failure(f"the click table has {len(rows)} rows")
    return rows


def expected_calls(row):
    calls = ["Global.ActiveDocument get", "Document.ActiveWindow get", "Window.Selection get"]
    if row["delete_first"]:
        calls.append("Selection.TypeBackspace method")
    calls += [f'Font.NameBi put named[-3] "{row["font"]}"',
              f'Selection.TypeText method "{row["text"]}"',
              'Font.NameBi put named[-3] "Traditional Arabic"']
    return calls


def screenshot(palette, shots, owner):
    x, y = PICTURE1_AT
    width, height = PANEL_SIZE
    subprocess.run(["import", "-window", palette, "-crop", f"{width}x{height}+{x}+{y}", "+repage",
                    os.path.join(shots, f"{owner}.png")], check=True, timeout=60)


def main(palette_exe, server_exe, table_exe, work, shots=None):
    rows = read_table(table_exe)
    at = {row["control"]: row["at"] for row in rows}
    log_path = os.path.join(work, "fake-word.log")
    if os.path.exists(log_path):
        os.remove(log_path)
    log = FakeWordLog(log_path)

    started = time.monotonic()
    # A window to type into, standing in for Word's: the palette must stay
    # above it and leave it the active window while it is clicked.
    subprocess.Popen([WINE, "notepad"], stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL)
    editor = window("Notepad")
    process = subprocess.Popen([WINE, palette_exe], stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL)
    try:
        palette = window("Glyphboard")
        time.sleep(1)  # let the window finish its start-up
        if "_NET_WM_STATE_ABOVE" not in subprocess.run(["xprop", "-id", palette, "_NET_WM_STATE"],
                                                       capture_output=True, text=True).stdout:
            raise Failure("the palette is not kept above other windows")

        if shots:
            shutil.rmtree(shots, ignore_errors=True)
            os.makedirs(shots)
            for button in ("Command4", "Command5", "Command6", "Command3"):
                click(palette, at[button])
                time.sleep(0.5)
                screenshot(palette, shots, PANEL_OWNERS[button])

        # No Word: the click ends with the failure box; Cancel closes it.
        click(palette, at["Label1_0"])
        box = wait_for("the failure box", lambda: (boxes() or [None])[0], 30)
        xdotool("windowactivate", "--sync", box)
        xdotool("key", "--clearmodifiers", "Escape")
        wait_for("the failure box to close", lambda: not boxes(), 15)
        print(f"failure box shown and cancelled after {time.monotonic() - started:.1f} s")
        xdotool("windowactivate", "--sync", editor)

        registered = subprocess.run([WINE, server_exe, "/RegServer", windows_path(log_path)],
                                    capture_output=True, text=True, timeout=120)
        if "registered" not in registered.stdout.split():
            raise Failure(f"the fake Word could not be registered: {registered.stdout}{registered.stderr}")

        clicked = []
        for row in rows:
            if row["control"].startswith("Command"):
                if row["control"] != "Command2":
                    click(palette, row["at"])  # a panel button: types nothing
                continue
            before = log.typed
            click(palette, row["at"])
            timeout = 60 if not clicked else 20  # the first click starts the server
            try:
                wait_for(f"the insertion of {row['button']} {row['control']}",
                         lambda: log.refresh().typed > before, timeout)
            except Failure:
                if boxes():
                    raise Failure(f"{row['button']} {row['control']} showed the failure box")
                raise
            clicked.append(row)
        print(f"{len(clicked)} clicks typed after {time.monotonic() - started:.1f} s")
        if xdotool("getactivewindow") != [editor]:
            raise Failure("clicking the palette took the activation from the editor")

        # The collapse icon shrinks the window to the expand icon's square,
        # which gives back the whole palette.
        check_size(palette, EXPANDED)
        click(palette, COLLAPSE_ICON)
        wait_for("the collapsed window", lambda: collapsed(size_of(palette)), 10)
        click(palette, EXPAND_ICON)
        wait_for("the expanded window", lambda: size_of(palette) == EXPANDED, 10)

        click(palette, at["Command2"])
        process.wait(timeout=30)
        wait_for("the fake Word to let go", lambda: "Global released" in log.refresh().lines, 30)
    finally:
        if process.poll() is None:
            process.kill()

    lines = log.refresh().lines
    if lines.count("Global created") != 1:
        raise Failure(f"Global was created {lines.count('Global created')} times")
    compared = [line for line in lines if line.startswith(COMPARED)]
    expected = [call for row in clicked for call in expected_calls(row)]
    if compared != expected:
        for index, (got, want) in enumerate(zip(compared, expected)):
            if got != want:
                raise Failure(f"call {index}: logged {got!r}, expected {want!r}")
        raise Failure(f"{len(compared)} calls logged, {len(expected)} expected")
    print(f"the fake Word logged the {len(clicked)} insertions as the tables say; "
          f"{time.monotonic() - started:.1f} s")

    for dpi, size in SCALED_SIZES:
        check_scaled_window(palette_exe, dpi, size, at["Command2"])
    print(f"{time.monotonic() - started:.1f} s in all")


def check_scaled_window(palette_exe, dpi, size, exit_at):
    """At `dpi` the expanded window is the design scaled whole, not cut."""
    subprocess.run([WINE, "reg", "add", r"HKCU\Control Panel\Desktop", "/v", "LogPixels", "/t", "REG_DWORD",
                    "/d", str(dpi), "/f"], capture_output=True, timeout=120)
    # The display settings are read when the prefix starts afresh: end its
    # programs (the editor; the fake Word has ended by itself).
    subprocess.run(["wineserver", "-k"], timeout=120)
    subprocess.run(["wineserver", "-w"], timeout=120)
    process = subprocess.Popen([WINE, palette_exe], stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL)
    try:
        palette = window("Glyphboard")
        wait_for(f"the expanded window at {dpi} DPI", lambda: size_of(palette) == size, 15)
        click(palette, (exit_at[0] * dpi // 96, exit_at[1] * dpi // 96))
        process.wait(timeout=30)
    finally:
        if process.poll() is None:
            process.kill()


if __name__ == "__main__":
    try:
        main(*sys.argv[1:])
    except Failure as failure:
        print(f"FAIL {failure}")
        sys.exit(1)
