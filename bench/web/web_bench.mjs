// SPDX-FileCopyrightText: 2026 The Headpop developers
// SPDX-License-Identifier: GPL-3.0-or-later
//
// The page's figures in headless Chromium, one `name=value` line each:
//   first_frame_ms, empty_frame_ms   navigation start to the first frame showing the title,
//                                    and to the first frame of a page with one empty canvas
//   title_image_ms                   and of a page that shows only the title picture
//   blit_ns, copy_ns                 one 37 x 37 sprite blit, and a plain copy of its rows
//   timer1_mean_ms, timer2_mean_ms   the mean interval of the page's two timers
// Usage: node web_bench.mjs CHROMIUM_ENDPOINT SITE_URL RUNS TIMER_SECONDS
import { chromium } from "playwright-core";

const [endpoint, url, runsText, timerSecondsText] = process.argv.slice(2);
const runs = Number(runsText);
const timerSeconds = Number(timerSecondsText);
const browser = await chromium.connectOverCDP(endpoint);

const median = (values) => {
  const sorted = [...values].sort((a, b) => a - b);
  return sorted[Math.floor(sorted.length / 2)];
};

// A fresh context each time: nothing cached, as a first visit.
async function inFreshPage(work) {
  const context = await browser.newContext({ viewport: { width: 480, height: 520 } });
  const page = await context.newPage();
  page.on("pageerror", (error) => console.error(`page error: ${error.message}`));
  page.on("requestfailed", (r) => console.error(`failed: ${r.url()} ${r.failure()?.errorText}`));
  try {
    return await work(page);
  } finally {
    await context.close();
  }
}

// The first animation frame whose callbacks see the title drawn: the frame that shows it.
const watchTitle = () => {
  const look = (time) => {
    if (document.documentElement.dataset.shown !== undefined) {
      globalThis.firstFrame = time;
    } else {
      requestAnimationFrame(look);
    }
  };
  requestAnimationFrame(look);
};

async function firstFrame(page, path) {
  await page.goto(url + path);
  await page.waitForFunction(() => globalThis.firstFrame !== undefined, null, { timeout: 20000 });
  return page.evaluate(() => globalThis.firstFrame);
}

const game = [];
const empty = [];
const titleImage = [];
for (let run = 0; run < runs; run += 1) {
  // Side by side, so that all three see the same load on the machine.
  empty.push(await inFreshPage((page) => firstFrame(page, "bench/empty_canvas.html")));
  titleImage.push(await inFreshPage((page) => firstFrame(page, "bench/title_image.html")));
  game.push(await inFreshPage(async (page) => {
    await page.addInitScript(watchTitle);
    return firstFrame(page, "");
  }));
}
console.log(`first_frame_ms=${median(game).toFixed(1)}`);
console.log(`empty_frame_ms=${median(empty).toFixed(1)}`);
console.log(`title_image_ms=${median(titleImage).toFixed(1)}`);

const blit = await inFreshPage(async (page) => {
  await page.goto(`${url}bench/blit.html`);
  return page.evaluate(async () => {
    const { instance } = await WebAssembly.instantiateStreaming(fetch("blit_bench.wasm"));
    const { Blit, Copy, _initialize } = instance.exports;
    _initialize();
    const times = 20000;
    const timeOf = (work) => {
      const start = performance.now();
      work(times);
      return ((performance.now() - start) * 1e6) / times;
    };
    const blits = [];
    const copies = [];
    for (let round = 0; round < 31; round += 1) {
      blits.push(timeOf(Blit));
      copies.push(timeOf(Copy));
    }
    const middle = (values) => values.sort((a, b) => a - b)[15];
    return { blit: middle(blits), copy: middle(copies) };
  });
});
console.log(`blit_ns=${blit.blit.toFixed(1)}`);
console.log(`copy_ns=${blit.copy.toFixed(1)}`);

// The two timers at their game intervals, each tick stamped as it runs.
const timers = await inFreshPage(async (page) => {
  await page.goto(url);
  await page.waitForFunction(() => globalThis.headpop !== undefined);
  return page.evaluate(async (seconds) => {
    const { PageTimer } = globalThis.headpop;
    const stamps = [[], []];
    const made = [200, 80].map((interval, i) =>
      new PageTimer(() => stamps[i].push(performance.now()), interval));
    made.forEach((timer) => timer.setEnabled(true));
    await new Promise((resolve) => { setTimeout(resolve, seconds * 1000); });
    made.forEach((timer) => timer.stop());
    return stamps.map((s) => (s.at(-1) - s[0]) / (s.length - 1));
  }, timerSeconds);
});
console.log(`timer1_mean_ms=${timers[0].toFixed(3)}`);
console.log(`timer2_mean_ms=${timers[1].toFixed(3)}`);
await browser.close();
