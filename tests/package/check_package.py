#!/usr/bin/env python3
"""Unpacks each downloadable package in a scratch folder and runs every example case it ships
with nothing but what the package holds, comparing each report with the reference committed
beside the example (examples/<case>/<report>.expected, written by the independent model of
tests/model/fin_model.py), then a mesh study of the example, which must write its files.

usage: check_package.py LINUX_TGZ WINDOWS_ZIP NOTEPAD_EXE

The Linux package runs with its own bin/ (the program and the notepad helper) and the system's
/usr/bin and /bin alone on PATH; the glibc symbol versions its programs need must be those of
the oldest glibc its guide states. The Windows package runs under Wine, in the prefix named by
WINEPREFIX, as the Windows user "João Silva" who unpacked it in his Downloads folder, with
NOTEPAD_EXE standing in for the user's Notepad, each example and study through the executar.bat
and estudo.bat of its folder, as a double click runs them (a key on the standard input ends their
pause), and once more through a copy of executar.bat in a folder of his own, edited as the guide
says; the fields of its reports that come from sinh and cosh need only agree within a few units
in the last place, as in check_reports.py. Both packages' guides go through check_guide.py:
LEIAME.html in a browser, and Windows's LEIAME.txt as text. Both carry the license and the
source as the guide names them.
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


STUDY_FILES = ("malhas.csv", "malhas_excel.csv", "malhas.txt", "extrapolacoes.csv",
               "extrapolacoes_excel.csv", "estimadores.csv", "estimadores_excel.csv",
               "estimadores_resumo.csv", "estimadores_resumo_excel.csv", "estudo.html", "erro.svg",
               "convergencia.svg", "orcamento.svg", "ordens.svg", "perfil.svg", "extrapolacoes.svg",
               "estimadores.svg")


def direct(command, arguments=()):
    """A program run as a terminal runs it: nothing on the standard input, nothing printed."""
    def run(work, env):
        done = subprocess.run(command + list(arguments), cwd=work, env=env,
                              stdin=subprocess.DEVNULL, capture_output=True)
        return done.returncode, done.stderr + done.stdout
    return run


def guide_text():
    with open(os.path.join(SOURCE, "LEIAME.md"), encoding="utf-8") as f:
        return f.read()


def closing_line(program):
    """The line the guide's quick start says the window shows when `program` ends well."""
    quoted = re.search(r"`(%s terminou com codigo de saida 0 [^`]*)`" % re.escape(program),
                       guide_text())
    if not quoted:
        raise SystemExit("the guide quotes no closing line of %s" % program)
    return quoted.group(1).encode()


def double_click(batch, program):
    """A .bat run as a double click does, a key pressed at its pause: it must show the closing
    line the guide quotes, and nothing on the standard error."""
    def run(work, env):
        done = subprocess.run(["wine", "cmd", "/c", batch], cwd=work, env=env, input=b"\r\n",
                              capture_output=True)
        said = closing_line(program) in done.stdout
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


def run_example(work, case, report_name, example, env, windows, label):
    """The example's input files in `work`, run: the report must be the expected one."""
    code, said = example(work, env)
    if code != 0 or said:
        return ["%s: exit %d, %r" % (label, code, said)]
    with open(os.path.join(work, report_name), "rb") as f:
        got = without_time(f.read())
    with open(os.path.join(SOURCE, "examples", case, report_name + ".expected"), "rb") as f:
        want = without_time(f.read())
    if got != want and not (windows and agree(got, want)):
        return ["%s: the report differs from the expected one" % label]
    return []


def run_examples(top, example, study, env, windows):
    failures = []
    for case, report_name in example_cases():
        work = os.path.join(top, "examples", case)
        label = "%s, example %s" % (os.path.basename(top), case)
        failed = run_example(work, case, report_name, example, env, windows, label)
        failures += failed or run_study(work, study, env, label)
    return failures


def display_formulas():
    """How many display formulas the guide has: each is a span with a plain-text form."""
    return guide_text().count("]{texto=")


