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
import os
import shutil
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
    its path, and records the absolute addresses asked for."""

    daemon_threads = True

    def __init__(self):
        self.requests, self.pages, self.lock = [], {}, threading.Lock()
        self.logins = {}  # address: the "user:password" it asks for by basic authentication
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
        headers = {"Content-Type": "text/html; charset=utf-8"}
        if isinstance(body, tuple):  # a file: its bytes and its headers
            body, headers = body
        if not granted:
            body, headers = page("Refused"), {"Content-Type": "text/html; charset=utf-8",
                                              "WWW-Authenticate": 'Basic realm="Members"'}
            self.send_response(401)
        else:
            self.send_response(200)
        for name, value in headers.items():
            self.send_header(name, value)
        self.send_header("Content-Length", str(len(body)))
        self.send_header("Cache-Control", "no-store")
        self.end_headers()
        self.wfile.write(body)

    def do_CONNECT(self):  # no tunnels: nothing here may reach another host
        self.send_error(502)

    def log_message(self, *args):
        pass


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

    def test_typed_address_navigates_once_on_enter_only(self):
        self.open_browser()
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
        self.terminal.seek(0)
        self.assertEqual(self.terminal.read().decode(errors="replace"), "", "the program wrote on the terminal")

    def test_frame_opens_maximised_and_ctrl_n_works_at_once(self):
        frame = self.open_browser()
        self.assertIn("_NET_WM_STATE_MAXIMIZED_HORZ", x("xprop", "-id", frame, "_NET_WM_STATE"))
        key("ctrl+n")
        self.assertTrue(self.proxy.wait_for(HOME, times=2), "Ctrl+N opened no second window")

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
        key("Return")
        self.assertTrue(self.proxy.wait_for("http://a.example/sent?q=pasted+text"), "the pasted field was not sent")

    def test_f5_reloads_and_alt_left_goes_back(self):
        self.open_browser()
        one, two = "http://a.example/one.htm", "http://a.example/two.htm"
        self.enter_address(one)
        self.enter_address(two)
        self.click_page(window("Corvel Explorer"))
        key("F5")
        self.assertTrue(self.proxy.wait_for(two, times=2), "F5 did not reload")
        time.sleep(0.5)
        key("alt+Left")
        time.sleep(1.5)
        self.assertEqual(address_shown(), one, "Alt+Left did not go back")

    def test_click_a_target_blank_link(self):
        frame = self.open_browser()
        opener, opened = "http://a.example/opener.htm", "http://b.example/opened.htm"
        self.proxy.pages[opener] = page("opener", whole("a", f"href='{opened}' target='_blank'", "open"))
        self.enter_address(opener)
        self.click_page(frame)
        self.assertTrue(self.proxy.wait_for(opened), "the link opened nothing")
        time.sleep(1)
        # The new window has the focus and shows the new page's address.
        self.assertEqual(address_shown(), opened)

    def test_download_a_file_through_the_dialog(self):
        frame = self.open_browser()
        listing, song = "http://a.example/midi.htm", "http://a.example/files/tour.mid"
        data = b"MThd\0\0\0\6" + bytes(range(256)) * 8
        self.proxy.pages[listing] = page("midi", whole("a", "href='/files/tour.mid'", "tour"))
        self.proxy.pages[song] = (data, {"Content-Type": "audio/midi",
                                         "Content-Disposition": 'attachment; filename="tour.mid"'})
        self.enter_address(listing)
        self.click_page(frame)
        window("Save As")
        key("Return")
        saved = os.path.join(self.home, "Downloads", "tour.mid")
        self.assertTrue(until(lambda: os.path.exists(saved) and open(saved, "rb").read() == data), "not saved whole")
        window("Downloads")

    def test_log_in_through_the_dialog(self):
        self.open_browser()
        url = "http://a.example/members.htm"
        self.proxy.logins[url] = "ann:secret"
        type_address(url)
        key("Return")
        self.assertTrue(self.proxy.wait_for(f"refused {url}"), "the page did not ask for a login")
        window("Login")
        type_text("ann")
        key("Tab")
        type_text("secret")
        key("Return")
        self.assertTrue(self.proxy.wait_for(url), "the login was not sent")

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


if __name__ == "__main__":
    if not PROGRAM:
        sys.exit(__doc__)
    unittest.main(verbosity=2)
