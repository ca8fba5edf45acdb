# Install layout and the Debian package.
#
#   bin/                        zr580, zr580-cli, zr580-radiosim
#   share/zr580/                Init/, language/, help books, dec.tbl, demo-radio.bin
#   share/applications/         zr580.desktop
#   share/icons/hicolor/        scalable/apps/zr580.svg, 256x256/apps/zr580.png
#   share/metainfo/             org.zr580.zr580.metainfo.xml
#   share/man/man1/             zr580.1.gz, zr580-cli.1.gz, zr580-radiosim.1.gz
#   share/doc/zr580/            README.md.gz, copyright
#
# The installed program finds its shipped files in share/zr580 beside its bin/
# and writes its own files in the user's configuration folder.
include(GNUInstallDirs)

set(ZR580_PACKAGING_DIR ${CMAKE_SOURCE_DIR}/packaging)
set(ZR580_DATA_DESTINATION ${CMAKE_INSTALL_DATADIR}/zr580)

# The 256-pixel icon, drawn by the program's own painting code.
file(GLOB MKICON_SOURCES CONFIGURE_DEPENDS ${CMAKE_SOURCE_DIR}/tools/mkicon/*.cpp)
add_executable(zr580-mkicon ${MKICON_SOURCES})
target_link_libraries(zr580-mkicon PRIVATE zr580_widgets)
set_target_properties(zr580-mkicon PROPERTIES RUNTIME_OUTPUT_DIRECTORY ${CMAKE_BINARY_DIR}/tools)
set(ZR580_ICON_PNG ${CMAKE_BINARY_DIR}/packaging/zr580.png)
add_custom_command(OUTPUT ${ZR580_ICON_PNG}
    COMMAND ${CMAKE_COMMAND} -E make_directory ${CMAKE_BINARY_DIR}/packaging
    COMMAND zr580-mkicon ${ZR580_ICON_PNG} 256
    DEPENDS zr580-mkicon)

# Manual pages and the README, compressed as Debian wants them.
set(ZR580_MAN_PAGES)
set(ZR580_GZIPPED)
foreach(source ${ZR580_PACKAGING_DIR}/zr580.1 ${ZR580_PACKAGING_DIR}/zr580-cli.1
               ${ZR580_PACKAGING_DIR}/zr580-radiosim.1 ${CMAKE_SOURCE_DIR}/README.md)
    get_filename_component(name ${source} NAME)
    set(out ${CMAKE_BINARY_DIR}/packaging/${name}.gz)
    add_custom_command(OUTPUT ${out}
        COMMAND ${CMAKE_COMMAND} -E make_directory ${CMAKE_BINARY_DIR}/packaging
        COMMAND gzip -9 -n -c ${source} > ${out}
        DEPENDS ${source})
    list(APPEND ZR580_GZIPPED ${out})
    if(name MATCHES "\\.1$")
        list(APPEND ZR580_MAN_PAGES ${out})
    else()
        set(ZR580_README_GZ ${out})
    endif()
endforeach()
add_custom_target(packaging_files ALL DEPENDS ${ZR580_ICON_PNG} ${ZR580_GZIPPED})

install(TARGETS zr580 zr580-cli zr580-radiosim RUNTIME DESTINATION ${CMAKE_INSTALL_BINDIR})

# Shipped data: language files and help books as in the sources (never the
# copies a run from the build folder may have changed), generated files from
# the build.
install(DIRECTORY ${CMAKE_SOURCE_DIR}/data/language DESTINATION ${ZR580_DATA_DESTINATION})
install(DIRECTORY ${CMAKE_SOURCE_DIR}/data/help/ DESTINATION ${ZR580_DATA_DESTINATION})
set(ZR580_TEMPLATES ${GENERATED_DATA})
list(FILTER ZR580_TEMPLATES INCLUDE REGEX "/Init/")
set(ZR580_GENERATED_FILES ${GENERATED_DATA})
list(FILTER ZR580_GENERATED_FILES EXCLUDE REGEX "/Init/")
install(FILES ${ZR580_TEMPLATES} DESTINATION ${ZR580_DATA_DESTINATION}/Init)
install(FILES ${ZR580_GENERATED_FILES} DESTINATION ${ZR580_DATA_DESTINATION})

install(FILES ${ZR580_PACKAGING_DIR}/zr580.desktop DESTINATION ${CMAKE_INSTALL_DATADIR}/applications)
install(FILES ${ZR580_PACKAGING_DIR}/zr580.svg
        DESTINATION ${CMAKE_INSTALL_DATADIR}/icons/hicolor/scalable/apps)
install(FILES ${ZR580_ICON_PNG} DESTINATION ${CMAKE_INSTALL_DATADIR}/icons/hicolor/256x256/apps)
install(FILES ${ZR580_PACKAGING_DIR}/org.zr580.zr580.metainfo.xml
        DESTINATION ${CMAKE_INSTALL_DATADIR}/metainfo)
install(FILES ${ZR580_MAN_PAGES} DESTINATION ${CMAKE_INSTALL_MANDIR}/man1)
# The copyright file stays uncompressed, as Debian wants it.
install(FILES ${ZR580_README_GZ} ${ZR580_PACKAGING_DIR}/copyright
        DESTINATION ${CMAKE_INSTALL_DATADIR}/doc/zr580)

# cpack -G DEB: zr580_<version>_<arch>.deb with its library dependencies computed.
set(CPACK_PACKAGE_NAME zr580)
set(CPACK_PACKAGE_VERSION ${PROJECT_VERSION})
set(CPACK_PACKAGE_CONTACT "ZR580 programming tool developers <zr580@localhost>")
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "programming tool for the ZR580 hand-held FM radio")
set(CPACK_PACKAGE_DESCRIPTION
    "Reads the memory of a ZR580 hand-held FM radio over a serial programming cable, edits its 128 channels and radio-wide settings, saves and opens data files, and writes the result back behind the radio's password. With a command-line tool and a simulated radio. English and simplified Chinese.")
set(CPACK_GENERATOR DEB)
set(CPACK_STRIP_FILES ON)
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_SECTION electronics)
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
# The window system plug-ins are a separate package; the Chinese texts want a CJK font.
set(CPACK_DEBIAN_PACKAGE_DEPENDS "qt6-qpa-plugins")
set(CPACK_DEBIAN_PACKAGE_RECOMMENDS "fonts-noto-cjk, qt6-translations-l10n")
set(CPACK_PACKAGING_INSTALL_PREFIX /usr)
include(CPack)
