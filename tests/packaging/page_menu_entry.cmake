# The page's install rules in a project of their own: a page folder installed under DESTDIR with
# a prefix other than the configured one, its menu entry opening the installed index.html
# (desktop-file-validate's verdict when it is there), and a prefix an Exec line cannot hold
# refused by name.
#   cmake -DSOURCE_DIR=... -DWORK=... -P page_menu_entry.cmake
set(project "${WORK}/project")
file(REMOVE_RECURSE "${WORK}")
file(MAKE_DIRECTORY "${project}/page/assets")
file(WRITE "${project}/page/index.html" "<!doctype html>\n")
file(WRITE "${project}/page/assets/page.js" "\n")
file(WRITE "${project}/CMakeLists.txt" "cmake_minimum_required(VERSION 3.25)
project(page_only NONE)
include(\"${SOURCE_DIR}/packaging/page_menu_entry.cmake\")
orsela_install_page(\"${project}/page\")
")
execute_process(COMMAND ${CMAKE_COMMAND} -S "${project}" -B "${project}/build" -DCMAKE_INSTALL_PREFIX=/usr/local
                RESULT_VARIABLE status OUTPUT_VARIABLE out ERROR_VARIABLE err)
if(NOT status EQUAL 0)
    message(FATAL_ERROR "configure failed:\n${out}${err}")
endif()

function(install_to prefix)
    set(ENV{DESTDIR} "${WORK}/root")
    execute_process(COMMAND ${CMAKE_COMMAND} --install "${project}/build" --prefix "${prefix}"
                    RESULT_VARIABLE status OUTPUT_VARIABLE out ERROR_VARIABLE err)
    unset(ENV{DESTDIR})
    set(status "${status}" PARENT_SCOPE)
    set(out "${out}${err}" PARENT_SCOPE)
endfunction()

# A prefix with a blank and Chinese: the path is quoted, the files land under DESTDIR.
set(prefix "/opt/Orsela 弹簧")
install_to("${prefix}")
if(NOT status EQUAL 0)
    message(FATAL_ERROR "cmake --install failed (${status}):\n${out}")
endif()
set(root "${WORK}/root${prefix}")
foreach(file share/orsela/web/index.html share/orsela/web/assets/page.js
             share/applications/org.orsela.Orsela.Page.desktop)
    if(NOT EXISTS "${root}/${file}")
        message(FATAL_ERROR "not installed: ${root}/${file}\n${out}")
    endif()
endforeach()
set(entry "${root}/share/applications/org.orsela.Orsela.Page.desktop")
file(STRINGS "${entry}" lines ENCODING UTF-8 REGEX "^(Exec|Type)=")
set(expected "Type=Application;Exec=xdg-open \"${prefix}/share/orsela/web/index.html\"")
if(NOT lines STREQUAL expected)
    message(FATAL_ERROR "${entry}:\n  ${lines}\nexpected\n  ${expected}")
endif()
find_program(DESKTOP_FILE_VALIDATE desktop-file-validate)
if(DESKTOP_FILE_VALIDATE)
    execute_process(COMMAND "${DESKTOP_FILE_VALIDATE}" "${entry}"
                    RESULT_VARIABLE status OUTPUT_VARIABLE out ERROR_VARIABLE err)
    if(NOT status EQUAL 0 OR NOT "${out}${err}" STREQUAL "")
        message(FATAL_ERROR "desktop-file-validate ${entry}:\n${out}${err}")
    endif()
else()
    message(STATUS "desktop-file-validate not found: the page's entry not validated")
endif()

# A prefix holding a character the Exec line would need to escape twice over: refused, named.
install_to("/opt/100%")
if(status EQUAL 0 OR NOT out MATCHES "holds '%'")
    message(FATAL_ERROR "a prefix with % was not refused by name (${status}):\n${out}")
endif()
message(STATUS "the page and its menu entry installed under ${WORK}/root")
