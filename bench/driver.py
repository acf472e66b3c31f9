#!/usr/bin/env python3
"""Runs the benchmark programs side by side on a private Xvfb display and prints one
table: figure, ours, baseline, ratio, target. Exits 1 if a figure misses its target
(never in --smoke mode, which only checks that every measurement works).

In full mode the programs a user would pick instead, galculator and Falkon (installed by
bench/run), run interleaved with ours; they carry no probe, so bench_window_watch times
them from outside, by their windows being mapped and retitled. --smoke runs no peer.

The browser figures load one page served by a loopback HTTP server that the web engine
uses as its proxy, so the browser's own home address and the bare view's load both end
on 127.0.0.1; the server's log shows that every request of every window arrived there."""
import glob, http.server, os, select, shutil, signal, statistics, subprocess, sys, tempfile, threading, time
from urllib.parse import urlsplit

BIN = sys.argv[1]
SMOKE = '--smoke' in sys.argv
PEERS = not SMOKE
RUNS = 3 if SMOKE else 9            # start-up rounds
BROWSER_RUNS = 1 if SMOKE else 9    # first-page rounds
MEMORY_RUNS = 1 if SMOKE else 3     # memory rounds (at rest; one, then five browser windows)
IDLE_S = 2 if SMOKE else 10
SETTLE_S = 0.5 if SMOKE else 1.5    # quiet time before memory and idle readings
REPLY_S = 60                        # longest wait for a window's title
# A second, informative baseline: the bare window showing one line of text, which pays
# for the font stack (fontconfig, FreeType, HarfBuzz, a face) as every window with text does.
BARE_TEXT = 'Calculator'
TEXT_ROW = '  against the bare window showing one line of text'
EMPTY_ROW = '  against the empty bare window'
INFO = ('info', None)

PAGE_TITLE = "Corvel Universe bench page"
PAGE_PATH = '/bench-page.htm'
PAGE = ('<!DOCTYPE html><html><head><meta charset="utf-8"><title>%s</title></head><body>'
        '<h1>Corvel Universe</h1>%s</body></html>' % (
            PAGE_TITLE, '<p>News, pictures and the tour dates of the group.</p>' * 40)).encode()


class LoopbackProxy(http.server.ThreadingHTTPServer):
    """Answers the engine's proxy requests: the page at PAGE_PATH on any host, a redirect
    to it from any other address of the host (as the home address redirects), 404 for
    the page icon. Every request is logged; CONNECT (a tunnel elsewhere) is refused."""

    def __init__(self):
        self.log = []
        self.lock = threading.Lock()
        super().__init__(('127.0.0.1', 0), ProxyHandler)

    def requests_since(self, mark):
        with self.lock:
            return self.log[mark:]

    def mark(self):
        with self.lock:
            return len(self.log)


class ProxyHandler(http.server.BaseHTTPRequestHandler):
    protocol_version = 'HTTP/1.1'

    def log_message(self, *args):
        pass

    def record(self):
        with self.server.lock:
            self.server.log.append((self.command, self.path))

    def reply(self, status, body=b'', headers=()):
        self.send_response(status)
        for name, value in headers:
            self.send_header(name, value)
        self.send_header('Cache-Control', 'no-store')  # every window fetches the page itself
        self.send_header('Content-Length', str(len(body)))
        self.end_headers()
        self.wfile.write(body)

    def do_GET(self):
        self.record()
        url = urlsplit(self.path)
        if url.scheme != 'http' or not url.netloc:
            self.reply(400)  # not a proxy request
        elif url.path == PAGE_PATH:
            self.reply(200, PAGE, [('Content-Type', 'text/html; charset=utf-8')])
        elif url.path == '/favicon.ico':
            self.reply(404)
        else:
            self.reply(302, headers=[('Location', 'http://%s%s' % (url.netloc, PAGE_PATH))])

    def do_CONNECT(self):
        self.record()
        self.reply(403)


