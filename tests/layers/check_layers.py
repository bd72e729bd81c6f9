#!/usr/bin/env python3
"""The layer rule of the source tree.

A folder includes only folders below it, the feature folders do not include one another, the
second program sees only the bottom folders, the engine never sees the location list, the core
folders include no Qt, and inside a folder no two files include each other's headers, directly
or around a longer loop (a file's header and its .cpp count as one). The run's state is written
only by the program session: its public operations hand out no writable part of it, and the
folders over program/ never hold the settings or the context writable nor cast const away.
Prints every include that breaks the rule, every loop and every door to the run's state, and
exits 1 when there is one.
Usage: check_layers.py <source folder>
"""
import pathlib
import re
import subprocess
import sys

# The layers, bottom to top. Folders of one layer may not include one another.
LAYERS = [
    ["resources"],
    ["platform"],
    ["foundation"],
    ["foundation/qt"],
    ["locations"],
    ["engine"],
    ["program"],
    ["sounds"],
    ["locations/dialogs", "program/dialogs", "calendar", "report", "liveupdate"],
    ["mainwin"],
]
# The second program stands beside the layers and sees only these.
INSTALLER_SEES = {"resources", "platform", "foundation"}
# Folders that are not part of the programs.
OUTSIDE = {"tests", "tools", "bench", "fuzz", "build", "cmake", "scripts"}
# The generators run by the build, each with the folder whose data it makes: a generator
# includes only that folder and the folders below it, so data that a low folder ships is kept
# there and never borrowed from a higher one.
GENERATORS = {"tools/clock_faces": "resources", "tools/program_icons": "mainwin"}
# Core folders include no Qt; of sounds/ only its Qt files (named qt_*) may.
CORE = {"platform", "foundation", "locations", "engine", "program", "sounds"}

# The session: the one writer of the run's state. Of its public operations only these hand out
# a writable reference, and none of them to the state.
SESSION_HEADER = "program/program_session.h"
SESSION_CLASS = re.compile(r"^\s*class\s+ProgramSession\b[^;]*$")
# The user-interface services, and the windows' sections of VEK.INI, whose every write goes
# through the session's save.
SESSION_MAY_HAND_OUT = {"Ui", "Sections"}
# A declaration of a member function that returns a writable reference or pointer.
WRITABLE_RETURN = re.compile(r"^(?!const\b|static\b|return\b|using\b)[\w:<>, ]*?\w>?\s*[&*]\s*(\w+)\s*\(")
# The state that the folders over program/ read only through the session's const views.
WRITABLE_STATE = re.compile(r"(?<!const )\b(VekContext|VekSettings)\s*[&*]")

RANK = {folder: i for i, layer in enumerate(LAYERS) for folder in layer}
RANK["installer"] = len(LAYERS)
INCLUDE = re.compile(r'^\s*#\s*include\s+"([^"]+)"')
QT_INCLUDE = re.compile(r"^\s*#\s*include\s+<Q")


def folder_of(directory):
    """The longest known folder that contains the directory, or None."""
    best = None
    for folder in RANK:
        if directory == folder or directory.startswith(folder + "/"):
            if best is None or len(folder) > len(best):
                best = folder
    return best


def source_files(root):
    try:
        listed = subprocess.run(["git", "ls-files", "*.h", "*.cpp"], cwd=root, check=True,
                                capture_output=True, text=True).stdout.split()
        return [pathlib.PurePosixPath(f) for f in listed]
    except (OSError, subprocess.CalledProcessError):
        return [pathlib.PurePosixPath(p.relative_to(root).as_posix())
                for p in pathlib.Path(root).rglob("*") if p.suffix in (".h", ".cpp")]


def include_loops(edges):
    """The loops of a graph {unit: units it includes}: each set of two or more units that reach
    one another, as a sorted list (Tarjan's strongly connected components)."""
    index, low, stack, on_stack, loops = {}, {}, [], set(), []

    def visit(unit):
        index[unit] = low[unit] = len(index)
        stack.append(unit)
        on_stack.add(unit)
        for other in sorted(edges.get(unit, ())):
            if other not in index:
                visit(other)
                low[unit] = min(low[unit], low[other])
            elif other in on_stack:
                low[unit] = min(low[unit], index[other])
        if low[unit] == index[unit]:
            component = []
            while True:
                member = stack.pop()
                on_stack.discard(member)
                component.append(member)
                if member == unit:
                    break
            if len(component) > 1:
                loops.append(sorted(component))

    for unit in sorted(edges):
        if unit not in index:
            visit(unit)
    return sorted(loops)


