// SPDX-FileCopyrightText: 2026 The Headpop developers
// SPDX-License-Identifier: GPL-3.0-or-later
//
// The page: the window's controls, timers and sounds around the rules, which run in
// headpop.wasm (built from game/). Every event goes to the module through one export and
// runs to its end; the module asks for every window operation through one import, and the
// playfield's pixels are read from the module's memory into the canvas as each event ends.

const WIDTH = 309;
const HEIGHT = 293;
const EXPLOSION_INTERVAL = 80;
const DESIGN_TIMER1_INTERVAL = 1;

// In the module's order (web/web_window.h): sprites, then screen pictures.
const PICTURES = [
  "pic1_1", "pic1_2", "pic1_3", "pic2_1", "pic2_2", "pic2_3", "pic3_1", "pic3_2", "pic3_3",
  "ledakpic_1", "ledakpic_2", "ledakpic_3", "ledakpic_4", "ledakpic_5",
  "picture2", "backpic", "levelpic", "winpic", "losepic",
];
const SOUNDS = ["fire.wav", "explosion.wav"];

const $ = (id) => document.getElementById(id);
const form1 = $("Form1");
const picture1 = $("Picture1");
const canvas = picture1.querySelector("canvas");
const command1 = $("Command1");
const command2 = $("Command2");
const label3 = $("Label3");
const labels = [$("scorelbl"), $("levellbl")];
const question = $("QuitQuestion");

let exports = null;
let ended = false;
const decoder = new TextDecoder();
const text = (pointer, length) =>
  decoder.decode(new Uint8Array(exports.memory.buffer, pointer, length));

// A file of the page's own folder. A connection that fails is tried twice more: a busy
// local server can drop one when a page asks for many files at once.
async function fetchFile(name) {
  for (let attempt = 1; ; attempt += 1) {
    try {
      return await fetch(name);
    } catch (error) {
      if (attempt === 3) {
        throw error;
      }
    }
  }
}

// ---------------------------------------------------------------- the playfield

const context = canvas.getContext("2d", { alpha: false });
let shown = null; // an ImageData over the module's pixels, remade if its memory grows

function showChanges() {
  const area = new Int32Array(exports.memory.buffer, exports.Playfield_TakeChangedArea(), 4);
  const [left, top, width, height] = area;
  if (width <= 0 || height <= 0) {
    return;
  }
  if (shown === null || shown.data.buffer !== exports.memory.buffer) {
    const bytes = new Uint8ClampedArray(exports.memory.buffer, exports.Playfield_Pixels(),
      WIDTH * HEIGHT * 4);
    shown = new ImageData(bytes, WIDTH, HEIGHT);
  }
  context.putImageData(shown, 0, 0, left, top, width, height);
}

// What reached the rules: a count per event, and the arguments each last came with.
const delivered = { counts: {}, last: {} };

// Hands one event to the rules; the playfield shows what it changed as it ends.
function deliver(event, ...args) {
  if (ended) {
    return;
  }
  delivered.counts[event] = (delivered.counts[event] ?? 0) + 1;
  delivered.last[event] = args;
  exports[event](...args);
  if (!ended) {
    showChanges();
  }
}

// ---------------------------------------------------------------- timers

// Deviation (see docs/deviations.md, "hidden tab"): missed ticks are dropped, not made up.
// A periodic timer that keeps to its grid: each tick is due one interval after the one
// before, not after the moment it ran, so the mean interval stays exact. A tick that comes
// more than one interval late drops the ones it missed instead of making them up in a
// burst. Enabling, or a new interval while enabled, starts a fresh interval.
class PageTimer {
  constructor(onTick, interval) {
    this.onTick = onTick;
    this.interval = interval;
    this.enabled = false;
    this.handle = 0;
    this.due = 0;
    this.lastDue = 0; // when the last tick was due
    this.ticks = 0;
  }

  setEnabled(enabled) {
    if (enabled && !this.enabled) {
      this.enabled = true;
      this.start();
    } else if (!enabled && this.enabled) {
      this.enabled = false;
      clearTimeout(this.handle);
    }
  }

  setInterval(milliseconds) {
    this.interval = milliseconds;
    if (this.enabled) {
      clearTimeout(this.handle);
      this.start();
    }
  }

  start() {
    this.due = performance.now() + this.interval;
    this.schedule();
  }

  schedule() {
    this.handle = setTimeout(() => this.fire(), Math.max(0, this.due - performance.now()));
  }

  fire() {
    const handle = this.handle;
    this.ticks += 1;
    this.lastDue = this.due;
    this.onTick();
    // The tick may have stopped this timer, or restarted it with a fresh interval.
    if (!this.enabled || this.handle !== handle) {
      return;
    }
    this.due += this.interval;
    const late = performance.now() - this.due;
    if (late >= this.interval) {
      this.due += Math.floor(late / this.interval) * this.interval;
    }
    this.schedule();
  }