def start_xvfb():
    r, w = os.pipe()
    # -noreset: the server keeps its state between programs, as a desktop's does. Without
    # it every program that ends last resets the server, and GTK programs then redo the
    # OpenGL visual probe whose result GTK keeps on the root window (about 55 MiB more).
    proc = subprocess.Popen(['Xvfb', '-displayfd', str(w), '-screen', '0', '1280x1024x24',
                             '-nolisten', 'tcp', '-noreset'], pass_fds=[w], stderr=subprocess.DEVNULL)
    os.close(w)
    display = b''
    while not display.endswith(b'\n'):
        chunk = os.read(r, 16)
        if not chunk:
            raise RuntimeError('Xvfb did not start')
        display += chunk
    os.close(r)
    return proc, ':' + display.decode().strip()


def environment(display, home, proxy_port=None):
    env = {k: v for k, v in os.environ.items() if not k.startswith(('QT_', 'XDG_', 'QTWEBENGINE_'))}
    env.update(DISPLAY=display, QT_QPA_PLATFORM='xcb', HOME=home,
               XDG_CONFIG_HOME=os.path.join(home, 'config'),
               XDG_DATA_HOME=os.path.join(home, 'data'),
               XDG_CACHE_HOME=os.path.join(home, 'cache'),
               XDG_RUNTIME_DIR=home)
    if proxy_port:
        # The same flags for ours and the bare view; the program adds --no-sandbox itself
        # when it runs as root, so the bare view gets it here.
        flags = '--proxy-server=http://127.0.0.1:%d' % proxy_port
        if os.geteuid() == 0:
            flags += ' --no-sandbox'
        env.update(QTWEBENGINE_CHROMIUM_FLAGS=flags, CALCULATOR_BENCH_PAGE_TITLE=PAGE_TITLE)
    return env


class Program:
    """A started benchmark program that reports on its standard output, line by line."""

    def __init__(self, argv, env):
        self.started = time.monotonic_ns()
        self.proc = subprocess.Popen(argv, env=env, stdin=subprocess.PIPE, stdout=subprocess.PIPE,
                                     stderr=None if os.environ.get("BENCH_STDERR") else subprocess.DEVNULL, bufsize=0)
        self.name = os.path.basename(argv[0])
        self.buffer = b''
        self.pid = self.proc.pid

    def line(self, timeout):
        deadline = time.monotonic() + timeout
        while b'\n' not in self.buffer:
            left = deadline - time.monotonic()
            if left <= 0 or not select.select([self.proc.stdout], [], [], left)[0]:
                raise RuntimeError(f'{self.name} did not answer in {timeout} s')
            chunk = os.read(self.proc.stdout.fileno(), 4096)
            if not chunk:
                raise RuntimeError(f'{self.name} ended (status {self.proc.wait()})')
            self.buffer += chunk
        line, self.buffer = self.buffer.split(b'\n', 1)
        return line.decode().split()

    def expect(self, word, timeout=REPLY_S):
        fields = self.line(timeout)
        if not fields or fields[0] != word:
            raise RuntimeError(f'{self.name} answered {fields!r}, expected {word}')
        return fields

    def send(self, command):
        self.proc.stdin.write(command.encode() + b'\n')

    def stop(self):
        helpers = descendants(self.pid)
        self.proc.send_signal(signal.SIGTERM)
        try:
            self.proc.wait(5)
        except subprocess.TimeoutExpired:
            self.proc.kill(); self.proc.wait()
        for pid in helpers:  # the engine's helpers normally follow their parent
            try:
                os.kill(pid, signal.SIGKILL)
            except ProcessLookupError:
                pass


def launch(argv, env):
    """Starts a program; returns (program, seconds to first paint, width, height)."""
    prog = Program(argv, env)
    line = prog.line(30)
    if len(line) != 4 or line[0] != 'painted':
        prog.stop()
        raise RuntimeError(f'{argv[0]} reported no paint')
    return prog, (int(line[1]) - prog.started) / 1e9, int(line[2]), int(line[3])


