# glyphboard_add_qt_test(<name> SOURCES <files...> LIBS <targets...>)
#
# Builds a Qt Test executable and registers it with CTest. Every Qt test runs
# on Qt's offscreen platform so that the suite needs no display.
function(glyphboard_add_qt_test name)
    cmake_parse_arguments(ARG "" "" "SOURCES;LIBS" ${ARGN})
    add_executable(${name} ${ARG_SOURCES})
    target_link_libraries(${name} PRIVATE Qt6::Test ${ARG_LIBS})
    add_test(NAME ${name} COMMAND ${name})
    set_tests_properties(${name} PROPERTIES
        ENVIRONMENT "QT_QPA_PLATFORM=offscreen;QT_ASSUME_STDERR_HAS_CONSOLE=1"
        TIMEOUT 300)
endfunction()
