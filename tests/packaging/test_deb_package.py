#!/usr/bin/python3
"""Builds the Debian package with CPack and inspects what it would install.

Usage: test_deb_package.py <package_facts.json>

The package is unpacked into a temporary folder, never installed.
"""
import configparser
import gzip
import json
import os
import struct
import subprocess
import sys
import tempfile
import unittest
import xml.etree.ElementTree as ET

APP_ID = "org.glyphboard.Glyphboard"
PACKAGE = "glyphboard"
FONT_DIR = "usr/share/fonts/truetype/glyphboard"
ICON_PNG = f"usr/share/icons/hicolor/48x48/apps/{APP_ID}.png"
ICON_SVG = f"usr/share/icons/hicolor/scalable/apps/{APP_ID}.svg"
ALIAS = "65-glyphboard-traditional-arabic.conf"
ALIAS_AVAIL = f"usr/share/fontconfig/conf.avail/{ALIAS}"
ALIAS_LINK = f"etc/fonts/conf.d/{ALIAS}"
# One of LibreOffice's shared template folders, in a category of its own:
# the template in Word's format and in Writer's own.
TEMPLATES = [f"usr/lib/libreoffice/share/template/common/Glyphboard/VovediVoda.{ext}" for ext in ("dot", "ott")]
# The insertion component, unpacked among the office's bundled extensions.
EXTENSION_DIR = "usr/lib/libreoffice/share/extensions/glyphboard"
EXTENSION = [f"{EXTENSION_DIR}/{name}" for name in (
    "META-INF/manifest.xml", "description.xml", "glyphboard.components", "libglyphboard_insertion.so")]

# Font file and the family it must declare.
FONTS = [
    ("Vudida.ttf", "Al-DizaDorvan"),
    ("Dizever.ttf", "Al-ZavuraDorvan"),
    ("NurvelSans.ttf", "NurvelSans"),
    ("NurvelSansB.ttf", "NurvelSans"),
]

# Every file of the package.
LAYOUT = [
    "usr/bin/Glyphboard",
    "usr/share/man/man1/Glyphboard.1.gz",
    f"usr/share/applications/{APP_ID}.desktop",
    f"usr/share/metainfo/{APP_ID}.metainfo.xml",
    ICON_PNG,
    ICON_SVG,
    *[f"{FONT_DIR}/{font}" for font, _family in FONTS],
    ALIAS_AVAIL,
    ALIAS_LINK,
    *TEMPLATES,
    *EXTENSION,
    f"usr/share/doc/{PACKAGE}/copyright",
    f"usr/share/doc/{PACKAGE}/changelog.gz",
    f"usr/share/doc/{PACKAGE}/OFL.txt",
]

# Glyphinstall is not among them: it works only on the installation medium,
# beside the files it copies.
PROGRAMS = ["usr/bin/Glyphboard"]

# Debian's short licence names in the copyright file and their SPDX names in
# the metainfo.
SPDX_OF_DEBIAN_LICENCE = {"GPL-3+": "GPL-3.0-or-later", "OFL-1.1": "OFL-1.1"}

facts = {}
package = {}  # deb path, extracted root, control fields, listing


def run(*args, **kwargs):
    return subprocess.run(args, check=True, capture_output=True, text=True, **kwargs).stdout


def setUpModule():
    work = tempfile.mkdtemp(prefix="glyphboard-deb-")
    package["work"] = work
    out = os.path.join(work, "out")
    build = subprocess.run(["cpack", "--config", facts["cpack_config"], "-B", out],
                           capture_output=True, text=True)
    if build.returncode != 0:
        raise RuntimeError(f"cpack failed:\n{build.stdout}\n{build.stderr}")
    debs = [f for f in os.listdir(out) if f.endswith(".deb")]
    if len(debs) != 1:
        raise RuntimeError(f"expected one .deb in {out}, found {debs}")
    deb = os.path.join(out, debs[0])
    package["deb"] = deb
    package["root"] = os.path.join(work, "root")
    run("dpkg-deb", "-x", deb, package["root"])
    package["listing"] = run("dpkg-deb", "-c", deb).splitlines()
    fields = {}
    for line in run("dpkg-deb", "-f", deb).splitlines():
        if line and not line[0].isspace() and ":" in line:
            key, value = line.split(":", 1)
            fields[key] = value.strip()
    package["control"] = fields


def tearDownModule():
    if "work" in package:
        subprocess.run(["rm", "-rf", package["work"]], check=False)