def memory_kib(pid):
    values = {}
    with open(f'/proc/{pid}/smaps_rollup') as f:
        for line in f:
            parts = line.split()
            if parts[0] in ('Rss:', 'Pss:'):
                values[parts[0][:-1]] = int(parts[1])
    return values['Rss'], values['Pss']


def descendants(pid):
    children = {}
    for stat in glob.glob('/proc/[0-9]*/stat'):
        try:
            with open(stat) as f:
                fields = f.read().rsplit(')', 1)[1].split()
        except (FileNotFoundError, ProcessLookupError):
            continue
        children.setdefault(int(fields[1]), []).append(int(stat.split('/')[2]))
    found, todo = [], [pid]
    while todo:
        for child in children.get(todo.pop(), []):
            found.append(child); todo.append(child)
    return found


def tree_memory_kib(pid):
    """(RSS, PSS) summed over the process and all its descendants."""
    rss = pss = 0
    for p in [pid] + descendants(pid):
        try:
            r, q = memory_kib(p)
        except (FileNotFoundError, ProcessLookupError):
            continue  # a helper ended while we read
        rss += r; pss += q
    return rss, pss


def peer_version(package):
    out = subprocess.run(['dpkg-query', '-W', '-f=${Version}', package], capture_output=True, text=True)
    return out.stdout.strip() or 'not installed'


class WindowWatch(Program):
    """bench_window_watch: top-level windows mapped and retitled, by the pid that owns them."""

    def __init__(self, env):
        super().__init__([os.path.join(BIN, 'bench_window_watch')], env)
        self.expect('ready', 10)
        self.events = []  # (kind, ns, pid, title)

    def wait(self, kind, pid, timeout=REPLY_S, title=None):
        """CLOCK_MONOTONIC seconds of the first such event of pid's windows, consumed."""
        deadline = time.monotonic() + timeout
        while True:
            for i, (k, ns, p, t) in enumerate(self.events):
                if k == kind and p == pid and (title is None or title in t):
                    del self.events[i]
                    return ns / 1e9
            fields = self.line(max(0.01, deadline - time.monotonic()))
            if fields[0] in ('mapped', 'title'):
                self.events.append((fields[0], int(fields[1]), int(fields[3]), ' '.join(fields[4:])))

    def forget(self, pid):
        self.events = [e for e in self.events if e[2] != pid]


def webengine_mapped(pid):
    with open(f'/proc/{pid}/maps') as f:
        return any('WebEngine' in line for line in f)


def shared_objects(pid):
    """(shared objects mapped, of which Qt image-format plugins) in the process and its descendants."""
    files = set()
    for p in [pid] + descendants(pid):
        try:
            with open(f'/proc/{p}/maps') as f:
                files.update(line.split()[5] for line in f if '.so' in line and len(line.split()) > 5)
        except (FileNotFoundError, ProcessLookupError):
            pass
    return len(files), sum('/imageformats/' in name for name in files)


def image_plugins():
    """The Qt image-format plugins installed, as the formats they are named after."""
    folder = subprocess.run(['qtpaths6', '--plugin-dir'], capture_output=True, text=True).stdout.strip()
    names = sorted(os.path.basename(p)[len('libq'):-len('.so')]
                   for p in glob.glob(os.path.join(folder or '/nonexistent', 'imageformats', 'libq*.so')))
    return ', '.join(names) or 'none'


def switches(pid, main_thread_only=False):
    total = 0
    tasks = [f'/proc/{pid}/task/{pid}/status'] if main_thread_only else glob.glob(f'/proc/{pid}/task/*/status')
    for status in tasks:
        try:
            with open(status) as f:
                for line in f:
                    if line.startswith(('voluntary_ctxt_switches', 'nonvoluntary_ctxt_switches')):
                        total += int(line.split()[1])
        except (FileNotFoundError, ProcessLookupError):
            pass  # a thread ended while we read
    return total


def tree_switches(pid):
    return sum(switches(p) for p in [pid] + descendants(pid))


