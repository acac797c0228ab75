#!/usr/bin/python3
"""The bar's argument lists against GLib's launcher, on the same desktop entries.

    glib_launch_compare.py <planpress> <argrecorder>

Every entry below is started by GLib (Gio.DesktopAppInfo, through python3-gi) and planned by
the bar (planpress). Every program an entry names is the argument recorder under that name,
on a PATH of its own, so GLib really starts it and the recorder tells what it was given.

Rows marked SAME must start the same program with the same arguments and (where Path= is
set) in the same working folder; rows marked REFUSED must be refused by both. Rows marked DIFFERS name a place where the desktop entry
rules leave the result open or where GLib departs from them; there the bar's own result is
checked and GLib's is printed beside it.

Differences that no row shows:
  - Without Path= GLib starts the program in the launcher's own folder, the bar in the home
    folder.
  - A program that asks for a terminal: the bar takes Debian's x-terminal-emulator first,
    which GLib does not know; both then try the same terminals in the same order.
  - Locale aliases (LANGUAGE=german) are resolved by GLib only.

Exits 77 when python3-gi is missing.
"""
import os
import sys
import tempfile
import time

try:
    import gi

    gi.require_version("Gio", "2.0")
except (ImportError, ValueError):
    print("SKIP: python3-gi is not installed (bash scripts/install-deps.sh installs it)")
    sys.exit(77)

DOCUMENT = "doc's \"name\" $(touch PWNED) `id`; a#b.txt"

# name, kind, entry lines after [Desktop Entry]/Type/Name, uses the document,
# the bar's result for DIFFERS rows ("{t}" is the test folder, "{doc}" the document).
SAME, REFUSED, DIFFERS = "SAME", "REFUSED", "DIFFERS"
ROWS = [
    ("PlainWords", SAME, "Exec=prog -a b", False),
    ("DoubleQuotesAndEscapes", SAME,
     r'Exec=prog "two words" "a\\\\b" "\\$HOME" "\"q\"" "\`x\`"', False),
    ("SingleQuotesAsAShellReadsThem", SAME,
     "Exec=sh -c 'STARTED_FROM_MENU=yes prog'", False),
    ("BackslashOutsideQuotes", SAME, r"Exec=prog a\ b c\'d", False),
    ("ValueEscapes", SAME, r"Exec=prog\sx\ty", False),
    ("CommentAfterABlank", SAME, "Exec=prog a #b c", False),
    ("FileCode", SAME, "Exec=prog --open %f", True),
    ("FileListCode", SAME, "Exec=prog %F", True),
    ("UrlCode", SAME, "Exec=prog %u", True),
    ("UrlListCode", SAME, "Exec=prog %U -x", True),
    ("FileCodeWithoutDocument", SAME, "Exec=prog %f -n", False),
    ("CodeInsideAWord", SAME, "Exec=prog --file=%f", True),
    ("OnlyTheFirstCodeTakesTheDocument", SAME, "Exec=prog %f %F", True),
    ("DocumentWithoutCodeComesLast", SAME, "Exec=prog -n", True),
    ("IconCode", SAME, "Exec=prog %i\nIcon=viewer", False),
    ("IconCodeWithoutIcon", SAME, "Exec=prog %i -x", False),
    ("TranslatedNameCode", SAME, "Exec=prog --title=%c\nName[de]=Betrachter", False),
    ("EntryPathCode", SAME, "Exec=prog %k", False),
    ("PercentCode", SAME, "Exec=prog 100%%", False),
    ("EnvPrefix", SAME, "Exec=env A=1 B='x y' prog %f", True),
    ("PathFolder", SAME, "Exec=prog\nPath={t}/work", False),
    ("MissingPathFolder", REFUSED, "Exec=prog\nPath={t}/gone", False),
    ("TryExecPresent", SAME, "Exec=prog\nTryExec=prog", False),
    ("TryExecMissing", REFUSED, "Exec=prog\nTryExec=no-such-program", False),
    ("TerminalWithoutATerminal", REFUSED, "Exec=prog %f\nTerminal=true", True),
    ("MissingProgram", REFUSED, "Exec=no-such-program %f", True),
    ("UnbalancedQuote", REFUSED, 'Exec=prog "abc', False),
    ("UnbalancedSingleQuote", REFUSED, "Exec=sh -c 'prog", False),
    ("CodeAsTheProgram", REFUSED, "Exec=%f", True),
    ("NoExecLine", REFUSED, "Icon=viewer", False),
    # A field code inside quotes is undefined; pasted into shell text it would run the
    # document's name as a command, so the bar refuses the entry.
    ("CodeInQuotedShellText", DIFFERS, 'Exec=sh -c "prog %f"', True, "fail 5"),
    ("QuotedCode", DIFFERS, 'Exec=prog "%f"', True, "fail 5"),
    # Field codes the rules do not list make the line invalid; GLib drops them.
    ("UnknownCode", DIFFERS, "Exec=prog %x", False, "fail 5"),
    ("LonePercent", DIFFERS, "Exec=prog 50% off", False, "fail 5"),
    # Retired codes are removed by the rules; GLib still gives the folder and base name.
    ("RetiredCodes", DIFFERS, "Exec=prog %d %n %f", True, ["{t}/bin/prog", "{t}/{doc}"]),
    # %i inside a word is undefined; GLib pastes "--icon name" into it.
    ("IconCodeInsideAWord", DIFFERS, "Exec=prog -x%i\nIcon=viewer", False, "fail 5"),
    # GLib starts only Type=Application entries; the bar starts any entry with an Exec line.
    ("NotAnApplication", DIFFERS, "Exec=prog\nType=Link", False, ["{t}/bin/prog"]),
    # Both run the program in xterm; the bar names it with its path, GLib as written.
    ("TerminalProgram", DIFFERS, "Exec=prog %f\nTerminal=true", True,
     ["{t}/bin/xterm", "-e", "{t}/bin/prog", "{t}/{doc}"]),
]