def in_package(path):
    return os.path.join(package["root"], path)


def packaged_files():
    """Regular files and symbolic links in the package, relative to its root."""
    found = set()
    for top, dirs, files in os.walk(package["root"]):
        for name in files + [d for d in dirs if os.path.islink(os.path.join(top, d))]:
            found.add(os.path.relpath(os.path.join(top, name), package["root"]))
    return found


def desktop_entry():
    entry = configparser.ConfigParser(interpolation=None, strict=True)
    entry.optionxform = str
    entry.read(in_package(f"usr/share/applications/{APP_ID}.desktop"), encoding="utf-8")
    return entry["Desktop Entry"]


class PackageContents(unittest.TestCase):
    def test_every_file_in_its_place_and_nothing_else(self):
        found = packaged_files()
        expected = set(LAYOUT)
        self.assertEqual(sorted(expected - found), [], "missing from the package")
        self.assertEqual(sorted(found - expected), [], "not expected in the package")

    def test_fonts_and_template_are_the_ones_the_build_made(self):
        built = {os.path.basename(path): path for path in facts["fonts"] + facts["templates"]}
        packaged = [f"{FONT_DIR}/{font}" for font, _family in FONTS] + TEMPLATES
        for path in packaged:
            with self.subTest(file=path):
                with open(built[os.path.basename(path)], "rb") as a, open(in_package(path), "rb") as b:
                    self.assertTrue(a.read() == b.read(), f"{path} differs from the build's")

    def test_owner_and_modes(self):
        for line in package["listing"]:
            mode, owner, *_rest = line.split()
            path = line.split(" ./", 1)[1].split(" -> ")[0].rstrip("/")
            with self.subTest(path=path):
                self.assertEqual(owner, "root/root")
                if mode.startswith("d"):
                    self.assertEqual(mode, "drwxr-xr-x")
                elif mode.startswith("-"):
                    wanted = "-rwxr-xr-x" if path in PROGRAMS else "-rw-r--r--"
                    self.assertEqual(mode, wanted)


class ControlFields(unittest.TestCase):
    def test_fields(self):
        control = package["control"]
        arch = run("dpkg", "--print-architecture").strip()
        cases = [
            ("Package", PACKAGE),
            ("Version", facts["version"]),
            ("Architecture", arch),
        ]
        for key, value in cases:
            with self.subTest(field=key):
                self.assertEqual(control.get(key), value)
        self.assertRegex(control.get("Maintainer", ""), r"^[^<>]+ <[^@\s<>]+@[^@\s<>]+>$")
        self.assertTrue(control.get("Description", "").strip())

    def test_changelog_describes_this_version(self):
        with gzip.open(in_package(f"usr/share/doc/{PACKAGE}/changelog.gz"), "rt", encoding="utf-8") as f:
            changelog = os.path.join(package["work"], "changelog")
            with open(changelog, "w", encoding="utf-8") as out:
                out.write(f.read())
        newest = {}
        for line in run("dpkg-parsechangelog", "-l", changelog).splitlines():
            if ": " in line:
                key, value = line.split(": ", 1)
                newest[key] = value
        control = package["control"]
        self.assertEqual(newest.get("Source"), control.get("Package"))
        self.assertEqual(newest.get("Version"), control.get("Version"))
        self.assertEqual(newest.get("Maintainer"), control.get("Maintainer"))

    def test_depends_on_writer_and_on_the_linked_libraries(self):
        depends = {d.strip().split()[0] for d in package["control"].get("Depends", "").split(",")}
        # libqt6widgets6 and libc6 come from dpkg-shlibdeps.
        wanted = {"libreoffice-writer", "fontconfig", "libqt6widgets6", "libc6"}
        self.assertEqual(sorted(wanted - depends), [], f"Depends: {package['control'].get('Depends')}")