def open_window(prog, proxy, size=None):
    """Opens one browser window (ours: the menu command; bare: one more view) and waits
    for its title. Returns (seconds from command to title, view size, first URL asked,
    seconds from the program's launch to the title)."""
    mark = proxy.mark()
    prog.send('open' if size is None else 'open %d %d' % size)
    fields = prog.expect('titled')
    asked = proxy.requests_since(mark)
    if not any(method == 'GET' and urlsplit(path).path == PAGE_PATH for method, path in asked):
        raise RuntimeError(f'{prog.name}: the page did not come from the loopback server: {asked}')
    first = asked[0][1]
    view = (int(fields[3]), int(fields[4])) if len(fields) >= 5 else size
    return (int(fields[2]) - int(fields[1])) / 1e9, view, first, (int(fields[2]) - prog.started) / 1e9


def check_poll(prog, windows):
    prog.send('poll')
    fields = prog.expect('poll')
    running, count = int(fields[1]), int(fields[2])
    if count != windows:
        raise RuntimeError(f'{prog.name} has {count} browser windows, expected {windows}')
    return running


def measure_calculator(env, rows, watch):
    calc = [os.path.join(BIN, 'calculator_bench')]
    bare = lambda size, *text: [os.path.join(BIN, 'bench_bare_window'), str(size[0]), str(size[1]), *text]
    galc = ['galculator']

    def mapped(prog):
        """Seconds from the program's launch until its window was mapped."""
        t = watch.wait('mapped', prog.pid, 30) - prog.started / 1e9
        watch.forget(prog.pid)
        return t

    ours_t, base_t, text_t, size = [], [], [], None  # to first paint
    ours_m, text_m, galc_m = [], [], []  # to the window mapped
    for i in range(RUNS):  # interleaved, so all see the same machine load
        p, t, w, h = launch(calc, env); ours_m.append(mapped(p)); p.stop(); ours_t.append(t); size = (w, h)
        p, t, _, _ = launch(bare(size), env); mapped(p); p.stop(); base_t.append(t)
        p, t, _, _ = launch(bare(size, BARE_TEXT), env); text_m.append(mapped(p)); p.stop(); text_t.append(t)
        if PEERS:
            g = Program(galc, env)
            try:
                galc_m.append(mapped(g))
            finally:
                g.stop()
    med = lambda v: statistics.median(v) * 1e3
    rows.append(('start-up to first paint (ms, median of %d)' % RUNS, med(ours_t), '-', None))
    rows.append((TEXT_ROW, med(ours_t), med(text_t), ('ratio', 1.2)))
    rows.append((EMPTY_ROW, med(ours_t), med(base_t), INFO))
    if PEERS:
        rows.append(('start-up to window mapped (ms, median of %d)' % RUNS, med(ours_m), '-', None))
        rows.append(('  against galculator', med(ours_m), med(galc_m), ('ratio', 0.5)))
        rows.append((TEXT_ROW, med(ours_m), med(text_m), INFO))

    # At rest: all of them side by side, weighed within moments of each other, so that
    # they see the same machine and share the libraries they have in common.
    rss = {k: [] for k in ('ours', 'bare', 'text', 'galc')}
    pss = {k: [] for k in rss}
    objects = {}  # shared objects mapped at rest, and image plugins among them, last round
    for i in range(MEMORY_RUNS):
        progs = {}
        try:
            progs['ours'] = launch(calc, env)[0]
            progs['bare'] = launch(bare(size), env)[0]
            progs['text'] = launch(bare(size, BARE_TEXT), env)[0]
            if PEERS:
                progs['galc'] = Program(galc, env)
                mapped(progs['galc'])
            time.sleep(1)
            for k, prog in progs.items():
                r, q = tree_memory_kib(prog.pid)
                rss[k].append(r); pss[k].append(q)
                objects[k] = shared_objects(prog.pid)
            if i == MEMORY_RUNS - 1:
                p, b = progs['ours'], progs['bare']
                mapped_engine = webengine_mapped(p.pid)
                s0, b0 = switches(p.pid), switches(b.pid)
                time.sleep(IDLE_S)
                wake, bwake = (switches(p.pid) - s0) / IDLE_S, (switches(b.pid) - b0) / IDLE_S
        finally:
            for prog in progs.values():
                prog.stop()
    mib = lambda v: statistics.median(v) / 1024
    n = MEMORY_RUNS
    rows.append(('resident set at rest, RSS of tree (MiB, median of %d)' % n, mib(rss['ours']), '-', None))
    rows.append((TEXT_ROW, mib(rss['ours']), mib(rss['text']), ('ratio', 1.10)))
    if PEERS:
        rows.append(('  against galculator', mib(rss['ours']), mib(rss['galc']), ('ratio', 1.10)))
    rows.append((EMPTY_ROW, mib(rss['ours']), mib(rss['bare']), INFO))
    rows.append(('proportional set at rest, PSS of tree (MiB)', mib(pss['ours']), '-', None))
    rows.append((TEXT_ROW, mib(pss['ours']), mib(pss['text']), INFO))
    if PEERS:
        rows.append(('  against galculator', mib(pss['ours']), mib(pss['galc']), INFO))
    rows.append((EMPTY_ROW, mib(pss['ours']), mib(pss['bare']), INFO))
    rows.append(('shared objects mapped at rest', objects['ours'][0], '-', None))
    rows.append((TEXT_ROW, objects['ours'][0], objects['text'][0], INFO))
    if PEERS:
        rows.append(('  against galculator', objects['ours'][0], objects['galc'][0], INFO))
    rows.append(('  of them Qt image-format plugins', objects['ours'][1], '-', ('is', 0)))
    rows.append(('idle wake-ups at rest (/s, %d s)' % IDLE_S, wake, bwake, ('max', 1.0)))
    rows.append(('web engine mapped before first browser window', 'yes' if mapped_engine else 'no', '-', ('is', 'no')))