  stop() {
    this.enabled = false;
    clearTimeout(this.handle);
  }
}

const timers = [
  new PageTimer(() => deliver("Timer1_Timer"), DESIGN_TIMER1_INTERVAL),
  new PageTimer(() => deliver("Timer2_Timer"), EXPLOSION_INTERVAL),
];

// ---------------------------------------------------------------- sound

// Decoded without a sound device, at start-up; the device is opened at the first click or
// key press, the moment a browser allows sound (opening it earlier can take seconds).
const decoding = typeof OfflineAudioContext === "function"
  ? new OfflineAudioContext(1, 1, 44100) : null;
let audio = null;
const sounds = new Map();
let playing = null;
const played = { names: [], cutOff: 0 };

async function loadSound(name) {
  const response = await fetchFile(name);
  if (!response.ok) {
    throw new Error(`${name}: ${response.status}`);
  }
  sounds.set(name, await decoding.decodeAudioData(await response.arrayBuffer()));
}

// Both files, or no sound at all.
async function loadSounds() {
  if (decoding === null) {
    return false;
  }
  try {
    await Promise.all(SOUNDS.map(loadSound));
    return true;
  } catch {
    sounds.clear();
    return false;
  }
}

// A new effect cuts off the one still playing.
function playSound(name) {
  const buffer = sounds.get(name);
  if (buffer === undefined || audio === null || audio.state !== "running") {
    return;
  }
  if (playing !== null) {
    playing.stop();
    played.cutOff += 1;
  }
  const source = audio.createBufferSource();
  source.buffer = buffer;
  source.connect(audio.destination);
  source.addEventListener("ended", () => {
    if (playing === source) {
      playing = null;
    }
  });
  source.start();
  playing = source;
  played.names.push(name);
}

// Deviation (see docs/deviations.md, "sound after the first click"): silent until then.
// Browsers hold sound back until the player has done something on the page.
function unlockSound() {
  if (audio === null && sounds.size > 0 && !ended) {
    audio = new AudioContext();
    globalThis.headpop.audio = audio;
  }
  if (audio !== null && audio.state === "suspended") {
    audio.resume();
  }
}

// ---------------------------------------------------------------- pictures

async function loadPicture(name) {
  const response = await fetchFile(`pictures/${name}.png`);
  if (!response.ok) {
    throw new Error(`pictures/${name}.png: ${response.status}`);
  }
  const bitmap = await createImageBitmap(await response.blob(),
    { colorSpaceConversion: "none", premultiplyAlpha: "none" });
  const scratch = new OffscreenCanvas(bitmap.width, bitmap.height);
  const scratchContext = scratch.getContext("2d", { willReadFrequently: true });
  scratchContext.drawImage(bitmap, 0, 0);
  return scratchContext.getImageData(0, 0, bitmap.width, bitmap.height);
}

function handPictureOver(number, picture) {
  const room = exports.Picture_Room(number, picture.width, picture.height);
  if (room === 0) {
    throw new Error(`no room for picture ${PICTURES[number]}`);
  }
  new Uint8Array(exports.memory.buffer, room, picture.data.length).set(picture.data);
}

// ---------------------------------------------------------------- the window's operations

// Deviation (see docs/deviations.md, "the page's window"): the end leaves an empty page.
function endProgram() {
  ended = true;
  for (const timer of timers) {
    timer.stop();
  }
  if (playing !== null) {
    playing.stop();
  }
  if (audio !== null) {
    audio.close();
  }
  document.body.replaceChildren();
}

let standardError = "";

const imports = {
  headpop: {
    SetCaption(label, pointer, length) {
      labels[label].textContent = text(pointer, length);
      if (label === 1) {
        sizeLevelLabel();
      }
    },
    SetTimerEnabled(timer, enabled) {
      timers[timer].setEnabled(enabled !== 0);
    },
    SetTimer1Interval(milliseconds) {
      timers[0].setInterval(milliseconds);
    },
    FocusStartButton() {
      command1.focus();
    },
    AskYesNo(prompt, promptLength, title, titleLength) {
      $("QuitPrompt").textContent = text(prompt, promptLength);
      $("QuitTitle").textContent = text(title, titleLength);
      question.returnValue = "";
      question.showModal();
    },
    EndProgram: endProgram,
    SoundFilesFound: () => (soundOn ? 1 : 0),
    PlaySoundFile(pointer, length) {
      playSound(text(pointer, length));
    },
    ClockMilliseconds: () => performance.timeOrigin + performance.now(),
  },
  // The C library's own needs: standard error goes to the console.
  wasi_snapshot_preview1: {
    fd_write(fd, vectors, count, written) {
      const memory = new DataView(exports.memory.buffer);
      let total = 0;
      for (let i = 0; i < count; i += 1) {
        const base = memory.getUint32(vectors + i * 8, true);
        const length = memory.getUint32(vectors + i * 8 + 4, true);
        standardError += text(base, length);
        total += length;
      }
      memory.setUint32(written, total, true);
      const lines = standardError.split("\n");
      standardError = lines.pop();
      for (const line of lines) {
        console.error(line);
      }
      return 0;
    },
    fd_close: () => 0,
    fd_seek: () => 70, // ESPIPE: standard error has no position
  },
};

