// SPDX-FileCopyrightText: 2026 The Headpop developers
// SPDX-License-Identifier: GPL-3.0-or-later
//
// The page in Debian's Chromium, headless, driven through its DevTools socket: the window,
// its controls and a game as a player meets them. page_test.sh starts the web server and
// the browser and hands over HEADPOP_SITE_URL and HEADPOP_CHROMIUM.
import assert from "node:assert/strict";
import { after, afterEach, before, test } from "node:test";
import { chromium } from "playwright-core";
import { modelCheck, readState } from "./page_checks.mjs";

const url = process.env.HEADPOP_SITE_URL;
const endpoint = process.env.HEADPOP_CHROMIUM;
let browser;

before(async () => {
  browser = await chromium.connectOverCDP(endpoint);
});
after(async () => {
  await browser?.close();
});
// Every page a test opened is closed after it, whatever the outcome.
const opened = [];
afterEach(async () => {
  await Promise.all(opened.splice(0).map((context) => context.close().catch(() => {})));
});

// A fresh profile each time: no service worker or cache carries over.
async function openPage({ scale = 1, route = null } = {}) {
  const context = await browser.newContext({
    viewport: { width: 480, height: 520 }, deviceScaleFactor: scale });
  opened.push(context);
  if (route !== null) {
    await context.route(...route);
  }
  const page = await context.newPage();
  const errors = [];
  page.on("pageerror", (error) => errors.push(error.message));
  await page.goto(url);
  await page.waitForFunction(() => globalThis.headpop !== undefined);
  page.errors = errors;
  return page;
}

const state = (page) => page.evaluate(readState);
const idle = (milliseconds) => new Promise((resolve) => { setTimeout(resolve, milliseconds); });

// A point of the window's client area, on the screen.
async function at(page, x, y) {
  const box = await page.locator("#Form1").boundingBox();
  return { x: box.x + x, y: box.y + y };
}
async function moveTo(page, x, y) {
  const p = await at(page, x, y);
  await page.mouse.move(p.x, p.y);
}
async function clickAt(page, x, y, options = {}) {
  const p = await at(page, x, y);
  await page.mouse.click(p.x, p.y, options);
}
// The drawing area begins at (18, 58).
const onField = (x, y) => [18 + x, 58 + y];

async function waitFor(page, predicate, arg, timeout = 10000) {
  await page.waitForFunction(predicate, arg, { timeout, polling: 10 });
}

// The playfield shows the screen picture on black and nothing else.
async function showsOnlyScreen(page, name) {
  return page.evaluate(async (picture) => {
    const blob = await (await fetch(`pictures/${picture}.png`)).blob();
    const bitmap = await createImageBitmap(blob,
      { colorSpaceConversion: "none", premultiplyAlpha: "none" });
    const scratch = new OffscreenCanvas(bitmap.width, bitmap.height).getContext("2d");
    scratch.drawImage(bitmap, 0, 0);
    const want = scratch.getImageData(0, 0, bitmap.width, bitmap.height);
    const got = document.querySelector("#Picture1 canvas").getContext("2d")
      .getImageData(0, 0, 309, 293).data;
    for (let y = 0; y < 293; y += 1) {
      for (let x = 0; x < 309; x += 1) {
        const inside = x < want.width && y < want.height;
        for (let c = 0; c < 4; c += 1) {
          const expected = c === 3 ? 255 : inside ? want.data[(y * want.width + x) * 4 + c] : 0;
          if (got[(y * 309 + x) * 4 + c] !== expected) {
            return `(${x}, ${y}) differs`;
          }
        }
      }
    }
    return "";
  }, name);
}

async function startGame(page) {
  await clickAt(page, 152, 384);
  await waitFor(page, () => globalThis.headpop.timers[0].enabled);
}

