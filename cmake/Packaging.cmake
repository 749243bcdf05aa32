# The Debian package of foldmint, made by CPack's DEB generator from the
# install rules of component foldmint: the program, its manual page, and
# the copyright and changelog files Debian expects. snaplet serves tests
# only and is not packaged. `cpack -G DEB` in a release build writes
# foldmint_<version>_<arch>.deb; tools/package.sh does all of it.
include_guard(GLOBAL)

set(QC_PACKAGING_SOURCE ${PROJECT_SOURCE_DIR}/packaging)
set(QC_PACKAGING_STAGE ${CMAKE_BINARY_DIR}/packaging)

# Every directory the package makes is 0755, whatever the umask.
set(CMAKE_INSTALL_DEFAULT_DIRECTORY_PERMISSIONS
    OWNER_READ OWNER_WRITE OWNER_EXECUTE GROUP_READ GROUP_EXECUTE WORLD_READ WORLD_EXECUTE)

# The manual page and the changelog carry the project's version. Debian
# wants both compressed with gzip -9n: no name and no time stamp inside, so
# that the same text always gives the same bytes.
configure_file(${QC_PACKAGING_SOURCE}/foldmint.1 ${QC_PACKAGING_STAGE}/foldmint.1 @ONLY)
configure_file(${QC_PACKAGING_SOURCE}/changelog.in ${QC_PACKAGING_STAGE}/changelog @ONLY)
find_program(QC_GZIP gzip REQUIRED)
add_custom_command(
  OUTPUT ${QC_PACKAGING_STAGE}/foldmint.1.gz ${QC_PACKAGING_STAGE}/changelog.gz
  COMMAND ${QC_GZIP} -9nkf foldmint.1 changelog
  DEPENDS ${QC_PACKAGING_STAGE}/foldmint.1 ${QC_PACKAGING_STAGE}/changelog
  WORKING_DIRECTORY ${QC_PACKAGING_STAGE}
  COMMENT "Manual page and changelog of the foldmint package"
  VERBATIM)
add_custom_target(foldmint_package_files ALL
                  DEPENDS ${QC_PACKAGING_STAGE}/foldmint.1.gz ${QC_PACKAGING_STAGE}/changelog.gz)

install(FILES ${QC_PACKAGING_STAGE}/foldmint.1.gz DESTINATION share/man/man1 COMPONENT foldmint)
# A version without a Debian revision makes a native package, whose
# changelog is changelog.gz.
install(FILES ${QC_PACKAGING_SOURCE}/copyright ${QC_PACKAGING_STAGE}/changelog.gz
        DESTINATION share/doc/foldmint COMPONENT foldmint)

set(CPACK_GENERATOR DEB)
set(CPACK_PACKAGE_NAME foldmint)
set(CPACK_PACKAGE_VENDOR Ortwell)
set(CPACK_PACKAGE_CONTACT "Quillary companion maintainers <maintainers@quillary.example>")
set(CPACK_PACKAGE_VERSION ${PROJECT_VERSION})
set(CPACK_PACKAGE_DIRECTORY ${CMAKE_BINARY_DIR}/dist)
set(CPACK_STRIP_FILES ON)
set(CPACK_DEB_COMPONENT_INSTALL ON)
set(CPACK_COMPONENTS_ALL foldmint)
set(CPACK_DEBIAN_FOLDMINT_PACKAGE_NAME foldmint)
# foldmint_<version>_<arch>.deb
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_SECTION utils)
set(CPACK_DEBIAN_PACKAGE_PRIORITY optional)
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
set(CPACK_DEBIAN_PACKAGE_CONTROL_STRICT_PERMISSION ON)
# The first line is the synopsis; the rest, the extended description.
set(CPACK_DEBIAN_FOLDMINT_DESCRIPTION
    "put the Quillary folder into a Netscape bookmark file
foldmint adds the page-saving product Quillary's folder of three links
(Save, QuickSave, Search) to a user's Netscape bookmark file: at the top
of the bookmark list and again in the personal toolbar folder named by
the profile's prefs.js. It keeps a one-time backup bkmk.qyr beside the
bookmark file, replaces the file in one step only when the whole new text
is written, and asks for a missing path at the terminal.

foldmint --remove takes the folder out again, giving back the text the
file had before.")

include(CPack)
