// SPDX-License-Identifier: Apache-2.0
// Reads barcode pictures with zxing-cpp 3 as built for WebAssembly (the npm package zxing-wasm),
// the one reader here that also reads DataBar Limited.
//   node zxing_wasm_read.mjs NODE_MODULES FILE...
// FILE: a PNG, or a binary PGM (P5) or PBM (P4). Prints one line per symbol read:
//   FILE <tab> zxing-wasm <tab> FORMAT <tab> HEX(bytes) <tab> HEX(text)
// and "FILE <tab> zxing-wasm <tab> -" when nothing was read. The module is loaded from the
// package's own .wasm file; any attempt to fetch something at run time is an error.
import { readFileSync } from "node:fs";
import { join } from "node:path";
import { pathToFileURL } from "node:url";

const [nodeModules, ...files] = process.argv.slice(2);
if (!nodeModules || files.length === 0) {
    console.error("usage: node zxing_wasm_read.mjs NODE_MODULES FILE...");
    process.exit(2);
}

globalThis.fetch = () => {
    throw new Error("zxing-wasm tried to fetch its module; it must come from node_modules");
};

const packageDir = join(nodeModules, "zxing-wasm");
const reader = await import(pathToFileURL(join(packageDir, "dist/es/reader/index.js")).href);
await reader.prepareZXingModule({
    overrides: { wasmBinary: readFileSync(join(packageDir, "dist/reader/zxing_reader.wasm")) },
    fireImmediately: true,
});

const options = {
    formats: ["Code128", "DataBar", "DataBarLtd", "DataBarExp"],
    tryHarder: true,
    tryRotate: false,
    tryInvert: false,
    tryDownscale: false,
    maxNumberOfSymbols: 1,
};

// The next whitespace-separated header field of a PNM file, skipping comments.
function pnmHeader(bytes, count) {
    const fields = [];
    let i = 2;
    while (fields.length < count) {
        while (/\s/.test(String.fromCharCode(bytes[i]))) i++;
        if (bytes[i] === 0x23) {
            while (bytes[i] !== 0x0a) i++;
            continue;
        }
        let field = "";
        while (!/\s/.test(String.fromCharCode(bytes[i]))) field += String.fromCharCode(bytes[i++]);
        fields.push(Number(field));
    }
    return { fields, offset: i + 1 };
}

// A PGM or PBM as the RGBA picture zxing-wasm takes.
function pnmToImageData(bytes) {
    const bitmap = bytes[1] === 0x34;
    const { fields, offset } = pnmHeader(bytes, bitmap ? 2 : 3);
    const [width, height] = fields;
    const data = new Uint8ClampedArray(width * height * 4);
    const stride = bitmap ? Math.ceil(width / 8) : width;
    for (let y = 0; y < height; y++) {
        for (let x = 0; x < width; x++) {
            const v = bitmap ? ((bytes[offset + y * stride + (x >> 3)] >> (7 - (x & 7))) & 1 ? 0 : 255)
                             : bytes[offset + y * stride + x];
            const p = (y * width + x) * 4;
            data[p] = data[p + 1] = data[p + 2] = v;
            data[p + 3] = 255;
        }
    }
    return { data, width, height, colorSpace: "srgb" };
}

const hex = (bytes) => Buffer.from(bytes).toString("hex");

for (const file of files) {
    const bytes = readFileSync(file);
    const input = bytes[0] === 0x50 && (bytes[1] === 0x34 || bytes[1] === 0x35) ? pnmToImageData(bytes)
                                                                                 : new Uint8Array(bytes);
    const results = (await reader.readBarcodes(input, options)).filter((r) => r.isValid);
    if (results.length === 0) console.log(`${file}\tzxing-wasm\t-`);
    for (const r of results)
        console.log(`${file}\tzxing-wasm\t${r.format}\t${hex(r.bytes)}\t${hex(Buffer.from(r.text, "utf8"))}`);
}