class Falkon:
    """Falkon with a fresh temporary profile, showing url. Its web engine takes the same
    proxy flags as ours; its own network requests (subscriptions and the like) go to the
    same kind of loopback server through the proxy variables Qt reads, and CONNECT is
    refused there, so nothing leaves the machine."""

    def __init__(self, display, proxy, url, watch):
        self.home = tempfile.mkdtemp(prefix='bench-falkon-')
        self.env = environment(display, self.home, proxy.server_address[1])
        address = 'http://127.0.0.1:%d' % proxy.server_address[1]
        for name in ('http_proxy', 'https_proxy', 'ftp_proxy', 'all_proxy'):
            self.env[name] = self.env[name.upper()] = address
        self.env.pop('no_proxy', None); self.env.pop('NO_PROXY', None)
        self.url, self.proxy, self.watch = url, proxy, watch
        self.prog = Program(['falkon', url], self.env)
        self.pid = self.prog.pid

    def first_page(self):
        """Seconds from the launch until the window shows the page's title."""
        t = self.watch.wait('title', self.pid, REPLY_S, PAGE_TITLE) - self.prog.started / 1e9
        self.watch.forget(self.pid)
        return t

    def new_tab(self):
        """Opens url in a new tab of the running Falkon; returns once the page was served."""
        mark = self.proxy.mark()
        subprocess.run(['falkon', '--new-tab', self.url], env=self.env, timeout=30,
                       stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL)
        deadline = time.monotonic() + REPLY_S
        while not any(urlsplit(path).path == PAGE_PATH for _, path in self.proxy.requests_since(mark)):
            if time.monotonic() > deadline:
                raise RuntimeError('Falkon did not load the page in a new tab')
            time.sleep(0.05)

    def stop(self):
        self.prog.stop()
        self.watch.forget(self.pid)
        shutil.rmtree(self.home, ignore_errors=True)


