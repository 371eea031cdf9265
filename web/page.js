// The page: draws the five windows from the core's layout records and routes
// events to the core. Every rule (reading field texts, the formulas, the
// display rule, the choice lists, the sheet) is the core's; this script only
// shows what the core answers.
"use strict";
(function () {
const EXITED_TEXT = "已退出";
const REOPEN_TEXT = "重新打开";
const PICK_TEXT = "选择CSV文件计算整栋楼…";
const DROP_HINT = "也可以把CSV文件拖到上面的窗口里。";
const WORKING_TEXT = "正在计算：";
const DOWNLOAD_TEXT = "下载计算结果";
const SUMMARY_TEXTS = {
    rows: "行数", failedRows: "未计算的行", notedRows: "有说明的行", emptyRows: "空行", titleRows: "表头以上的行",
};
const MESSAGES_MORE = "另有 %1 条说明未列出";
const NOT_CSV_TEXT = "网页只读取 CSV 文件：请在电子表格中另存为 CSV（UTF-8）后再拖入。";
const FAILED_TEXT = "计算没有完成：浏览器内存不足或文件无法读取。";
const NO_START_TEXT = "此浏览器无法运行本程序：请用支持 WebAssembly 的新版 Chrome、Edge 或 Firefox 打开。";
const RESULT_SUFFIX = "-计算结果.csv";
const SHEET_DIAGRAM_HEIGHT = Math.round(42 * 96 / 25.4);  // 42 mm on the page, as the desktop prints it

let core = null;
let ui = null;        // the windows' data, from the core
let shown = null;     // the window on the desk: {name, root, fields}
const timings = {};  // milliseconds since the page began to load

// ---- the core ----------------------------------------------------------

timings.scriptStartMs = performance.now();
const coreText = document.getElementById("dravik-core").textContent;
(0, eval)(coreText + "\n;window.DravikCore = DravikCore;");

// The core's WebAssembly sits beside its script, not inside it, so that no
// script parser reads half a megabyte of base64: decoded here and compiled
// once, as a stream where the browser can, for the page and its worker.
const wasmText = document.getElementById("dravik-wasm").textContent;
const wasmBytes = Uint8Array.fromBase64 ? Uint8Array.fromBase64(wasmText)
    : Uint8Array.from(atob(wasmText), (c) => c.charCodeAt(0));
const compiledCore = (WebAssembly.compileStreaming
    ? WebAssembly.compileStreaming(new Response(wasmBytes, { headers: { "Content-Type": "application/wasm" } }))
    : Promise.reject(new Error("no streaming"))).catch(() => WebAssembly.compile(wasmBytes));

// emscripten's hook for a core made from the compiled module.
function instantiateFrom(compiled, failed) {
    return (imports, receive) => {
        compiled.then((m) => WebAssembly.instantiate(m, imports).then((instance) => receive(instance, m))).catch(failed);
        return {};
    };
}

function call(name, ...args) {
    const types = args.map((a) => (typeof a === "number" ? "number" : "string"));
    return core.ccall(name, "string", types, args);
}

function calculate(windowName, texts) {
    texts.forEach((t, i) => core.ccall("dravik_set_field", null, ["number", "string"], [i, t]));
    return JSON.parse(call("dravik_calculate", windowName));
}

// ---- building the windows ----------------------------------------------

function picture(name) {
    const p = window.DRAVIK_PICTURES;
    const hiDpi = p[name + "@2x"];
    return { x1: p[name], x2: hiDpi || p[name] };
}

function el(tag, className, parent) {
    const e = document.createElement(tag);
    if (className) e.className = className;
    if (parent) parent.appendChild(e);
    return e;
}

function place(e, c) {
    e.style.left = c.left + "px";
    e.style.top = c.top + "px";
    e.style.width = c.width + "px";
    e.style.height = c.height + "px";
    e.style.fontSize = c.fontPixels + "px";
    if (c.tooltip) e.title = c.tooltip;
    e.dataset.name = c.name;
}

function labelOf(win, name) {
    const label = win.controls.find((c) => c.kind === "label" && c.buddy === name);
    return label ? label.caption : "";
}

function makeCombo(c, win, parent, input) {
    const box = el("div", "ctl combo", parent);
    place(box, c);
    const field = el("input", "", box);
    field.type = "text";
    field.id = "field-" + c.name;
    field.setAttribute("aria-label", labelOf(win, c.name));
    field.setAttribute("role", "combobox");
    field.setAttribute("aria-expanded", "false");
    field.tabIndex = c.tab + 1;
    field.value = input ? input.defaultText : "";
    field.spellcheck = false;
    field.autocomplete = "off";
    const arrow = el("button", "arrow", box);
    arrow.type = "button";
    arrow.tabIndex = -1;
    arrow.textContent = "▼";
    arrow.setAttribute("aria-hidden", "true");
    const items = input ? input.items : [];
    arrow.addEventListener("mousedown", (e) => { e.preventDefault(); toggleList(box, field, items); });
    field.addEventListener("keydown", (e) => {
        if ((e.altKey && e.key === "ArrowDown") || e.key === "F4") { e.preventDefault(); toggleList(box, field, items); }
        else if (e.key === "Escape") closeList();
        else if (!e.altKey && (e.key === "ArrowDown" || e.key === "ArrowUp")) {
            // As the desktop's list: the arrows step through the items.
            e.preventDefault();
            const at = items.indexOf(field.value);
            const next = e.key === "ArrowDown" ? Math.min(at + 1, items.length - 1) : Math.max(at - 1, 0);
            if (items.length) { field.value = items[next]; field.dispatchEvent(new Event("input")); }
        }
    });
    field.addEventListener("input", () => unmark(field));
    field.addEventListener("blur", () => setTimeout(closeList, 150));
    return field;
}

let openList = null;
function closeList() {
    if (!openList) return;
    openList.field.setAttribute("aria-expanded", "false");
    openList.list.remove();
    openList = null;
}
function toggleList(box, field, items) {
    const wasOpen = openList && openList.field === field;
    closeList();
    if (wasOpen) return;
    const list = el("div", "list", box.parentNode);
    list.setAttribute("role", "listbox");
    list.style.left = box.style.left;
    list.style.top = (box.offsetTop + box.offsetHeight) + "px";
    list.style.width = box.style.width;
    for (const item of items) {
        const row = el("div", item === field.value ? "current" : "", list);
        row.setAttribute("role", "option");
        row.textContent = item;
        row.addEventListener("mousedown", (e) => {
            e.preventDefault();
            field.value = item;
            field.dispatchEvent(new Event("input"));
            closeList();
            field.focus();
        });
    }
    field.setAttribute("aria-expanded", "true");
    openList = { field, list };
}

function mark(field, tooltip) {
    if (!field.classList.contains("read-as")) field.dataset.ownTitle = field.title;
    field.classList.add("read-as");
    field.title = tooltip;
}
function unmark(field) {
    if (!field.classList.contains("read-as")) return;
    field.classList.remove("read-as");
    field.title = field.dataset.ownTitle || "";
}

// A number with hyphens in it (a telephone number) is not broken at a
// hyphen, as the desktop lays text out; Chromium would break after one. A
// word joiner (invisible, no width) holds the digits together.
function labelText(e, text) {
    e.textContent = text.replace(/(\d-)(?=\d)/g, "$1\u2060");
}

function makeControl(c, win, parent, inputs) {
    let e;
    switch (c.kind) {
    case "group":
        e = el("div", "ctl group", parent);
        // Only the caption takes the group's colour.
        el("span", "caption " + c.colour, e).textContent = c.caption;
        place(e, c);
        return e;
    case "label":
        e = el("div", "ctl label", parent);
        labelText(e, c.caption);
        break;
    case "combo":
        return makeCombo(c, win, parent, inputs[c.name]);
    case "text":
        e = el("input", "ctl result", parent);
        e.type = "text";
        e.readOnly = c.role === "result";
        e.id = "field-" + c.name;
        e.setAttribute("aria-label", labelOf(win, c.name));
        e.tabIndex = c.tab + 1;
        break;
    case "button":
        e = el("button", "ctl", parent);
        e.type = "button";
        e.textContent = c.caption;
        e.tabIndex = c.tab + 1;
        break;
    case "option": {
        e = el("label", "ctl option", parent);
        const radio = el("input", "", e);
        radio.type = "radio";
        radio.name = win.name + "-shape";
        radio.id = "option-" + c.name;
        radio.tabIndex = c.tab + 1;
        e.appendChild(document.createTextNode(c.caption));
        break;
    }
    case "picture": {
        e = el("img", "ctl picture", parent);
        const p = picture(c.picture);
        e.src = p.x1;
        e.srcset = p.x1 + " 1x, " + p.x2 + " 2x";
        e.alt = "";
        e.draggable = false;
        break;
    }
    }
    place(e, c);
    if (c.colour) e.classList.add(c.colour);
    return e;
}

function buildWindow(win) {
    const root = el("div", "window");
    root.dataset.window = win.name;
    const title = el("div", "titlebar", root);
    const icon = el("img", "", title);
    icon.src = picture("dravik-16").x1;
    icon.srcset = picture("dravik-16").x1 + " 1x, " + picture("dravik-32").x1 + " 2x";
    icon.alt = "";
    el("span", "", title).textContent = win.caption;
    const client = el("div", "client", root);
    client.style.width = win.width + "px";
    client.style.height = win.height + "px";
    const inputs = {};
    for (const input of win.inputs || []) inputs[input.name] = input;
    const byName = {};
    for (const c of win.controls) {
        const parent = c.container ? byName[c.container] : client;
        byName[c.name] = makeControl(c, win, parent, inputs);
    }
    return { root, client, byName };
}

function controlFor(win, built, role) {
    const c = win.controls.find((x) => x.role === role);
    return c ? built.byName[c.name] : null;
}

// ---- the windows' behaviour --------------------------------------------

function show(name) {
    closeList();
    const desk = document.getElementById("desk");
    desk.textContent = "";
    const win = ui.windows.find((w) => w.name === name);
    const built = buildWindow(win);
    desk.appendChild(built.root);
    shown = { name, win, built };
    if (name === ui.windows[0].name) startWindow(win, built, desk);
    else calculatorWindow(win, built);
    focusFirst(win, built);
    document.title = win.caption;
}

function focusFirst(win, built) {
    const stops = win.controls.filter((c) => ["combo", "text", "button", "option"].includes(c.kind))
        .sort((a, b) => a.tab - b.tab);
    for (const c of stops) {
        let e = built.byName[c.name];
        if (c.kind === "option") e = e.querySelector("input");
        if (c.kind === "option" && !e.checked) continue;
        e.focus();
        return;
    }
}

function startWindow(win, built, desk) {
    built.byName[ui.shapeChoices[0].option].querySelector("input").checked = true;
    controlFor(win, built, "open").addEventListener("click", () => {
        const chosen = ui.shapeChoices.find((s) => built.byName[s.option].querySelector("input").checked);
        if (chosen) show(chosen.window);
    });
    controlFor(win, built, "end").addEventListener("click", exitProgram);
    buildingPanel(built, desk);
}

function fieldTexts(win, built) {
    return win.inputs.map((i) => built.byName[i.name].value);
}

function calculatorWindow(win, built) {
    for (const [name, text] of Object.entries(win.initialResults)) built.byName[name].value = text;
    controlFor(win, built, "calculate").addEventListener("click", () => press(win, built));
    controlFor(win, built, "back").addEventListener("click", () => show(ui.windows[0].name));
    controlFor(win, built, "end").addEventListener("click", exitProgram);
    built.client.addEventListener("contextmenu", (e) => {
        if (e.target.tagName === "INPUT" && !e.target.readOnly) return;  // a field keeps its own edit menu
        e.preventDefault();
        contextMenu(e.clientX, e.clientY);
    });
}

function press(win, built) {
    const t0 = performance.now();
    const answer = calculate(win.name, fieldTexts(win, built));
    for (const r of answer.results) built.byName[r.name].value = r.text;
    for (const m of answer.marks) mark(built.byName[m.name], m.tooltip);
    timings.lastCalculateMs = performance.now() - t0;
}

function exitProgram() {
    closeList();
    const desk = document.getElementById("desk");
    desk.textContent = "";
    shown = null;
    const view = el("div", "exited", desk);
    el("div", "", view).textContent = EXITED_TEXT;
    const again = el("button", "", view);
    again.type = "button";
    again.textContent = REOPEN_TEXT;
    again.addEventListener("click", () => show(ui.windows[0].name));
    again.focus();
    document.title = EXITED_TEXT;
}

// ---- the calculation sheet -----------------------------------------------

function nowText() {
    const d = new Date();
    const two = (n) => String(n).padStart(2, "0");
    return `${d.getFullYear()}-${two(d.getMonth() + 1)}-${two(d.getDate())} ${two(d.getHours())}:${two(d.getMinutes())}`;
}

function pressCalculate() {
    controlFor(shown.win, shown.built, "calculate").click();
}

function sheetHtml() {
    const diagram = shown.win.controls.find((c) => c.role === "diagram");
    const p = picture(diagram.picture);
    const img = shown.built.byName[diagram.name];
    const width = Math.round(img.naturalWidth * SHEET_DIAGRAM_HEIGHT / img.naturalHeight);
    fieldTexts(shown.win, shown.built).forEach((t, i) =>
        core.ccall("dravik_set_field", null, ["number", "string"], [i, t]));
    return call("dravik_sheet_html", shown.name, nowText(), p.x2, width, SHEET_DIAGRAM_HEIGHT);
}

function printSheet() {
    if (!shown || !shown.win.inputs) return;
    pressCalculate();
    document.getElementById("sheet").innerHTML = sheetHtml();
    const title = document.title;
    document.title = call("dravik_sheet_title", shown.name);
    window.print();
    document.title = title;
}

function copyResults() {
    if (!shown || !shown.win.inputs) return;
    pressCalculate();
    fieldTexts(shown.win, shown.built).forEach((t, i) =>
        core.ccall("dravik_set_field", null, ["number", "string"], [i, t]));
    const rows = call("dravik_copy_rows", shown.name);
    window.dravikPage.lastCopied = rows;
    if (navigator.clipboard && navigator.clipboard.writeText) {
        navigator.clipboard.writeText(rows).catch(() => copyByCommand(rows));
    } else {
        copyByCommand(rows);
    }
}

function copyByCommand(text) {
    const area = el("textarea", "", document.body);
    area.value = text;
    area.select();
    document.execCommand("copy");
    area.remove();
}

let menu = null;
function closeMenu() { if (menu) { menu.remove(); menu = null; } }
function contextMenu(x, y) {
    closeMenu();
    menu = el("div", "menu", document.body);
    menu.setAttribute("role", "menu");
    menu.style.left = x + "px";
    menu.style.top = y + "px";
    // The browser saves a sheet through its print dialog ("save as PDF").
    for (const [text, run] of [[ui.commands.print, printSheet], [ui.commands.save, printSheet],
        [ui.commands.copy, copyResults]]) {
        const item = el("div", "", menu);
        item.setAttribute("role", "menuitem");
        item.textContent = text;
        item.addEventListener("mousedown", (e) => { e.preventDefault(); closeMenu(); run(); });
    }
}
document.addEventListener("mousedown", (e) => { if (menu && !menu.contains(e.target)) closeMenu(); });

document.addEventListener("keydown", (e) => {
    if (!shown || !shown.win.inputs || !e.ctrlKey || e.altKey) return;
    const key = e.key.toLowerCase();
    if (key === "p" || key === "s") { e.preventDefault(); printSheet(); }
    else if (key === "c" && e.shiftKey) { e.preventDefault(); copyResults(); }
});

// ---- a building: a CSV file run by the batch library in a worker ---------

function buildingPanel(built, desk) {
    const panel = el("div", "building", desk);
    const pick = el("a", "", panel);
    pick.href = "#";
    pick.textContent = PICK_TEXT;
    const chooser = el("input", "", panel);
    chooser.type = "file";
    chooser.accept = ".csv,text/csv";
    chooser.hidden = true;
    chooser.id = "building-file";
    pick.addEventListener("click", (e) => { e.preventDefault(); chooser.click(); });
    chooser.addEventListener("change", () => { if (chooser.files[0]) runBuilding(chooser.files[0], panel); });
    el("span", "", panel).textContent = " " + DROP_HINT;
    const status = el("div", "", panel);
    status.id = "building-status";
    const target = built.root;
    target.addEventListener("dragover", (e) => { e.preventDefault(); target.classList.add("dropping"); });
    target.addEventListener("dragleave", () => target.classList.remove("dropping"));
    target.addEventListener("drop", (e) => {
        e.preventDefault();
        target.classList.remove("dropping");
        if (e.dataTransfer.files[0]) runBuilding(e.dataTransfer.files[0], panel);
    });
}

let worker = null;
function batchWorker() {
    if (!worker) {
        const text = coreText + "\n" + document.getElementById("dravik-worker").textContent;
        worker = new Worker(URL.createObjectURL(new Blob([text], { type: "text/javascript" })));
    }
    return worker;
}

// UTF-8 goes to the library as it is, byte for byte. Anything else is read
// as GB18030 by the browser and handed over as UTF-8 with a byte-order mark,
// so the result is UTF-8 with one.
function inputBytes(buffer) {
    const bytes = new Uint8Array(buffer);
    try {
        new TextDecoder("utf-8", { fatal: true }).decode(bytes);
        return bytes;
    } catch (_) {
        const text = new TextDecoder("gb18030").decode(bytes);
        return new TextEncoder().encode("\uFEFF" + text);
    }
}

async function runBuilding(file, panel) {
    const status = panel.querySelector("#building-status");
    // The workbooks dravik-batch reads from a file are not built into the page.
    if (/\.(xlsx|xlsm|xls|ods)$/i.test(file.name)) {
        status.textContent = NOT_CSV_TEXT;
        return;
    }
    status.textContent = WORKING_TEXT;
    const bar = el("progress", "", status);
    bar.max = 1;
    bar.value = 0;
    const bytes = inputBytes(await file.arrayBuffer());
    const w = batchWorker();
    const fail = (message) => {
        console.error(message);
        status.textContent = FAILED_TEXT;
        w.terminate();
        worker = null;  // a fresh one for the next file
    };
    w.onmessage = (e) => {
        const m = e.data;
        if (m.progress !== undefined) bar.value = m.progress;
        else if (m.failed !== undefined) fail(m.failed);
        else showSummary(status, file.name, m.summary, m.output);
    };
    w.onerror = (e) => {
        e.preventDefault();
        fail(e.message);
    };
    w.postMessage({ bytes, module: await compiledCore }, [bytes.buffer]);
}

function showSummary(status, name, summary, output) {
    status.textContent = "";
    const counts = el("div", "", status);
    counts.id = "building-counts";
    counts.textContent = Object.entries(SUMMARY_TEXTS).map(([k, t]) => `${t}：${summary[k]}`).join("　");
    if (output.length) {
        const link = el("a", "", status);
        link.id = "building-download";
        const base = name.replace(/\.csv$/i, "");
        link.download = base + RESULT_SUFFIX;
        link.href = URL.createObjectURL(new Blob([output], { type: "text/csv" }));
        link.textContent = DOWNLOAD_TEXT;
    }
    const list = el("ul", "", status);
    for (const m of summary.messages) el("li", "", list).textContent = m;
    if (summary.messageCount > summary.messages.length) {
        el("li", "", list).textContent = MESSAGES_MORE.replace("%1", summary.messageCount - summary.messages.length);
    }
    window.dravikPage.lastBuilding = { summary, output };
}

// ---- start ---------------------------------------------------------------

window.dravikPage = {
    timings,
    calculate,
    call,
    show,
    current: () => (shown ? shown.name : null),
};

function startFailed(error) {
    console.error(error);
    el("div", "exited", document.getElementById("desk")).textContent = NO_START_TEXT;
}

DravikCore({ instantiateWasm: instantiateFrom(compiledCore, startFailed) }).then((module) => {
    core = module;
    timings.coreReadyMs = performance.now();
    ui = JSON.parse(call("dravik_windows"));
    window.dravikPage.ui = ui;
    show(ui.windows[0].name);
    timings.interactiveMs = performance.now();
    document.body.dataset.ready = "1";
}).catch(startFailed);
})();
