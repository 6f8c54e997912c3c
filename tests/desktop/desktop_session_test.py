#!/usr/bin/env python3
"""The player as a desktop application, driven as a user's desktop drives it:
playerctl on a private session bus, and later starts of the program.

Usage: desktop_session_test.py TAERIN DATA_DIR DEMO_TRACK (under an X server)."""
import os
import select
import shutil
import signal
import socket
import subprocess
import sys
import tempfile
import time
import unittest

TAERIN, DATA, DEMO = sys.argv[1:4]
NORTH = os.path.join(DATA, "north.mp3")
SOUTH = os.path.join(DATA, "south.mp3")
RADIO_SERVER = os.path.join(os.path.dirname(os.path.abspath(__file__)), "..", "engine", "stream", "radio_server.py")


def wait_until(check, timeout=15.0):
    end = time.monotonic() + timeout
    while time.monotonic() < end:
        value = check()
        if value:
            return value
        time.sleep(0.1)
    return check()


def next_line(process, timeout=10.0):
    """The next line a process prints, or None when none comes in time."""
    ready, _, _ = select.select([process.stdout], [], [], timeout)
    return process.stdout.readline().strip() if ready else None


def line_among_next(process, wanted, timeout=15.0):
    """True when the process prints `wanted` in time, whatever comes before."""
    end = time.monotonic() + timeout
    while time.monotonic() < end:
        if next_line(process, end - time.monotonic()) == wanted:
            return True
    return False


def free_port():
    with socket.socket() as probe:
        probe.bind(("127.0.0.1", 0))
        return probe.getsockname()[1]


class Desktop:
    """A user's session: private runtime and configuration folders, and a
    private session bus when asked for."""

    def __init__(self, with_bus):
        self.root = tempfile.mkdtemp(prefix="taerin-desktop-")
        self.env = dict(os.environ)
        for name in ("runtime", "config", "data"):
            os.mkdir(os.path.join(self.root, name), 0o700)
        self.env.update(XDG_RUNTIME_DIR=os.path.join(self.root, "runtime"),
                        XDG_CONFIG_HOME=os.path.join(self.root, "config"),
                        XDG_DATA_HOME=os.path.join(self.root, "data"),
                        ZELKOR_AUDIO="null", QT_QPA_PLATFORM="xcb")
        self.env.pop("DBUS_SESSION_BUS_ADDRESS", None)
        self.bus = None
        self.players = []
        if with_bus:
            self.bus = subprocess.Popen(["dbus-daemon", "--session", "--nofork", "--print-address=1"],
                                        stdout=subprocess.PIPE, text=True)
            self.env["DBUS_SESSION_BUS_ADDRESS"] = self.bus.stdout.readline().strip()

    def start(self, *files):
        player = subprocess.Popen([TAERIN, *files], env=self.env, stdout=subprocess.DEVNULL,
                                  stderr=subprocess.DEVNULL)
        self.players.append(player)
        return player

    def run(self, *files):
        return subprocess.run([TAERIN, *files], env=self.env, timeout=30, capture_output=True).returncode

    def playerctl(self, *args):
        done = subprocess.run(["playerctl", "-p", "taerin", *args], env=self.env, capture_output=True,
                              text=True, timeout=10)
        return done.stdout.strip() if done.returncode == 0 else None

    def follow(self, *args):
        """playerctl --follow: it prints what PropertiesChanged signals announce."""
        process = subprocess.Popen(["playerctl", "-p", "taerin", "--follow", *args], env=self.env,
                                   stdout=subprocess.PIPE, text=True)
        self.players.append(process)
        return process

    def player_property(self, name, interface="org.mpris.MediaPlayer2.Player"):
        """A property as dbus-send prints it, or None on an error."""
        done = subprocess.run(["dbus-send", "--session", "--print-reply", "--dest=org.mpris.MediaPlayer2.taerin",
                               "/org/mpris/MediaPlayer2", "org.freedesktop.DBus.Properties.Get",
                               "string:" + interface, "string:" + name],
                              env=self.env, capture_output=True, text=True, timeout=10)
        return done.stdout.split("variant", 1)[1].strip() if done.returncode == 0 else None

    def set_player_property(self, name, value):
        """Sets a property of the player interface, its value as dbus-send writes it."""
        subprocess.run(["dbus-send", "--session", "--print-reply", "--dest=org.mpris.MediaPlayer2.taerin",
                        "/org/mpris/MediaPlayer2", "org.freedesktop.DBus.Properties.Set",
                        "string:org.mpris.MediaPlayer2.Player", "string:" + name, value],
                       env=self.env, capture_output=True, timeout=10, check=True)

    def radio(self, title, name):
        """A web radio on a loopback port playing north.mp3 with a stream title and
        its length, but no byte ranges; its URL."""
        body = os.path.join(self.root, "radio.mp3")
        shutil.copy(NORTH, body)
        port = free_port()
        server = subprocess.Popen([sys.executable, RADIO_SERVER, "--port", str(port), "--file", body,
                                   "--metaint", "4096", "--titles", title, "--name", name,
                                   "--framing", "length"])
        self.players.append(server)

        def listening():
            with socket.socket() as probe:
                return probe.connect_ex(("127.0.0.1", port)) == 0
        if not wait_until(listening, 10):
            raise RuntimeError("the radio server did not start")
        return "http://127.0.0.1:%d/live" % port

    def last_playlist(self):
        with open(os.path.join(self.root, "config", "taerin", "last.m3u")) as lines:
            return [line.strip() for line in lines if line.strip() and not line.startswith("#")]

    def close(self):
        for player in self.players:
            if player.poll() is None:
                player.send_signal(signal.SIGTERM)
                try:
                    player.wait(timeout=15)
                except subprocess.TimeoutExpired:
                    player.kill()
                    player.wait()
        if self.bus:
            self.bus.terminate()
            self.bus.wait()
        shutil.rmtree(self.root, ignore_errors=True)