def generator_problems(root, path):
    """The includes of a generator's file that reach above the folder whose data it makes."""
    feeds = next((folder for generator, folder in GENERATORS.items()
                  if str(path.parent) == generator or str(path.parent).startswith(generator + "/")),
                 None)
    if feeds is None:
        return []
    problems = []
    text = (pathlib.Path(root) / path).read_text(encoding="utf-8", errors="replace")
    for number, line in enumerate(text.splitlines(), 1):
        if (match := INCLUDE.match(line)):
            target = folder_of(str(pathlib.PurePosixPath(match.group(1)).parent))
            if target is not None and RANK[target] > RANK[feeds]:
                problems.append(f"{path}:{number}: the generator of {feeds}/'s data includes "
                                f"{match.group(1)}, which is above {feeds}/")
    return problems


def session_door_problems(path, text):
    """The public operations of the session that hand out a writable part of the run's state."""
    problems = []
    in_class = public = False
    depth = 0
    for number, line in enumerate(text.splitlines(), 1):
        if not in_class:
            if SESSION_CLASS.match(line):
                in_class, depth = True, 0
            else:
                continue
        depth += line.count("{") - line.count("}")
        if depth <= 0 and "}" in line:
            in_class = False
            continue
        stripped = line.strip()
        if depth == 1 and stripped in ("public:", "private:", "protected:"):
            public = stripped == "public:"
        elif public and depth == 1 and (match := WRITABLE_RETURN.match(stripped)) \
                and match.group(1) not in SESSION_MAY_HAND_OUT:
            problems.append(f"{path}:{number}: the session hands out {match.group(1)}() "
                            "writable: the run's state changes only through its operations")
    return problems


def state_write_problems(path, home, text):
    """The lines of a folder over program/ that could write the run's state."""
    if home == "installer" or RANK[home] <= RANK["program"]:
        return []
    problems = []
    for number, line in enumerate(text.splitlines(), 1):
        code = line.split("//", 1)[0]
        if "const_cast" in code:
            problems.append(f"{path}:{number}: {home}/ casts const away: the run's state reaches "
                            "it const and changes only through the session's operations")
        elif (match := WRITABLE_STATE.search(code)):
            problems.append(f"{path}:{number}: {home}/ holds a writable {match.group(1)}: the "
                            "run's state changes only through the session's operations")
    return problems


def check(root):
    problems = []
    # Inside each folder: which unit (a header and its .cpp, by the path without the suffix)
    # includes the headers of which other units.
    edges = {}
    for path in source_files(root):
        if path.parts[0] in OUTSIDE or len(path.parts) < 2:
            problems += generator_problems(root, path)
            continue
        home = folder_of(str(path.parent))
        if home is None:
            problems.append(f"{path}: its folder has no place among the layers")
            continue
        text = (pathlib.Path(root) / path).read_text(encoding="utf-8", errors="replace")
        problems += state_write_problems(path, home, text)
        if str(path) == SESSION_HEADER:
            problems += session_door_problems(path, text)
        for number, line in enumerate(text.splitlines(), 1):
            if (match := INCLUDE.match(line)):
                included = match.group(1)
                target = folder_of(str(pathlib.PurePosixPath(included).parent))
                if target is None:
                    pass
                elif target == home:
                    unit = str(path.with_suffix(""))
                    other = str(pathlib.PurePosixPath(included).with_suffix(""))
                    if other != unit:
                        edges.setdefault(unit, set()).add(other)
                elif home == "installer":
                    if target not in INSTALLER_SEES:
                        problems.append(f"{path}:{number}: the installer includes {included}")
                elif RANK[target] >= RANK[home]:
                    problems.append(f"{path}:{number}: {home}/ includes {included}, "
                                    "which is not below it")
                if home == "engine" and included == "locations/location_list.h":
                    problems.append(f"{path}:{number}: the engine takes a location record, "
                                    "never the list")
            elif QT_INCLUDE.match(line) and home in CORE and not (
                    home == "sounds" and path.name.startswith("qt_")):
                problems.append(f"{path}:{number}: {home}/ is core code and includes Qt")
    for loop in include_loops(edges):
        problems.append(f"{folder_of(str(pathlib.PurePosixPath(loop[0]).parent))}/: an include "
                        f"loop: {', '.join(loop)} include one another's headers")
    return problems


def main():
    problems = check(sys.argv[1] if len(sys.argv) > 1 else ".")
    for problem in problems:
        print(problem)
    return 1 if problems else 0


if __name__ == "__main__":
    sys.exit(main())
