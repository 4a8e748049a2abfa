#!/usr/bin/python3
"""One keyboard-only session of the window under the Orca screen reader.

Run inside a display and a private session bus: starts Orca with a silent
speech server, starts the window, presses keys with xdotool as a blind user
would and checks what Orca says after each step, from the SPEECH OUTPUT
lines of its debug log. Usage: orca_session.py KUPONGEN
"""
import fcntl
import os
import re
import shutil
import subprocess
import sys
import tempfile
import time

WAIT_SECONDS = 30

# A speech server that says nothing, so Orca never waits on audio; the base
# class does nothing for every utterance.
SILENT_SPEECH = '''
from orca import speechserver


class SpeechServer(speechserver.SpeechServer):
    @staticmethod
    def getSpeechServers():
        return [SpeechServer()]

    @staticmethod
    def getSpeechServer(info=None):
        return SpeechServer()

    def getInfo(self):
        return ["silent", "silent"]

    def getVoiceFamilies(self):
        return []
'''

# Run by Orca from its settings folder once it has read its settings.
CUSTOMIZATIONS = '''
import sys
from orca import debug, settings
sys.path.insert(0, {folder!r})
settings.speechServerFactory = "silentspeech"
settings.speechFactoryModules = ["silentspeech"]
debug.debugLevel = debug.LEVEL_INFO
debug.debugFile = open({log!r}, "a", buffering=1)
'''


class Orca:
    def __init__(self, folder):
        self.log = os.path.join(folder, "orca.log")
        with open(os.path.join(folder, "silentspeech.py"), "w") as module:
            module.write(SILENT_SPEECH)
        with open(os.path.join(folder, "orca-customizations.py"), "w") as module:
            module.write(CUSTOMIZATIONS.format(folder=folder, log=self.log))
        self.process = subprocess.Popen(
            ["orca", "--replace", "--user-prefs", folder, "--debug-file", self.log],
            stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL)
        self.heard = 0

    def spoken(self):
        try:
            with open(self.log, encoding="utf-8", errors="replace") as log:
                # An utterance may hold line breaks (a chart's counts).
                return re.findall(r"SPEECH OUTPUT: '(.*?)'", log.read(), re.DOTALL)
        except FileNotFoundError:
            return []

    def hear(self, pattern):
        """Waits until Orca says a line matching pattern after the last one
        heard; returns it."""
        deadline = time.monotonic() + WAIT_SECONDS
        while time.monotonic() < deadline:
            lines = self.spoken()
            for index in range(self.heard, len(lines)):
                if re.search(pattern, lines[index]):
                    self.heard = index + 1
                    return lines[index]
            time.sleep(0.1)
        raise AssertionError("Orca did not say %r; it said %r" % (pattern, lines[self.heard:]))

    def settle(self, quiet=0.7):
        """The lines Orca says until it has been quiet for a while."""
        deadline = time.monotonic() + WAIT_SECONDS
        count = len(self.spoken())
        changed = time.monotonic()
        while time.monotonic() < deadline and time.monotonic() - changed < quiet:
            time.sleep(0.1)
            if len(self.spoken()) != count:
                count = len(self.spoken())
                changed = time.monotonic()
        return self.spoken()[self.heard:]

    def stop(self):
        self.process.terminate()
        try:
            self.process.wait(10)
        except subprocess.TimeoutExpired:
            self.process.kill()
            self.process.wait()


def key(*names):
    for name in names:
        subprocess.run(["xdotool", "key", "--delay", "100", name], check=True)
        time.sleep(0.3)


def tab_until(orca, pattern, limit=30):
    """Tabs on until Orca says a line matching pattern; returns it."""
    for _ in range(limit):
        key("Tab")
        lines = orca.settle()
        for index, line in enumerate(lines):
            if re.search(pattern, line):
                orca.heard += index + 1
                return line
        orca.heard += len(lines)
    raise AssertionError("Tab never reached %r" % pattern)