class WriterExtension(unittest.TestCase):
    def test_the_office_can_reach_the_component(self):
        """The manifest names the component list, which names the packaged
        library, which exports the factory the office looks up."""
        manifest = ET.parse(in_package(f"{EXTENSION_DIR}/META-INF/manifest.xml")).getroot()
        ns = "{http://openoffice.org/2001/manifest}"
        entries = {e.get(f"{ns}full-path"): e.get(f"{ns}media-type") for e in manifest.iter(f"{ns}file-entry")}
        self.assertEqual(entries, {"glyphboard.components": "application/vnd.sun.star.uno-components"})
        components = ET.parse(in_package(f"{EXTENSION_DIR}/glyphboard.components")).getroot()
        ns = "{http://openoffice.org/2010/uno-components}"
        libraries = [c.get("uri") for c in components.iter(f"{ns}component")]
        self.assertEqual(libraries, ["libglyphboard_insertion.so"])
        services = [s.get("name") for s in components.iter(f"{ns}service")]
        self.assertEqual(services, ["org.glyphboard.Insertion"])
        exported = run("nm", "-D", "--defined-only", in_package(f"{EXTENSION_DIR}/{libraries[0]}"))
        self.assertIn(" T component_getFactory", exported)


class DesktopIntegration(unittest.TestCase):
    def test_validators_accept_the_entry_and_the_metainfo(self):
        validators = [
            ["desktop-file-validate", f"usr/share/applications/{APP_ID}.desktop"],
            ["appstreamcli", "validate", "--no-net", "--explain",
             f"usr/share/metainfo/{APP_ID}.metainfo.xml"],
        ]
        for *command, path in validators:
            with self.subTest(validator=command[0]):
                result = subprocess.run(command + [in_package(path)], capture_output=True, text=True)
                self.assertEqual(result.returncode, 0, result.stdout + result.stderr)

    def test_desktop_entry(self):
        entry = desktop_entry()
        self.assertEqual(entry.get("Type"), "Application")
        self.assertEqual(entry.get("Icon"), APP_ID)
        self.assertEqual(entry.get("Terminal"), "false")
        self.assertLessEqual({"Office", "Education"}, set(entry.get("Categories", "").split(";")))
        for key in ["Name", "Comment"]:
            with self.subTest(key=key):
                self.assertTrue(entry.get(key))
                arabic = entry.get(f"{key}[ar]", "")
                self.assertRegex(arabic, "[\u0600-\u06ff]", f"{key}[ar] is not Arabic")

    def test_entry_starts_a_packaged_program(self):
        program = desktop_entry().get("Exec", "").split()[0]
        self.assertFalse(os.path.isabs(program), "Exec should rely on PATH")
        self.assertTrue(os.access(in_package(os.path.join("usr/bin", program)), os.X_OK))

    def test_icon_in_both_sizes(self):
        with open(in_package(ICON_PNG), "rb") as f:
            header = f.read(24)
        self.assertEqual(header[:8], b"\x89PNG\r\n\x1a\n", "not a PNG")
        self.assertEqual(struct.unpack(">II", header[16:24]), (48, 48))
        svg = ET.parse(in_package(ICON_SVG)).getroot()
        self.assertEqual(svg.tag, "{http://www.w3.org/2000/svg}svg")
        self.assertTrue(len(svg), "the SVG draws nothing")

    def test_metainfo_agrees_with_the_entry_and_the_package(self):
        root = ET.parse(in_package(f"usr/share/metainfo/{APP_ID}.metainfo.xml")).getroot()
        self.assertEqual(root.findtext("id"), APP_ID)
        self.assertEqual(root.findtext("launchable[@type='desktop-id']"), f"{APP_ID}.desktop")
        releases = [r.get("version") for r in root.iterfind("releases/release")]
        self.assertTrue(releases, "no release listed")
        self.assertEqual(releases[0], facts["version"], "newest release is not this version")
        self.assertTrue(root.findall("screenshots/screenshot/image"), "no screenshot")
        binaries = [b.text for b in root.iterfind("provides/binary")]
        self.assertEqual(binaries, [desktop_entry().get("Exec", "").split()[0]])
        fonts = {f.text for f in root.iterfind("provides/font")}
        self.assertLessEqual(fonts, {family for _font, family in FONTS}, "provides a font it lacks")


