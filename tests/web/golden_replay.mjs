// SPDX-FileCopyrightText: 2026 The Headpop developers
// SPDX-License-Identifier: GPL-3.0-or-later
//
// The golden replays over the page's WebAssembly module, in Node: each scenario's trace,
// written by the same scripts as the desktop's (tests/model), must equal the committed one
// byte for byte. Usage: node golden_replay.mjs GOLDEN_REPLAY_WASM EXPECTED_DIR
import assert from "node:assert/strict";
import { readFile, mkdtemp, rm } from "node:fs/promises";
import { openSync, closeSync, readFileSync } from "node:fs";
import { tmpdir } from "node:os";
import path from "node:path";
import { test } from "node:test";
import { WASI } from "node:wasi";

const [modulePath, expectedDir] = process.argv.slice(2);
const module = await WebAssembly.compile(await readFile(modulePath));
const SCENARIOS = ["won_game", "lost_game", "about_mid_level", "restart_mid_play",
  "level4_waves", "two_escapes_in_one_tick"];

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

// Runs one scenario; its standard output and error go to files, read back afterwards.
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

for (const name of SCENARIOS) {
  test(`golden replay ${name} over the page's module`, async () => {
    const { status, trace, errors } = await run(name);
    assert.equal(status, 0, errors);
    const expected = await readFile(path.join(expectedDir, `${name}.trace`));
    assert.ok(trace.equals(expected), `${name} differs at ${firstDifference(expected, trace)}`);
  });
}
