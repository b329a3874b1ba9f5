#!/usr/bin/env python3
"""Unpacks each downloadable package in a scratch folder and runs every example case it ships
with nothing but what the package holds, comparing each report with the reference committed
beside the example (examples/<case>/<report>.expected, written by the independent model of
tests/model/fin_model.py), then a mesh study of the example, which must write its files.

usage: check_package.py LINUX_TGZ WINDOWS_ZIP NOTEPAD_EXE

The Linux package runs with its own bin/ (the program and the notepad helper) and the system's
/usr/bin and /bin alone on PATH; the glibc symbol versions its programs need must be those of
the oldest glibc its guide states. The Windows package runs under Wine, in the prefix named by
WINEPREFIX, with NOTEPAD_EXE standing in for the user's Notepad, each example and study through
the executar.bat and estudo.bat of its folder, as a double click runs them (a key on the
standard input ends their pause); the fields of its reports that come from sinh and cosh need
only agree within a few units in the last place, as in check_reports.py. Both packages' guides
go through check_guide.py: LEIAME.html in a browser, and Windows's LEIAME.txt as text.
"""
import os
import re
import shutil
import subprocess
import sys
import tarfile
import tempfile
import zipfile

SOURCE = os.path.dirname(os.path.dirname(os.path.dirname(os.path.abspath(__file__))))
sys.path.insert(0, os.path.join(SOURCE, "tests", "model"))
from check_reports import agree, without_time  # noqa: E402
from check_guide import check_html, check_text  # noqa: E402


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


STUDY_FILES = ("malhas.csv", "malhas_excel.csv", "malhas.txt", "extrapolacoes.csv", "erro.svg",
               "convergencia.svg", "orcamento.svg", "ordens.svg", "perfil.svg", "extrapolacoes.svg")


def direct(command, arguments=()):
    """A program run as a terminal runs it: nothing on the standard input, nothing printed."""
    def run(work, env):
        done = subprocess.run(command + list(arguments), cwd=work, env=env,
                              stdin=subprocess.DEVNULL, capture_output=True)
        return done.returncode, done.stderr + done.stdout
    return run


def double_click(batch):
    """A .bat of the example's folder run as a double click does, a key pressed at its pause:
    it must say the program ended with exit code 0, and nothing on the standard error."""
    def run(work, env):
        done = subprocess.run(["wine", "cmd", "/c", batch], cwd=work, env=env, input=b"\r\n",
                              capture_output=True)
        said = b"terminou com codigo de saida 0 " in done.stdout
        return done.returncode or (0 if said else 1), done.stderr + (b"" if said else done.stdout)
    return run


def run_study(work, study, env, label):
    """A mesh study of the example: it must end well and write its files."""
    code, said = study(work, env)
    folder = os.path.join(work, "estudo_malhas")
    missing = [f for f in STUDY_FILES if not os.path.isfile(os.path.join(folder, f))]
    if code != 0 or said or missing:
        return ["%s: mesh study exit %d, %r, missing %s" % (label, code, said, missing)]
    return []


def run_examples(top, example, study, env, windows):
    failures = []
    for case, report_name in example_cases():
        work = os.path.join(top, "examples", case)
        code, said = example(work, env)
        label = "%s, example %s" % (os.path.basename(top), case)
        if code != 0 or said:
            failures.append("%s: exit %d, %r" % (label, code, said))
            continue
        with open(os.path.join(work, report_name), "rb") as f:
            got = without_time(f.read())
        with open(os.path.join(SOURCE, "examples", case, report_name + ".expected"), "rb") as f:
            want = without_time(f.read())
        if got != want and not (windows and agree(got, want)):
            failures.append("%s: the report differs from the expected one" % label)
        failures += run_study(work, study, env, label)
    return failures


def display_formulas():
    """How many display formulas the guide has: each is a span with a plain-text form."""
    with open(os.path.join(SOURCE, "LEIAME.md"), encoding="utf-8") as f:
        return f.read().count("]{texto=")


def glibc_versions(programs):
    """The versions of the GLIBC_x.y symbols the programs need, as (x, y) tuples."""
    dump = subprocess.run(["objdump", "-T"] + programs, capture_output=True, text=True,
                          check=True).stdout
    return {tuple(int(n) for n in v.split(".")) for v in re.findall(r"\bGLIBC_(\d+\.\d+)", dump)}


def check_glibc(top):
    """The guide states the oldest glibc the programs run on: the newest version they need."""
    with open(os.path.join(top, "LEIAME.md"), encoding="utf-8") as f:
        stated = re.search(r"glibc (\d+)\.(\d+) ou mais nova", f.read())
    if not stated:
        return ["%s: the guide states no oldest glibc" % top]
    bin_folder = os.path.join(top, "bin")
    programs = [os.path.join(bin_folder, p) for p in ("aleta", "aleta-malhas")]
    needed = max(glibc_versions(programs))
    stated = tuple(int(n) for n in stated.groups())
    if needed != stated:
        return ["%s: the programs need glibc %d.%d, the guide states %d.%d" %
                ((os.path.basename(top),) + needed + stated)]
    libraries = subprocess.run(["objdump", "-p"] + programs, capture_output=True, text=True,
                               check=True).stdout
    shared = sorted(set(re.findall(r"NEEDED\s+(\S+)", libraries)) -
                    {"libc.so.6", "libm.so.6", "ld-linux-x86-64.so.2"})
    return ["%s: the programs need %s beside glibc" % (top, shared)] if shared else []


def check_linux(package, scratch):
    top = unpack(package, scratch)
    env = {"PATH": os.path.join(top, "bin") + ":/usr/bin:/bin", "LC_ALL": "C"}
    bin_folder = os.path.join(top, "bin")
    failures = run_examples(top, direct([os.path.join(bin_folder, "aleta")]),
                            direct([os.path.join(bin_folder, "aleta-malhas")], ["--malhas", "3"]),
                            env, windows=False)
    if not os.path.isfile(os.path.join(top, "LEIAME.md")):
        return failures + ["%s: no LEIAME.md" % package]
    failures += check_glibc(top)
    failures += check_html(os.path.join(top, "LEIAME.html"), display_formulas())
    return failures


def check_windows(package, notepad, scratch):
    top = unpack(package, os.path.join(scratch, "package"))
    editor = os.path.join(scratch, "editor")
    os.mkdir(editor)
    shutil.copy(notepad, os.path.join(editor, "notepad.exe"))
    env = dict(os.environ, WINEPATH=editor, WINEDEBUG="-all")
    for variable in ("NOTEPAD_LOG", "VISUAL", "EDITOR"):
        env.pop(variable, None)
    failures = run_examples(top, double_click("executar.bat"), double_click("estudo.bat"), env,
                            windows=True)
    failures += check_text(os.path.join(top, "LEIAME.txt"))
    failures += check_html(os.path.join(top, "LEIAME.html"), display_formulas())
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
