# SQLite for the Windows build. Debian ships none for mingw-w64, so the build compiles Debian's own
# source of the version the Linux build links: scripts/fetch-sqlite fetches it once through apt,
# which checks it against the archive's signed index, and makes its amalgamation.
set(VELMARTO_SQLITE_DEBIAN_VERSION 3.40.1-2+deb12u2)
set(VELMARTO_SQLITE_CACHE ${PROJECT_SOURCE_DIR}/build/sqlite CACHE PATH
    "Where scripts/fetch-sqlite keeps SQLite's amalgamation, one folder per version")

set(sqlite_dir ${VELMARTO_SQLITE_CACHE}/${VELMARTO_SQLITE_DEBIAN_VERSION})
if(NOT EXISTS ${sqlite_dir}/sqlite3.c OR NOT EXISTS ${sqlite_dir}/sqlite3.h)
    execute_process(
        COMMAND ${PROJECT_SOURCE_DIR}/scripts/fetch-sqlite ${VELMARTO_SQLITE_DEBIAN_VERSION}
                ${VELMARTO_SQLITE_CACHE}
        COMMAND_ERROR_IS_FATAL ANY)
endif()

enable_language(C)
add_library(velmarto_sqlite STATIC ${sqlite_dir}/sqlite3.c)
target_include_directories(velmarto_sqlite SYSTEM PUBLIC ${sqlite_dir})
# The programs load no extensions, so the code that loads DLLs at run time is left out.
target_compile_definitions(velmarto_sqlite PRIVATE SQLITE_OMIT_LOAD_EXTENSION)
# The store links SQLite by the name CMake's FindSQLite3 gives the Linux one.
add_library(SQLite::SQLite3 ALIAS velmarto_sqlite)
