#!/usr/bin/env python3
"""Unpacks each downloadable package in a scratch folder and runs every example case it ships
with nothing but what the package holds, comparing each report with the reference committed
beside the example (examples/<case>/<report>.expected, written by the independent model of
tests/model/fin_model.py), then a short mesh study of the example, which must write its files.

usage: check_package.py LINUX_TGZ WINDOWS_ZIP NOTEPAD_EXE

The Linux package runs with its own bin/ (the program and the notepad helper) and the system's
/usr/bin and /bin alone on PATH. The Windows package runs under Wine, in the prefix named by
WINEPREFIX, with NOTEPAD_EXE standing in for the user's Notepad; the fields of its reports that
come from sinh and cosh need only agree within a few units in the last place, as in
check_reports.py. Its guide must be LEIAME.md as UTF-8 with a byte-order mark and CR LF ends.
"""
import os
import shutil
import subprocess
import sys
import tarfile
import tempfile
import zipfile

SOURCE = os.path.dirname(os.path.dirname(os.path.dirname(os.path.abspath(__file__))))
sys.path.insert(0, os.path.join(SOURCE, "tests", "model"))
from check_reports import agree, without_time  # noqa: E402


def unpack(package, scratch):
    """The package's top folder, which must carry the package's name."""
    if package.endswith(".zip"):
        with zipfile.ZipFile(package) as archive:
            archive.extractall(scratch)
        name = os.path.basename(package)[:-len(".zip")]
    else:
        with tarfile.open(package) as archive:
            archive.extractall(scratch)
        name = os.path.basename(package)[:-len(".tar.gz")]
    top = os.path.join(scratch, name)
    if not os.path.isdir(top):
        raise SystemExit("%s: no folder %s inside" % (package, name))
    return top


def example_cases():
    """(case folder, report name) of each shipped example, from its reference report."""
    examples = os.path.join(SOURCE, "examples")
    for case in sorted(os.listdir(examples)):
        folder = os.path.join(examples, case)
        if os.path.isdir(folder):
            for name in os.listdir(folder):
                if name.endswith(".expected"):
                    yield case, name[:-len(".expected")]


STUDY_FILES = ("malhas.csv", "malhas.txt", "extrapolacoes.csv", "erro.svg", "ordens.svg",
               "perfil.svg", "extrapolacoes.svg")


def run_study(work, command, env, label):
    """A short mesh study of the example: it must end well and write its seven files."""
    run = subprocess.run(command + ["--malhas", "3"], cwd=work, env=env,
                         stdin=subprocess.DEVNULL, capture_output=True)
    folder = os.path.join(work, "estudo_malhas")
    missing = [f for f in STUDY_FILES if not os.path.isfile(os.path.join(folder, f))]
    if run.returncode != 0 or run.stderr or missing:
        return ["%s: mesh study exit %d, %r, missing %s" % (label, run.returncode, run.stderr,
                                                            missing)]
    return []


def run_examples(top, command, study_command, env, windows):
    failures = []
    for case, report_name in example_cases():
        work = os.path.join(top, "examples", case)
        run = subprocess.run(command, cwd=work, env=env, stdin=subprocess.DEVNULL,
                             capture_output=True)
        label = "%s, example %s" % (os.path.basename(top), case)
        if run.returncode != 0 or run.stderr or run.stdout:
            failures.append("%s: exit %d, %r" % (label, run.returncode, run.stderr))
            continue
        with open(os.path.join(work, report_name), "rb") as f:
            got = without_time(f.read())
        with open(os.path.join(SOURCE, "examples", case, report_name + ".expected"), "rb") as f:
            want = without_time(f.read())
        if got != want and not (windows and agree(got, want)):
            failures.append("%s: the report differs from the expected one" % label)
        failures += run_study(work, study_command, env, label)
    return failures


def check_linux(package, scratch):
    top = unpack(package, scratch)
    env = {"PATH": os.path.join(top, "bin") + ":/usr/bin:/bin", "LC_ALL": "C"}
    bin_folder = os.path.join(top, "bin")
    failures = run_examples(top, [os.path.join(bin_folder, "aleta")],
                            [os.path.join(bin_folder, "aleta-malhas")], env, windows=False)
    if not os.path.isfile(os.path.join(top, "LEIAME.md")):
        failures.append("%s: no LEIAME.md" % package)
    return failures


def check_windows(package, notepad, scratch):
    top = unpack(package, os.path.join(scratch, "package"))
    editor = os.path.join(scratch, "editor")
    os.mkdir(editor)
    shutil.copy(notepad, os.path.join(editor, "notepad.exe"))
    env = dict(os.environ, WINEPATH=editor, WINEDEBUG="-all")
    for variable in ("NOTEPAD_LOG", "VISUAL", "EDITOR"):
        env.pop(variable, None)
    bin_folder = os.path.join(top, "bin")
    failures = run_examples(top, ["wine", os.path.join(bin_folder, "aleta.exe")],
                            ["wine", os.path.join(bin_folder, "aleta-malhas.exe")], env,
                            windows=True)
    with open(os.path.join(SOURCE, "LEIAME.md"), "rb") as f:
        want = b"\xef\xbb\xbf" + f.read().replace(b"\n", b"\r\n")
    with open(os.path.join(top, "LEIAME.txt"), "rb") as f:
        if f.read() != want:
            failures.append("%s: LEIAME.txt is not LEIAME.md in UTF-8 with BOM and CR LF" % package)
    return failures


def main():
    if len(sys.argv) != 4:
        raise SystemExit(__doc__)
    linux, windows, notepad = (os.path.abspath(a) for a in sys.argv[1:])
    with tempfile.TemporaryDirectory() as scratch:
        os.mkdir(os.path.join(scratch, "linux"))
        os.mkdir(os.path.join(scratch, "windows"))
        failures = check_linux(linux, os.path.join(scratch, "linux"))
        failures += check_windows(windows, notepad, os.path.join(scratch, "windows"))
    for failure in failures:
        print(failure)
    print("packages: %s" % ("%d failures" % len(failures) if failures else "ok"))
    return 1 if failures else 0


if __name__ == "__main__":
    sys.exit(main())