def glibc_versions(programs):
    """The versions of the GLIBC_x.y symbols the programs need, as (x, y) tuples."""
    dump = subprocess.run(["objdump", "-T"] + programs, capture_output=True, text=True,
                          check=True).stdout
    return {tuple(int(n) for n in v.split(".")) for v in re.findall(r"\bGLIBC_(\d+\.\d+)", dump)}


def check_glibc(top):
    """The guide states the oldest glibc the programs run on: the newest version they need, the
    one the loader names when a system's glibc is older."""
    with open(os.path.join(top, "LEIAME.md"), encoding="utf-8") as f:
        guide = f.read()
    stated = re.search(r"glibc (\d+)\.(\d+) ou mais nova", guide)
    if not stated:
        return ["%s: the guide states no oldest glibc" % top]
    bin_folder = os.path.join(top, "bin")
    programs = [os.path.join(bin_folder, p) for p in ("aleta", "aleta-malhas")]
    needed = max(glibc_versions(programs))
    stated = tuple(int(n) for n in stated.groups())
    if needed != stated:
        return ["%s: the programs need glibc %d.%d, the guide states %d.%d" %
                ((os.path.basename(top),) + needed + stated)]
    if "version `GLIBC_%d.%d' not found" % needed not in guide:
        return ["%s: the guide quotes no loader message for glibc %d.%d" %
                ((os.path.basename(top),) + needed)]
    libraries = subprocess.run(["objdump", "-p"] + programs, capture_output=True, text=True,
                               check=True).stdout
    shared = sorted(set(re.findall(r"NEEDED\s+(\S+)", libraries)) -
                    {"libc.so.6", "libm.so.6", "ld-linux-x86-64.so.2"})
    return ["%s: the programs need %s beside glibc" % (top, shared)] if shared else []


def check_license_and_source(top, license_name, archive_suffix):
    """The package's license is the project's; its source archive, named as the guide names it,
    holds under one folder of its own name every file git tracks (when git can list them here),
    the same license among them."""
    label = os.path.basename(top)
    guide = guide_text()
    with open(os.path.join(SOURCE, "LICENSE"), "rb") as f:
        license_text = f.read()
    failures = []
    shipped = os.path.join(top, license_name)
    if not os.path.isfile(shipped) or open(shipped, "rb").read() != license_text:
        failures.append("%s: %s is not the project's LICENSE" % (label, license_name))
    folder = "aleta-%s-fonte" % label.split("-")[1]
    for named in ("`%s`" % license_name, "`aleta-<versão>-fonte%s`" % archive_suffix):
        if named not in guide:
            failures.append("%s: the guide does not name %s" % (label, named))
    archive = os.path.join(top, folder + archive_suffix)
    if not os.path.isfile(archive):
        return failures + ["%s: no %s" % (label, os.path.basename(archive))]
    if archive.endswith(".zip"):
        with zipfile.ZipFile(archive) as source:
            names = [n for n in source.namelist() if not n.endswith("/")]
            license_inside = source.read(folder + "/LICENSE") if folder + "/LICENSE" in names else b""
    else:
        with tarfile.open(archive) as source:
            names = [m.name for m in source.getmembers() if m.isfile()]
            license_inside = (source.extractfile(folder + "/LICENSE").read()
                              if folder + "/LICENSE" in names else b"")
    outside = [n for n in names if not n.startswith(folder + "/")]
    if outside:
        failures.append("%s: source files outside %s/: %s" % (label, folder, outside[:3]))
    if license_inside != license_text:
        failures.append("%s: the source archive's LICENSE is not the project's" % label)
    tracked = subprocess.run(["git", "ls-files"], cwd=SOURCE, capture_output=True, text=True)
    if tracked.returncode == 0:
        want = {n for n in tracked.stdout.splitlines() if os.path.isfile(os.path.join(SOURCE, n))}
        have = {n[len(folder) + 1:] for n in names}
        for differ, what in ((want - have, "lacks"), (have - want, "holds untracked")):
            if differ:
                failures.append("%s: the source archive %s %s" % (label, what, sorted(differ)[:5]))
    return failures


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
    failures += check_license_and_source(top, "LICENSE", ".tar.gz")
    failures += check_html(os.path.join(top, "LEIAME.html"), display_formulas())
    return failures


