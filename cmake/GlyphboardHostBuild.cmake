# The cross build has no Qt and no office: what they make (pictures, fonts,
# the Word template) comes from a native build of the same sources, which
# the cross build configures when needed and asks to build those targets.
#
#   glyphboard_host_targets(<name> TARGETS <host targets...> BYPRODUCTS <files...>)
#
# defines the custom target <name>, which brings the host targets up to
# date; BYPRODUCTS are files under GLYPHBOARD_HOST_BUILD_DIR they make.
include_guard(GLOBAL)

set(GLYPHBOARD_HOST_BUILD_DIR "${PROJECT_SOURCE_DIR}/build" CACHE PATH
    "native build that makes the pictures, fonts and template for the cross build")

function(glyphboard_host_targets name)
    cmake_parse_arguments(ARG "" "" "TARGETS;BYPRODUCTS" ${ARGN})
    add_custom_target(${name}
        COMMAND ${CMAKE_COMMAND} -D "SOURCE=${PROJECT_SOURCE_DIR}" -D "BINARY=${GLYPHBOARD_HOST_BUILD_DIR}"
                -D "TARGETS=${ARG_TARGETS}" -P "${PROJECT_SOURCE_DIR}/cmake/BuildHostTargets.cmake"
        BYPRODUCTS ${ARG_BYPRODUCTS}
        COMMENT "Bringing ${ARG_TARGETS} up to date in the native build ${GLYPHBOARD_HOST_BUILD_DIR}"
        VERBATIM)
endfunction()
