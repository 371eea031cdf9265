// The page's worker: runs the batch library on a building's file, so that a
// file of many rows does not hold up the windows, and says how far it got.
// The page hands over the core's WebAssembly compiled with the first file.
"use strict";
let started = null;

function run(core, bytes) {
    const at = core._malloc(bytes.length || 1);
    core.HEAPU8.set(bytes, at);
    const summary = JSON.parse(core.UTF8ToString(core.ccall("dravik_batch", "number", ["number", "number"],
        [at, bytes.length])));
    core._free(at);
    const start = core.ccall("dravik_batch_output", "number", [], []);
    const size = core.ccall("dravik_batch_output_size", "number", [], []);
    const output = core.HEAPU8.slice(start, start + size);
    self.postMessage({ summary, output }, [output.buffer]);
}

self.onmessage = async (e) => {
    // A failure is told to the page, which says so in its own words.
    const failed = (error) => self.postMessage({ failed: String(error) });
    if (!started) {
        const compiled = e.data.module;
        started = DravikCore({
            onBatchProgress: (done, total) => self.postMessage({ progress: done / total }),
            instantiateWasm: (imports, receive) => {
                WebAssembly.instantiate(compiled, imports).then((instance) => receive(instance, compiled)).catch(failed);
                return {};
            },
        });
    }
    try {
        run(await started, e.data.bytes);
    } catch (error) {
        failed(error);
    }
};
