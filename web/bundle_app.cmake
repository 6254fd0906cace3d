# Writes OUT: the app (APP) with its one import (PIECES) written in place, for the page that works
# opened from a file, where a script may import nothing. Run with cmake -P.
file(READ ${APP} app)
file(READ ${PIECES} pieces)
string(REPLACE "export function" "function" pieces "${pieces}")
string(REPLACE "import { figurePieces } from \"./figure_pieces.js\";\n" "${pieces}" app "${app}")
file(WRITE ${OUT} "${app}")
