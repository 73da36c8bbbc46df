# Cross-compiles for 32-bit Windows with Debian's MinGW-w64 (posix thread model): the discs'
# launcher, which must run on every Windows PC.
set(CMAKE_SYSTEM_PROCESSOR i686)
include(${CMAKE_CURRENT_LIST_DIR}/mingw-w64.cmake)

# No emulator: Wine on these machines runs only 64-bit code, so the 32-bit files are checked as
# files, not run.
