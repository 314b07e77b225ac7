# Fails unless PROGRAM imports only DLLs that every Windows installation
# has, so that the program file runs with nothing beside it: no C++ or GCC
# runtime DLL, no pthreads DLL.
#
#   cmake -DOBJDUMP=<objdump> -DPROGRAM=<file.exe> -P check_system_imports.cmake
cmake_minimum_required(VERSION 3.25)

set(system_dlls
    KERNEL32.dll USER32.dll GDI32.dll COMCTL32.dll OLE32.dll OLEAUT32.dll SHELL32.dll
    ADVAPI32.dll gdiplus.dll msvcrt.dll SHLWAPI.dll)
string(TOLOWER "${system_dlls}" system_dlls)

execute_process(COMMAND "${OBJDUMP}" -p "${PROGRAM}" OUTPUT_VARIABLE headers RESULT_VARIABLE status)
if(NOT status EQUAL 0)
    message(FATAL_ERROR "${OBJDUMP} could not read ${PROGRAM}")
endif()
string(REGEX MATCHALL "DLL Name: [^\n]+" imports "${headers}")
if(NOT imports)
    message(FATAL_ERROR "${PROGRAM} lists no imported DLLs")
endif()
foreach(import IN LISTS imports)
    string(REPLACE "DLL Name: " "" dll "${import}")
    string(STRIP "${dll}" dll)
    string(TOLOWER "${dll}" lower)
    if(NOT lower IN_LIST system_dlls)
        message(SEND_ERROR "${PROGRAM} needs ${dll}, which Windows does not ship")
    endif()
    message(STATUS "imports ${dll}")
endforeach()
