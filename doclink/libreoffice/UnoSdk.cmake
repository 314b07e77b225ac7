# Locates the LibreOffice SDK and the office's URE, generates the C++ headers
# of the UNO types the link uses, and provides the interface target
# glyphboard_uno that compiles and links a UNO client.

include(SystemPaths)
glyphboard_system_paths(libreoffice-home _uno_default_home)
set(LIBREOFFICE_HOME "${_uno_default_home}" CACHE PATH
    "LibreOffice installation holding program/ and sdk/")

set(LIBREOFFICE_PROGRAM_DIR "${LIBREOFFICE_HOME}/program")
set(LIBREOFFICE_SDK_DIR "${LIBREOFFICE_HOME}/sdk")
set(_uno_cppumaker "${LIBREOFFICE_SDK_DIR}/bin/cppumaker")
set(_uno_type_libraries
    "${LIBREOFFICE_PROGRAM_DIR}/types.rdb"
    "${LIBREOFFICE_PROGRAM_DIR}/types/offapi.rdb")

# The files of the installation that the build and the tests read, named in
# tools/deps/system-paths.txt under the default home and looked for under
# LIBREOFFICE_HOME.
glyphboard_system_paths(libreoffice-file _uno_files _uno_packages)
foreach(default_path package IN ZIP_LISTS _uno_files _uno_packages)
    file(RELATIVE_PATH relative "${_uno_default_home}" "${default_path}")
    set(required "${LIBREOFFICE_HOME}/${relative}")
    if(NOT EXISTS "${required}")
        string(REPLACE "|" " or " package "${package}")
        message(FATAL_ERROR
            "The LibreOffice SDK or office is missing (${required} not found). "
            "The palette types into Writer through UNO and cannot be built without it: "
            "install the Debian package ${package} (tools/setup.sh run does so) "
            "or point LIBREOFFICE_HOME at another LibreOffice installation.")
    endif()
endforeach()

# Only the types the link and its test harness use; cppumaker adds what they
# depend on, except the arguments of service constructors. The runtime's own
# modules come whole, for the helper headers of the SDK.
set(_uno_types
    com.sun.star.uno.*
    com.sun.star.lang.*
    com.sun.star.bridge.XBridge
    com.sun.star.bridge.XBridgeFactory2
    com.sun.star.connection.XConnector
    com.sun.star.text.XTextViewCursor
    com.sun.star.beans.XPropertySet
    com.sun.star.beans.PropertyValue
    com.sun.star.beans.NamedValue
    com.sun.star.task.XJob
    com.sun.star.registry.XRegistryKey
    com.sun.star.connection.XConnection
    com.sun.star.bridge.BridgeFactory
    com.sun.star.connection.Connector
    com.sun.star.connection.NoConnectException
    com.sun.star.container.XEnumerationAccess
    com.sun.star.document.XUndoManagerSupplier
    com.sun.star.awt.AsyncCallback
    com.sun.star.frame.Desktop
    com.sun.star.frame.DispatchHelper
    com.sun.star.frame.XComponentLoader
    com.sun.star.frame.XDispatchProvider
    com.sun.star.frame.XModel
    com.sun.star.frame.XStorable
    com.sun.star.lang.DisposedException
    com.sun.star.lang.XComponent
    com.sun.star.lang.XEventListener
    com.sun.star.style.XStyleFamiliesSupplier
    com.sun.star.text.ControlCharacter
    com.sun.star.text.XTextDocument
    com.sun.star.text.XTextSection
    com.sun.star.text.XTextContent
    com.sun.star.frame.XStorable
    com.sun.star.text.XTextViewCursorSupplier
    com.sun.star.util.XCloseable
    com.sun.star.view.XSelectionSupplier)

set(UNO_GENERATED_INCLUDE_DIR "${CMAKE_CURRENT_BINARY_DIR}/uno-include")
set(_uno_stamp "${UNO_GENERATED_INCLUDE_DIR}/.generated")
set(_uno_type_args "")
foreach(type IN LISTS _uno_types)
    list(APPEND _uno_type_args "-T${type}")
endforeach()
add_custom_command(
    OUTPUT "${_uno_stamp}"
    COMMAND "${CMAKE_COMMAND}" -E rm -rf "${UNO_GENERATED_INCLUDE_DIR}"
    COMMAND "${_uno_cppumaker}" -Gc "-O${UNO_GENERATED_INCLUDE_DIR}" ${_uno_type_args}
            ${_uno_type_libraries}
    COMMAND "${CMAKE_COMMAND}" -E touch "${_uno_stamp}"
    DEPENDS ${_uno_type_libraries} "${CMAKE_CURRENT_LIST_FILE}"
    COMMENT "Generating the C++ headers of the UNO types"
    VERBATIM)
add_custom_target(glyphboard_uno_headers DEPENDS "${_uno_stamp}")

add_library(glyphboard_uno INTERFACE)
add_dependencies(glyphboard_uno glyphboard_uno_headers)
target_include_directories(glyphboard_uno SYSTEM INTERFACE
    "${UNO_GENERATED_INCLUDE_DIR}" "${LIBREOFFICE_SDK_DIR}/include")
target_compile_definitions(glyphboard_uno INTERFACE LINUX UNX CPPU_ENV=gcc3
    LIBREOFFICE_PROGRAM_DIR="${LIBREOFFICE_PROGRAM_DIR}")
target_link_libraries(glyphboard_uno INTERFACE
    "${LIBREOFFICE_SDK_DIR}/lib/libuno_cppuhelpergcc3.so"
    "${LIBREOFFICE_SDK_DIR}/lib/libuno_cppu.so"
    "${LIBREOFFICE_SDK_DIR}/lib/libuno_sal.so")
# The URE libraries live in the office's program folder, which is not on the
# loader's path.
target_link_options(glyphboard_uno INTERFACE
    "LINKER:-rpath-link,${LIBREOFFICE_PROGRAM_DIR}"
    "LINKER:-rpath,${LIBREOFFICE_PROGRAM_DIR}")
