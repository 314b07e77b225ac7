#!/usr/bin/python3
"""Checks that tools/deps/ installs every system path the project reads.

tools/deps/system-paths.txt names each absolute path that the build, the
programs or the tests read, the package that ships it and what it is read
for. For every row, dpkg must say that the named package really owns the
path, and the package lists of tools/deps/ must install that package for
each setup that needs it: `tools/setup.sh run` installs the build and run
lists, `tools/setup.sh test` the build and test lists.

    test_system_paths.py [TOP_FOLDER]
"""

import glob
import os
import re
import subprocess
import sys
import tempfile
import unittest

TOP = os.path.abspath(sys.argv.pop(1) if len(sys.argv) > 1 else
                      os.path.join(os.path.dirname(__file__), "..", ".."))

# The setups of tools/setup.sh, and the purposes of the table they serve.
SETUPS_FOR_PURPOSE = {"build": ("run", "test"), "run": ("run",), "test": ("test",)}


def read_table(path):
    """Rows (line number, role, path, packages, purposes) of system-paths.txt."""
    rows = []
    with open(path, encoding="utf-8") as table:
        for number, line in enumerate(table, 1):
            fields = line.split("#", 1)[0].split()
            if not fields:
                continue
            if len(fields) != 4:
                raise ValueError(f"{path}:{number}: a row needs role, path, package and purpose")
            role, file, packages, purposes = fields
            purposes = purposes.split(",")
            unknown = [p for p in purposes if p not in SETUPS_FOR_PURPOSE]
            if unknown or not os.path.isabs(file):
                raise ValueError(f"{path}:{number}: an absolute path and purposes among "
                                 f"{', '.join(SETUPS_FOR_PURPOSE)} are needed")
            rows.append((number, role, file, packages.split("|"), purposes))
    return rows


def read_deps(folder):
    """For each setup, the packages its lists name (every alternative counts)."""
    listed = {"run": set(), "test": set()}
    for path in glob.glob(os.path.join(folder, "*-*.txt")):
        kind = os.path.basename(path)[:-4].rsplit("-", 1)[1]
        setups = ("run", "test") if kind == "build" else (kind,)
        with open(path, encoding="utf-8") as deps:
            for line in deps:
                for package in line.split("#", 1)[0].split("|"):
                    if package.strip():
                        for setup in setups:
                            if setup in listed:
                                listed[setup].add(package.strip())
    return listed


def dpkg_owners(paths):
    """For each path, the packages dpkg says own it exactly (none: empty)."""
    result = subprocess.run(["dpkg-query", "-S", *paths], capture_output=True, text=True)
    owners = {path: set() for path in paths}
    for line in result.stdout.splitlines():
        if line.startswith("diversion "):
            continue
        packages, _, owned = line.rpartition(": ")
        if owned in owners:
            owners[owned].update(p.strip().split(":")[0] for p in packages.split(","))
    return owners


def problems(table_path, deps_folder, owners_of):
    found = []
    listed = read_deps(deps_folder)
    rows = read_table(table_path)
    owners_by_path = owners_of(sorted({row[2] for row in rows}))
    for number, role, path, packages, purposes in rows:
        where = f"{os.path.basename(table_path)}:{number} ({role}) {path}"
        owners = owners_by_path[path]
        if not owners:
            found.append(f"{where}: no installed Debian package owns this path; "
                         f"is it in {' or '.join(packages)} at all (dpkg-query -S)?")
            continue
        if not owners & set(packages):
            found.append(f"{where}: the table names {' or '.join(packages)}, but the path "
                         f"belongs to {', '.join(sorted(owners))}")
            continue
        for purpose in purposes:
            for setup in SETUPS_FOR_PURPOSE[purpose]:
                if not set(packages) & listed[setup]:
                    found.append(f"{where}: read for {purpose}, but no list that "
                                 f"'tools/setup.sh {setup}' installs names "
                                 f"{' or '.join(packages)}; add it to tools/deps/")
    return found


class ProjectPaths(unittest.TestCase):
    def test_every_path_is_installed_by_the_deps_lists(self):
        found = problems(os.path.join(TOP, "tools", "deps", "system-paths.txt"),
                         os.path.join(TOP, "tools", "deps"), dpkg_owners)
        if found:
            self.fail("\n" + "\n".join(found))


# Files that may name system paths, and the folders whose paths are where the
# Debian package installs to rather than what anything reads.
SOURCE_SUFFIXES = (".cpp", ".h", ".py", ".cmake", ".txt", ".sh", ".in", ".conf", ".fodt")
NOT_READ = ("packaging", os.path.join("tests", "packaging"), os.path.join("tests", "setup"),
            os.path.join("tools", "deps"))
