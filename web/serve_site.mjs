// The built site on 127.0.0.1, on a port the system picks, for the tests, the benchmark and the
// screenshot. Files are read once, so what is measured is the page and not the server.
import { readFileSync, readdirSync } from "node:fs";
import http from "node:http";
import path from "node:path";

const TYPES = { html: "text/html; charset=utf-8", js: "text/javascript", css: "text/css", wasm: "application/wasm",
                webmanifest: "application/manifest+json", png: "image/png" };

// Resolves to the running server and its origin ("http://127.0.0.1:PORT"); `extra` maps more
// names ("/blank.html") to their bodies.
export async function serveSite(site, extra = {}) {
  const files = new Map(readdirSync(site).map((name) => [`/${name}`, readFileSync(path.join(site, name))]));
  for (const [name, body] of Object.entries(extra)) files.set(name, Buffer.from(body));
  const server = http.createServer((request, response) => {
    const name = new URL(request.url, "http://x").pathname.replace(/\/$/, "/index.html");
    const body = files.get(name);
    if (!body) {
      response.writeHead(404).end();
      return;
    }
    response.writeHead(200, { "Content-Type": TYPES[name.split(".").pop()] ?? "application/octet-stream" });
    response.end(body);
  });
  await new Promise((resolve) => server.listen(0, "127.0.0.1", resolve));
  return { server, origin: `http://127.0.0.1:${server.address().port}` };
}
