// SPDX-FileCopyrightText: 2026 The Headpop developers
// SPDX-License-Identifier: GPL-3.0-or-later
//
// Helpers of the page's test that run inside the page: reading the rules' state from the
// module, and the model check of the canvas, rebuilt from the pictures with code of its
// own. Each is handed to page.evaluate, so each stands alone.

// The state as web/exports.cpp's State_Read lays it out.
export function readState() {
  const { exports } = globalThis.headpop;
  const t = new Float32Array(exports.memory.buffer, exports.State_Read(), 12 + 20 * 4 + 20 * 3);
  const targets = [];
  const blasts = [];
  for (let i = 0; i < 20; i += 1) {
    const at = 12 + i * 4;
    targets.push({ slot: i + 1, kind: t[at], x: t[at + 1], y: t[at + 2], frame: t[at + 3] });
    const b = 12 + 80 + i * 3;
    blasts.push({ slot: i + 1, stage: t[b], x: t[b + 1], y: t[b + 2] });
  }
  return {
    gameOver: t[0], betweenLevels: t[1] !== 0, level: t[2], score: t[3], remaining: t[4],
    escaped: t[5], shown: t[6], timer1: t[7] !== 0, timer2: t[8] !== 0, interval: t[9],
    soundOn: t[10] !== 0, targets, blasts,
    playing: t[0] === 0 && t[1] === 0,
  };
}

// Every pixel of the canvas against the screen picture on black, XOR-ed with the sprites
// that the rules hold on the field while a level is played. Reads state and canvas in one
// task, so no tick comes between. Returns "" or the first difference.
export async function modelCheck() {
  const names = ["picture2", "backpic", "levelpic", "winpic", "losepic"];
  const sets = ["pic1", "pic2", "pic3"];
  const decode = async (name) => {
    const blob = await (await fetch(`pictures/${name}.png`)).blob();
    const bitmap = await createImageBitmap(blob,
      { colorSpaceConversion: "none", premultiplyAlpha: "none" });
    const scratch = new OffscreenCanvas(bitmap.width, bitmap.height).getContext("2d");
    scratch.drawImage(bitmap, 0, 0);
    return scratch.getImageData(0, 0, bitmap.width, bitmap.height);
  };
  globalThis.modelPictures ??= {
    screens: await Promise.all(names.map(decode)),
    targets: await Promise.all(sets.flatMap((set) => [1, 2, 3].map((i) => decode(`${set}_${i}`)))),
    blasts: await Promise.all([1, 2, 3, 4, 5].map((i) => decode(`ledakpic_${i}`))),
  };
  const pictures = globalThis.modelPictures;
  // Half to even, by hand.
  const pixelOf = (v) => {
    const below = Math.floor(v);
    const fraction = v - below;
    return fraction > 0.5 || (fraction === 0.5 && below % 2 !== 0) ? below + 1 : below;
  };

  // One task from here on: the state and the canvas belong together.
  const { exports } = globalThis.headpop;
  const t = new Float32Array(exports.memory.buffer, exports.State_Read(), 12 + 140);
  const canvas = document.querySelector("#Picture1 canvas");
  const actual = canvas.getContext("2d").getImageData(0, 0, 309, 293).data;

  const expected = new Uint8ClampedArray(309 * 293 * 4);
  for (let i = 3; i < expected.length; i += 4) {
    expected[i] = 255;
  }
  const shown = t[6];
  if (shown >= 0) {
    const screen = pictures.screens[shown];
    for (let y = 0; y < Math.min(293, screen.height); y += 1) {
      for (let x = 0; x < Math.min(309, screen.width); x += 1) {
        for (let c = 0; c < 3; c += 1) {
          expected[(y * 309 + x) * 4 + c] = screen.data[(y * screen.width + x) * 4 + c];
        }
      }
    }
  }
  const xor = (sprite, px, py) => {
    const left = pixelOf(px);
    const top = pixelOf(py);
    for (let v = 0; v < 37; v += 1) {
      for (let u = 0; u < 37; u += 1) {
        const x = left + u;
        const y = top + v;
        if (x >= 0 && x < 309 && y >= 0 && y < 293) {
          for (let c = 0; c < 3; c += 1) {
            expected[(y * 309 + x) * 4 + c] ^= sprite.data[(v * sprite.width + u) * 4 + c];
          }
        }
      }
    }
  };
  const playing = t[0] === 0 && t[1] === 0;
  let sprites = 0;
  if (playing) {
    for (let i = 0; i < 20; i += 1) {
      const [kind, x, y, frame] = t.slice(12 + i * 4, 16 + i * 4);
      if (kind !== 0) {
        xor(pictures.targets[(kind - 1) * 3 + frame - 1], x, y);
        sprites += 1;
      }
      const [stage, bx, by] = t.slice(92 + i * 3, 95 + i * 3);
      if (stage !== 0) {
        xor(pictures.blasts[stage - 1], bx, by);
        sprites += 1;
      }
    }
  }
  for (let i = 0; i < expected.length; i += 1) {
    if (expected[i] !== actual[i]) {
      const p = Math.floor(i / 4);
      return `pixel (${p % 309}, ${Math.floor(p / 309)}) channel ${i % 4} is ${actual[i]}, ` +
        `expected ${expected[i]} (screen ${shown}, ${sprites} sprites)`;
    }
  }
  return "";
}
