# Checks that a program is a GUI program that imports only DLLs every Windows system has: it
# must run from a folder that holds nothing but itself and the interceptor.
# Usage: cmake -DOBJDUMP=<objdump> -DEXE=<program> -P CheckImports.cmake
cmake_minimum_required(VERSION 3.25)

set(SYSTEM_DLLS KERNEL32 USER32 GDI32 ADVAPI32 WS2_32 WSOCK32 OLE32 OLEAUT32 MSVCRT COMCTL32
    SHELL32 COMDLG32 VERSION)

execute_process(COMMAND ${OBJDUMP} -p ${EXE}
    OUTPUT_VARIABLE dump RESULT_VARIABLE status ERROR_VARIABLE err)
if(NOT status EQUAL 0)
    message(FATAL_ERROR "objdump failed on ${EXE}: ${err}")
endif()

if(NOT dump MATCHES "Subsystem[ \t]+00000002")
    message(FATAL_ERROR "${EXE} is not a Windows GUI program")
endif()

string(REGEX MATCHALL "DLL Name: [^\n]+" lines "${dump}")
if(NOT lines)
    message(FATAL_ERROR "no imported DLL found in ${EXE}: not a PE program?")
endif()
set(bad "")
foreach(line IN LISTS lines)
    string(REGEX REPLACE "DLL Name: ([^ \t\r]+).*" "\\1" dll "${line}")
    string(TOUPPER "${dll}" upper)
    string(REGEX REPLACE "\\.DLL$" "" name "${upper}")
    if(NOT name IN_LIST SYSTEM_DLLS)
        list(APPEND bad ${dll})
    endif()
    message(STATUS "imports ${dll}")
endforeach()
if(bad)
    message(FATAL_ERROR "${EXE} imports DLLs that are not system DLLs: ${bad}")
endif()
