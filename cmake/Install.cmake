# Installing Trellica as a desktop application, and its Debian package
# (scripts/package.sh). The files for the desktop are in dist/; the PNG icons
# are rendered at build time by the same painting code as the window's logo.
include(GNUInstallDirs)

set(TRELLICA_DIST ${CMAKE_CURRENT_SOURCE_DIR}/dist)
set(TRELLICA_DIST_BUILD ${CMAKE_CURRENT_BINARY_DIR}/dist)
set(TRELLICA_ICON_SIZES 16 32 48 64 128 256)
set(TRELLICA_DOC_DIR ${CMAKE_INSTALL_DATADIR}/doc/trellica)
set(CMAKE_INSTALL_DEFAULT_DIRECTORY_PERMISSIONS
    OWNER_READ OWNER_WRITE OWNER_EXECUTE GROUP_READ GROUP_EXECUTE WORLD_READ WORLD_EXECUTE)

# --- build-time files: icons, compressed changelog and manual ------------------
add_executable(trellica_icons tools/MakeIcons.cpp)
target_link_libraries(trellica_icons PRIVATE trellica_app)
set(TRELLICA_ICON_FILES)
foreach(size ${TRELLICA_ICON_SIZES})
  list(APPEND TRELLICA_ICON_FILES
       ${TRELLICA_DIST_BUILD}/icons/${size}x${size}/apps/${TRELLICA_DESKTOP_ID}.png)
endforeach()
add_custom_command(
  OUTPUT ${TRELLICA_ICON_FILES}
  COMMAND ${CMAKE_COMMAND} -E env QT_QPA_PLATFORM=offscreen $<TARGET_FILE:trellica_icons>
          ${TRELLICA_DIST_BUILD}/icons ${TRELLICA_DESKTOP_ID} ${TRELLICA_ICON_SIZES}
  DEPENDS trellica_icons
  COMMENT "Rendering the application icon")

# The files that state the version get it from project().
foreach(file debian/changelog trellica.1 trellica-batch.1 ${TRELLICA_DESKTOP_ID}.metainfo.xml)
  configure_file(${TRELLICA_DIST}/${file}.in ${TRELLICA_DIST_BUILD}/${file} @ONLY)
endforeach()

# Debian wants both compressed at the highest level, without a time stamp.
set(TRELLICA_GZIPPED)
foreach(file debian/changelog trellica.1 trellica-batch.1)
  get_filename_component(name ${file} NAME)
  add_custom_command(
    OUTPUT ${TRELLICA_DIST_BUILD}/${name}.gz
    COMMAND gzip -9nc ${TRELLICA_DIST_BUILD}/${file} > ${TRELLICA_DIST_BUILD}/${name}.gz
    DEPENDS ${TRELLICA_DIST}/${file}.in)
  list(APPEND TRELLICA_GZIPPED ${TRELLICA_DIST_BUILD}/${name}.gz)
endforeach()
add_custom_target(trellica_desktop_files ALL DEPENDS ${TRELLICA_ICON_FILES} ${TRELLICA_GZIPPED})

# Everything the install below takes from the build: scripts/package.sh builds
# only this, and CPack then builds nothing more (not the tests and benchmarks).
add_custom_target(trellica_installed_parts DEPENDS trellica trellica_desktop_files)
set(CMAKE_SKIP_INSTALL_ALL_DEPENDENCY TRUE)

# --- the install ----------------------------------------------------------------
install(TARGETS trellica RUNTIME DESTINATION ${CMAKE_INSTALL_BINDIR})
if(TARGET trellica-batch)
  install(TARGETS trellica-batch RUNTIME DESTINATION ${CMAKE_INSTALL_BINDIR})
  install(FILES ${TRELLICA_DIST_BUILD}/trellica-batch.1.gz DESTINATION ${CMAKE_INSTALL_MANDIR}/man1)
  add_dependencies(trellica_installed_parts trellica-batch)
endif()
install(FILES ${TRELLICA_DIST}/${TRELLICA_DESKTOP_ID}.desktop
        DESTINATION ${CMAKE_INSTALL_DATADIR}/applications)
install(FILES ${TRELLICA_DIST_BUILD}/${TRELLICA_DESKTOP_ID}.metainfo.xml
        DESTINATION ${CMAKE_INSTALL_DATADIR}/metainfo)
install(DIRECTORY ${TRELLICA_DIST_BUILD}/icons/ DESTINATION ${CMAKE_INSTALL_DATADIR}/icons/hicolor)
install(FILES ${TRELLICA_DIST}/icons/${TRELLICA_DESKTOP_ID}.svg
        DESTINATION ${CMAKE_INSTALL_DATADIR}/icons/hicolor/scalable/apps)
install(FILES ${TRELLICA_DIST_BUILD}/trellica.1.gz DESTINATION ${CMAKE_INSTALL_MANDIR}/man1)
install(FILES ${CMAKE_CURRENT_SOURCE_DIR}/LICENSE DESTINATION ${TRELLICA_DOC_DIR} RENAME copyright)
install(FILES ${TRELLICA_DIST_BUILD}/changelog.gz DESTINATION ${TRELLICA_DOC_DIR})

# --- the Debian package -----------------------------------------------------------
set(CPACK_GENERATOR DEB)
set(CPACK_PACKAGE_NAME trellica)
set(CPACK_PACKAGE_VENDOR "The Trellica developers")
set(CPACK_PACKAGE_CONTACT "The Trellica developers <packages@trellica.example>")
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY
    "profile pictures for five social networks from one photograph")
set(CPACK_PACKAGE_DESCRIPTION
    "Trellica turns one photograph into thirteen profile pictures for facebook,\n\
twitter, linkedin, google and skype. Mark the part of the photo you want,\n\
switch any of thirteen looks on or off, add a line of text, and every preview\n\
updates at once. One click writes the largest picture of each network as a\n\
TIFF file.")
set(CPACK_PACKAGING_INSTALL_PREFIX /usr)
set(CPACK_STRIP_FILES ON)
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_SECTION graphics)
set(CPACK_DEBIAN_PACKAGE_HOMEPAGE "https://trellica.example/")
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
# Loaded as plug-ins, so dpkg-shlibdeps cannot see them: the window needs a
# platform plug-in, and every saved file is a TIFF.
set(CPACK_DEBIAN_PACKAGE_DEPENDS "qt6-qpa-plugins, qt6-image-formats-plugins")
set(CPACK_DEBIAN_PACKAGE_RECOMMENDS "fonts-dejavu-core")
include(CPack)
