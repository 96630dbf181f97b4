#!/usr/bin/env python3
"""Walks Carvello's accessibility tree while its windows open and close.

A screen reader reads a window as soon as it appears, and while it does so
the program may be hiding, re-parenting or destroying the very widgets it
asks about. This script starts the program on its own X server (Xvfb) and
its own session and accessibility buses, keeps one or more walker processes
reading the whole tree (roles, names, states, texts, actions, relations,
geometry) without pause, and drives the program through its own
accessibility actions:

    launcher tile "RENTAL AGREEMENTS" -> year window -> Open -> agreement
    editor (now and then its numbering, logo, search, help or export
    window, closed) -> Close
    window -> launcher

and at the end the launcher's Exit. A reader asks for children by the index
it took from a count read a moment before, and children may have gone in
between; the walkers also ask for a few indexes past each count, as such a
reader does (--no-stale-index leaves that out). It fails when the program
dies by a signal, when it stops answering, or (with --valgrind) when
memcheck reports an error (valgrind.supp beside it drops the reports a plain
start gives that are not faults).

The sequence of presses and pauses comes from --seed, so a failing run can
be replayed with the seed it prints; the interleaving with the walkers is a
race and cannot be replayed exactly, which is why the run is repeated many
times (--rounds, or CARVELLO_A11Y_ROUNDS).

Exit codes: 0 no fault, 1 fault, 77 a needed tool is missing (ctest skips).
"""

import argparse
import os
import random
import shlex
import shutil
import signal
import subprocess
import sys
import tempfile
import time

SKIP = 77
SYSTEM_PYTHON = "/usr/bin/python3"

LAUNCHER_TILES = ("RENTAL AGREEMENTS", "CONTRATTI NOLEGGIO")
OPEN = "Open"
EDITOR_CLOSE = "Close window."
NUMERATION = "Set Rental Agreements starting number."
LOGO = "Load a picture to use as the company's logo when printing Rental Agreements."
CANCEL = "Cancel"
EXIT = "Exit"
FIND = "Find record in database."
SEARCH_CLOSE = "Close"
EXPORT = "Export database to Excel."
EXPORT_WINDOW = " Export database to Microsoft Excel"
WINDOW_CLOSE = "Close window."
HELP = "Get context-sensitive help."
HELP_WINDOW = " Guida all'utilizzo del software"
HELP_CLOSE = "Chiudi"

# Generous bounds: they only stop a hung program from hanging the test, no
# step is expected to take anywhere near them.
STEP_TIMEOUT = 60.0


class Fault(Exception):
    pass


def have_pyatspi():
    # Only looked up: importing it would connect to whatever bus is set now.
    import importlib.util
    return importlib.util.find_spec("gi") is not None and importlib.util.find_spec("pyatspi") is not None


def reexec_with_system_python():
    """python3-pyatspi is installed for Debian's interpreter only."""
    if not have_pyatspi() and os.path.realpath(sys.executable) != os.path.realpath(SYSTEM_PYTHON) \
            and os.path.exists(SYSTEM_PYTHON):
        os.execv(SYSTEM_PYTHON, [SYSTEM_PYTHON] + sys.argv)


def missing_tools(args):
    missing = [tool for tool in ("dbus-daemon", "Xvfb") if not shutil.which(tool)]
    # The session bus starts the accessibility bus on demand from this.
    if not any(os.path.exists(os.path.join(d, "at-spi-bus-launcher"))
               for d in ("/usr/libexec", "/usr/lib/at-spi2-core")):
        missing.append("at-spi2-core")
    if not have_pyatspi():
        missing.append("python3-pyatspi")
    if args.valgrind and not shutil.which("valgrind"):
        missing.append("valgrind")
    return missing


# ---------------------------------------------------------------------------
# Accessibility helpers (walker and driver)


def find_application(name, deadline):
    import pyatspi
    while time.monotonic() < deadline:
        desktop = pyatspi.Registry.getDesktop(0)
        try:
            for i in range(desktop.childCount):
                app = desktop.getChildAtIndex(i)
                if app is not None and app.name == name:
                    return app
        except Exception:
            pass
        time.sleep(0.2)
    return None


