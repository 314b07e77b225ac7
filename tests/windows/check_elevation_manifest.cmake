# Fails unless PROGRAM carries a manifest that asks Windows for an
# administrator before it starts.
#
#   cmake -DPROGRAM=Glyphinstall.exe -P check_elevation_manifest.cmake
file(STRINGS "${PROGRAM}" levels REGEX "requestedExecutionLevel[^>]*level=\"[A-Za-z]+\"")
if(NOT levels)
    message(FATAL_ERROR "${PROGRAM} carries no manifest with an execution level")
endif()
if(NOT levels MATCHES "level=\"requireAdministrator\"")
    message(FATAL_ERROR "${PROGRAM} does not ask for an administrator: ${levels}")
endif()
