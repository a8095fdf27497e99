# The page in a browser as a desktop menu entry of its own, beside the window's: the built page
# folder (build-web/web) goes to <datadir>/orsela/web, and the entry opens its index.html with
# xdg-open. The entry is written at install time, so that it names the prefix of
# `cmake --install --prefix`, not the one configured.
#   ORSELA_INSTALL_PAGE_DIR  the built page folder; unset: neither the page nor its entry
include(GNUInstallDirs)

function(orsela_install_page page_dir)
    if(NOT EXISTS "${page_dir}/index.html")
        message(FATAL_ERROR "ORSELA_INSTALL_PAGE_DIR=${page_dir} holds no index.html: build the page first (make web)")
    endif()
    install(DIRECTORY "${page_dir}/" DESTINATION ${CMAKE_INSTALL_DATADIR}/orsela/web)
    install(CODE "set(orsela_page_template \"${CMAKE_CURRENT_FUNCTION_LIST_DIR}/org.orsela.Orsela.Page.desktop.in\")
set(orsela_page_entry \"${CMAKE_CURRENT_BINARY_DIR}/org.orsela.Orsela.Page.desktop\")
set(orsela_page_datadir \"${CMAKE_INSTALL_DATADIR}\")")
    install(SCRIPT "${CMAKE_CURRENT_FUNCTION_LIST_DIR}/write_page_menu_entry.cmake")
endfunction()
