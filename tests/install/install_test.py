#!/usr/bin/env python3
"""The installed tree: cmake --install into a temporary prefix, then what a
user and another project get from it.

Usage: install_test.py CMAKE BUILD_DIR SOURCE_DIR DEMO_TRACK [SANITIZERS]
(an instrumented engine needs an instrumented client)"""
import os
import re
import shutil
import subprocess
import sys
import tempfile
import unittest

CMAKE, BUILD, SOURCE, DEMO = sys.argv[1:5]
SANITIZE = ["-fsanitize=" + sys.argv[5]] if len(sys.argv) > 5 and sys.argv[5] else []
HERE = os.path.dirname(os.path.abspath(__file__))


def exported_symbols(library):
    out = subprocess.run(["nm", "-D", "--defined-only", library], check=True, capture_output=True, text=True).stdout
    return {line.split()[-1] for line in out.splitlines() if line.strip()}


class InstalledTree(unittest.TestCase):
    @classmethod
    def setUpClass(cls):
        cls.prefix = tempfile.mkdtemp(prefix="taerin-prefix-")
        subprocess.run([CMAKE, "--install", BUILD, "--prefix", cls.prefix], check=True, capture_output=True)
        cls.lib = os.path.join(cls.prefix, "lib")

    @classmethod
    def tearDownClass(cls):
        shutil.rmtree(cls.prefix, ignore_errors=True)

    def path(self, *parts):
        return os.path.join(self.prefix, *parts)

    def test_files_of_the_tree(self):
        for part in ("bin/taerin", "bin/zkplay", "include/zelkor.h", "lib/pkgconfig/zelkor.pc",
                     "lib/libzk_dsound_output.so", "share/applications/taerin.desktop",
                     "share/icons/hicolor/scalable/apps/taerin.svg", "share/icons/hicolor/48x48/apps/taerin.png",
                     "share/icons/hicolor/256x256/apps/taerin.png"):
            self.assertTrue(os.path.isfile(self.path(part)), part)
        self.assertEqual(os.readlink(self.path("lib/libzelkor.so")), "libzelkor.so.3")
        self.assertTrue(os.path.islink(self.path("lib/libzelkor.so.3")))
        dynamic = subprocess.run(["readelf", "-d", self.path("lib/libzelkor.so.3")], check=True,
                                 capture_output=True, text=True).stdout
        self.assertIn("Library soname: [libzelkor.so.3]", dynamic)
        with open(self.path("share/applications/taerin.desktop")) as entry:
            text = entry.read()
        self.assertIn("\nIcon=taerin\n", text)
        self.assertIn("audio/mp2;", text)
        with open(self.path("share/icons/hicolor/48x48/apps/taerin.png"), "rb") as png:
            header = png.read(24)
        self.assertEqual(header[:8], b"\x89PNG\r\n\x1a\n")
        self.assertEqual(int.from_bytes(header[16:20], "big"), 48)

    def test_only_the_c_interface_is_exported(self):
        with open(os.path.join(SOURCE, "engine/include/zelkor.h")) as header:
            declared = set(re.findall(r"^ZK_API[^;(]*?\b(\w+)\s*\(", header.read(), re.M))
        exported = exported_symbols(self.path("lib/libzelkor.so.3"))
        self.assertEqual(exported, declared)
        plugin = subprocess.run(["nm", "-DC", "--defined-only", self.path("lib/libzk_dsound_output.so")],
                                check=True, capture_output=True, text=True).stdout
        self.assertIn("dsound_output_module_register", plugin)
        self.assertNotIn("zk::", plugin)

    def test_a_pkg_config_client_builds_and_decodes(self):
        env = dict(os.environ, PKG_CONFIG_PATH=os.path.join(self.lib, "pkgconfig"))
        flags = subprocess.run(["pkg-config", "--cflags", "--libs", "zelkor"], env=env, check=True,
                               capture_output=True, text=True).stdout.split()
        includes = [os.path.normpath(flag[2:]) for flag in flags if flag.startswith("-I")]
        self.assertEqual(includes, [self.path("include")])
        client = self.path("client")
        subprocess.run(["cc", "-std=c11", "-Wall", "-Werror", os.path.join(HERE, "pkgconfig_client.c"), "-o", client,
                        *SANITIZE, *flags], check=True)
        run = subprocess.run([client, DEMO], env=dict(env, LD_LIBRARY_PATH=self.lib), capture_output=True,
                             text=True, timeout=60)
        self.assertEqual(run.returncode, 0, run.stderr)
        values = dict(item.split("=") for item in run.stdout.split())
        self.assertEqual(values["rate"], "44100")
        self.assertEqual(values["end"], "-513")
        self.assertGreater(int(values["frames"]), 700)  # 20 s of 1152-sample frames
        # Whole frames, less the encoder delay and padding that gapless playback trims.
        frame_bytes = 1152 * 2 * (1 + int(values["stereo"]))
        whole = int(values["frames"]) * frame_bytes
        self.assertLessEqual(int(values["bytes"]), whole)
        self.assertGreater(int(values["bytes"]), whole - 3 * frame_bytes)

    def test_installed_zkplay_finds_the_installed_engine(self):
        wav = self.path("demo.wav")
        run = subprocess.run([self.path("bin/zkplay"), "-o", "wav:" + wav, DEMO], capture_output=True, text=True,
                             timeout=120, env=dict(os.environ, LD_LIBRARY_PATH=""))
        self.assertEqual(run.returncode, 0, run.stderr)
        self.assertGreater(os.path.getsize(wav), 3000000)
        linked = subprocess.run(["ldd", self.path("bin/zkplay")], capture_output=True, text=True).stdout
        self.assertIn(self.path("bin/../lib/libzelkor.so.3"), linked)


if __name__ == "__main__":
    unittest.main(argv=sys.argv[:1], verbosity=2)
