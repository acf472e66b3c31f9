#!/usr/bin/env python3
"""Runs the benchmark programs side by side on a private Xvfb display and prints one
table: figure, ours, baseline, ratio, target. Exits 1 if a figure misses its target
(never in --smoke mode, which only checks that every measurement works)."""
import glob, os, signal, statistics, subprocess, sys, tempfile, time

BIN = sys.argv[1]
SMOKE = '--smoke' in sys.argv
RUNS = 3 if SMOKE else 9
IDLE_S = 2 if SMOKE else 10


def start_xvfb():
    r, w = os.pipe()
    proc = subprocess.Popen(['Xvfb', '-displayfd', str(w), '-screen', '0', '1280x1024x24',
                             '-nolisten', 'tcp'], pass_fds=[w], stderr=subprocess.DEVNULL)
    os.close(w)
    display = b''
    while not display.endswith(b'\n'):
        chunk = os.read(r, 16)
        if not chunk:
            raise RuntimeError('Xvfb did not start')
        display += chunk
    os.close(r)
    return proc, ':' + display.decode().strip()


def environment(display, home):
    env = {k: v for k, v in os.environ.items() if not k.startswith(('QT_', 'XDG_'))}
    env.update(DISPLAY=display, QT_QPA_PLATFORM='xcb', HOME=home,
               XDG_CONFIG_HOME=os.path.join(home, 'config'),
               XDG_DATA_HOME=os.path.join(home, 'data'),
               XDG_CACHE_HOME=os.path.join(home, 'cache'),
               XDG_RUNTIME_DIR=home)
    return env


def launch(argv, env):
    """Starts a program; returns (process, seconds to first paint, width, height)."""
    t0 = time.monotonic_ns()
    proc = subprocess.Popen(argv, env=env, stdout=subprocess.PIPE, stderr=subprocess.DEVNULL)
    line = proc.stdout.readline().decode().split()
    if len(line) != 4 or line[0] != 'painted':
        proc.kill(); proc.wait()
        raise RuntimeError(f'{argv[0]} reported no paint')
    return proc, (int(line[1]) - t0) / 1e9, int(line[2]), int(line[3])


def stop(proc):
    proc.send_signal(signal.SIGTERM)
    try:
        proc.wait(5)
    except subprocess.TimeoutExpired:
        proc.kill(); proc.wait()


def memory_kib(pid):
    values = {}
    with open(f'/proc/{pid}/smaps_rollup') as f:
        for line in f:
            parts = line.split()
            if parts[0] in ('Rss:', 'Pss:'):
                values[parts[0][:-1]] = int(parts[1])
    return values['Rss'], values['Pss']


def webengine_mapped(pid):
    with open(f'/proc/{pid}/maps') as f:
        return any('WebEngine' in line for line in f)


def switches(pid):
    total = 0
    for status in glob.glob(f'/proc/{pid}/task/*/status'):
        try:
            with open(status) as f:
                for line in f:
                    if line.startswith(('voluntary_ctxt_switches', 'nonvoluntary_ctxt_switches')):
                        total += int(line.split()[1])
        except FileNotFoundError:
            pass  # a thread ended while we read
    return total


def main():
    xvfb, display = start_xvfb()
    rows, failed = [], False
    try:
        with tempfile.TemporaryDirectory() as home:
            env = environment(display, home)
            calc = [os.path.join(BIN, 'calculator_bench')]
            ours_t, base_t, size = [], [], None
            for i in range(RUNS):  # interleaved, so both see the same machine load
                p, t, w, h = launch(calc, env); stop(p); ours_t.append(t); size = (w, h)
                p, t, _, _ = launch([os.path.join(BIN, 'bench_bare_window'), str(w), str(h)], env)
                stop(p); base_t.append(t)
            ours, base = statistics.median(ours_t), statistics.median(base_t)
            rows.append(('start-up to first paint (ms, median of %d)' % RUNS, ours * 1e3, base * 1e3, 1.5))

            p, _, _, _ = launch(calc, env)
            b, _, _, _ = launch([os.path.join(BIN, 'bench_bare_window'), str(size[0]), str(size[1])], env)
            time.sleep(1)
            (orss, opss), (brss, bpss) = memory_kib(p.pid), memory_kib(b.pid)
            rows.append(('resident set at rest (MiB)', orss / 1024, brss / 1024, 1.5))
            rows.append(('proportional set at rest (MiB)', opss / 1024, bpss / 1024, 1.5))
            mapped = webengine_mapped(p.pid)
            s0, b0 = switches(p.pid), switches(b.pid)
            time.sleep(IDLE_S)
            wake, bwake = (switches(p.pid) - s0) / IDLE_S, (switches(b.pid) - b0) / IDLE_S
            stop(p); stop(b)
            rows.append(('idle wake-ups at rest (/s, %d s)' % IDLE_S, wake, bwake, 'abs<=2'))
            rows.append(('web engine mapped before first browser window', 'yes' if mapped else 'no', '-', 'no'))

        out = subprocess.run([os.path.join(BIN, 'bench_engine')] + (['--smoke'] if SMOKE else []),
                             check=True, capture_output=True, text=True).stdout
        eng = dict((k, float(v)) for k, v in (l.split() for l in out.splitlines()))
        rows.append(('engine keys/s, mixed stream', eng['engine_keys_per_s'], '-', '-'))
        rows.append(('engine keys/s, reading readout each key', eng['engine_keys_read_per_s'], '-', '-'))
        rows.append(('type 10k digits vs 10 x 1k digits (us)', eng['engine_type_10k_us'],
                     10 * eng['engine_type_1k_us'], 2.0))
    finally:
        stop(xvfb)

    print(f'{"figure":50} {"ours":>12} {"baseline":>12} {"ratio":>7}  target')
    for name, ours, base, target in rows:
        ratio, ok = '-', True
        if isinstance(target, float):
            r = ours / base
            ratio, ok = f'{r:.2f}', r <= target
            tgt = f'<= {target}'
        elif target == 'abs<=2':
            ok, tgt = ours <= 2, '<= 2/s'
        elif target == 'no':
            ok, tgt = ours == 'no', 'no'
        else:
            tgt = '-'
        fmt = lambda v: v if isinstance(v, str) else f'{v:.1f}'
        mark = '' if ok or SMOKE else '  MISSED'
        failed |= not ok
        print(f'{name:50} {fmt(ours):>12} {fmt(base):>12} {ratio:>7}  {tgt}{mark}')
    if SMOKE:
        print('smoke run: every measurement worked; targets not checked')
        return 0
    return 1 if failed else 0


if __name__ == '__main__':
    sys.exit(main())