def read_everything(acc):
    """Asks the object every question a screen reader would."""
    import pyatspi
    acc.getRoleName()
    acc.name
    acc.description
    states = acc.getState().getStates()
    acc.getIndexInParent()
    acc.parent
    acc.getRelationSet()
    acc.getAttributes()
    try:
        acc.queryComponent().getExtents(pyatspi.DESKTOP_COORDS)
    except NotImplementedError:
        pass
    try:
        text = acc.queryText()
        text.getText(0, -1)
        text.caretOffset
    except NotImplementedError:
        pass
    try:
        action = acc.queryAction()
        for i in range(action.nActions):
            action.getName(i)
    except NotImplementedError:
        pass
    try:
        acc.queryValue().currentValue
    except NotImplementedError:
        pass
    return states


def walk(acc, rng, stale_index, depth=0):
    """Reads `acc` and everything below it; objects vanish under it at any
    moment, so each failure only ends that branch."""
    if acc is None or depth > 40:
        return 0
    try:
        read_everything(acc)
        count = acc.childCount
    except Exception:
        return 1
    seen = 1
    order = list(range(count))
    rng.shuffle(order)
    for i in order:
        try:
            child = acc.getChildAtIndex(i)
        except Exception:
            continue
        seen += walk(child, rng, stale_index, depth + 1)
    if stale_index:
        # What a reader holding the count it read a moment ago asks for when
        # children went away in between: the program must answer with no
        # child, not fault.
        try:
            acc.getChildAtIndex(count + rng.randrange(3))
        except Exception:
            pass
    return seen


def walker_main(args):
    import pyatspi  # noqa: F401
    rng = random.Random(args.seed)
    # The stop file ends it; this only bounds a walker left on its own.
    deadline = time.monotonic() + 3600
    app = find_application(args.app_name, time.monotonic() + STEP_TIMEOUT)
    walks = 0
    while app is not None and time.monotonic() < deadline and not os.path.exists(args.stop_file):
        if walk(app, rng, args.stale_index) > 1:
            walks += 1
        else:
            # The program went away or is busy: look for it again until told
            # to stop.
            time.sleep(0.05)
            app = find_application(args.app_name, min(deadline, time.monotonic() + 2)) or app
    print(f"walker {args.seed}: {walks} walks of the whole tree", flush=True)
    return 0


