#!/usr/bin/env python3
"""Starts Quarvel from an unpacked package or a staged tree, as a user would, and checks where it
writes.

    run_program.py installed DEBS         unpack DEBS/quarvel_*_amd64.deb, make it read-only, run
                                          <root>/usr/bin/quarvel
    run_program.py staged DEMO_DIR TOOL   copy the staged tree DEMO_DIR, run its BIN/quarvel

Runs under a display (xvfb-run). A fresh HOME and XDG directories; the profile is stored in the
settings file beforehand so the opening screen shows it. Space on the opening screen leads to the
course menu, which creates an empty history for each test of the vendor it opens on. Then:
installed, the histories are under $XDG_DATA_HOME/quarvel/HIST/ and nothing in the unpacked tree
changed; staged, they are in the tree's HIST/ beside QDAT/, nothing else in the tree changed and
nothing is under $XDG_DATA_HOME. Either way the sound module is loaded from where the layout keeps
it when the course menu plays its sound. quarvel-tool (the package's own, or TOOL) checks that
the histories are empty.
"""
import json
import os
import shutil
import signal
import subprocess
import sys
import tempfile
import time
from pathlib import Path

OPENING_SIZE = (400, 436)
COURSE_MENU_SIZE = (760, 560)
# Bounds of the polls, not waits: each loop ends as soon as what it looks for is there. A
# sanitizer build starts slowly.
START_SECONDS = 60
STEP_SECONDS = 30


class Failure(Exception):
    pass


def poll(what, check, seconds, process):
    deadline = time.monotonic() + seconds
    while True:
        if process.poll() is not None:
            raise Failure(f"the program ended (status {process.returncode}) while waiting for {what}")
        result = check()
        if result:
            return result
        if time.monotonic() > deadline:
            raise Failure(f"gave up after {seconds} s waiting for {what}")
        time.sleep(0.1)


def listing(root):
    """Every entry under root with its kind, mode, size and modification time."""
    entries = {}
    for dirpath, dirnames, filenames in os.walk(root):
        for name in dirnames + filenames:
            path = Path(dirpath, name)
            st = path.lstat()
            entries[str(path.relative_to(root))] = (st.st_mode, st.st_size, st.st_mtime_ns)
    return entries


def describe_changes(before, after):
    lines = []
    for path in sorted(set(before) | set(after)):
        if path not in before:
            lines.append(f"  added:   {path}")
        elif path not in after:
            lines.append(f"  removed: {path}")
        elif before[path] != after[path]:
            lines.append(f"  changed: {path} {before[path]} -> {after[path]}")
    return lines


def visible_windows(pid):
    """(window, width, height) of the program's visible windows."""
    found = subprocess.run(["xdotool", "search", "--onlyvisible", "--pid", str(pid), "--name", "^Quarvel$"],
                           capture_output=True, text=True).stdout.split()
    windows = []
    for window in found:
        geometry = subprocess.run(["xdotool", "getwindowgeometry", "--shell", window],
                                  capture_output=True, text=True).stdout
        values = dict(line.split("=", 1) for line in geometry.split() if "=" in line)
        if "WIDTH" in values:
            windows.append((window, int(values["WIDTH"]), int(values["HEIGHT"])))
    return windows


def window_of_size(pid, size):
    for window, width, height in visible_windows(pid):
        if (width, height) == size:
            return window
    return None


def module_loaded(pid, module_path):
    try:
        return str(module_path) in Path(f"/proc/{pid}/maps").read_text()
    except OSError:
        return False


def expected_histories(question_root, history_root):
    """The vendor the course menu opened on (the one with histories) and the history paths its
    tests must have; None while no vendor has any."""
    if not history_root.is_dir():
        return None
    for vendor_dir in sorted(history_root.iterdir()):
        if not any(vendor_dir.glob("*.HIS")):
            continue
        tests = sorted(question_root.joinpath(vendor_dir.name).glob("*.qdf"))
        if not tests:
            raise Failure(f"histories for {vendor_dir.name}, which has no installed tests")
        return vendor_dir.name, [vendor_dir / (qdf.stem + ".HIS") for qdf in tests]
    return None


def check_empty_history(tool, path):
    out = subprocess.run([tool, "his", "json", str(path)], capture_output=True, text=True)
    if out.returncode != 0:
        raise Failure(f"quarvel-tool his json {path}: {out.stderr.strip()}")
    history = json.loads(out.stdout)
    if any(attempt["questionCount"] != 0 for attempt in history["attempts"]) or history["best"] != 0:
        raise Failure(f"{path} is not an empty history")


