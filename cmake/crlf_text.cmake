# Writes the text file SOURCE as TARGET with every line ended by CR LF, as
# Windows editors expect; lines already ended so stay as they are.
# Usage: cmake -DSOURCE=file -DTARGET=file -P crlf_text.cmake
file(READ "${SOURCE}" text)
string(REPLACE "\r\n" "\n" text "${text}")
string(REPLACE "\n" "\r\n" text "${text}")
file(WRITE "${TARGET}" "${text}")