class Driver:
    """Presses buttons through AT-SPI and waits for windows by what they show."""

    def __init__(self, app, program, verbose=False):
        self.app = app
        self.program = program
        self.verbose = verbose

    def check_alive(self):
        rc = self.program.poll()
        if rc is not None:
            raise Fault(describe_exit(rc))

    def log_in(self, password):
        """Types the password into the login window and presses OK, the way
        a screen reader user does: through the field's editable text."""
        import pyatspi
        deadline = time.monotonic() + STEP_TIMEOUT
        while time.monotonic() < deadline:
            self.check_alive()
            for field in self.find_showing_where(lambda acc: acc.getRole() == pyatspi.ROLE_PASSWORD_TEXT):
                try:
                    field.queryEditableText().setTextContents(password)
                except Exception:
                    continue
                for ok in self.wait_for(("OK",), "the login window's OK"):
                    if self.press(ok):
                        return
            time.sleep(0.05)
        raise Fault("could not log in")

    def find_showing(self, names):
        """Showing push buttons named in `names`, searched from the top."""
        import pyatspi
        return self.find_showing_where(lambda acc: acc.getRole() == pyatspi.ROLE_PUSH_BUTTON and acc.name in names)

    def find_showing_where(self, wanted):
        """Showing objects for which `wanted` holds, searched from the top."""
        import pyatspi
        found = []
        stack = [self.app]
        while stack:
            acc = stack.pop()
            try:
                states = acc.getState()
                if acc is not self.app and not states.contains(pyatspi.STATE_SHOWING):
                    continue
                if wanted(acc):
                    found.append(acc)
                    continue
                for i in range(acc.childCount):
                    child = acc.getChildAtIndex(i)
                    if child is not None:
                        stack.append(child)
            except Exception:
                continue
        return found

    def wait_for(self, names, what):
        deadline = time.monotonic() + STEP_TIMEOUT
        while time.monotonic() < deadline:
            self.check_alive()
            found = self.find_showing(names)
            if found:
                return found
            time.sleep(0.05)
        self.check_alive()
        raise Fault(f"the program stopped answering: {what} did not appear")

    def wait_gone(self, names, what):
        deadline = time.monotonic() + STEP_TIMEOUT
        while time.monotonic() < deadline:
            self.check_alive()
            if not self.find_showing(names):
                return
            time.sleep(0.05)
        self.check_alive()
        raise Fault(f"the program stopped answering: {what} did not go away")

    def press(self, button):
        if self.verbose:
            print(f"  press {button.name!r}", flush=True)
        try:
            action = button.queryAction()
            for i in range(action.nActions):
                if action.getName(i) == "Press":
                    action.doAction(i)
                    return True
        except Exception:
            pass
        return False

    def press_in_window(self, rng, window, names, what):
        """Presses a showing button named `names` inside the top-level window
        whose name is `window` (other windows may have buttons of the same
        name)."""
        import pyatspi
        deadline = time.monotonic() + STEP_TIMEOUT
        while time.monotonic() < deadline:
            self.check_alive()
            for top in self.find_showing_where(lambda acc: acc.name == window and acc.getRole() in (
                    pyatspi.ROLE_DIALOG, pyatspi.ROLE_FRAME, pyatspi.ROLE_WINDOW)):
                buttons = []
                stack = [top]
                while stack:
                    acc = stack.pop()
                    try:
                        if acc.getRole() == pyatspi.ROLE_PUSH_BUTTON and acc.name in names:
                            buttons.append(acc)
                            continue
                        stack.extend(c for c in (acc.getChildAtIndex(i) for i in range(acc.childCount)) if c)
                    except Exception:
                        continue
                if buttons and self.press(rng.choice(buttons)):
                    return
            time.sleep(0.05)
        raise Fault(f"could not press {what}")

    def wait_gone_window(self, window, what):
        deadline = time.monotonic() + STEP_TIMEOUT
        while time.monotonic() < deadline:
            self.check_alive()
            if not self.find_showing_where(lambda acc: acc.name == window):
                return
            time.sleep(0.05)
        self.check_alive()
        raise Fault(f"the program stopped answering: {what} did not go away")

    def press_one(self, rng, names, what):
        """Presses one of the showing buttons named `names`, trying again
        while the window is still being built."""
        deadline = time.monotonic() + STEP_TIMEOUT
        while time.monotonic() < deadline:
            buttons = self.wait_for(names, what)
            if self.press(rng.choice(buttons)):
                return
            time.sleep(0.05)
        raise Fault(f"could not press {what}")


def pause(rng, longest):
    time.sleep(rng.uniform(0, longest))


def one_round(driver, rng):
    driver.press_one(rng, LAUNCHER_TILES, "the Rental Agreements tile")
    pause(rng, 0.3)
    driver.press_one(rng, (OPEN,), "the year window's Open button")
    # The editor shows at once; a reader starts reading it right away.
    pause(rng, 0.2)
    driver.wait_for((NUMERATION,), "the agreement editor")
    extra = rng.random()
    if extra < 0.25:
        driver.press_one(rng, (NUMERATION,), "the numbering button")
        driver.press_one(rng, (CANCEL,), "the numbering window's Cancel")
        driver.wait_gone((CANCEL,), "the numbering window")
    elif extra < 0.5:
        driver.press_one(rng, (LOGO,), "the logo button")
        driver.press_one(rng, (CANCEL,), "the logo window's Cancel")
        driver.wait_gone((CANCEL,), "the logo window")
    elif extra < 0.65:
        driver.press_one(rng, (FIND,), "the find button")
        driver.press_one(rng, (SEARCH_CLOSE,), "the search window's Close")
        driver.wait_gone((SEARCH_CLOSE,), "the search window")
    elif extra < 0.72:
        driver.press_one(rng, (HELP,), "the help button")
        pause(rng, 0.2)
        driver.press_in_window(rng, HELP_WINDOW, (HELP_CLOSE,), "the help window's Chiudi")
        driver.wait_gone_window(HELP_WINDOW, "the help window")
    elif extra < 0.8:
        driver.press_one(rng, (EXPORT,), "the export button")
        pause(rng, 0.2)
        driver.press_in_window(rng, EXPORT_WINDOW, (WINDOW_CLOSE,), "the export window's Close")
        driver.wait_gone_window(EXPORT_WINDOW, "the export window")
    pause(rng, 0.3)
    driver.press_one(rng, (EDITOR_CLOSE,), "the editor's Close window button")
    driver.wait_for(LAUNCHER_TILES, "the launcher")
    pause(rng, 0.2)