// ---------------------------------------------------------------- events

// The level label is sized to its text, in whole pixels so that its border stays crisp.
function sizeLevelLabel() {
  const label = labels[1];
  label.style.width = "";
  label.style.width = `${Math.round(label.getBoundingClientRect().width)}px`;
}

function setAboutHighlight(on) {
  label3.classList.toggle("highlight", on);
}

function connectEvents() {
  command1.addEventListener("click", () => deliver("Command1_Click"));
  command2.addEventListener("click", () => deliver("Command2_Click"));
  label3.addEventListener("click", () => deliver("Label3_Click"));
  question.addEventListener("close", () => {
    deliver("QuitQuestion_Answered", question.returnValue === "yes" ? 1 : 0);
  });

  // The hover highlight: moves over the window's own background or the two buttons turn
  // the About label grey, moves over it yellow; moves over anything else leave it be.
  form1.addEventListener("mousemove", (event) => {
    const target = event.target;
    if (target === label3 || label3.contains(target)) {
      setAboutHighlight(true);
    } else if (target === form1 || command1.contains(target) || command2.contains(target)) {
      setAboutHighlight(false);
    }
  });

  // A release of any button whose press began on the drawing area is a shot, wherever the
  // pointer is by then: the press captures the pointer.
  const BUTTON_CODES = [1, 4, 2]; // left, middle, right
  let pressed = 0; // the buttons pressed on the drawing area, as bits of event.button
  canvas.addEventListener("pointerdown", (event) => {
    canvas.setPointerCapture(event.pointerId);
  });
  canvas.addEventListener("mousedown", (event) => {
    pressed |= 1 << event.button;
    if (event.button !== 0) {
      event.preventDefault(); // no scrolling with the middle button
    }
  });
  canvas.addEventListener("mouseup", (event) => {
    const bit = 1 << event.button;
    if ((pressed & bit) === 0) {
      return;
    }
    pressed &= ~bit;
    const bounds = canvas.getBoundingClientRect();
    const shift = (event.shiftKey ? 1 : 0) | (event.ctrlKey ? 2 : 0) | (event.altKey ? 4 : 0);
    // Whole drawing-area pixels: a device pixel inside a CSS pixel counts as that pixel.
    deliver("Picture1_MouseUp", BUTTON_CODES[event.button] ?? 0, shift,
      Math.floor(event.clientX - bounds.left), Math.floor(event.clientY - bounds.top));
  });
  canvas.addEventListener("lostpointercapture", () => {
    pressed = 0;
  });
  canvas.addEventListener("contextmenu", (event) => event.preventDefault());

  document.addEventListener("pointerdown", unlockSound, { capture: true });
  document.addEventListener("keydown", unlockSound, { capture: true });
}

// ---------------------------------------------------------------- start-up

let soundOn = false;

const TITLE = PICTURES.indexOf("picture2");

// The title first: the window opens as soon as the module, the title picture and the
// sounds are in; the other pictures are asked for only then, so that they do not compete
// with those for the two cores of a small machine, and the controls answer once they and
// the labels' faces are in.
async function start() {
  const module = WebAssembly.instantiateStreaming(fetchFile("headpop.wasm"), imports);
  const title = loadPicture(PICTURES[TITLE]);
  const soundFiles = loadSounds();
  const faces = Promise.all([document.fonts.load('bold 11px "Headpop Small Labels"'),
    document.fonts.load('bold 12px "Headpop About Label"')]);
  ({ exports } = (await module).instance);
  exports._initialize();
  handPictureOver(TITLE, await title);
  soundOn = await soundFiles;
  deliver("Form_Load");
  document.documentElement.dataset.shown = "title";
  const others = Promise.all(PICTURES.map((name, number) =>
    (number === TITLE ? title : loadPicture(name))));
  await faces;
  sizeLevelLabel();
  (await others).forEach((picture, number) => {
    if (number !== TITLE) {
      handPictureOver(number, picture);
    }
  });
  connectEvents();
  command1.focus();
  // What the page's tests and benchmarks read.
  globalThis.headpop = { exports, timers, delivered, played, audio, PageTimer };
  document.documentElement.dataset.shown = "ready";
}

// The files are kept for offline play once the game is up, not while it loads.
start().then(() => {
  if ("serviceWorker" in navigator) {
    navigator.serviceWorker.register("sw.js");
  }
});
