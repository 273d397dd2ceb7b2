# The browser edition's settings (emcmake with Debian's emscripten): the core,
# editor, instruments and runner built from the same sources, their tests and
# vorlisk-sim run by node. No Qt, no libusb, no benchmarks, no package.
set(VORLISK_GUI OFF)
set(VORLISK_BENCH OFF)

# The loader reports errors by throwing; emscripten leaves exceptions off
# unless asked.
add_compile_options(-fexceptions)
add_link_options(-fexceptions -sALLOW_MEMORY_GROWTH=1)

# node 20 refuses the flag emcmake hands it, and the scripts emscripten 3.1.6
# writes break on node's own fetch: CTest and test discovery run them so.
find_program(VORLISK_NODE NAMES node nodejs REQUIRED)
set(CMAKE_CROSSCOMPILING_EMULATOR "${VORLISK_NODE};--no-experimental-fetch")

# Programs run by node (tests, vorlisk-sim, the example builders) work on
# the real file system and end with their exit code.
set(VORLISK_NODE_LINK_OPTIONS -sNODERAWFS=1 -sEXIT_RUNTIME=1)

# Optimised links run emscripten's acorn-based optimiser under node, which
# finds acorn only in Debian's node module folder.
set(VORLISK_NODE_MODULES /usr/share/nodejs CACHE PATH "Where Debian's node modules (acorn) are")
set(CMAKE_CXX_LINKER_LAUNCHER ${CMAKE_COMMAND} -E env NODE_PATH=${VORLISK_NODE_MODULES})