def describe_exit(rc):
    if rc < 0:
        try:
            name = signal.Signals(-rc).name
        except ValueError:
            name = f"signal {-rc}"
        return f"the program died by {name}"
    return f"the program ended by itself with exit code {rc}"


def die_with_parent():
    """Every helper dies with this script, however it ends, so that nothing
    it started outlives it (and holds the pipes of whoever ran it)."""
    import ctypes
    PR_SET_PDEATHSIG = 1
    ctypes.CDLL(None, use_errno=True).prctl(PR_SET_PDEATHSIG, signal.SIGKILL)


def start_announcing(command, workdir, log_name):
    """Starts a server that writes where to reach it on a pipe (Xvfb's
    display number, dbus-daemon's address) and returns it with that text."""
    read_end, write_end = os.pipe()
    command = [part.replace("{fd}", str(write_end)) for part in command]
    server = subprocess.Popen(command, pass_fds=(write_end,), stdin=subprocess.DEVNULL,
                              stdout=subprocess.DEVNULL, stderr=open(os.path.join(workdir, log_name), "w"),
                              preexec_fn=die_with_parent)
    os.close(write_end)
    announced = b""
    deadline = time.monotonic() + 30
    while not announced.endswith(b"\n") and time.monotonic() < deadline:
        chunk = os.read(read_end, 256)
        if not chunk:
            break
        announced += chunk
    os.close(read_end)
    if not announced.strip():
        stop(server)
        raise Fault(f"{command[0]} did not start")
    return server, announced.decode().strip()


def stop(process, grace=10):
    if process is None or process.poll() is not None:
        return
    process.terminate()
    try:
        process.wait(grace)
    except subprocess.TimeoutExpired:
        process.kill()
        process.wait()


def valgrind_errors(log_path):
    """Memcheck error reports ("Invalid read of size 8" and the like), each
    with its first lines of stack."""
    if not os.path.exists(log_path):
        return []
    reports, current = [], None
    with open(log_path, errors="replace") as log:
        for line in log:
            body = line.split("== ", 1)[-1].rstrip("\n") if line.startswith("==") else line.rstrip("\n")
            starts = body.startswith(("Invalid read", "Invalid write", "Invalid free", "Conditional jump",
                                      "Use of uninitialised", "Mismatched free", "Syscall param",
                                      "Source and destination overlap"))
            if starts:
                current = [body]
                reports.append(current)
            elif current is not None and body.strip() and len(current) < 40:
                current.append(body)
            elif not body.strip():
                current = None
    return reports


class Stopped(Exception):
    pass


def on_signal(number, _frame):
    raise Stopped(signal.Signals(number).name)