def measure_browser(display, home, rows, watch):
    proxy = LoopbackProxy()
    threading.Thread(target=proxy.serve_forever, daemon=True).start()
    env = environment(display, home, proxy.server_address[1])
    peer_proxy = LoopbackProxy()  # Falkon's own: its log is reported apart from ours
    threading.Thread(target=peer_proxy.serve_forever, daemon=True).start()
    falkon_first = []  # seconds
    rss1, rss5, brss1, brss5, frss1, frss5, fpss1, fpss5 = [], [], [], [], [], [], [], []  # KiB
    calc = [os.path.join(BIN, 'calculator_bench')]
    first, first_launch, second, bfirst, bsecond, blaunch = [], [], [], [], [], []  # seconds
    one, five, bone, bfive = [], [], [], []  # KiB
    url = None
    try:
        for i in range(BROWSER_RUNS):  # interleaved: ours, then the bare view, each round
            p, _, _, _ = launch(calc, env)
            try:
                t, size, asked, launched = open_window(p, proxy)  # asked once painted
                if url is None:
                    url = asked  # whatever our window loads first, the bare view loads too
                elif asked != url:
                    raise RuntimeError(f'the browser window first asked for {asked}, before for {url}')
                first.append(t); first_launch.append(launched)
                second.append(open_window(p, proxy)[0])
            finally:
                p.stop()
            b = Program([os.path.join(BIN, 'bench_bare_webview'), url, PAGE_TITLE], env)
            try:
                t, _, _, launched = open_window(b, proxy, size)  # asked at once: queued until it runs
                bfirst.append(t); blaunch.append(launched)
                bsecond.append(open_window(b, proxy, size)[0])
            finally:
                b.stop()
            if PEERS:
                f = Falkon(display, peer_proxy, url, watch)
                try:
                    falkon_first.append(f.first_page())
                finally:
                    f.stop()

        # Memory: ours and the bare view side by side, weighed within moments of each
        # other, so that both share the libraries they both map and see the same machine.
        for i in range(MEMORY_RUNS):
            p, _, _, _ = launch(calc, env)
            b = Program([os.path.join(BIN, 'bench_bare_webview'), url, PAGE_TITLE], env)
            f = Falkon(display, peer_proxy, url, watch) if PEERS else None
            try:
                open_window(p, proxy); open_window(b, proxy, size)
                if f:
                    f.first_page()
                time.sleep(SETTLE_S)
                (r, q), (br, bq) = tree_memory_kib(p.pid), tree_memory_kib(b.pid)
                rss1.append(r); one.append(q); brss1.append(br); bone.append(bq)
                if f:
                    r, q = tree_memory_kib(f.pid); frss1.append(r); fpss1.append(q)
                for _ in range(4):
                    open_window(p, proxy); open_window(b, proxy, size)
                    if f:
                        f.new_tab()
                time.sleep(SETTLE_S)
                (r, q), (br, bq) = tree_memory_kib(p.pid), tree_memory_kib(b.pid)
                rss5.append(r); five.append(q); brss5.append(br); bfive.append(bq)
                if f:
                    r, q = tree_memory_kib(f.pid); frss5.append(r); fpss5.append(q)
            finally:
                p.stop(); b.stop()
                if f:
                    f.stop()

        med = statistics.median
        n, m = BROWSER_RUNS, MEMORY_RUNS
        # The bare view's user waits from its launch; it maps the engine's libraries and
        # makes the shared OpenGL context before its first command, which ours does
        # after the menu command (the calculator must not map the engine at start).
        rows.append(('first page, first window (ms, median of %d)' % n, med(first) * 1e3, med(blaunch) * 1e3,
                     ('ratio', 1.2)))
        rows.append(('  both from their launch (ours: menu when painted)', med(first_launch) * 1e3,
                     med(blaunch) * 1e3, ('ratio', 1.2)))
        rows.append(('  bare view from its command, engine started (ms)', '-', med(bfirst) * 1e3, None))
        rows.append(('first page, second window (ms, median of %d)' % n, med(second) * 1e3,
                     med(bsecond) * 1e3, ('ratio', 1.2)))
        # Judged by RSS summed over the process tree; PSS, which moves with whatever
        # else maps the same libraries at the time, is shown beside it.
        rows.append(('one browser window, RSS of tree (MiB, median of %d)' % m, med(rss1) / 1024, med(brss1) / 1024,
                     ('ratio', 1.2)))
        rows.append(('  PSS of tree', med(one) / 1024, med(bone) / 1024, INFO))
        rows.append(('five browser windows, RSS of tree (MiB, median of %d)' % m, med(rss5) / 1024,
                     med(brss5) / 1024, ('ratio', 1.2)))
        rows.append(('  PSS of tree', med(five) / 1024, med(bfive) / 1024, INFO))
        rows.append(('five windows against one, ours, RSS (MiB)', med(rss5) / 1024, med(rss1) / 1024, ('ratio', 2.5)))
        if PEERS:
            rows.append(('against Falkon (fresh profile, same page and proxy)', '-', '-', None))
            rows.append(('  first page from launch (ms, median of %d)' % n, med(first_launch) * 1e3,
                         med(falkon_first) * 1e3, ('ratio', 1.0)))
            rows.append(('  one window, RSS of tree (MiB, median of %d)' % m, med(rss1) / 1024, med(frss1) / 1024,
                         ('ratio', 1.0)))
            rows.append(('  one window, PSS of tree (MiB)', med(one) / 1024, med(fpss1) / 1024, INFO))
            rows.append(('  five windows (Falkon: tabs), RSS of tree (MiB)', med(rss5) / 1024, med(frss5) / 1024,
                         ('ratio', 1.0)))
            rows.append(('  five windows (Falkon: tabs), PSS of tree (MiB)', med(five) / 1024, med(fpss5) / 1024,
                         INFO))

        # A frame with one loaded, idle browser window: the busy poll must have stopped,
        # and only the minute clock of the status panels may wake the frame.
        p, _, _, _ = launch(calc, env)
        b = Program([os.path.join(BIN, 'bench_bare_webview'), url, PAGE_TITLE], env)
        try:
            open_window(p, proxy)
            open_window(b, proxy, size)
            time.sleep(SETTLE_S)
            polling = check_poll(p, 1)
            time.sleep(SETTLE_S)  # let the answer to the poll command pass
            s0, m0, t0 = switches(p.pid), switches(p.pid, True), tree_switches(p.pid)
            b0, bm0, bt0 = switches(b.pid), switches(b.pid, True), tree_switches(b.pid)
            time.sleep(IDLE_S)
            wake = (switches(p.pid) - s0) / IDLE_S
            main_wake = (switches(p.pid, True) - m0) / IDLE_S
            tree_wake = (tree_switches(p.pid) - t0) / IDLE_S
            bwake = (switches(b.pid) - b0) / IDLE_S
            bmain_wake = (switches(b.pid, True) - bm0) / IDLE_S
            btree_wake = (tree_switches(b.pid) - bt0) / IDLE_S
            polling += check_poll(p, 1)
        finally:
            p.stop(); b.stop()
        rows.append(('busy poll running once the page has loaded', 'yes' if polling else 'no', '-', ('is', 'no')))
        rows.append(('frame + idle window: main thread wake-ups (/s)', main_wake, bmain_wake, ('max', 1.0)))
        rows.append(('frame + idle window: main process wake-ups (/s)', wake, bwake, None))
        rows.append(('frame + idle window: process tree wake-ups (/s)', tree_wake, btree_wake, None))
    finally:
        proxy.shutdown(); peer_proxy.shutdown()

    # Every request of every window reached the loopback server as a proxy request for a
    # plain http address: nothing was tunnelled, nothing asked for elsewhere.
    stray = [(m, path) for m, path in proxy.log if m != 'GET' or urlsplit(path).scheme != 'http']
    if stray:
        raise RuntimeError(f'requests the loopback server did not serve: {stray}')
    pages = sum(1 for _, path in proxy.log if urlsplit(path).path == PAGE_PATH)
    note = (f'loopback server on 127.0.0.1: all {len(proxy.log)} requests were proxy requests for http '
            f'addresses ({pages} page loads); first address asked for: {url}')
    if PEERS:
        # Falkon's server: its page loads, and what else Falkon asked for (refused or
        # answered by the loopback server; nothing went further).
        fpages = sum(1 for _, path in peer_proxy.log if urlsplit(path).path == PAGE_PATH)
        other = sorted({'%s %s' % (m, urlsplit(path).netloc or path) for m, path in peer_proxy.log
                        if urlsplit(path).path not in (PAGE_PATH, '/favicon.ico')} - {'GET ' + urlsplit(url).netloc})
        note += (f'\nFalkon\'s loopback server: {len(peer_proxy.log)} requests, {fpages} page loads'
                 + (f'; Falkon also asked for (CONNECT refused, any other address sent to the bench page; nothing left the machine): {", ".join(other)}'
                    if other else ''))
    return note


