# Installation as the program runs: the executable with Reports/en/ beside it and a writable Logs/,
# under /opt/veloria-printing-server unless another prefix is chosen; and a Debian package of it with the
# service's system user and its systemd unit.

# The systemd unit and the package's maintainer scripts name the installed program by this folder.
set(VELORIA_INSTALL_DIR "${CMAKE_INSTALL_PREFIX}")

install(DIRECTORY DESTINATION Logs COMPONENT program
  DIRECTORY_PERMISSIONS OWNER_READ OWNER_WRITE OWNER_EXECUTE GROUP_READ GROUP_EXECUTE WORLD_READ WORLD_EXECUTE)

# The unit goes to the system's unit folder, outside the prefix: only the package installs it
# (cmake --install --component service installs it by hand).
set(VELORIA_SYSTEMD_UNIT_DIR "/lib/systemd/system" CACHE PATH "Where the package puts the systemd unit")
configure_file(${PROJECT_SOURCE_DIR}/packaging/veloria-printing-server.service.in
  ${PROJECT_BINARY_DIR}/packaging/veloria-printing-server.service @ONLY)
install(FILES ${PROJECT_BINARY_DIR}/packaging/veloria-printing-server.service
  DESTINATION ${VELORIA_SYSTEMD_UNIT_DIR} COMPONENT service EXCLUDE_FROM_ALL)

set(maintainer_scripts)
foreach(script postinst prerm postrm)
  configure_file(${PROJECT_SOURCE_DIR}/packaging/debian/${script}.in
    ${PROJECT_BINARY_DIR}/packaging/debian/${script} @ONLY
    FILE_PERMISSIONS OWNER_READ OWNER_WRITE OWNER_EXECUTE GROUP_READ GROUP_EXECUTE WORLD_READ WORLD_EXECUTE)
  list(APPEND maintainer_scripts ${PROJECT_BINARY_DIR}/packaging/debian/${script})
endforeach()

set(CPACK_GENERATOR DEB)
set(CPACK_PACKAGE_NAME veloria-printing-server)
set(CPACK_PACKAGE_VERSION ${PROJECT_VERSION})
set(CPACK_PACKAGE_VENDOR "Veloria")
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "Veloria kitchen printing server")
set(CPACK_PACKAGE_DESCRIPTION
  "Prints the kitchen tickets of the Veloria restaurant point-of-sale suite: every queued order on the\
 printers of its kitchen stations, and the late voids. Runs as the systemd service\
 veloria-printing-server once /etc/veloria/HKCU.reg holds the outlet's settings.")
set(CPACK_PACKAGING_INSTALL_PREFIX "${CMAKE_INSTALL_PREFIX}")
# Both the program and the unit, though the unit stays out of a plain cmake --install.
set(CPACK_INSTALL_CMAKE_PROJECTS
  "${PROJECT_BINARY_DIR};${PROJECT_NAME};program;/"
  "${PROJECT_BINARY_DIR};${PROJECT_NAME};service;/")
set(CPACK_STRIP_FILES ON)
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_MAINTAINER "Veloria printing server maintainers <root@localhost>")
set(CPACK_DEBIAN_PACKAGE_SECTION misc)
# The libraries the program links come from dpkg-shlibdeps; these it loads at run time or calls on.
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
set(CPACK_DEBIAN_PACKAGE_DEPENDS
  "adduser, libqt6sql6-sqlite, libqt6sql6-odbc, unixodbc, tdsodbc, fonts-liberation2, fonts-dejavu-core, fonts-wqy-microhei, fonts-noto-core, fonts-symbola, fontconfig, libssl3")
set(CPACK_DEBIAN_PACKAGE_RECOMMENDS "cups")
set(CPACK_DEBIAN_PACKAGE_CONTROL_EXTRA ${maintainer_scripts})
set(CPACK_DEBIAN_PACKAGE_CONTROL_STRICT_PERMISSION TRUE)
include(CPack)