def run(args):
    """The program and everything around it: its own X server, its own
    session bus (which starts the accessibility bus and registry on demand),
    so no desktop session is disturbed and all of it ends with the run."""
    for number in (signal.SIGTERM, signal.SIGHUP, signal.SIGINT, signal.SIGALRM):
        signal.signal(number, on_signal)
    slow = 4 if args.valgrind else 1
    # A last bound on the whole run, whatever happens inside it.
    signal.alarm(int(args.time_limit + STEP_TIMEOUT * 6 * slow))

    workdir = tempfile.mkdtemp(prefix="carvello-a11y-")
    bus = xvfb = program = None
    walkers = []
    stop_file = os.path.join(workdir, "stop")
    openings = 0
    result = 0
    try:
        xvfb, number = start_announcing(
            ["Xvfb", "-displayfd", "{fd}", "-screen", "0", "1600x1000x24", "-nolisten", "tcp", "-noreset"],
            workdir, "xvfb.log")
        runtime = os.path.join(workdir, "runtime")
        os.makedirs(runtime, mode=0o700)
        # Set before the session bus starts: the accessibility bus it starts
        # puts its socket under these, apart from any other session's.
        os.environ.update({"DISPLAY": ":" + number, "XDG_RUNTIME_DIR": runtime, "HOME": workdir,
                           "XDG_CACHE_HOME": os.path.join(workdir, "cache"),
                           "XDG_CONFIG_HOME": os.path.join(workdir, "config"),
                           "XDG_DATA_HOME": os.path.join(workdir, "data")})
        os.environ.pop("AT_SPI_BUS_ADDRESS", None)
        bus, address = start_announcing(
            ["dbus-daemon", "--session", "--nofork", "--nopidfile", "--print-address={fd}"], workdir, "dbus.log")
        # Read by pyatspi on first use, in this process and in the walkers.
        os.environ["DBUS_SESSION_BUS_ADDRESS"] = address
        env = dict(os.environ)
        for var in ("QT_QPA_PLATFORM", "WAYLAND_DISPLAY", "QT_ACCESSIBILITY", "NO_AT_BRIDGE"):
            env.pop(var, None)
        env.update({
            "QT_QPA_PLATFORM": "xcb",
            "QT_LINUX_ACCESSIBILITY_ALWAYS_ON": "1",
            "QT_ACCESSIBILITY": "1",
            "LC_ALL": "C.UTF-8",
        })
        command = [args.program]
        if args.valgrind:
            command = ["valgrind", "--tool=memcheck", "--error-exitcode=99", "--num-callers=30",
                       "--track-origins=yes", "--log-file=" + os.path.join(workdir, "valgrind.log"),
                       "--suppressions=" + args.suppressions, args.program]
        if args.wrap:
            command = shlex.split(args.wrap) + command
        program = subprocess.Popen(command, env=env, stdin=subprocess.DEVNULL,
                                   stdout=open(os.path.join(workdir, "program.log"), "w"),
                                   stderr=subprocess.STDOUT, preexec_fn=die_with_parent)
        app = find_application(args.app_name, time.monotonic() + STEP_TIMEOUT * slow)
        if app is None:
            raise Fault(describe_exit(program.poll()) if program.poll() is not None
                        else "the program never appeared on the accessibility bus")

        for k in range(args.walkers):
            walkers.append(subprocess.Popen(
                [sys.executable, os.path.abspath(__file__), "--walk", "--seed", str(args.seed * 1000 + k),
                 "--stop-file", stop_file, "--app-name", args.app_name]
                + ([] if args.stale_index else ["--no-stale-index"]),
                stdin=subprocess.DEVNULL, preexec_fn=die_with_parent))

        driver = Driver(app, program, args.verbose)
        rng = random.Random(args.seed)
        started = time.monotonic()
        # A fresh data folder takes the initial password from the seed file
        # beside the program.
        driver.log_in(os.environ.get("CARVELLO_A11Y_PASSWORD", "CARVELLO"))
        driver.wait_for(LAUNCHER_TILES, "the launcher")
        for _ in range(args.rounds):
            if time.monotonic() - started > args.time_limit:
                print(f"time limit reached after {openings} openings", flush=True)
                break
            one_round(driver, rng)
            openings += 1
            if openings % 10 == 0:
                print(f"{openings} openings", flush=True)

        # Closing down while the walkers still read is a case of its own.
        driver.press_one(rng, (EXIT,), "the launcher's Exit")
        try:
            rc = program.wait(STEP_TIMEOUT * slow)
        except subprocess.TimeoutExpired:
            raise Fault("the program did not end after Exit")
        if rc != 0 and not (args.valgrind and rc == 99):
            raise Fault(describe_exit(rc))
        print(f"seed {args.seed}: {openings} openings, the program ended normally", flush=True)
    except Fault as fault:
        result = 1
        print(f"FAULT (seed {args.seed}, after {openings} openings): {fault}", flush=True)
        print(f"replay with: {os.path.basename(__file__)} --seed {args.seed} --rounds {args.rounds}", flush=True)
    except Stopped as stopped:
        result = 1
        print(f"stopped by {stopped} after {openings} openings", flush=True)
    finally:
        signal.alarm(0)
        with open(stop_file, "w"):
            pass
        for w in walkers:
            try:
                w.wait(30)
            except subprocess.TimeoutExpired:
                w.kill()
                w.wait()
        stop(program)
        if args.valgrind:
            reports = valgrind_errors(os.path.join(workdir, "valgrind.log"))
            print(f"memcheck: {len(reports)} error report(s)", flush=True)
            for report in reports[: args.show_reports]:
                print("\n".join(report), flush=True)
                print("--", flush=True)
            if reports:
                result = 1
        if result and os.path.exists(os.path.join(workdir, "program.log")):
            with open(os.path.join(workdir, "program.log"), errors="replace") as log:
                tail = log.readlines()[-60:]
            if tail:
                print("last lines of the program's output:\n" + "".join(tail), flush=True)
        stop(xvfb)
        # The accessibility bus and the registry leave when their session bus does.
        stop(bus)
        if args.keep:
            print(f"kept {workdir}", flush=True)
        else:
            shutil.rmtree(workdir, ignore_errors=True)
    return result


