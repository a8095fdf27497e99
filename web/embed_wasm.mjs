// Writes the page's WebAssembly as a script: gzip, then base64, as one
// string the page inflates with the browser's DecompressionStream. A page
// opened from file:// may not fetch a .wasm file; a script it may load, and
// compressed the module takes a third of its size.
//
//   node embed_wasm.mjs orsela.wasm orsela-wasm.js
import fs from 'node:fs';
import zlib from 'node:zlib';

const [wasmFile, scriptFile] = process.argv.slice(2);
const packed = zlib.gzipSync(fs.readFileSync(wasmFile), { level: 9 }).toString('base64');
fs.writeFileSync(scriptFile,
    '// The page\'s WebAssembly, gzip-compressed, in base64 (written by the build).\n' +
    'var orselaWasmPacked = "' + packed + '";\n');
fs.rmSync(wasmFile);
