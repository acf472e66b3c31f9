#!/usr/bin/env python3
"""Journeys through the real program as a person makes them.

The calculator runs on the X display given in DISPLAY (a virtual one in the test suite),
under a window manager. It is driven only with X input (xdotool) and judged only by what
X shows (window titles, the clipboard) and by the requests that reached a loopback
server, which stands as the web engine's proxy so that nothing leaves this machine.

    journeys.py PROGRAM [unittest arguments]
"""
import base64
import http.server
import itertools
import os
import select
import shutil
import signal
import socket
import ssl
import subprocess
import sys
import tempfile
import threading
import time
import unittest

PROGRAM = os.path.abspath(sys.argv.pop(1)) if len(sys.argv) > 1 else None
HOME = "http://corvel.example/corveluniverse"
SHOTS = os.environ.get("JOURNEY_SHOTS")  # a folder for screenshots of failed journeys


def page(title, body=""):
    return (f'<!DOCTYPE html><html><head><meta charset="utf-8"><title>{title}</title></head>'
            f'<body>{body}</body></html>').encode()


def whole(tag, attributes, text):
    """An element over the whole page, so that a click anywhere in it hits the element."""
    return f"<{tag} {attributes} style='position:fixed;left:0;top:0;width:100%;height:100%'>{text}</{tag}>"


def until(check, timeout=20):
    """check()'s first true result within timeout seconds, else its last."""
    deadline = time.monotonic() + timeout
    while not (result := check()) and time.monotonic() < deadline:
        time.sleep(0.1)
    return result


class Proxy(http.server.ThreadingHTTPServer):
    """Answers every request with the page set for its address, else a page titled with
    its path, and records the absolute addresses asked for. Tunnels https only to the
    local servers named in tunnels."""

    daemon_threads = True

    def __init__(self):
        self.requests, self.pages, self.lock = [], {}, threading.Lock()
        self.logins = {}  # address: the "user:password" it asks for by basic authentication
        self.tunnels = {}  # "host:port": the port of a local server to tunnel to
        super().__init__(("127.0.0.1", 0), ProxyHandler)

    def asked(self, url):
        with self.lock:
            return self.requests.count(url)

    def wait_for(self, url, times=1, timeout=20):
        return until(lambda: self.asked(url) >= times, timeout)