def main():
    parser = argparse.ArgumentParser(description=__doc__.split("\n\n")[0])
    parser.add_argument("--program", default=os.environ.get("CARVELLO_PROGRAM", "build/src/carvello"))
    parser.add_argument("--rounds", type=int, default=int(os.environ.get("CARVELLO_A11Y_ROUNDS", "20")),
                        help="agreement editor openings (CARVELLO_A11Y_ROUNDS, default 20)")
    parser.add_argument("--seed", type=int, default=int(os.environ.get("CARVELLO_A11Y_SEED", "1")),
                        help="chooses the presses and pauses (CARVELLO_A11Y_SEED)")
    parser.add_argument("--walkers", type=int, default=2, help="processes walking the tree at once")
    parser.add_argument("--time-limit", type=float, default=float(os.environ.get("CARVELLO_A11Y_SECONDS", "900")),
                        help="open no more windows after this many seconds (CARVELLO_A11Y_SECONDS)")
    parser.add_argument("--no-stale-index", dest="stale_index", action="store_false",
                        help="walk only the children each object counts, never one past them")
    parser.add_argument("--valgrind", action="store_true", help="run the program under memcheck")
    parser.add_argument("--suppressions", default=os.path.join(os.path.dirname(os.path.abspath(__file__)),
                                                               "valgrind.supp"))
    parser.add_argument("--show-reports", type=int, default=5, help="memcheck reports to print")
    parser.add_argument("--wrap", default=None, help="command put before the program (e.g. 'strace -f -o x')")
    parser.add_argument("--keep", action="store_true", help="keep the working folder with the logs")
    parser.add_argument("--verbose", action="store_true", help="tell each press")
    parser.add_argument("--app-name", default="Carvello")
    # Internal: the walker processes.
    parser.add_argument("--walk", action="store_true", help=argparse.SUPPRESS)
    parser.add_argument("--stop-file", default=None, help=argparse.SUPPRESS)
    args = parser.parse_args()

    reexec_with_system_python()
    if args.walk:
        return walker_main(args)

    missing = missing_tools(args)
    if missing:
        print("skipped: missing " + ", ".join(missing), flush=True)
        return SKIP
    args.program = os.path.abspath(args.program)
    if not os.access(args.program, os.X_OK):
        print(f"no program at {args.program}", flush=True)
        return 1
    return run(args)


if __name__ == "__main__":
    sys.exit(main())