test("the window, its controls and their texts as it opens", async () => {
  const page = await openPage();
  const layout = await page.evaluate(() => {
    const form = document.getElementById("Form1").getBoundingClientRect();
    const box = (element) => {
      const r = element.getBoundingClientRect();
      return [r.left - form.left, r.top - form.top, r.width, r.height];
    };
    const ids = ["Form1", "Picture1", "Command1", "Command2", "Label4", "scorelbl", "Label1",
      "levellbl", "Label3"];
    const result = Object.fromEntries(ids.map((id) => [id, box(document.getElementById(id))]));
    result.canvas = box(document.querySelector("#Picture1 canvas"));
    result.canvasPixels = [document.querySelector("#Picture1 canvas").width,
      document.querySelector("#Picture1 canvas").height];
    result.formOnWholePixels = Number.isInteger(form.left) && Number.isInteger(form.top);
    return result;
  });
  assert.deepEqual(layout.Form1, [0, 0, 348, 419]);
  assert.ok(layout.formOnWholePixels, "the window lies on whole pixels");
  assert.deepEqual(layout.Picture1, [16, 56, 313, 297]);
  assert.deepEqual(layout.canvas, [18, 58, 309, 293]);
  assert.deepEqual(layout.canvasPixels, [309, 293]);
  assert.deepEqual(layout.Command1, [112, 360, 81, 49]);
  assert.deepEqual(layout.Command2, [200, 360, 49, 49]);
  assert.deepEqual(layout.Label4, [16, 360, 38, 17]);
  assert.deepEqual(layout.scorelbl, [56, 360, 51, 17]);
  assert.deepEqual(layout.Label1, [40, 384, 44, 17]);
  // Sized to its text in whole pixels, "00" 14 pixels wide as on the desktop.
  assert.deepEqual(layout.levellbl, [88, 384, 18, 17]);
  assert.deepEqual(layout.Label3, [256, 384, 57, 20]);

  const texts = await page.evaluate(() => Object.fromEntries(
    ["Label4", "scorelbl", "Label1", "levellbl", "Label3"].map((id) => {
      const element = document.getElementById(id);
      const style = getComputedStyle(element);
      return [id, [element.textContent, style.color, style.textAlign, style.fontFamily,
        style.fontSize, style.fontWeight]];
    })));
  const small = '"Headpop Small Labels", "DejaVu Sans Condensed", sans-serif';
  assert.deepEqual(texts.Label4, ["Poin :", "rgb(255, 255, 255)", "start", small, "11px", "700"]);
  assert.deepEqual(texts.scorelbl, ["00", "rgb(0, 255, 255)", "center", small, "11px", "700"]);
  assert.deepEqual(texts.Label1, ["Level :", "rgb(255, 255, 255)", "start", small, "11px", "700"]);
  assert.deepEqual(texts.levellbl, ["00", "rgb(255, 255, 0)", "start", small, "11px", "700"]);
  assert.deepEqual(texts.Label3,
    ["About ?", "rgb(128, 128, 128)", "start", '"Headpop About Label", "DejaVu Sans", sans-serif',
      "12px", "700"]);
  assert.equal(await page.locator("#Label3 u").textContent(), "A");
  assert.ok(await page.evaluate(() => document.fonts.check('bold 11px "Headpop Small Labels"') &&
    document.fonts.check('bold 12px "Headpop About Label"')), "the faces are loaded");

  // The buttons: their pictures, tooltips and names.
  assert.equal(await page.getAttribute("#Command1", "title"), "Let's Get it on !!");
  assert.equal(await page.getAttribute("#Command2", "title"), "I want Out..");
  assert.equal(await page.getByRole("button", { name: "Start" }).count(), 1);
  assert.equal(await page.getByRole("button", { name: "Quit" }).count(), 1);

  // The title picture on the playfield; no timer runs and releases do nothing.
  assert.equal(await showsOnlyScreen(page, "picture2"), "");
  const s = await state(page);
  assert.equal(s.gameOver, -1);
  assert.ok(!s.timer1 && !s.timer2);
  assert.equal(await page.evaluate(() => document.activeElement.id), "Command1");
  assert.deepEqual(page.errors, []);
});

