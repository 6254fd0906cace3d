# Sourced by the commands: the tools they run (Qt's window titles, xdotool's patterns, cpack's
# Japanese file names) need a UTF-8 locale, and a fresh system has none set. C.UTF-8 is on every
# Debian system.
if [ "$(locale charmap 2>/dev/null)" != "UTF-8" ]; then
    export LC_ALL=C.UTF-8
fi
