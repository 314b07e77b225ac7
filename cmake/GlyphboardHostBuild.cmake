# The cross build has no Qt and no office: what they make (pictures, fonts,
# the Word template) comes from a native build of the same sources, which
# the cross build configures when needed and asks to build those targets.
#
#   glyphboard_host_targets(<name> TARGETS <host targets...> BYPRODUCTS <files...>)
#
# defines the custom target <name>, which brings the host targets up to
# date; BYPRODUCTS are files under GLYPHBOARD_HOST_DATA_DIR they make.

# GLYPHBOARD_HOST_BUILD_DIR names the native build; without it, build/ of
# the source tree serves.
if(GLYPHBOARD_HOST_BUILD_DIR)
    set(GLYPHBOARD_HOST_DATA_DIR "${GLYPHBOARD_HOST_BUILD_DIR}")
else()
    set(GLYPHBOARD_HOST_DATA_DIR "${PROJECT_SOURCE_DIR}/build")
endif()

function(glyphboard_host_targets name)
    cmake_parse_arguments(ARG "" "" "TARGETS;BYPRODUCTS" ${ARGN})
    add_custom_target(${name}
        COMMAND ${CMAKE_COMMAND} -D "SOURCE=${PROJECT_SOURCE_DIR}" -D "BINARY=${GLYPHBOARD_HOST_DATA_DIR}"
                -D "TARGETS=${ARG_TARGETS}" -P "${PROJECT_SOURCE_DIR}/cmake/BuildHostTargets.cmake"
        BYPRODUCTS ${ARG_BYPRODUCTS}
        COMMENT "Bringing ${ARG_TARGETS} up to date in the native build ${GLYPHBOARD_HOST_DATA_DIR}"
        VERBATIM)
endfunction()
