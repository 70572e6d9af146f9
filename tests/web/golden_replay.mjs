// SPDX-FileCopyrightText: 2026 The Headpop developers
// SPDX-License-Identifier: GPL-3.0-or-later
//
// The golden replays over the page's WebAssembly module, in Node: each scenario's trace,
// written by the same scripts as the desktop's (tests/model), must equal the committed one
// byte for byte. Usage: node golden_replay.mjs GOLDEN_REPLAY_WASM EXPECTED_DIR
import assert from "node:assert/strict";
import { mkdtemp, readdir, readFile, rm } from "node:fs/promises";
import { openSync, closeSync, readFileSync } from "node:fs";
import { tmpdir } from "node:os";
import path from "node:path";
import { test } from "node:test";
import { WASI } from "node:wasi";

const [modulePath, expectedDir] = process.argv.slice(2);
const module = await WebAssembly.compile(await readFile(modulePath));

// What the page would do for the module: here nothing, since the driver reads the state
// back from the module's own window. Sound stays off, as without the two files.
const page = {
  SetCaption() {},
  SetTimerEnabled() {},
  SetTimer1Interval() {},
  FocusStartButton() {},
  AskYesNo() {},
  EndProgram() {},
  SoundFilesFound: () => 0,
  PlaySoundFile() {},
};

// Runs the program with one argument; its standard output and error go to files, read
// back afterwards.
async function run(name) {
  const dir = await mkdtemp(path.join(tmpdir(), "headpop-golden-"));
  const out = path.join(dir, "out");
  const err = path.join(dir, "err");
  const stdout = openSync(out, "w");
  const stderr = openSync(err, "w");
  let status;
  try {
    const wasi = new WASI({ version: "preview1", args: ["golden_replay", name], stdout, stderr,
      returnOnExit: true });
    const instance = await WebAssembly.instantiate(module,
      { ...wasi.getImportObject(), headpop: page });
    status = wasi.start(instance);
  } finally {
    closeSync(stdout);
    closeSync(stderr);
  }
  const result = { status, trace: readFileSync(out), errors: readFileSync(err, "utf8") };
  await rm(dir, { recursive: true });
  return result;
}

function firstDifference(expected, actual) {
  const want = expected.toString("utf8").split("\n");
  const got = actual.toString("utf8").split("\n");
  for (let i = 0; i < Math.max(want.length, got.length); i += 1) {
    if (want[i] !== got[i]) {
      return `line ${i + 1}\n  expected: ${want[i] ?? "(end of file)"}\n` +
        `  actual:   ${got[i] ?? "(end of trace)"}`;
    }
  }
  return "the same lines, other bytes";
}

// The scenarios, as the program names them.
const listing = await run("--list");
assert.equal(listing.status, 0, listing.errors);
const scenarios = listing.trace.toString("utf8").split("\n").filter((name) => name !== "");
test("every committed trace has its scenario, and every scenario its trace", async () => {
  const traces = (await readdir(expectedDir)).filter((file) => file.endsWith(".trace"))
    .map((file) => file.slice(0, -".trace".length));
  assert.deepEqual([...scenarios].sort(), traces.sort());
});

for (const name of scenarios) {
  test(`golden replay ${name} over the page's module`, async () => {
    const { status, trace, errors } = await run(name);
    assert.equal(status, 0, errors);
    const expected = await readFile(path.join(expectedDir, `${name}.trace`));
    assert.ok(trace.equals(expected), `${name} differs at ${firstDifference(expected, trace)}`);
  });
}
