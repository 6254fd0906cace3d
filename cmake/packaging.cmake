# Packages: a Debian package on Linux, a zip folder for Windows, a zip of the site for the web.
set(CPACK_PACKAGE_NAME velmarto)
set(CPACK_PACKAGE_VERSION ${PROJECT_VERSION})
set(CPACK_PACKAGE_VENDOR "The velmarto developers")
set(CPACK_PACKAGE_CONTACT "The velmarto developers <dev@velmarto.org>")
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "Exact mahjong hand scores under the no-limit rule")
set(CPACK_PACKAGE_DESCRIPTION
    "Pick fu, han (0-119) and the seat, and read the exact ron score and tsumo payments, rounded\n"
    "up to 100 with no cap at any limit hand, written with the Japanese myriad units. Includes\n"
    "velmarto-score, which prints the same lines and whole score tables in a terminal.")
set(CPACK_PACKAGE_HOMEPAGE_URL "https://velmarto.org/")
set(CPACK_STRIP_FILES ON)

if(EMSCRIPTEN)
    set(CPACK_GENERATOR ZIP)
    set(CPACK_STRIP_FILES OFF)
    set(CPACK_PACKAGE_FILE_NAME velmarto-${PROJECT_VERSION}-web)
elseif(WIN32)
    set(CPACK_GENERATOR ZIP)
    set(CPACK_PACKAGE_FILE_NAME velmarto-${PROJECT_VERSION}-win64)
else()
    set(CPACK_GENERATOR DEB)
    set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
    set(CPACK_DEBIAN_PACKAGE_SECTION utils)
    set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
    # The dialog font.
    set(CPACK_DEBIAN_PACKAGE_RECOMMENDS "fonts-ipafont-gothic | fonts-noto-cjk")
endif()
include(CPack)
