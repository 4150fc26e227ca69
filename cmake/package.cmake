# The release: a ZIP a Windows user unzips and runs. Its three files sit at
# the top of the archive, so that Explorer's "Extract All" makes one folder
# pmv_calc-<version>-win32 holding them, not a folder within a folder.
#
# The empty pmv_calc.ini is shipped because the program never creates that
# file: with it beside the program, Close keeps the values from the first run.
file(WRITE ${CMAKE_BINARY_DIR}/package/pmv_calc.ini "")
install(TARGETS pmv_calc RUNTIME DESTINATION .)
install(FILES ${CMAKE_BINARY_DIR}/package/pmv_calc.ini ${CMAKE_SOURCE_DIR}/res/README.txt
        DESTINATION .)

set(CPACK_GENERATOR ZIP)
set(PMV_PACKAGE_NAME "pmv_calc-${PROJECT_VERSION}-win32")
set(CPACK_PACKAGE_FILE_NAME ${PMV_PACKAGE_NAME})
set(CPACK_INCLUDE_TOPLEVEL_DIRECTORY OFF)
set(CPACK_PACKAGE_DIRECTORY ${CMAKE_BINARY_DIR})
include(CPack)