def measure_engine(rows):
    out = subprocess.run([os.path.join(BIN, 'bench_engine')] + (['--smoke'] if SMOKE else []),
                         check=True, capture_output=True, text=True).stdout
    eng = dict((k, float(v)) for k, v in (l.split() for l in out.splitlines()))
    rows.append(('engine keys/s, mixed stream', eng['engine_keys_per_s'], '-', ('min', 10e6)))
    rows.append(('engine keys/s, reading readout each key', eng['engine_keys_read_per_s'], '-', None))
    rows.append(('type 10k digits vs 10 x 1k digits (us)', eng['engine_type_10k_us'],
                 10 * eng['engine_type_1k_us'], ('ratio', 2.0)))


def judge(ours, base, target):
    """Returns (ratio text, target text, met)."""
    if target is None:
        return '-', '-', True
    kind, limit = target
    if kind == 'info':
        return f'{ours / base:.2f}', '-', True
    if kind == 'ratio':
        r = ours / base
        return f'{r:.2f}', f'<= {limit}', r <= limit
    if kind == 'max':
        return '-', f'<= {limit:g}/s', ours <= limit
    if kind == 'min':
        return '-', f'>= {limit:g}', ours >= limit
    return '-', limit, ours == limit


def main():
    xvfb, display = start_xvfb()
    rows = []
    try:
        with tempfile.TemporaryDirectory() as home:
            env = environment(display, home)
            watch = WindowWatch(env)
            try:
                measure_calculator(env, rows, watch)
                note = measure_browser(display, home, rows, watch)
            finally:
                watch.stop()
        measure_engine(rows)
    finally:
        xvfb.terminate(); xvfb.wait()
    if PEERS:
        note += ('\npeers: galculator %s (GTK %s), Falkon %s (Qt WebEngine %s); session bus: %s'
                 % (peer_version('galculator'), peer_version('libgtk-3-0'), peer_version('falkon'),
                    peer_version('libqt5webenginecore5'), 'yes' if os.environ.get('DBUS_SESSION_BUS_ADDRESS') else 'no'))

    note += '\nQt image-format plugins installed: ' + image_plugins()
    failed = False
    print(f'{"figure":54} {"ours":>12} {"baseline":>12} {"ratio":>7}  target')
    for name, ours, base, target in rows:
        ratio, tgt, ok = judge(ours, base, target)
        fmt = lambda v: v if isinstance(v, str) else (f'{v}' if isinstance(v, int) else f'{v:.1f}')
        mark = '' if ok or SMOKE else '  MISSED'
        failed |= not ok
        print(f'{name:54} {fmt(ours):>12} {fmt(base):>12} {ratio:>7}  {tgt}{mark}')
    print(note)
    with open('/proc/loadavg') as f:
        print('load average at the end: ' + ' '.join(f.read().split()[:3]))
    if SMOKE:
        print('smoke run: every measurement worked; targets not checked')
        return 0
    return 1 if failed else 0


if __name__ == '__main__':
    sys.exit(main())
