# cmake -D SOURCE=<tree> -D BINARY=<native build> -D "TARGETS=a;b" -P BuildHostTargets.cmake
#
# Configures the native build with the host's own compilers unless it is
# configured already, then builds the targets there.
if(NOT EXISTS "${BINARY}/CMakeCache.txt")
    execute_process(
        COMMAND "${CMAKE_COMMAND}" -E env --unset=CMAKE_TOOLCHAIN_FILE
                "${CMAKE_COMMAND}" -S "${SOURCE}" -B "${BINARY}" -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo
        COMMAND_ERROR_IS_FATAL ANY)
endif()
foreach(target IN LISTS TARGETS)
    list(APPEND target_arguments --target ${target})
endforeach()
execute_process(COMMAND "${CMAKE_COMMAND}" --build "${BINARY}" ${target_arguments}
                COMMAND_ERROR_IS_FATAL ANY)