class ProxyHandler(http.server.BaseHTTPRequestHandler):
    protocol_version = "HTTP/1.1"

    def do_GET(self):
        login = self.server.logins.get(self.path)
        granted = not login or self.headers.get("Authorization") == "Basic " + base64.b64encode(login.encode()).decode()
        with self.server.lock:
            self.server.requests.append(self.path if granted else f"refused {self.path}")
        body = self.server.pages.get(self.path) or page(self.path.split("/", 3)[-1] or "/")
        headers, gate = {"Content-Type": "text/html; charset=utf-8"}, None
        if isinstance(body, tuple):  # a file: its bytes, its headers (a longer length: it never ends), and
            body, headers, gate = (body + (None,))[:3]  # maybe a gate its second half waits for
        if not granted:
            body, headers = page("Refused"), {"Content-Type": "text/html; charset=utf-8",
                                              "WWW-Authenticate": 'Basic realm="Members"'}
            self.send_response(401)
        else:
            self.send_response(200)
        for name, value in ({"Content-Length": str(len(body))} | headers).items():
            self.send_header(name, value)
        self.send_header("Cache-Control", "no-store")
        self.end_headers()
        if gate:
            self.wfile.write(body[:len(body) // 2])
            self.wfile.flush()
            gate.wait(60)
            body = body[len(body) // 2:]
        self.wfile.write(body)

    def do_CONNECT(self):  # nothing here may reach another host
        if self.path not in self.server.tunnels:
            return self.send_error(502)
        self.send_response(200)
        self.end_headers()
        self.close_connection = True
        with socket.create_connection(("127.0.0.1", self.server.tunnels[self.path])) as far:
            ends = {self.connection: far, far: self.connection}
            while (ready := select.select(list(ends), [], [], 30)[0]) and (data := ready[0].recv(1 << 16)):
                ends[ready[0]].sendall(data)

    def log_message(self, *args):
        pass


def tls_site(folder):
    """A local https server with a certificate that signs itself, made in folder."""
    subprocess.run(["openssl", "req", "-x509", "-newkey", "rsa:2048", "-nodes", "-days", "2", "-subj", "/CN=site",
                    "-keyout", f"{folder}/key.pem", "-out", f"{folder}/cert.pem"], check=True, capture_output=True)
    context = ssl.SSLContext(ssl.PROTOCOL_TLS_SERVER)
    context.load_cert_chain(f"{folder}/cert.pem", f"{folder}/key.pem")
    site = Proxy()
    site.socket = context.wrap_socket(site.socket, server_side=True)
    threading.Thread(target=site.serve_forever, daemon=True).start()
    return site


def x(*args):
    return subprocess.run(args, capture_output=True, text=True, timeout=30).stdout.strip()


def key(*keys):
    x("xdotool", "key", "--delay", "60", *keys)
    time.sleep(0.2)


def type_text(text):
    x("xdotool", "type", "--delay", "30", text)
    time.sleep(0.2)


def shown(name):
    """The ids of the visible windows whose title is exactly name."""
    return x("xdotool", "search", "--onlyvisible", "--name", f"^{name}$").split()


def window(name, timeout=20):
    ids = until(lambda: shown(name), timeout)
    if not ids:
        raise AssertionError(f"no window titled {name!r}")
    return ids[0]


def click(win, left, top):
    """A click at a point of a window's inside."""
    x("xdotool", "mousemove", "--window", win, str(left), str(top), "click", "1")
    time.sleep(0.3)


def close_box(win):
    """A click on the close box that the window manager draws in the window's title bar."""
    info = dict(line.strip().split(": ", 1) for line in x("xwininfo", "-id", win).splitlines() if ": " in line)
    top = int(x("xprop", "-id", win, "_NET_FRAME_EXTENTS").split("=")[1].split(",")[2])
    left, width = int(info["Absolute upper-left X"]), int(info["Width"])
    x("xdotool", "mousemove", str(left + width - 10), str(int(info["Absolute upper-left Y"]) - top // 2), "click", "1")
    time.sleep(0.3)


def clipboard():
    return x("xclip", "-o", "-selection", "clipboard")


def type_address(url):
    """Alt+A to the address box, its text replaced by url; not yet sent."""
    key("alt+a")
    key("ctrl+a")
    type_text(url)


def address_shown():
    key("ctrl+l")
    key("ctrl+c")
    return clipboard()


class Journeys(unittest.TestCase):
    @classmethod
    def setUpClass(cls):
        cls.wm = subprocess.Popen(["openbox", "--sm-disable"], stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL)
        time.sleep(0.5)

    @classmethod
    def tearDownClass(cls):
        cls.wm.terminate()
        cls.wm.wait()

    def setUp(self):
        self.proxy = Proxy()
        threading.Thread(target=self.proxy.serve_forever, daemon=True).start()
        self.home = tempfile.mkdtemp(prefix="journey-")
        os.makedirs(f"{self.home}/runtime", mode=0o700)
        env = dict(os.environ, HOME=self.home, XDG_CONFIG_HOME=f"{self.home}/config",
                   XDG_CACHE_HOME=f"{self.home}/cache", XDG_DATA_HOME=f"{self.home}/data",
                   XDG_RUNTIME_DIR=f"{self.home}/runtime",
                   QT_QPA_PLATFORM="xcb",
                   QTWEBENGINE_CHROMIUM_FLAGS=f"--disable-gpu --proxy-server=http://127.0.0.1:{self.proxy.server_port}"
                                              " --proxy-bypass-list=<-loopback>")
        self.terminal = open(f"{self.home}/terminal", "w+b")
        self.env = env
        self.program = subprocess.Popen([PROGRAM], env=env, stdout=self.terminal, stderr=subprocess.STDOUT)
        self.clipboard_owner = None
        self.calculator = window("Calculator")

    def tearDown(self):
        if SHOTS and any(error for _, error in self._outcome.result.errors + self._outcome.result.failures):
            os.makedirs(SHOTS, exist_ok=True)
            x("import", "-window", "root", os.path.join(SHOTS, f"{self._testMethodName}.png"))
        for process in (self.program, self.clipboard_owner):
            if process and process.poll() is None:
                process.terminate()
                try:
                    process.wait(10)
                except subprocess.TimeoutExpired:
                    process.kill()
                    process.wait()
        self.terminal.close()
        self.proxy.shutdown()
        self.proxy.server_close()
        shutil.rmtree(self.home, ignore_errors=True)

    def set_clipboard(self, text):
        # xclip keeps serving the text until another program takes the clipboard.
        self.clipboard_owner = subprocess.Popen(["xclip", "-quiet", "-selection", "clipboard"], stdin=subprocess.PIPE,
                                                stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL)
        self.clipboard_owner.stdin.write(text.encode())
        self.clipboard_owner.stdin.close()
        time.sleep(0.3)

    def open_browser(self):
        """File > "Ardel's Corvel Universe" in the calculator; the frame's window id."""
        x("xdotool", "windowactivate", "--sync", self.calculator)
        click(self.calculator, 15, 10)  # the menu bar's "File"
        click(self.calculator, 45, 32)  # its first item
        frame = window("Corvel Explorer")
        self.assertTrue(self.proxy.wait_for(HOME), "the home page was not asked for")
        time.sleep(0.5)
        return frame

    def enter_address(self, url):
        type_address(url)
        key("Return")
        self.assertTrue(self.proxy.wait_for(url), f"{url} was not asked for")
        time.sleep(0.5)

    def click_page(self, frame):
        # The first browser window opens at the top-left of the frame's area; its page
        # starts about 130 pixels below the frame's top.
        click(frame, 200, 250)

    def test_calculate_copy_and_paste_from_the_keyboard(self):
        x("xdotool", "windowactivate", "--sync", self.calculator)
        type_text("12+30=")
        key("ctrl+c")
        self.assertEqual(clipboard(), "42")
        key("Escape", "KP_7", "KP_Multiply", "KP_6", "KP_Enter", "ctrl+Insert")
        self.assertEqual(clipboard(), "42")
        self.set_clipboard("7.5")
        key("ctrl+v")
        type_text("*2=")
        key("ctrl+c")
        self.assertEqual(clipboard(), "15")

    def test_browse_with_keys_and_clicks(self):
        # Keys work at once; typed addresses navigate once, on Enter only; F5, Alt+Left and a
        # link to a new window.
        frame = self.open_browser()
        self.assertIn("_NET_WM_STATE_MAXIMIZED_HORZ", x("xprop", "-id", frame, "_NET_WM_STATE"))
        key("ctrl+n")
        self.assertTrue(self.proxy.wait_for(HOME, times=2), "Ctrl+N opened no second window")
        one, two = "http://a.example/one.htm", "http://a.example/two.htm?q=1"
        for url, enter in ((one, "Return"), (two, "KP_Enter")):
            type_address(url)
            self.assertEqual(self.proxy.asked(url), 0, "typing alone navigated")
            key(enter)
            self.assertTrue(self.proxy.wait_for(url), f"{enter} did not navigate to {url}")
        type_address(one)  # an entry of the list by now
        key("Tab")
        time.sleep(2)
        self.assertEqual([self.proxy.asked(one), self.proxy.asked(two)], [1, 1], "navigated more than once")
        self.click_page(frame)
        key("F5")
        self.assertTrue(self.proxy.wait_for(two, times=2), "F5 did not reload")
        time.sleep(0.5)
        key("alt+Left")
        time.sleep(1.5)
        self.assertEqual(address_shown(), one, "Alt+Left did not go back")
        opener, opened = "http://a.example/opener.htm", "http://b.example/opened.htm"
        self.proxy.pages[opener] = page("opener", whole("a", f"href='{opened}' target='_blank'", "open"))
        self.enter_address(opener)
        self.click_page(frame)
        self.assertTrue(self.proxy.wait_for(opened), "the link opened nothing")
        time.sleep(1)
        # The new window has the focus and shows the new page's address.
        self.assertEqual(address_shown(), opened)
        self.terminal.seek(0)
        self.assertEqual(self.terminal.read().decode(errors="replace"), "", "the program wrote on the terminal")

    def test_paste_into_a_form_field_and_copy_from_it(self):
        frame = self.open_browser()
        url = "http://a.example/form.htm"
        self.proxy.pages[url] = page("form", "<form action='/sent'>" + whole("input", "name='q'", "") + "</form>")
        self.enter_address(url)
        self.click_page(frame)
        self.set_clipboard("pasted text")
        key("ctrl+v")
        key("ctrl+a")
        self.set_clipboard("old")
        key("ctrl+c")
        self.assertEqual(clipboard().strip(), "pasted text", "the page's Ctrl+A and Ctrl+C did not copy")
        self.set_clipboard("old")
        key("alt+e", "o")  # Edit > Copy, the page still holding the focus
        self.assertEqual(clipboard().strip(), "pasted text", "Edit > Copy did not copy the page's selection")
        key("Return")
        self.assertTrue(self.proxy.wait_for("http://a.example/sent?q=pasted+text"), "the pasted field was not sent")

    def download(self, frame, url, script=""):
        """A click on a link to url, and Enter in the Save As dialog that it brings."""
        x("xdotool", "windowactivate", "--sync", frame)
        self.proxy.pages[f"{url}.htm"] = page("link", whole("a", f"href='{url}'", "file") + script)
        self.enter_address(f"{url}.htm")
        self.click_page(frame)
        window("Save As")
        key("Return")

    def test_session_ended_by_a_signal_leaves_nothing_behind(self):
        # Downloads (one never ends), a certificate exception, a login, a page that asks before
        # it is left, then SIGTERM: the home keeps the downloaded file and the four entries.
        def listing():
            return {os.path.relpath(os.path.join(folder, name), self.home) for folder, folders, files in
                    os.walk(self.home) for name in folders + files if not folder.startswith(f"{self.home}/runtime")}
        site = tls_site(f"{self.home}/runtime")
        before = listing()
        self.proxy.tunnels["secure.example:443"] = site.server_port
        frame = self.open_browser()
        song, data = "http://a.example/files/tour.mid", b"MThd\0\0\0\6" + bytes(range(256)) * 8
        self.proxy.pages[song] = (data, {"Content-Disposition": 'attachment; filename="tour.mid"'})
        self.download(frame, song)
        saved = os.path.join(self.home, "Downloads", "tour.mid")
        self.assertTrue(until(lambda: os.path.exists(saved) and open(saved, "rb").read() == data), "not saved whole")
        self.proxy.pages["http://a.example/endless"] = (bytes(1 << 16), {"Content-Disposition": "attachment",
                                                                         "Content-Length": str(1 << 40)})
        self.download(frame, "http://a.example/endless")
        self.assertTrue(until(lambda: len(os.listdir(f"{self.home}/Downloads")) == 2), "the download did not start")
        x("xdotool", "windowactivate", "--sync", frame)
        type_address("https://secure.example/")
        key("Return")
        time.sleep(2)  # the certificate's bar shows: Alt+O opens the site anyway
        key("alt+o")
        self.assertTrue(site.wait_for("/"), "the site did not open")
        members = "http://a.example/members.htm"
        self.proxy.logins[members] = "ann:secret"
        type_address(members)
        key("Return")
        self.assertTrue(self.proxy.wait_for(f"refused {members}"), "the page did not ask for a login")
        window("Login")
        type_text("ann")
        key("Tab")
        type_text("secret")
        key("Return")
        self.assertTrue(self.proxy.wait_for(members), "the login was not sent")
        stay = "http://a.example/stay.htm"
        self.proxy.pages[stay] = page("stay", "<script>localStorage.x=indexedDB.open('d');onbeforeunload=e=>{"
                                              "e.preventDefault();e.returnValue=''}</script>" + whole("p", "", "form"))
        self.enter_address(stay)
        self.click_page(frame)
        self.program.send_signal(signal.SIGTERM)
        self.assertEqual(self.program.wait(20), 0)
        self.assertEqual(listing() - before, {"Downloads", "Downloads/tour.mid", "config", "config/Calculator.conf"})
        with open(f"{self.home}/config/Calculator.conf") as settings:
            self.assertEqual(sum(line.startswith("Main") for line in settings), 4)

    def test_a_second_signal_ends_at_once_and_no_display_is_one_line(self):
        self.program.send_signal(signal.SIGINT)
        self.program.send_signal(signal.SIGTERM)  # while the first one closes the program
        self.assertLess(self.program.wait(10), 0, "not ended by the signal")
        unused = next(n for n in itertools.count(1000) if not os.path.exists(f"/tmp/.X{n}-lock"))
        run = subprocess.run([PROGRAM], env=dict(self.env, DISPLAY=f":{unused}"), capture_output=True, timeout=30)
        self.assertEqual((run.returncode, run.stderr), (1, f"cannot open display :{unused}\n".encode()))

    def test_enter_fullscreen_by_a_click(self):
        frame = self.open_browser()
        before = x("xdotool", "getwindowgeometry", frame)
        url = "http://a.example/video.htm"
        self.proxy.pages[url] = page("video", whole("button", "onclick='document.body.requestFullscreen()'", "play"))
        self.enter_address(url)
        self.click_page(frame)
        full = window("video")
        self.assertIn("Geometry: 1280x800", x("xdotool", "getwindowgeometry", full))
        key("Escape")
        self.assertTrue(until(lambda: not shown("video"), 10), "Esc did not leave")
        self.assertEqual(x("xdotool", "getwindowgeometry", frame), before, "the frame did not come back as it was")

    def test_full_disk_never_kills_the_program(self):
        # A full home; the engine draws through OpenGL, whose shader caches map files there.
        if subprocess.run(["unshare", "--mount", "true"], capture_output=True).returncode:
            self.skipTest("making a file system for the home needs a mount namespace of its own (root)")
        self.program.terminate()
        self.program.wait()
        fill = ('mount -t tmpfs -o size=1m tmpfs "$HOME" && mkdir -m 700 "$XDG_RUNTIME_DIR" && '
                '{ cat /dev/zero > "$HOME/filler"; } 2>/dev/null; exec "$0"')
        flags = self.env["QTWEBENGINE_CHROMIUM_FLAGS"].replace("--disable-gpu", "")
        self.program = subprocess.Popen(["unshare", "--mount", "--propagation", "private", "sh", "-c", fill, PROGRAM],
                                        env=dict(self.env, QTWEBENGINE_CHROMIUM_FLAGS=flags),
                                        stdout=self.terminal, stderr=subprocess.STDOUT)
        self.calculator = window("Calculator")
        self.open_browser()
        self.enter_address("http://a.example/one.htm")
        self.assertIsNone(self.program.poll(), "the program ended")
        self.program.send_signal(signal.SIGHUP)  # the placement cannot be stored: said on stderr, not in a box
        self.assertEqual(self.program.wait(20), 0)

    def test_page_dialogs_lock_only_their_window(self):
        frame = self.open_browser()
        url = "http://a.example/loop.htm"
        self.proxy.pages[url] = page("loop", whole("button", "onclick='for (let i = 0; i < 1000; i++) alert(i)'", "go"))
        self.enter_address(url)
        self.click_page(frame)
        window("Message from a.example")
        x("xdotool", "windowactivate", "--sync", self.calculator)
        click(self.calculator, 94, 10)  # the menu bar's "Help"
        click(self.calculator, 120, 32)  # "Help Topics"
        window("Help")
        key("Escape")
        close_box(frame)
        self.assertTrue(until(lambda: not shown("Corvel Explorer"), 10), "the frame's close box did nothing")
        self.assertTrue(shown("Calculator"))

    def test_download_kept_when_its_window_closes(self):
        frame = self.open_browser()
        song, data, gate = "http://a.example/files/big.bin", bytes(range(256)) * 4096, threading.Event()
        self.proxy.pages[song] = (data, {"Content-Type": "application/octet-stream"}, gate)
        self.download(frame, song, "<script>onpagehide = () => fetch('/closed', {keepalive: true})</script>")
        window("Downloads")
        x("xdotool", "windowactivate", "--sync", frame)
        key("alt+f", "Up", "Return")  # File > Exit closes the only browser window
        self.assertTrue(self.proxy.wait_for("http://a.example/closed"), "the browser window did not close")
        close_box(frame)  # asks first: Esc keeps the frame and the download
        self.assertTrue(until(lambda: len(shown("Corvel Explorer")) == 2, 10), "closing the frame asked nothing")
        key("Escape")
        gate.set()
        saved = os.path.join(self.home, "Downloads", "big.bin")
        self.assertTrue(until(lambda: os.path.exists(saved) and open(saved, "rb").read() == data), "not saved whole")
        close_box(frame)  # nothing runs any more: no question
        self.assertTrue(until(lambda: not shown("Corvel Explorer"), 10), "the frame did not close")


if __name__ == "__main__":
    if not PROGRAM:
        sys.exit(__doc__)
    unittest.main(verbosity=2)
