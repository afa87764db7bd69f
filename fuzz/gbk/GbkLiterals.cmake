# clang has no -fexec-charset=GBK: every C++ compile goes through gbk-compile.sh, which hands
# clang a copy of the translation unit whose narrow literals hold GBK bytes.
set(TESVO_GBK_LITERALS ${CMAKE_BINARY_DIR}/gbk-literals)
execute_process(
    COMMAND ${CMAKE_CXX_COMPILER} -std=c++17 -O2 -Wall -Wextra
            ${CMAKE_CURRENT_LIST_DIR}/GbkLiterals.cpp -o ${TESVO_GBK_LITERALS}
    RESULT_VARIABLE gbk_result)
if(gbk_result)
    message(FATAL_ERROR "cannot build the GBK literal converter")
endif()
set_property(DIRECTORY APPEND PROPERTY CMAKE_CONFIGURE_DEPENDS
             ${CMAKE_CURRENT_LIST_DIR}/GbkLiterals.cpp)
set(CMAKE_CXX_COMPILER_LAUNCHER ${CMAKE_CURRENT_LIST_DIR}/gbk-compile.sh ${TESVO_GBK_LITERALS})
# A new converter changes every compile command, so that everything is compiled again.
file(MD5 ${CMAKE_CURRENT_LIST_DIR}/GbkLiterals.cpp TESVO_GBK_LITERALS_MD5)
add_compile_definitions(TESVO_GBK_LITERALS_MD5=${TESVO_GBK_LITERALS_MD5})
