# Installs the build into a scratch prefix and checks what a user gets: exactly the expected
# files, icons of the size their folder names, a desktop entry whose Exec and Icon resolve, and
# (when the tools are there) the verdicts of desktop-file-validate and appstreamcli.
#   cmake -DBUILD_DIR=... -DPREFIX=... -DBINDIR=bin -DDATADIR=share -DWITH_WINDOW=0|1
#         -P install_layout.cmake
foreach(var BUILD_DIR PREFIX BINDIR DATADIR WITH_WINDOW)
    if(NOT DEFINED ${var})
        message(FATAL_ERROR "install_layout.cmake: -D${var}=... is missing")
    endif()
endforeach()

set(app_id org.orsela.Orsela)
set(icon_sizes 16 32 48)

# `cmake --install` rewrites the build's install_manifest.txt, which the user's uninstall
# step reads: keep theirs and put it back.
set(manifest "${BUILD_DIR}/install_manifest.txt")
set(saved_manifest "${PREFIX}.saved-manifest.txt")
file(REMOVE_RECURSE "${PREFIX}" "${saved_manifest}")
if(EXISTS "${manifest}")
    file(COPY_FILE "${manifest}" "${saved_manifest}")
endif()
unset(ENV{DESTDIR})
execute_process(COMMAND ${CMAKE_COMMAND} --install "${BUILD_DIR}" --prefix "${PREFIX}"
                RESULT_VARIABLE status OUTPUT_VARIABLE out ERROR_VARIABLE err)
file(STRINGS "${manifest}" installed)
if(EXISTS "${saved_manifest}")
    file(RENAME "${saved_manifest}" "${manifest}")
else()
    file(REMOVE "${manifest}")
endif()
if(NOT status EQUAL 0)
    message(FATAL_ERROR "cmake --install failed (${status}):\n${out}${err}")
endif()

# Exactly these files, nothing more (no headers, static libraries or test programs).
set(expected
    "${BINDIR}/orsela-cli"
    "${DATADIR}/applications/${app_id}.desktop"
    "${DATADIR}/metainfo/${app_id}.metainfo.xml"
    "${DATADIR}/orsela/materials.json")
if(WITH_WINDOW)
    list(APPEND expected "${BINDIR}/orsela")
endif()
foreach(size ${icon_sizes})
    list(APPEND expected "${DATADIR}/icons/hicolor/${size}x${size}/apps/orsela.png")
endforeach()
list(TRANSFORM expected PREPEND "${PREFIX}/")
list(SORT expected)
list(SORT installed)
if(NOT installed STREQUAL expected)
    string(REPLACE ";" "\n  " installed_lines "${installed}")
    string(REPLACE ";" "\n  " expected_lines "${expected}")
    message(FATAL_ERROR "installed:\n  ${installed_lines}\nexpected:\n  ${expected_lines}")
endif()
foreach(file ${expected})
    if(NOT EXISTS "${file}")
        message(FATAL_ERROR "listed as installed but missing: ${file}")
    endif()
endforeach()

# Each theme icon is a PNG of the size its folder names (width and height from IHDR).
foreach(size ${icon_sizes})
    set(png "${PREFIX}/${DATADIR}/icons/hicolor/${size}x${size}/apps/orsela.png")
    file(READ "${png}" ihdr OFFSET 12 LIMIT 12 HEX)
    string(SUBSTRING "${ihdr}" 8 8 width_hex)
    string(SUBSTRING "${ihdr}" 16 8 height_hex)
    math(EXPR width "0x${width_hex}")
    math(EXPR height "0x${height_hex}")
    if(NOT ihdr MATCHES "^49484452" OR NOT width EQUAL size OR NOT height EQUAL size)
        message(FATAL_ERROR "${png}: ${width}x${height}, expected ${size}x${size}")
    endif()
endforeach()

# The installed command-line program runs from its new place.
execute_process(COMMAND "${PREFIX}/${BINDIR}/orsela-cli" --format=tsv
                RESULT_VARIABLE status OUTPUT_VARIABLE out ERROR_VARIABLE err TIMEOUT 20)
if(NOT status EQUAL 0 OR NOT out MATCHES "^FreeHeight\t44.0\n")
    message(FATAL_ERROR "installed orsela-cli: status ${status}\n${out}${err}")
endif()

# The desktop entry starts the window program by name and shows the installed icon.
set(desktop "${PREFIX}/${DATADIR}/applications/${app_id}.desktop")
file(STRINGS "${desktop}" entry ENCODING UTF-8)
foreach(line IN LISTS entry)
    if(line MATCHES "^Exec=(.*)$")
        set(exec "${CMAKE_MATCH_1}")
    elseif(line MATCHES "^Icon=(.*)$")
        set(icon "${CMAKE_MATCH_1}")
    elseif(line MATCHES "^Terminal=(.*)$")
        set(terminal "${CMAKE_MATCH_1}")
    endif()
endforeach()
if(NOT exec STREQUAL "orsela" OR NOT terminal STREQUAL "false")
    message(FATAL_ERROR "${desktop}: Exec=${exec}, Terminal=${terminal}")
endif()
if(WITH_WINDOW AND NOT EXISTS "${PREFIX}/${BINDIR}/${exec}")
    message(FATAL_ERROR "${desktop}: Exec=${exec} is not installed in ${BINDIR}")
endif()
foreach(size ${icon_sizes})
    if(NOT EXISTS "${PREFIX}/${DATADIR}/icons/hicolor/${size}x${size}/apps/${icon}.png")
        message(FATAL_ERROR "${desktop}: Icon=${icon} has no ${size}x${size} theme icon")
    endif()
endforeach()

# The validators' own verdicts: desktop-file-validate says nothing about a sound entry;
# appstreamcli --strict fails on anything above a pedantic note.
find_program(DESKTOP_FILE_VALIDATE desktop-file-validate)
if(DESKTOP_FILE_VALIDATE)
    execute_process(COMMAND "${DESKTOP_FILE_VALIDATE}" "${desktop}"
                    RESULT_VARIABLE status OUTPUT_VARIABLE out ERROR_VARIABLE err)
    if(NOT status EQUAL 0 OR NOT "${out}${err}" STREQUAL "")
        message(FATAL_ERROR "desktop-file-validate ${desktop}:\n${out}${err}")
    endif()
else()
    message(STATUS "desktop-file-validate not found: desktop entry not validated")
endif()

find_program(APPSTREAMCLI appstreamcli)
if(APPSTREAMCLI)
    set(metainfo "${PREFIX}/${DATADIR}/metainfo/${app_id}.metainfo.xml")
    execute_process(COMMAND "${APPSTREAMCLI}" validate --no-net --strict "${metainfo}"
                    RESULT_VARIABLE status OUTPUT_VARIABLE out ERROR_VARIABLE err)
    if(NOT status EQUAL 0)
        message(FATAL_ERROR "appstreamcli validate ${metainfo}:\n${out}${err}")
    endif()
else()
    message(STATUS "appstreamcli not found: metainfo not validated")
endif()

message(STATUS "installed into ${PREFIX}: ${installed}")
