# Install time: writes the page's menu entry naming the installed index.html and installs it.
# Set before: orsela_page_template, orsela_page_entry (the file to write), orsela_page_datadir.
set(datadir "${orsela_page_datadir}")
if(NOT IS_ABSOLUTE "${datadir}")
    set(datadir "${CMAKE_INSTALL_PREFIX}/${datadir}")
endif()
set(page "${datadir}/orsela/web/index.html")
# Exec quotes the path; these characters would need escaping twice over (string, then argument).
string(REGEX MATCH "[\"`$\\\\%]" awkward "${page}")
if(awkward)
    message(FATAL_ERROR "The page's menu entry: the install path ${page} holds '${awkward}', "
                        "which a desktop entry's Exec line cannot hold plainly; choose another prefix")
endif()
configure_file("${orsela_page_template}" "${orsela_page_entry}" @ONLY)
file(INSTALL DESTINATION "${datadir}/applications" TYPE FILE FILES "${orsela_page_entry}")
