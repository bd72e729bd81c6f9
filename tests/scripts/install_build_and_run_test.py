#!/usr/bin/env python3
"""The set-up command of the README builds both programs into the build tree and starts vek.

The script runs on a copy of itself, with apt-get, sudo and cmake in its PATH replaced: the
stand-in cmake notes its arguments and "builds" each target it is asked for as a file of that
name in build/default/, as the project's build puts both programs there (building everything
when no target is named). The stand-in vek notes that it was started.
"""
import os
import pathlib
import shutil
import stat
import subprocess
import sys
import tempfile
import unittest

SOURCE = pathlib.Path(sys.argv.pop(1) if len(sys.argv) > 1 else pathlib.Path(__file__).parents[2])
PROGRAMS = ["vek", "dravolen"]

FAKE_CMAKE = """#!/usr/bin/env python3
import pathlib, sys
args = sys.argv[1:]
with open("{log}", "a") as log:
    log.write(" ".join(args) + "\\n")
if "--build" in args:
    targets = []
    if "--target" in args:
        for arg in args[args.index("--target") + 1:]:
            if arg.startswith("-"):
                break
            targets.append(arg)
    out = pathlib.Path("build/default")
    out.mkdir(parents=True, exist_ok=True)
    for name in targets or {programs}:
        program = out / name
        program.write_text("#!/bin/sh\\necho started >> '{started}'\\n")
        program.chmod(0o755)
"""


def write_executable(path, text):
    path.write_text(text)
    path.chmod(path.stat().st_mode | stat.S_IXUSR | stat.S_IXGRP | stat.S_IXOTH)


class SetUpCommandTest(unittest.TestCase):
    def test_the_set_up_command_builds_both_programs_and_starts_vek(self):
        with tempfile.TemporaryDirectory() as root:
            root = pathlib.Path(root)
            tree = root / "tree"
            (tree / "scripts").mkdir(parents=True)
            for script in ["install-build-and-run.sh", "install-packages.sh"]:
                shutil.copy(SOURCE / "scripts" / script, tree / "scripts" / script)
            tools = root / "bin"
            tools.mkdir()
            log = root / "cmake.log"
            started = root / "started"
            write_executable(tools / "cmake", FAKE_CMAKE.format(
                log=log, started=started, programs=PROGRAMS))
            write_executable(tools / "apt-get", "#!/bin/sh\nexit 0\n")
            write_executable(tools / "sudo", '#!/bin/sh\nexec "$@"\n')
            env = dict(os.environ, PATH=f"{tools}:{os.environ['PATH']}")
            result = subprocess.run(["bash", str(tree / "scripts" / "install-build-and-run.sh")],
                                    cwd=root, env=env, capture_output=True, text=True,
                                    timeout=60)
            self.assertEqual(0, result.returncode, result.stderr)
            built = sorted(p.name for p in (tree / "build" / "default").iterdir())
            for program in PROGRAMS:
                self.assertIn(program, built, log.read_text())
            self.assertEqual("started\n", started.read_text())


if __name__ == "__main__":
    unittest.main()