test("the pointer: the gunsight over the drawing area, the arrow on its border", async () => {
  const page = await openPage();
  const cursors = await page.evaluate(() => [
    getComputedStyle(document.querySelector("#Picture1 canvas")).cursor,
    getComputedStyle(document.getElementById("Picture1")).cursor]);
  assert.match(cursors[0], /^url\("[^"]*pictures\/gunsight\.png"\) 15 15, crosshair$/);
  assert.equal(cursors[1], "default");
});

test("the About label's highlight follows the window's rule", async () => {
  const page = await openPage();
  const colour = () => page.evaluate(() => getComputedStyle(document.getElementById("Label3")).color);
  const grey = "rgb(128, 128, 128)";
  const yellow = "rgb(255, 255, 0)";
  // [where, x, y, colour afterwards]
  const path = [
    ["the About label", 284, 394, yellow],
    ["the score label", 80, 368, yellow],
    ["the playfield", 150, 150, yellow],
    ["the level label's title", 60, 392, yellow],
    ["the window's background", 8, 8, grey],
    ["the About label", 270, 390, yellow],
    ["Start", 152, 384, grey],
    ["the About label", 300, 400, yellow],
    ["Quit", 224, 384, grey],
    ["the About label", 284, 394, yellow],
    ["the playfield's border", 17, 200, yellow],
    ["the window's background", 340, 412, grey],
  ];
  for (const [where, x, y, expected] of path) {
    await moveTo(page, x, y);
    assert.equal(await colour(), expected, `after a move over ${where}`);
  }
  // Leaving the window changes nothing.
  await moveTo(page, 284, 394);
  await page.mouse.move(2, 2);
  assert.equal(await colour(), yellow);
});

test("focus: Start at load, then the playfield and Quit; Space and Enter press", async () => {
  const page = await openPage();
  const focused = () => page.evaluate(() => document.activeElement.id);
  assert.equal(await focused(), "Command1");
  await page.keyboard.press("Tab");
  assert.equal(await focused(), "Picture1");
  await page.keyboard.press("Tab");
  assert.equal(await focused(), "Command2");
  await page.keyboard.press("Shift+Tab");
  await page.keyboard.press("Shift+Tab");
  assert.equal(await focused(), "Command1");
  await page.keyboard.press("Space");
  await waitFor(page, () => globalThis.headpop.timers[0].enabled);
  assert.equal(await page.textContent("#scorelbl"), " 0");
  await clickAt(page, 284, 394); // About
  assert.equal((await state(page)).gameOver, -1);
  await page.focus("#Command1");
  await page.keyboard.press("Enter");
  await waitFor(page, () => globalThis.headpop.timers[0].enabled);
  assert.equal((await state(page)).level, 1);
});

test("a game: heads rise 10 px per 200 ms, a hit scores, its explosion goes", async () => {
  const page = await openPage();
  await startGame(page);
  assert.equal(await page.textContent("#scorelbl"), " 0");
  assert.equal(await page.textContent("#levellbl"), " 1");
  // " 1" is narrower than "00": the label follows its text, from the same left edge.
  const level = await page.locator("#levellbl").boundingBox();
  const form = await page.locator("#Form1").boundingBox();
  assert.deepEqual([level.x - form.x, level.width], [88, 14]);
  let s = await state(page);
  assert.equal(s.interval, 200);
  assert.equal(await page.evaluate(() => globalThis.headpop.timers[0].interval), 200);
  assert.equal(await page.evaluate(() => globalThis.headpop.timers[1].interval), 80);

  // Ten movement ticks: every head that stays rises 10 px on each, and they come every
  // 200 ms on the page's clock.
  const ticks = await page.evaluate(async (readStateText) => {
    const read = new Function(`return (${readStateText})()`);
    const timer = globalThis.headpop.timers[0];
    const seen = [];
    let last = timer.ticks;
    while (seen.length < 10) {
      await new Promise((resolve) => { setTimeout(resolve, 5); });
      if (timer.ticks !== last) {
        last = timer.ticks;
        seen.push({ due: timer.lastDue, at: performance.now(), targets: read().targets });
      }
    }
    return seen;
  }, readState.toString());
  for (let i = 1; i < ticks.length; i += 1) {
    assert.equal(ticks[i].due - ticks[i - 1].due, 200, "ticks are due 200 ms apart");
    for (const before of ticks[i - 1].targets) {
      const now = ticks[i].targets[before.slot - 1];
      if (before.kind !== 0 && now.kind === before.kind && now.y < before.y) {
        assert.equal(before.y - now.y, 10, `slot ${before.slot} rose 10 px`);
      }
    }
  }
  const lateness = ticks.map((t) => t.at - t.due);
  assert.ok(lateness.every((late) => late >= 0 && late < 150), `ticks ran late: ${lateness}`);

  // Shoot the first head in view until one is hit.
  await page.evaluate(() => {
    globalThis.releases = [];
    window.addEventListener("mouseup", (event) => globalThis.releases.push(event.timeStamp),
      { capture: true });
  });
  let hit = null;
  for (let attempt = 0; attempt < 100 && hit === null; attempt += 1) {
    s = await state(page);
    const head = s.targets.find((t) => t.kind !== 0 && t.y < 250 && t.y > -20 &&
      t.x > -20 && t.x < 290);
    if (head === undefined) {
      await idle(100);
      continue;
    }
    await clickAt(page, ...onField(Math.round(head.x) + 18, Math.round(head.y) + 18));
    s = await state(page);
    if (s.score > 0) {
      hit = s.blasts.find((b) => b.stage !== 0);
    }
  }
  assert.ok(hit, "a head was hit");
  assert.equal(await page.textContent("#scorelbl"), " 10");
  assert.equal((await state(page)).remaining, 19);
  // Gone at the fifth explosion tick after the hit, which was due within 400 ms of it.
  const gone = await page.evaluate(async ([slot, readStateText]) => {
    const read = new Function(`return (${readStateText})()`);
    const timer = globalThis.headpop.timers[1];
    const ticksAtHit = timer.ticks;
    while (read().blasts[slot - 1].stage !== 0) {
      await new Promise((resolve) => { setTimeout(resolve, 2); });
    }
    return { ticks: timer.ticks - ticksAtHit, due: timer.lastDue,
      released: globalThis.releases.at(-1) };
  }, [hit.slot, readState.toString()]);
  assert.ok(gone.ticks <= 5, `the explosion took ${gone.ticks} ticks`);
  assert.ok(gone.due - gone.released <= 400, `gone ${gone.due - gone.released} ms after the hit`);
  assert.equal(await page.evaluate(modelCheck), "");

  // About: the title, timers stopped.
  await clickAt(page, 284, 394);
  s = await state(page);
  assert.ok(!s.timer1 && !s.timer2);
  assert.ok(await page.evaluate(() => globalThis.headpop.timers.every((t) => !t.enabled)));
  assert.equal(await showsOnlyScreen(page, "picture2"), "");
  assert.deepEqual(page.errors, []);
});

test("a press on the drawing area shoots wherever it is released; one on the border never",
  async () => {
    const page = await openPage();
    await startGame(page);
    const releases = () => page.evaluate(() => globalThis.headpop.delivered.counts
      .Picture1_MouseUp ?? 0);
    const last = () => page.evaluate(() => globalThis.headpop.delivered.last.Picture1_MouseUp);

    // Pressed on the border, released inside: no shot.
    let p = await at(page, 17, 100);
    await page.mouse.move(p.x, p.y);
    await page.mouse.down();
    p = await at(page, ...onField(50, 50));
    await page.mouse.move(p.x, p.y);
    await page.mouse.up();
    assert.equal(await releases(), 0);

    // Pressed inside with the right button, released outside the page: a shot, there.
    p = await at(page, ...onField(0, 0));
    await page.mouse.move(p.x, p.y);
    await page.mouse.down({ button: "right" });
    await page.mouse.move(p.x - 60, p.y + 600);
    await page.mouse.up({ button: "right" });
    assert.equal(await releases(), 1);
    assert.deepEqual(await last(), [2, 0, -60, 600]);

    // The corners of the drawing area arrive as (0, 0) and (308, 292).
    await clickAt(page, ...onField(308, 292));
    assert.deepEqual((await last()).slice(2), [308, 292]);
    await page.keyboard.down("Shift");
    await clickAt(page, ...onField(0, 0), { button: "middle" });
    await page.keyboard.up("Shift");
    assert.deepEqual(await last(), [4, 1, 0, 0]);
  });

test("sound: both files decoded, a new effect cuts off the one playing; one missing, none",
  async () => {
    let page = await openPage();
    assert.ok((await state(page)).soundOn);
    await startGame(page); // the click unlocks the page's sound
    await waitFor(page, () => globalThis.headpop.audio?.state === "running");
    // Two misses (no head is near the top yet), sent together: the second comes while the
    // first still sounds, however busy the machine.
    const first = await at(page, ...onField(5, 5));
    const second = await at(page, ...onField(6, 5));
    await Promise.all([page.mouse.click(first.x, first.y), page.mouse.click(second.x, second.y)]);
    await waitFor(page, () => globalThis.headpop.played.names.length === 2);
    const played = await page.evaluate(() => globalThis.headpop.played);
    assert.deepEqual(played.names, ["fire.wav", "fire.wav"]);
    assert.equal(played.cutOff, 1);

    page = await openPage({ route: ["**/fire.wav", (route) => route.fulfill({ status: 404 })] });
    assert.ok(!(await state(page)).soundOn);
    await startGame(page);
    await clickAt(page, ...onField(5, 5));
    assert.deepEqual(await page.evaluate(() => globalThis.headpop.played.names), []);
  });

test("the quit question: modal, Yes the default, timers running; Yes ends it all", async () => {
  const page = await openPage();
  await startGame(page);
  await clickAt(page, 224, 384);
  const dialog = page.locator("#QuitQuestion");
  assert.ok(await dialog.evaluate((d) => d.open && d.matches(":modal")));
  assert.equal(await page.textContent("#QuitTitle"), "I don't believe it !!");
  assert.equal(await page.textContent("#QuitPrompt"), "Are you sure to go to Hell ??");
  assert.deepEqual(await dialog.locator("button").allTextContents(), ["Yes", "No"]);
  assert.equal(await page.evaluate(() => document.activeElement.textContent), "Yes");
  const ticks = () => page.evaluate(() => globalThis.headpop.timers[0].ticks);
  const before = await ticks();
  await idle(700);
  assert.ok(await ticks() > before, "the game goes on while the question is open");

  await dialog.getByRole("button", { name: "No" }).click();
  assert.ok(!(await dialog.evaluate((d) => d.open)));
  const s = await state(page);
  assert.ok(s.playing && s.timer1 && s.timer2);

  await clickAt(page, 224, 384);
  await page.keyboard.press("Enter"); // Yes, the default
  await waitFor(page, () => document.body.childElementCount === 0);
  const stopped = await ticks();
  await idle(500);
  assert.equal(await ticks(), stopped, "no tick after the end");
  assert.ok(await page.evaluate(() => globalThis.headpop.timers.every((t) => !t.enabled)));
  assert.equal(await page.evaluate(() => document.body.innerHTML), "");
  assert.deepEqual(page.errors, []);
});

test("at a device pixel ratio of 2 every playfield pixel is a 2 x 2 block", async () => {
  const page = await openPage({ scale: 2 });
  const shot = await page.locator("#Picture1 canvas").screenshot();
  const result = await page.evaluate(async (base64) => {
    const bytes = Uint8Array.from(atob(base64), (c) => c.charCodeAt(0));
    const bitmap = await createImageBitmap(new Blob([bytes]));
    const scratch = new OffscreenCanvas(bitmap.width, bitmap.height).getContext("2d");
    scratch.drawImage(bitmap, 0, 0);
    const shown = scratch.getImageData(0, 0, bitmap.width, bitmap.height).data;
    const pixels = document.querySelector("#Picture1 canvas").getContext("2d")
      .getImageData(0, 0, 309, 293).data;
    if (bitmap.width !== 618 || bitmap.height !== 586) {
      return `the canvas shows as ${bitmap.width} x ${bitmap.height}`;
    }
    for (let y = 0; y < 586; y += 1) {
      for (let x = 0; x < 618; x += 1) {
        const source = ((y >> 1) * 309 + (x >> 1)) * 4;
        for (let c = 0; c < 3; c += 1) {
          if (shown[(y * 618 + x) * 4 + c] !== pixels[source + c]) {
            return `device pixel (${x}, ${y}) is not its playfield pixel`;
          }
        }
      }
    }
    return "";
  }, shot.toString("base64"));
  assert.equal(result, "");
});

test("once loaded, the page plays offline", async () => {
  const page = await openPage();
  await page.evaluate(async () => {
    const registration = await navigator.serviceWorker.ready;
    return registration.active.state;
  });
  await waitFor(page, async () => {
    const names = await caches.keys();
    return names.length === 1 && (await (await caches.open(names[0])).keys()).length > 30;
  });
  await page.context().setOffline(true);
  await page.reload();
  await page.waitForFunction(() => globalThis.headpop !== undefined);
  assert.equal(await showsOnlyScreen(page, "picture2"), "");
  assert.ok((await state(page)).soundOn);
});

test("after a run of random events every pixel is the screen XOR the sprites held", async () => {
  const page = await openPage();
  await startGame(page);
  // A repeatable run: a small generator of our own.
  let seed = 20260;
  const random = () => {
    seed = (seed * 1103515245 + 12345) % 2147483648;
    return seed / 2147483648;
  };
  let checks = 0;
  for (let event = 0; event < 80; event += 1) {
    const r = random();
    const s = await state(page);
    if (!s.playing && r < 0.8) {
      await clickAt(page, 152, 384); // Start, or continue
    } else if (r < 0.45) {
      const heads = s.targets.filter((t) => t.kind !== 0 && t.y < 280 && t.x < 300);
      const head = heads[Math.floor(random() * heads.length)];
      if (head !== undefined) {
        await clickAt(page, ...onField(Math.max(0, Math.round(head.x) + 18),
          Math.max(0, Math.round(head.y) + 18)));
      }
    } else if (r < 0.6) {
      await clickAt(page, ...onField(Math.floor(random() * 309), Math.floor(random() * 293)),
        { button: random() < 0.5 ? "left" : "middle" });
    } else if (r < 0.9) {
      await idle(Math.floor(random() * 250));
    } else if (r < 0.95) {
      await clickAt(page, 152, 384);
    } else {
      await clickAt(page, 284, 394);
    }
    if (event % 20 === 19) {
      assert.equal(await page.evaluate(modelCheck), "", `after event ${event}`);
      checks += 1;
    }
  }
  assert.equal(checks, 4);
  assert.deepEqual(page.errors, []);
});