SYSTEM_PATH = re.compile(r"(?<![\w.~$}])/(?:usr|etc|opt|lib|bin|sbin)/[\w.+/-]*[\w+]")


def unlisted_paths(top, listed):
    """(file, line, path) for each system path in the sources the table lacks."""
    found = []
    for folder, subfolders, files in os.walk(top):
        relative = os.path.relpath(folder, top)
        subfolders[:] = [d for d in subfolders if not d.startswith((".", "build"))
                         and os.path.normpath(os.path.join(relative, d)) not in NOT_READ]
        for name in files:
            if not name.endswith(SOURCE_SUFFIXES):
                continue
            path = os.path.join(folder, name)
            with open(path, encoding="utf-8", errors="replace") as source:
                for number, line in enumerate(source, 1):
                    if number == 1 and line.startswith("#!"):
                        continue
                    for match in SYSTEM_PATH.findall(line):
                        if match not in listed:
                            found.append((os.path.relpath(path, top), number, match))
    return found


class SourcePaths(unittest.TestCase):
    def test_every_system_path_in_the_sources_is_in_the_table(self):
        listed = {row[2] for row in read_table(os.path.join(TOP, "tools", "deps", "system-paths.txt"))}
        found = unlisted_paths(TOP, listed)
        if found:
            self.fail("\nsystem paths named outside tools/deps/system-paths.txt; read them "
                      "from the table (cmake/SystemPaths.cmake) instead:\n" +
                      "\n".join(f"{f}:{n}: {p}" for f, n, p in found))


class Checker(unittest.TestCase):
    """The check itself, over small tables and lists with known owners."""

    OWNERS = {"/usr/share/a.ttf": {"fonts-a"}, "/usr/lib/office": {"core", "common"},
              "/usr/bin/tool": {"tools-b"}}

    def check(self, table, deps):
        with tempfile.TemporaryDirectory() as folder:
            with open(os.path.join(folder, "paths.txt"), "w", encoding="utf-8") as f:
                f.write(table)
            for name, text in deps.items():
                with open(os.path.join(folder, name), "w", encoding="utf-8") as f:
                    f.write(text)
            return problems(os.path.join(folder, "paths.txt"), folder,
                            lambda paths: {p: self.OWNERS.get(p, set()) for p in paths})

    def test_cases(self):
        cases = [
            # (what, table, deps lists, words every problem must hold, problems)
            ("build path in a build list", "font /usr/share/a.ttf fonts-a build\n",
             {"x-build.txt": "fonts-a # comment\n"}, [], 0),
            ("build path only in a test list misses the run setup",
             "font /usr/share/a.ttf fonts-a build\n", {"x-test.txt": "fonts-a\n"},
             ["setup.sh run", "fonts-a"], 1),
            ("run path listed for tests only", "tool /usr/bin/tool tools-b run\n",
             {"x-test.txt": "tools-b\n"}, ["setup.sh run"], 1),
            ("test path as an alternative of a line",
             "tool /usr/bin/tool tools-b test\n", {"x-test.txt": "tools-a|tools-b\n"}, [], 0),
            ("a folder several packages own", "home /usr/lib/office common build\n",
             {"y-build.txt": "common\n"}, [], 0),
            ("either of two packages ships it", "home /usr/lib/office core-nogui|core build\n",
             {"y-test.txt": "core-nogui|core\n", "y-run.txt": "core\n"}, [], 0),
            ("the table names the wrong package", "font /usr/share/a.ttf fonts-b build\n",
             {"x-build.txt": "fonts-b\n"}, ["belongs to fonts-a"], 1),
            ("nothing owns the path", "font /usr/share/missing.ttf fonts-a build\n",
             {"x-build.txt": "fonts-a\n"}, ["no installed Debian package owns"], 1),
        ]
        for what, table, deps, words, count in cases:
            with self.subTest(what):
                found = self.check(table, deps)
                self.assertEqual(len(found), count, found)
                for problem in found:
                    for word in words:
                        self.assertIn(word, problem)

    def test_malformed_row_is_refused(self):
        for table in ("font /usr/share/a.ttf fonts-a\n", "font share/a.ttf fonts-a build\n",
                      "font /usr/share/a.ttf fonts-a always\n"):
            with self.subTest(table), self.assertRaises(ValueError):
                self.check(table, {})


if __name__ == "__main__":
    unittest.main()
