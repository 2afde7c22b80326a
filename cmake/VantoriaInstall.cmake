# What makes the program a desktop application: the help document, the menu
# entry, the AppStream metadata, the icons, and the Debian package.

add_subdirectory(tools/make_help_pdf)

# The help document is typeset from the guide at build time, into the same
# share/vantoria folder the installed program reads, so a run from the build
# tree finds it too.
set(VANTORIA_BUILD_DATA_DIR "${CMAKE_BINARY_DIR}/share/vantoria")
set(VANTORIA_HELP_SOURCE "${PROJECT_SOURCE_DIR}/docs/help/Blutdruckmesswerte-Hilfe.md")
set(VANTORIA_HELP_PDF "${VANTORIA_BUILD_DATA_DIR}/Blutdruckmesswerte-Hilfe.pdf")
add_custom_command(
  OUTPUT "${VANTORIA_HELP_PDF}"
  COMMAND "${CMAKE_COMMAND}" -E env QT_QPA_PLATFORM=offscreen
          "XDG_RUNTIME_DIR=${VANTORIA_TEST_RUNTIME_DIR}"
          "$<TARGET_FILE:make_help_pdf>" "${VANTORIA_HELP_SOURCE}" "${VANTORIA_HELP_PDF}"
          "Vantoria 4.0 – Hilfe"
  DEPENDS make_help_pdf "${VANTORIA_HELP_SOURCE}"
          "${PROJECT_SOURCE_DIR}/docs/screenshots/doctors-report-page1.png"
  COMMENT "Typesetting Blutdruckmesswerte-Hilfe.pdf"
  VERBATIM)
add_custom_target(vantoria_help_pdf ALL DEPENDS "${VANTORIA_HELP_PDF}")
if(TARGET vantoria)
  add_dependencies(vantoria vantoria_help_pdf)
endif()

set(VANTORIA_APP_ID "invalid.vantoria.Vantoria")
install(FILES "${VANTORIA_HELP_PDF}" DESTINATION "${CMAKE_INSTALL_DATADIR}/vantoria")
install(FILES data/vantoria.desktop DESTINATION "${CMAKE_INSTALL_DATADIR}/applications")
install(FILES data/vantoria.metainfo.xml
        DESTINATION "${CMAKE_INSTALL_DATADIR}/metainfo"
        RENAME "${VANTORIA_APP_ID}.metainfo.xml")
foreach(size 16 32 48 64 128 256)
  install(FILES "data/icons/vantoria-${size}.png"
          DESTINATION "${CMAKE_INSTALL_DATADIR}/icons/hicolor/${size}x${size}/apps"
          RENAME vantoria.png)
endforeach()
install(FILES data/icons/vantoria.svg
        DESTINATION "${CMAKE_INSTALL_DATADIR}/icons/hicolor/scalable/apps")

if(VANTORIA_BUILD_TESTS)
  add_subdirectory(tests/install)
endif()

# Debian package: cpack -G DEB in the build folder.
set(CPACK_GENERATOR DEB)
set(CPACK_PACKAGE_NAME vantoria)
set(CPACK_PACKAGE_VENDOR "Vantoria developers")
set(CPACK_PACKAGE_CONTACT "Vantoria developers <dev@vantoria.invalid>")
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "Blutdruck-Tagebuch: home blood pressure diary with charts")
set(CPACK_PACKAGE_DESCRIPTION
  "Vantoria records up to four blood pressure readings a day with time, systolic and\n\
diastolic pressure, pulse and body weight, one small file per month. It computes\n\
daily and monthly means, draws bar and line charts in the web browser, grades the\n\
monthly means and prints the month as a table. The user interface is German.")
set(CPACK_PACKAGING_INSTALL_PREFIX /usr)
set(CPACK_STRIP_FILES ON)
set(CPACK_DEBIAN_PACKAGE_MAINTAINER "Vantoria developers <dev@vantoria.invalid>")
set(CPACK_DEBIAN_PACKAGE_SECTION misc)
set(CPACK_DEBIAN_PACKAGE_PRIORITY optional)
set(CPACK_DEBIAN_PACKAGE_RELEASE 1)
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
# The Qt libraries come from dpkg-shlibdeps; the platform plugins and the German
# button texts are loaded at run time, so shlibdeps cannot see them.
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
set(CPACK_DEBIAN_PACKAGE_DEPENDS "qt6-qpa-plugins, qt6-translations-l10n")
# The charts open in a browser, the help in a PDF viewer, both through xdg-open.
set(CPACK_DEBIAN_PACKAGE_RECOMMENDS "xdg-utils, www-browser")
set(CPACK_DEBIAN_PACKAGE_SUGGESTS "pdf-viewer")
include(CPack)
