# Writes OUT: the page PAGE with its stylesheet, the engine script (wasm inside) and the app
# inlined, so it works opened from a file with nothing beside it. Run with cmake -P.
file(READ ${PAGE} page)
file(READ ${SCRIPT} engine)
file(READ ${APP} app)
file(READ ${LEDGER} ledger)
file(READ ${STYLE} style)
# The page's own references, replaced by what they load; the service worker needs a server.
string(REPLACE "<link rel=\"stylesheet\" href=\"style.css\">" "<style>\n${style}</style>" page "${page}")
string(REPLACE "<script defer src=\"velmarto.js\"></script>" "<script>\n${engine}</script>" page "${page}")
string(REPLACE "<link rel=\"preload\" href=\"velmarto.wasm\" as=\"fetch\" type=\"application/wasm\" crossorigin>" "" page "${page}")
string(REPLACE "<script type=\"module\" src=\"ledger.js\"></script>" "<script type=\"module\">\n${ledger}</script>" page "${page}")
string(REPLACE "<script type=\"module\" src=\"app.js\"></script>" "<script type=\"module\">\n${app}</script>" page "${page}")
string(REPLACE "<link rel=\"manifest\" href=\"manifest.webmanifest\">" "" page "${page}")
file(WRITE ${OUT} "${page}")
