# cmake -DSOURCE=LEIAME.plain.txt -DOUTPUT=LEIAME.txt -P leiame_txt.cmake
#
# The plain-text guide for Windows users as UTF-8 with a byte-order mark and CR LF line ends.
# Notepad reads UTF-8 with the mark as UTF-8 in every version of Windows 10 and later (without
# it, the versions before 1903 guess, and may garble every accent), and the CR LF ends lay the
# lines out in the versions before 1809 as well.
string(ASCII 239 187 191 byte_order_mark)
file(READ "${SOURCE}" guide)
string(REPLACE "\n" "\r\n" guide "${guide}")
file(WRITE "${OUTPUT}" "${byte_order_mark}${guide}")
