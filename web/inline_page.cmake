# Writes OUT: the page PAGE (its style already inside) with the engine script (wasm inside), the
# app (its import already in place) and the 対局 tab inlined, so it works opened from a file with
# nothing beside it. Run with cmake -P.
file(READ ${PAGE} page)
file(READ ${SCRIPT} engine)
file(READ ${APP} app)
file(READ ${LEDGER} ledger)
# The page's own references, replaced by what they load; the service worker needs a server, and
# the note for index.html opened from a file has no place here.
string(REPLACE "<script async src=\"velmarto.js\" id=\"engine-script\" fetchpriority=\"high\"></script>" "<script>\n${engine}</script>" page "${page}")
string(REGEX REPLACE "<script>globalThis.velmartoWasm[^\n]*\n" "" page "${page}")
string(REPLACE "<script type=\"module\" async src=\"ledger.js\" fetchpriority=\"low\"></script>" "<script type=\"module\">\n${ledger}</script>" page "${page}")
string(REPLACE "<script type=\"module\" async src=\"app.js\" fetchpriority=\"high\"></script>" "<script type=\"module\">\n${app}</script>" page "${page}")
string(REPLACE "<link rel=\"manifest\" href=\"manifest.webmanifest\">" "" page "${page}")
string(REGEX REPLACE "<link rel=\"preload\" href=\"velmarto.wasm\"[^\n]*\n" "" page "${page}")
string(REGEX REPLACE "<p id=\"file-note\"[^\n]*\n<script>[^\n]*\n" "" page "${page}")
file(WRITE ${OUT} "${page}")