def run(mode, source, tool, work):
    if mode == "installed":
        packages = sorted(source.glob("quarvel_*_amd64.deb"))
        if len(packages) != 1:
            raise Failure(f"expected one quarvel package in {source}, found {len(packages)}")
        tree = work / "root"
        subprocess.run(["dpkg-deb", "-x", packages[0], tree], check=True)
        # An installed copy is read-only for its users. Tests run as root, who may still write:
        # the listing comparison below is what catches a write.
        subprocess.run(["chmod", "-R", "a-w", tree], check=True)
        program = tree / "usr/bin/quarvel"
        tool = tree / "usr/bin/quarvel-tool"
        question_root = tree / "usr/share/quarvel/QDAT"
        modules = list(tree.glob("usr/lib/**/libquarvel_sound.so"))
        if len(modules) != 1:
            raise Failure(f"the package holds {len(modules)} sound modules")
        module = modules[0]
    else:
        tree = work / "staged"
        shutil.copytree(source, tree, symlinks=True)
        program = tree / "BIN/quarvel"
        question_root = tree / "QDAT"
        module = tree / "BIN/libquarvel_sound.so"

    home = work / "home"
    config, data, cache, runtime = (home / name for name in (".config", ".local/share", ".cache", "runtime"))
    for directory in (config, data, cache, runtime):
        directory.mkdir(parents=True)
    runtime.chmod(0o700)
    # The profile the opening screen asks for at the first start, stored as the program stores it.
    (config / "Veltrix.conf").write_text("[Quarvel]\nName=Package Check\nOrg=QA\nEmail=qa@example.org\n")
    user_data = data / "quarvel"
    history_root = user_data / "HIST" if mode == "installed" else tree / "HIST"

    before = listing(tree)
    env = dict(os.environ, HOME=str(home), XDG_CONFIG_HOME=str(config), XDG_DATA_HOME=str(data),
               XDG_CACHE_HOME=str(cache), XDG_RUNTIME_DIR=str(runtime), QT_QPA_PLATFORM="xcb")
    # Sound on: the course menu's sound is what loads the sound module.
    for name in ("QUARVEL_SILENT", "QUARVEL_TESTING"):
        env.pop(name, None)
    log_path = work / "program.log"
    with open(log_path, "wb") as log:
        process = subprocess.Popen([str(program)], env=env, cwd=home, stdout=log, stderr=subprocess.STDOUT)
    try:
        opening = poll("the opening screen", lambda: window_of_size(process.pid, OPENING_SIZE), START_SECONDS,
                       process)
        subprocess.run(["xdotool", "windowfocus", "--sync", opening, "key", "space"], check=True)
        poll("the course menu", lambda: window_of_size(process.pid, COURSE_MENU_SIZE), STEP_SECONDS, process)
        vendor, histories = poll(f"histories under {history_root}",
                                 lambda: expected_histories(question_root, history_root), STEP_SECONDS, process)
        poll(f"a history for every test of {vendor}", lambda: all(p.is_file() for p in histories), STEP_SECONDS,
             process)
        poll(f"the sound module loaded from {module}", lambda: module_loaded(process.pid, module), STEP_SECONDS,
             process)
    except Failure:
        sys.stdout.write(log_path.read_text(errors="replace"))
        raise
    finally:
        # The program ends here, whatever happened.
        if process.poll() is None:
            process.send_signal(signal.SIGTERM)
            try:
                process.wait(timeout=10)
            except subprocess.TimeoutExpired:
                process.kill()
                process.wait()

    for path in histories:
        check_empty_history(tool, path)

    after = listing(tree)
    if mode == "installed":
        changes = describe_changes(before, after)
        if changes:
            raise Failure("the program wrote into the installed tree:\n" + "\n".join(changes))
    else:
        # The vendor's history directory and its histories are new (and HIST/ changed by holding
        # it); nothing else may differ.
        expected = dict(before)
        for path in [history_root, histories[0].parent] + histories:
            name = str(path.relative_to(tree))
            if name in after:
                expected[name] = after[name]
        changes = describe_changes(expected, after)
        if changes:
            raise Failure("the staged tree changed beyond the new histories:\n" + "\n".join(changes))
        written = [str(p.relative_to(data)) for p in data.rglob("*")]
        if written:
            raise Failure("a staged copy wrote under XDG_DATA_HOME:\n  " + "\n  ".join(written))
    print(f"{mode}: reached the course menu; empty histories of {vendor}: "
          + ", ".join(str(p.relative_to(history_root.parent)) for p in histories))


def main():
    args = sys.argv[1:]
    if not (args[:1] == ["installed"] and len(args) == 2 or args[:1] == ["staged"] and len(args) == 3):
        sys.exit(__doc__)
    if not os.environ.get("DISPLAY"):
        sys.exit("no display: run under xvfb-run")
    mode, source, tool = args[0], Path(args[1]), (args[2] if len(args) == 3 else None)
    with tempfile.TemporaryDirectory(prefix=f"quarvel-{mode}-") as work:
        try:
            run(mode, source, tool, Path(work))
        except Failure as failure:
            sys.exit(f"FAILED: {failure}")
        finally:
            # Root may leave the read-only tree behind otherwise.
            subprocess.run(["chmod", "-R", "u+w", work])


if __name__ == "__main__":
    main()