class Fonts(unittest.TestCase):
    def fontconfig(self, *args):
        """Runs a fontconfig tool that sees only the packaged fonts and
        configuration, Debian's installed fonts and the packaged conf.d link
        (followed into the unpacked package, not into /usr)."""
        work = tempfile.mkdtemp(dir=package["work"])
        conf_d = os.path.join(work, "conf.d")
        os.mkdir(conf_d)
        target = os.readlink(in_package(ALIAS_LINK))
        os.symlink(in_package(target.lstrip("/")), os.path.join(conf_d, ALIAS))
        config = os.path.join(work, "fonts.conf")
        with open(config, "w", encoding="utf-8") as f:
            f.write(f"""<?xml version="1.0"?>
<!DOCTYPE fontconfig SYSTEM "urn:fontconfig:fonts.dtd">
<fontconfig>
  <dir>{in_package(FONT_DIR)}</dir>
  <dir>/usr/share/fonts</dir>
  <cachedir>{work}/cache</cachedir>
  <include>{conf_d}</include>
</fontconfig>
""")
        return run(*args, env=dict(os.environ, FONTCONFIG_FILE=config))

    def test_fonts_declare_their_families(self):
        for font, family in FONTS:
            with self.subTest(font=font):
                found = run("fc-query", "-f", "%{family}\n", in_package(f"{FONT_DIR}/{font}"))
                self.assertIn(family, found.split("\n")[0].split(","))

    def test_alias_link_points_into_the_package(self):
        target = os.readlink(in_package(ALIAS_LINK))
        self.assertEqual(target, "/" + ALIAS_AVAIL)

    def test_families_resolve_through_the_packaged_configuration(self):
        alias = ET.parse(in_package(ALIAS_AVAIL)).getroot()
        preferred = alias.findtext("alias/prefer/family")
        cases = [
            ("Al-DizaDorvan", "Al-DizaDorvan", in_package(f"{FONT_DIR}/Vudida.ttf")),
            ("Al-ZavuraDorvan", "Al-ZavuraDorvan", in_package(f"{FONT_DIR}/Dizever.ttf")),
            ("Traditional Arabic", preferred, None),
        ]
        for asked, family, path in cases:
            with self.subTest(family=asked):
                # In a fontconfig pattern "-" starts the size: escape it.
                pattern = asked.replace("-", "\\-")
                found = self.fontconfig("fc-match", "-f", "%{family}|%{file}", pattern)
                families, file = found.split("|")
                self.assertIn(family, families.split(","))
                if path:
                    self.assertEqual(file, path)

    def test_package_depends_on_the_aliased_font(self):
        alias = ET.parse(in_package(ALIAS_AVAIL)).getroot()
        preferred = alias.findtext("alias/prefer/family")
        file = run("fc-match", "-f", "%{file}", preferred)
        owner = run("dpkg-query", "-S", os.path.realpath(file)).split(":")[0]
        depends = package["control"].get("Depends", "")
        self.assertIn(owner, [d.strip().split()[0] for d in depends.split(",")])


class Licences(unittest.TestCase):
    def copyright_paragraphs(self):
        with open(in_package(f"usr/share/doc/{PACKAGE}/copyright"), encoding="utf-8") as f:
            return [p for p in f.read().split("\n\n") if p.strip()]

    def test_every_licence_has_its_text(self):
        paragraphs = self.copyright_paragraphs()
        self.assertTrue(paragraphs[0].startswith("Format: https://www.debian.org/doc/packaging-manuals/copyright-format/1.0/"))
        licences = [p for p in paragraphs[1:] if "\nLicense: " in "\n" + p]
        self.assertTrue(licences)
        for paragraph in licences:
            name = paragraph.split("License: ", 1)[1].split("\n", 1)[0]
            with self.subTest(licence=name):
                texts = [w.rstrip(".,") for w in paragraph.split() if w.startswith("/usr/share/")]
                self.assertTrue(texts, "no licence text named")
                for text in texts:
                    inside = in_package(text.lstrip("/"))
                    # Debian's common licences come with base-files, which
                    # every system has.
                    on_system = text.startswith("/usr/share/common-licenses/") and os.path.isfile(text)
                    self.assertTrue(os.path.isfile(inside) or on_system, f"{text} is missing")

    def test_metainfo_names_the_same_licences(self):
        names = {p.split("License: ", 1)[1].split("\n", 1)[0]
                 for p in self.copyright_paragraphs() if "\nLicense: " in "\n" + p}
        root = ET.parse(in_package(f"usr/share/metainfo/{APP_ID}.metainfo.xml")).getroot()
        spdx = set(root.findtext("project_license", "").split(" AND "))
        self.assertEqual(spdx, {SPDX_OF_DEBIAN_LICENCE.get(n, n) for n in names})


class Programs(unittest.TestCase):
    def test_every_library_resolves(self):
        for path in PROGRAMS:
            with self.subTest(program=path):
                libraries = run("ldd", in_package(path))
                self.assertNotIn("not found", libraries)


if __name__ == "__main__":
    with open(sys.argv.pop(1), encoding="utf-8") as f:
        facts.update(json.load(f))
    unittest.main(verbosity=2)