def session(program, folder):
    orca = Orca(folder)
    window = None
    try:
        orca.hear(r"^Screen reader on\.$")
        # Its settings in the session's folder: a first start, and nothing
        # left in the user's own.
        window = subprocess.Popen([program], cwd=folder, env=dict(
            os.environ, QT_LINUX_ACCESSIBILITY_ALWAYS_ON="1", QT_QPA_PLATFORM="xcb",
            XDG_CONFIG_HOME=folder))
        # There is no window manager to give the new window the keyboard.
        found = subprocess.run(["xdotool", "search", "--sync", "--onlyvisible", "--class",
                                "kupongen"], check=True, capture_output=True, text=True)
        main_window = found.stdout.split()[0]
        subprocess.run(["xdotool", "windowfocus", "--sync", main_window], check=True)
        orca.hear(r"^Rader text\.$")
        # Each group's caption once, as the focus enters it.
        tab_until(orca, r"^Välj: panel\.$")
        orca.hear(r"^SYSTEM check box")
        key("Right", "space")
        orca.hear(r"^ENKELRADER check box not checked\.$")
        orca.hear(r"^checked$")
        orca.hear(r"^notification Du har valt : Enkelrader\.$")
        tab_until(orca, r"^Antal ENKELRADER: panel\.$")
        orca.hear(r"^1\.$")
        orca.hear(r"^selected radio button$")
        key(*["Down"] * 9)
        orca.hear(r"^10\.$")
        orca.hear(r"^notification 10 enkelrader vald\.$")
        tab_until(orca, r"^Kompatibel rad")
        key("space")
        orca.hear(r"^notification ")
        tab_until(orca, r"^SÄKRA MATCHER: panel\.$")
        orca.hear(r"^Match 1: 1 check box not checked\.$")
        key(*["Down"] * 10)
        orca.hear(r"^Match 4: X check box not checked\.$")
        key("space")
        orca.hear(r"^checked$")
        tab_until(orca, r"^GENERERA rader push button\.$")
        key("space")
        orca.hear(r"^notification ENKELRADS generering utförd\.$")
        tab_until(orca, r"^SPARA raderna push button\.$")
        key("space")
        orca.hear(r"^Spara som dialog")
        key("r", "a", "d", "e", "r", "Return")
        saved = os.path.join(folder, "rader.txt")
        deadline = time.monotonic() + WAIT_SECONDS
        lines = []
        while len(lines) != 11 and time.monotonic() < deadline:
            time.sleep(0.2)
            if os.path.exists(saved):
                with open(saved, "rb") as rows:
                    lines = rows.read().split(b"\r\n")
        assert lines[0] == b"Stryktipset" and len(lines) == 11, lines
        assert all(line.split(b",")[4] == b"X" for line in lines[1:]), lines

        # Verktyg by the keyboard: Alt+V at Unika rader, which is off; its
        # status line once chosen; F10 finds it on. The window takes the
        # keyboard back from the closed save dialog as a desktop would give it.
        subprocess.run(["xdotool", "windowfocus", "--sync", main_window], check=True)
        orca.hear(r"^SPARA raderna push button\.$")
        key("alt+v")
        orca.hear(r"^Unika rader\.$")
        key("Return")
        orca.hear(r"^notification Unika rader: på\.$")
        key("F10")
        orca.hear(r"^Verktyg\.$")
        key("Down")
        orca.hear(r"^Unika rader checked\.$")
        key("Down", "Down")
        orca.hear(r"^Kontrollera raderna…$")
        key("Return")
        # The check window, and the check's first line and verdict.
        orca.hear(r"^Kontrollera och rätta rader dialog Källa: raderna i fönstret")
        orca.hear(r"^notification Kontroll av raderna i fönstret\. Filen kan laddas upp\.$")
        orca.hear(r"^Kontroll read only text\.$")
        # The result typed whole: the rows with 13 to 10 right.
        key("shift+Tab")
        orca.hear(r"^Resultat text\.$")
        key(*"1X21X21X21X21")
        orca.hear(r"^notification Rättning av raderna i fönstret\. Rader: 10\. 13 rätt: \d+ rader?\. "
                  r"12 rätt: \d+ rader?\. 11 rätt: \d+ rader?\. 10 rätt: \d+ rader?\.$")
        tab_until(orca, r"^Rader efter antal rätt chart\.$")
        orca.hear(r"^Rader efter antal rätt:\s+13 rätt: \d+ rader?\s+12 rätt")
        # Escape closes it: back in the main window.
        key("Escape")
        orca.hear(r"^Kupongen .* dialog\.$")
        # One announcement for each message; the status field read once.
        spoken = orca.spoken()
        assert spoken.count("notification ENKELRADS generering utförd.") == 1, spoken
        assert spoken.count("Här visas status och varningar.") == 1, spoken
        assert not any("unselected" in line for line in spoken), spoken
        assert spoken.count("notification Unika rader: på.") == 1, spoken
        print("Orca said:\n  " + "\n  ".join(orca.spoken()), flush=True)
    finally:
        if window is not None:
            window.terminate()
            window.wait(10)
        orca.stop()
        if os.environ.get("KUPONGEN_ORCA_LOG"):
            shutil.copy(orca.log, os.environ["KUPONGEN_ORCA_LOG"])


if __name__ == "__main__":
    # Orca runs once for each user, and "--replace" kills the others: the
    # sessions of other builds on this machine wait their turn.
    with open(os.path.join(tempfile.gettempdir(), "kupongen-orca-session.lock"), "w") as lock:
        fcntl.flock(lock, fcntl.LOCK_EX)
        with tempfile.TemporaryDirectory() as folder:
            session(os.path.abspath(sys.argv[1]), folder)
