// The page's worker: runs the batch library on a building's file, so that a
// file of many rows does not hold up the windows, and says how far it got.
"use strict";
let started = null;
self.onmessage = async (e) => {
    if (!started) {
        started = DravikCore({ onBatchProgress: (done, total) => self.postMessage({ progress: done / total }) });
    }
    const core = await started;
    const bytes = e.data.bytes;
    const at = core._malloc(bytes.length || 1);
    core.HEAPU8.set(bytes, at);
    const summary = JSON.parse(core.UTF8ToString(core.ccall("dravik_batch", "number", ["number", "number"],
        [at, bytes.length])));
    core._free(at);
    const start = core.ccall("dravik_batch_output", "number", [], []);
    const size = core.ccall("dravik_batch_output_size", "number", [], []);
    const output = core.HEAPU8.slice(start, start + size);
    self.postMessage({ summary, output }, [output.buffer]);
};