# Rows run where no terminal is on the PATH.
WITHOUT_TERMINAL = {"TerminalWithoutATerminal"}


def records(data):
    """Splits length-prefixed records: "<length>:<bytes>\\n"..."""
    out = []
    while data:
        length, rest = data.split(b":", 1)
        n = int(length)
        out.append(rest[:n].decode("utf-8", "surrogateescape"))
        data = rest[n + 1:]
    return out


def glib_result(entry_file, document, output):
    from gi.repository import Gio, GLib

    try:
        info = Gio.DesktopAppInfo.new_from_filename(entry_file)
    except TypeError:  # the constructor gave nothing: GLib does not take the entry
        info = None
    if info is None:
        return "refused"
    uris = [Gio.File.new_for_path(document).get_uri()] if document else []
    try:
        info.launch_uris(uris, None)
    except GLib.Error:
        return "refused"
    for _ in range(200):
        if os.path.exists(output):
            with open(output, "rb") as f:
                folder, program, *arguments = records(f.read())
            os.remove(output)
            return [resolve(program)] + arguments, folder
        time.sleep(0.025)
    return "timeout"


def resolve(program):
    if "/" in program:
        return program
    for folder in os.environ["PATH"].split(":"):
        if os.access(os.path.join(folder, program), os.X_OK):
            return os.path.join(folder, program)
    return program


def bar_result(planpress, entry_file, document):
    import subprocess

    argv = [planpress, entry_file] + ([document] if document else [])
    out = subprocess.run(argv, check=True, capture_output=True).stdout
    kind, rest = out.split(b"\n", 1)
    fields = records(rest)
    if kind == b"fail":
        return "fail " + fields[0]
    return [fields[0]] + fields[2:], fields[1]


def main():
    planpress, recorder = (os.path.abspath(a) for a in sys.argv[1:3])
    failures = 0
    with tempfile.TemporaryDirectory(prefix="ombrix-glib-") as t:
        os.makedirs(f"{t}/bin")
        os.makedirs(f"{t}/work")
        os.makedirs(f"{t}/home")
        os.makedirs(f"{t}/bin-noterm")
        for name in ("prog", "sh", "env", "xterm"):
            os.symlink(recorder, f"{t}/bin/{name}")
        os.symlink(recorder, f"{t}/bin-noterm/prog")
        document = f"{t}/{DOCUMENT}"
        open(document, "w").close()
        os.environ.update(PATH=f"{t}/bin", HOME=f"{t}/home", LANG="de_DE.UTF-8",
                          ARGRECORDER_OUT=f"{t}/started")
        for name in ("LANGUAGE", "LC_ALL", "LC_MESSAGES"):
            os.environ.pop(name, None)
        for row in ROWS:
            name, kind, lines, uses_document = row[:4]
            entry_file = f"{t}/{name}.desktop"
            lines = lines.replace("{t}", t)
            typed = "" if "Type=" in lines else "Type=Application\n"
            with open(entry_file, "w") as f:
                f.write(f"[Desktop Entry]\n{typed}Name=Viewer\n{lines}\n")
            doc = document if uses_document else ""
            os.environ["PATH"] = f"{t}/bin-noterm" if name in WITHOUT_TERMINAL else f"{t}/bin"
            glib = glib_result(entry_file, doc, f"{t}/started")
            bar = bar_result(planpress, entry_file, doc)
            if kind == SAME:
                same = isinstance(bar, tuple) and (
                    comparable(glib, "Path=" in lines) == comparable(bar, "Path=" in lines))
            elif kind == REFUSED:
                same = comparable(glib, False) == comparable(bar, False) == "refused"
            else:
                expected = row[4]
                if isinstance(expected, list):
                    expected = [a.replace("{t}", t).replace("{doc}", DOCUMENT) for a in expected]
                    same = isinstance(bar, tuple) and bar[0] == expected
                else:
                    same = bar == expected
            status = "PASS" if same else "FAIL"
            failures += not same
            print(f"{status}: {name} ({kind})\n    bar:  {bar}\n    glib: {glib}")
        if os.path.exists("PWNED") or os.path.exists(f"{t}/PWNED"):
            print("FAIL: a document's name ran as a command")
            failures += 1
    print(f"{len(ROWS) - failures} of {len(ROWS)} rows as expected")
    return 1 if failures else 0


def comparable(result, with_folder):
    """Both refusals are alike; a start is its argument list, and its folder where set."""
    if isinstance(result, str):
        return "refused" if result.startswith(("fail", "refused")) else result
    argv, folder = result
    return (argv, folder) if with_folder else argv


if __name__ == "__main__":
    sys.exit(main())
