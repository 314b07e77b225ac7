# The Windows installation medium: build/medium/Glyphboard/ with
# Glyphinstall.exe, Glyphboard.exe, the Word 97-2003 template VovediVoda.dot,
# the four fonts, their licence and the companion placeholders, packed as
# glyphboard-<version>-windows.zip (target windows_medium). The template and
# the fonts come from the native build's own medium folder.
include(GlyphboardHostBuild)

set(medium "${CMAKE_CURRENT_BINARY_DIR}/Glyphboard")
set(host_medium "${GLYPHBOARD_HOST_DATA_DIR}/medium/Glyphboard")
set(host_files VovediVoda.dot NurvelSans.ttf NurvelSansB.ttf Vudida.ttf Dizever.ttf OFL.txt)
list(TRANSFORM host_files PREPEND "${host_medium}/" OUTPUT_VARIABLE host_paths)
glyphboard_host_targets(windows_medium_data TARGETS medium BYPRODUCTS ${host_paths})


set(placeholders NurvelT.nrv NurvelV.nrv Docpush.exe)
set(placeholder_copies)
foreach(name ${placeholders})
    list(APPEND placeholder_copies COMMAND ${CMAKE_COMMAND} -E copy
         "${CMAKE_CURRENT_SOURCE_DIR}/placeholder.txt" "${medium}/${name}")
endforeach()

set(GLYPHBOARD_WINDOWS_MEDIUM_ZIP "${CMAKE_CURRENT_BINARY_DIR}/glyphboard-${PROJECT_VERSION}-windows.zip"
    CACHE INTERNAL "the packed Windows installation medium")
# Laid out afresh each time, so that nothing stale rides along in the zip.
add_custom_command(
    OUTPUT "${GLYPHBOARD_WINDOWS_MEDIUM_ZIP}"
    COMMAND ${CMAKE_COMMAND} -E rm -rf "${medium}"
    COMMAND ${CMAKE_COMMAND} -E make_directory "${medium}"
    COMMAND ${CMAKE_COMMAND} -E copy ${host_paths} "${medium}/"
    COMMAND ${CMAKE_COMMAND} -E copy "$<TARGET_FILE:Glyphinstall>" "${medium}/Glyphinstall.exe"
    COMMAND ${CMAKE_COMMAND} -E copy "$<TARGET_FILE:Glyphboard>" "${medium}/Glyphboard.exe"
    ${placeholder_copies}
    COMMAND ${CMAKE_COMMAND} -E rm -f "${GLYPHBOARD_WINDOWS_MEDIUM_ZIP}"
    COMMAND ${CMAKE_COMMAND} -E tar cf "${GLYPHBOARD_WINDOWS_MEDIUM_ZIP}" --format=zip Glyphboard
    WORKING_DIRECTORY "${CMAKE_CURRENT_BINARY_DIR}"
    DEPENDS ${host_paths} Glyphinstall Glyphboard placeholder.txt
    COMMENT "Packing the Windows installation medium ${GLYPHBOARD_WINDOWS_MEDIUM_ZIP}"
    VERBATIM)
add_custom_target(windows_medium ALL DEPENDS "${GLYPHBOARD_WINDOWS_MEDIUM_ZIP}")
add_dependencies(windows_medium windows_medium_data)
