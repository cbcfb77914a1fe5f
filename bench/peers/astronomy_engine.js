// Times Astronomy Engine (npm package astronomy-engine) on the quantities of our series
// benchmarks, under node: node astronomy_engine.js [node_modules folder] [--repetitions=N]
// [--min-time=seconds]. Prints one JSON object: for each quantity the median and every
// repetition in nanoseconds per call, of the process's CPU time (user + system, what Google
// Benchmark's CPU column measures for our side; it includes V8's helper threads, which only
// count against the library) and of the wall clock.
//
// The moments are those of our benchmarks: 1024 values of T spread over 1900-2100 in a
// scrambled order, made into AstroTime objects before timing (AstroTime keeps no cache; the
// library's nutation cache is keyed by the time, which changes at every call). The satellites
// run from 1992 December 16 one minute further each call (1024 minutes, then again).
//
// What is timed:
//   nutation     e_tilt (IAU 2000B, truncated, and the obliquities)
//   moon         GeoMoon (geometric, J2000 equator)
//   helio/<p>    HelioVector (VSOP87, truncated; Pluto from the library's integrated table)
//   apparent/<b> Equator(body, time, observer, ofdate = true, aberration = true): light time,
//                aberration, precession, nutation and the observer's parallax
//   satellites   JupiterMoons (the four satellites' jovicentric states)
'use strict';

const path = require('path');

const args = process.argv.slice(2);
const modules = args.find((a) => !a.startsWith('--'));
const option = (name, fallback) => {
  const a = args.find((s) => s.startsWith(`--${name}=`));
  return a ? Number(a.slice(name.length + 3)) : fallback;
};
const repetitions = option('repetitions', 3);
const minTime = option('min-time', 0.5);

const Astronomy = require(modules ? path.join(path.resolve(modules), 'astronomy-engine')
                                  : 'astronomy-engine');

const kCount = 1024;
const kGolden = 0.6180339887498949;

// UT days from J2000.0 of 1024 moments with T in [-1, 1), stepped by the golden ratio.
function spreadTimes() {
  const times = [];
  let fraction = 0.0;
  for (let k = 0; k < kCount; ++k) {
    fraction += kGolden;
    if (fraction >= 1.0) fraction -= 1.0;
    times.push(new Astronomy.AstroTime(36525.0 * (-1.0 + 2.0 * fraction)));
  }
  return times;
}

// 1024 consecutive minutes from 1992 December 16, 0 h.
function minuteTimes() {
  const start = 2448972.5 - 2451545.0;
  const times = [];
  for (let k = 0; k < kCount; ++k) times.push(new Astronomy.AstroTime(start + k / 1440.0));
  return times;
}

let sink = 0;  // every result feeds it, so nothing can be left out

function sinkOf(v) {
  if (typeof v === 'number') return v;
  if (v.x !== undefined) return v.x;
  if (v.ra !== undefined) return v.ra + v.dec;
  if (v.dpsi !== undefined) return v.dpsi + v.deps;
  if (v.io !== undefined) return v.io.x + v.callisto.y;
  return 0;
}

// Runs fn(times[k]) n times round the table of moments; returns the seconds of CPU time and of
// the wall clock.
function runLoop(fn, times, n) {
  let s = 0;
  const cpuStart = process.cpuUsage();
  const start = process.hrtime.bigint();
  for (let i = 0; i < n; ++i) s += sinkOf(fn(times[i & (kCount - 1)]));
  const end = process.hrtime.bigint();
  const cpu = process.cpuUsage(cpuStart);
  sink += s;
  return { cpu: (cpu.user + cpu.system) * 1e-6, wall: Number(end - start) * 1e-9 };
}

function median(values) {
  const sorted = [...values].sort((a, b) => a - b);
  const m = sorted.length >> 1;
  return sorted.length % 2 ? sorted[m] : 0.5 * (sorted[m - 1] + sorted[m]);
}

// Grows the count until a loop takes minTime of wall clock (which also warms the JIT up), then
// times `repetitions` loops of that count.
function measure(fn, times) {
  let n = 64;
  for (;;) {
    const seconds = runLoop(fn, times, n).wall;
    if (seconds >= minTime) break;
    const factor = seconds > 0 ? Math.min(10, 1.4 * minTime / seconds) : 10;
    n = Math.max(n + 1, Math.ceil(n * factor));
  }
  const cpu = [];
  const wall = [];
  for (let r = 0; r < repetitions; ++r) {
    const t = runLoop(fn, times, n);
    cpu.push(t.cpu * 1e9 / n);
    wall.push(t.wall * 1e9 / n);
  }
  return { cpu_ns: median(cpu), wall_ns: median(wall), cpu_repetitions_ns: cpu,
           wall_repetitions_ns: wall, iterations: n };
}

function main() {
  const B = Astronomy.Body;
  const spread = spreadTimes();
  const minutes = minuteTimes();
  const observer = new Astronomy.Observer(59.33, 18.07, 30.0);
  const cases = [
    ['nutation', (t) => Astronomy.e_tilt(t), spread],
    ['moon', (t) => Astronomy.GeoMoon(t), spread],
  ];
  const planets = [['earth_j2000', B.Earth], ['mercury', B.Mercury], ['venus', B.Venus],
                   ['earth', B.Earth], ['mars', B.Mars], ['jupiter', B.Jupiter],
                   ['saturn', B.Saturn], ['uranus', B.Uranus], ['neptune', B.Neptune],
                   ['pluto', B.Pluto]];
  // HelioVector gives the Earth in the J2000 frame only: one measurement serves both rows.
  for (const [name, body] of planets) {
    if (name !== 'earth_j2000') cases.push([`helio/${name}`, (t) => Astronomy.HelioVector(body, t), spread]);
  }
  const bodies = [['sun', B.Sun], ['moon', B.Moon], ['mercury', B.Mercury], ['venus', B.Venus],
                  ['mars', B.Mars], ['jupiter', B.Jupiter], ['saturn', B.Saturn],
                  ['uranus', B.Uranus], ['neptune', B.Neptune], ['pluto', B.Pluto]];
  for (const [name, body] of bodies) {
    cases.push([`apparent/${name}`, (t) => Astronomy.Equator(body, t, observer, true, true), spread]);
  }
  cases.push(['satellites', (t) => Astronomy.JupiterMoons(t), minutes]);

  const results = {
    library: 'astronomy-engine',
    version: require(path.join(path.dirname(require.resolve(
        modules ? path.join(path.resolve(modules), 'astronomy-engine') : 'astronomy-engine')),
        'package.json')).version,
    node: process.version,
    results: {},
  };
  for (const [name, fn, times] of cases) {
    results.results[name] = measure(fn, times);
    const r = results.results[name];
    process.stderr.write(`${name}: ${r.cpu_ns.toFixed(1)} ns CPU, ${r.wall_ns.toFixed(1)} ns wall\n`);
  }
  results.results['helio/earth_j2000'] = results.results['helio/earth'];
  results.sink = sink;
  process.stdout.write(JSON.stringify(results, null, 1) + '\n');
}

main();