class MediaPlayerInterface(unittest.TestCase):
    def setUp(self):
        self.desktop = Desktop(with_bus=True)
        self.addCleanup(self.desktop.close)
        self.player = self.desktop.start(NORTH, SOUTH)
        self.assertEqual(wait_until(lambda: self.desktop.playerctl("status") == "Playing" or None), True)

    def title(self):
        return self.desktop.playerctl("metadata", "title")

    def test_status_metadata_and_controls(self):
        d = self.desktop
        self.assertEqual(self.title(), "Tone north")
        self.assertEqual(d.playerctl("metadata", "artist"), "Desktop Tests")
        self.assertEqual(d.playerctl("metadata", "album"), "Compass")
        self.assertEqual(d.playerctl("metadata", "mpris:length"), "40000000")
        self.assertEqual(d.playerctl("metadata", "xesam:url"), "file://" + NORTH)

        d.playerctl("play-pause")
        self.assertTrue(wait_until(lambda: d.playerctl("status") == "Paused"))
        paused_at = float(d.playerctl("position"))
        time.sleep(0.5)
        self.assertAlmostEqual(float(d.playerctl("position")), paused_at, delta=0.05)
        d.playerctl("play-pause")
        self.assertTrue(wait_until(lambda: d.playerctl("status") == "Playing"))
        self.assertTrue(wait_until(lambda: float(d.playerctl("position")) > paused_at + 0.5))

        d.playerctl("next")
        self.assertTrue(wait_until(lambda: self.title() == "Tone south"))
        d.playerctl("previous")
        self.assertTrue(wait_until(lambda: self.title() == "Tone north"))
        d.playerctl("stop")
        self.assertTrue(wait_until(lambda: d.playerctl("status") == "Stopped"))
        d.playerctl("play")
        self.assertTrue(wait_until(lambda: d.playerctl("status") == "Playing"))

    def test_changes_are_announced(self):
        # playerctl --follow prints what PropertiesChanged signals announce.
        follow = subprocess.Popen(["playerctl", "-p", "taerin", "--follow", "metadata", "--format",
                                   "{{status}} {{title}}"], env=self.desktop.env, stdout=subprocess.PIPE, text=True)
        self.addCleanup(lambda: (follow.terminate(), follow.wait()))
        self.assertEqual(next_line(follow), "Playing Tone north")
        self.desktop.playerctl("pause")
        self.assertEqual(next_line(follow), "Paused Tone north")
        self.desktop.playerctl("play")
        self.assertEqual(next_line(follow), "Playing Tone north")

    def test_position_seek_and_volume(self):
        d = self.desktop
        d.playerctl("position", "20")
        self.assertTrue(wait_until(lambda: 19.0 <= float(d.playerctl("position")) < 24.0))
        d.playerctl("position", "5-")
        self.assertTrue(wait_until(lambda: 14.0 <= float(d.playerctl("position")) < 19.0))
        # A seek past the end moves on to the next track.
        d.playerctl("position", "100+")
        self.assertTrue(wait_until(lambda: self.title() == "Tone south"))
        d.playerctl("volume", "0.4")
        self.assertAlmostEqual(float(d.playerctl("volume")), 0.4, delta=0.01)

    def test_open_uri_and_refusals(self):
        d = self.desktop
        schemes = d.player_property("SupportedUriSchemes", "org.mpris.MediaPlayer2")
        self.assertEqual(schemes.split()[1:], ['[', 'string', '"file"', 'string', '"http"', 'string', '"https"',
                                               'string', '"ftp"', 'string', '"udp"', ']'])
        d.playerctl("open", "file://" + DEMO)
        self.assertTrue(wait_until(lambda: self.title() == "Taerin Demo"))
        refused = subprocess.run(["dbus-send", "--session", "--print-reply", "--dest=org.mpris.MediaPlayer2.taerin",
                                  "/org/mpris/MediaPlayer2", "org.mpris.MediaPlayer2.Player.OpenUri",
                                  "string:gopher://example/"], env=d.env, capture_output=True, text=True)
        self.assertNotEqual(refused.returncode, 0)
        self.assertIn("NotSupported", refused.stderr)
        # A position for another track than the current one is ignored.
        subprocess.run(["dbus-send", "--session", "--dest=org.mpris.MediaPlayer2.taerin", "/org/mpris/MediaPlayer2",
                        "org.mpris.MediaPlayer2.Player.SetPosition", "objpath:/org/taerin/track/999", "int64:15000000"],
                       env=d.env, check=True)
        time.sleep(0.3)
        self.assertLess(float(d.playerctl("position")), 10.0)

    def test_loop_and_shuffle_are_the_players_and_remembered(self):
        d = self.desktop
        self.assertEqual(d.playerctl("loop"), "None")
        self.assertEqual(d.playerctl("shuffle"), "Off")
        follow = d.follow("loop")
        self.assertEqual(next_line(follow), "None")
        d.playerctl("loop", "Track")
        self.assertEqual(next_line(follow), "Track")
        d.playerctl("shuffle", "On")
        self.assertEqual(d.playerctl("shuffle"), "On")
        d.playerctl("loop", "Playlist")
        self.assertEqual(next_line(follow), "Playlist")
        d.set_player_property("LoopStatus", "variant:string:Sometimes")  # not a loop status: ignored
        self.assertEqual(d.playerctl("loop"), "Playlist")

        # Repeat and shuffle set from the desktop are the player's own: the next start has them.
        subprocess.run(["dbus-send", "--session", "--print-reply", "--dest=org.mpris.MediaPlayer2.taerin",
                        "/org/mpris/MediaPlayer2", "org.mpris.MediaPlayer2.Quit"], env=d.env,
                       check=True, capture_output=True)
        self.assertEqual(self.player.wait(timeout=15), 0)
        d.start(NORTH)
        self.assertTrue(wait_until(lambda: d.playerctl("status") == "Playing"))
        self.assertEqual(d.playerctl("loop"), "Playlist")
        self.assertEqual(d.playerctl("shuffle"), "On")

    def test_a_radio_stream_is_titled_by_its_song_and_cannot_seek(self):
        d = self.desktop
        url = d.radio("Band - First Song", "Test Radio")
        follow = d.follow("metadata", "title")
        d.playerctl("open", url)
        self.assertTrue(line_among_next(follow, "Band - First Song"))
        self.assertEqual(d.playerctl("metadata", "xesam:url"), url)
        # Its length is known, but without byte ranges the engine cannot seek:
        # not seekable, and seeks are not sent.
        self.assertTrue(wait_until(lambda: d.playerctl("metadata", "mpris:length")))
        self.assertEqual(d.player_property("CanSeek"), "boolean false")
        d.playerctl("position", "20")
        time.sleep(0.5)
        self.assertLess(float(d.playerctl("position")), 10.0)

    def test_quit_ends_the_player_and_saves_the_list(self):
        subprocess.run(["dbus-send", "--session", "--print-reply", "--dest=org.mpris.MediaPlayer2.taerin",
                        "/org/mpris/MediaPlayer2", "org.mpris.MediaPlayer2.Quit"], env=self.desktop.env,
                       check=True, capture_output=True)
        self.assertEqual(self.player.wait(timeout=15), 0)
        self.assertEqual(self.desktop.last_playlist(), [NORTH, SOUTH])