# The Windows user of the test, with the accented name of the guide's examples.
WINDOWS_USER = "João Silva"


def check_copied_launcher(top, env, scratch):
    """The guide's way to run a case outside the package: executar.bat copied to a folder of the
    user's, its BIN line replaced by the guide's own, which reaches the package through
    %USERPROFILE% and types no accent. The same copy with the accented folder typed into the
    line instead, saved in UTF-8 as Notepad saves it, must say that it found no program."""
    line = re.search(r'^\s*(set "BIN=%USERPROFILE%[^"\n]*")\s*$', guide_text(), re.M)
    if not line:
        return ["the guide gives no BIN line with %USERPROFILE%"]
    line = re.sub(r"aleta-[0-9.]+-windows-x64", os.path.basename(top), line.group(1))
    typed = line.replace("%USERPROFILE%", "C:\\users\\" + WINDOWS_USER)
    report_name = dict(example_cases())["uds2"]
    with open(os.path.join(top, "examples", "uds2", "executar.bat"), "rb") as f:
        launcher = f.read()
    failures = []
    for set_line, folder in ((line, "meu caso"), (typed, "caso digitado")):
        work = os.path.join(scratch, WINDOWS_USER, "Documents", folder)
        os.makedirs(work)
        for name in os.listdir(os.path.join(SOURCE, "examples", "uds2")):
            if name.endswith(".ent"):
                shutil.copy(os.path.join(SOURCE, "examples", "uds2", name), work)
        edited, count = re.subn(rb'(?m)^set "BIN=[^\r\n]*', lambda _: set_line.encode("utf-8"),
                                launcher)
        with open(os.path.join(work, "executar.bat"), "wb") as f:
            f.write(edited)
        label = "%s, a copy of executar.bat with %s" % (os.path.basename(top), set_line)
        if count != 1:
            failures.append("%s: no BIN line in executar.bat" % label)
        elif set_line == line:
            failures += run_example(work, "uds2", report_name,
                                    double_click("executar.bat", "aleta.exe"), env, True, label)
        else:
            done = subprocess.run(["wine", "cmd", "/c", "executar.bat"], cwd=work, env=env,
                                  input=b"\r\n", capture_output=True)
            if done.returncode != 1 or b"Nao encontrei" not in done.stdout:
                failures.append("%s: exit %d, %r" % (label, done.returncode, done.stdout))
    return failures


def check_windows(package, notepad, scratch):
    """The package unpacked as "Extrair tudo" does, in the Downloads folder of WINDOWS_USER: the
    Wine prefix's profile of that user links its Downloads to a folder of the scratch area, and
    the prefix's session starts as that user (its server is let finish first), so that
    %USERPROFILE% is C:\\users\\João Silva."""
    prefix = os.environ.get("WINEPREFIX")
    if not prefix:
        raise SystemExit("WINEPREFIX must name the Wine prefix of the Windows tests")
    env = dict(os.environ, WINEDEBUG="-all", USER=WINDOWS_USER)
    subprocess.run(["wineserver", "-w"], env=env, check=True)
    downloads = os.path.join(scratch, WINDOWS_USER, "Downloads")
    name = os.path.basename(package)[:-len(".zip")]
    top = unpack(package, os.path.join(downloads, name))
    profile = os.path.join(prefix, "drive_c", "users", WINDOWS_USER)
    os.makedirs(profile, exist_ok=True)
    link = os.path.join(profile, "Downloads")
    if os.path.islink(link):
        os.unlink(link)
    os.symlink(downloads, link)
    editor = os.path.join(scratch, "editor")
    os.mkdir(editor)
    shutil.copy(notepad, os.path.join(editor, "notepad.exe"))
    env["WINEPATH"] = editor
    for variable in ("NOTEPAD_LOG", "VISUAL", "EDITOR"):
        env.pop(variable, None)
    try:
        failures = run_examples(top, double_click("executar.bat", "aleta.exe"),
                                double_click("estudo.bat", "aleta-malhas.exe"), env, windows=True)
        failures += check_copied_launcher(top, env, scratch)
    finally:
        os.unlink(link)
    failures += check_license_and_source(top, "LICENSE.txt", ".zip")
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