class OnePlayerPerUser(unittest.TestCase):
    def test_later_starts_hand_over_with_the_bus(self):
        d = Desktop(with_bus=True)
        self.addCleanup(d.close)
        d.start(NORTH)
        self.assertTrue(wait_until(lambda: d.playerctl("status") == "Playing"))
        os.chdir(os.path.dirname(DEMO))
        self.assertEqual(d.run(os.path.basename(DEMO)), 0)  # relative to the later start's folder
        self.assertTrue(wait_until(lambda: d.playerctl("metadata", "title") == "Taerin Demo"))
        self.assertEqual(d.run(), 0)
        self.assertEqual(d.playerctl("metadata", "title"), "Taerin Demo")
        self.assertEqual(subprocess.run(["pgrep", "-c", "-x", "taerin", "-P", str(os.getpid())],
                                        capture_output=True, text=True).stdout.strip(), "1")

    def test_later_starts_hand_over_without_a_bus(self):
        d = Desktop(with_bus=False)
        self.addCleanup(d.close)
        first = d.start(NORTH)
        socket = os.path.join(d.env["XDG_RUNTIME_DIR"], "taerin.instance")
        self.assertTrue(wait_until(lambda: os.path.exists(socket)))
        self.assertEqual(d.run(SOUTH, DEMO), 0)
        self.assertIsNone(first.poll())
        first.send_signal(signal.SIGTERM)
        self.assertEqual(first.wait(timeout=15), 0)
        self.assertEqual(d.last_playlist(), [NORTH, SOUTH, DEMO])
        self.assertFalse(os.path.exists(socket))

    def test_a_socket_left_by_a_dead_player_is_taken_over(self):
        d = Desktop(with_bus=False)
        self.addCleanup(d.close)
        first = d.start(NORTH)
        socket = os.path.join(d.env["XDG_RUNTIME_DIR"], "taerin.instance")
        self.assertTrue(wait_until(lambda: os.path.exists(socket)))
        first.kill()
        first.wait()
        self.assertTrue(os.path.exists(socket))
        second = d.start(SOUTH)
        time.sleep(2)
        self.assertIsNone(second.poll())
        self.assertEqual(d.run(DEMO), 0)


if __name__ == "__main__":
    unittest.main(argv=sys.argv[:1], verbosity=2)
