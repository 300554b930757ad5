# Hosts built by other compilers than the module's, each run under Wine against dist/ as an
# integrator installs it (RunSampleHost.cmake):
# - ConformanceHost.c, the scenario of a suite program in C, built twice: by the toolchain's gcc
#   (no C++ runtime at all) and by clang for the MSVC ABI (lld-link, no MSVC runtime: the
#   system's msvcrt.dll and import libraries made here from the .def files in msvc/), which
#   proves that MSVC's calling conventions and struct layouts meet the contract's;
# - PlainFaceHost.cpp, C++ built by clang for the MSVC ABI the same way from the plain C++ face
#   interfaces/OrvoContract.hpp alone: MSVC's C++ vtables and `this` on both sides of the call;
# - the sample hosts of examples/, the short ones a host author starts from: the C one built
#   here, the Pascal one built from the unpacked package (orvo_wine_pascal_sample);
# - PascalHost.dpr, Object Pascal built by Free Pascal for i386-win32 (scripts/setup builds that
#   compiler into build/fpc-win32) from the generated unit interfaces/OrvoContract.pas alone, with
#   what only Pascal shows: exceptions and safecall, bound methods of objects, reference counts.
# Included from tests/wine/CMakeLists.txt in the Windows build.
set(orvo_foreign_run ${CMAKE_COMMAND} -DDIST=${ORVO_DIST_DIR} -DEMULATOR=${CMAKE_CROSSCOMPILING_EMULATOR}
                     -DOBJDUMP=${CMAKE_OBJDUMP})
set(orvo_foreign_env "WINEDEBUG=-all;WINEPREFIX=${CMAKE_BINARY_DIR}/wineprefix")
# orvo_foreign_host(<test> <program> <scenario>): runs the program as an integrator would and
# checks the steps it prints (HostSteps.cmake).
function(orvo_foreign_host test program scenario)
  add_test(NAME ${test} COMMAND ${orvo_foreign_run} -DHOST=${program} -DWORK=${CMAKE_CURRENT_BINARY_DIR}/${test}
                                -DSCENARIO=${scenario} -P ${CMAKE_CURRENT_LIST_DIR}/RunSampleHost.cmake)
  set_tests_properties(${test} PROPERTIES TIMEOUT 300 ENVIRONMENT "${orvo_foreign_env}")
endfunction()

add_executable(ConformanceHost ConformanceHost.c)
set_target_properties(ConformanceHost PROPERTIES C_STANDARD 99 C_STANDARD_REQUIRED ON)
target_include_directories(ConformanceHost PRIVATE ${PROJECT_SOURCE_DIR}/interfaces)
target_compile_options(ConformanceHost PRIVATE -Wall -Wextra)
target_link_libraries(ConformanceHost PRIVATE orvo_interfaces)
orvo_foreign_host(orvo_wine_c_host $<TARGET_FILE:ConformanceHost> conformance)
orvo_foreign_host(orvo_wine_sample_host $<TARGET_FILE:SampleHost> sample)

find_program(ORVO_CLANG NAMES clang clang-14)
find_program(ORVO_LLD_LINK NAMES lld-link lld-link-14)
find_program(ORVO_LLVM_DLLTOOL NAMES llvm-dlltool llvm-dlltool-14)
if(NOT ORVO_CLANG OR NOT ORVO_LLD_LINK OR NOT ORVO_LLVM_DLLTOOL)
  message(FATAL_ERROR "the MSVC-ABI host needs clang, lld-link and llvm-dlltool (scripts/setup installs them)")
endif()

set(msvc_dir ${CMAKE_CURRENT_BINARY_DIR}/msvc-host)
set(msvc_libs)
foreach(dll kernel32 msvcrt oleaut32)
  # -k: the names are imported without their stdcall "@<bytes>", as the DLLs export them.
  add_custom_command(OUTPUT ${msvc_dir}/${dll}.lib
    COMMAND ${CMAKE_COMMAND} -E make_directory ${msvc_dir}
    COMMAND ${ORVO_LLVM_DLLTOOL} -m i386 -k -d ${CMAKE_CURRENT_LIST_DIR}/msvc/${dll}.def -l ${msvc_dir}/${dll}.lib
    DEPENDS ${CMAKE_CURRENT_LIST_DIR}/msvc/${dll}.def VERBATIM)
  list(APPEND msvc_libs ${msvc_dir}/${dll}.lib)
endforeach()
# orvo_msvc_program(<exe> <source> <clang flags...>): compiled by clang for the MSVC ABI, linked by lld-link.
function(orvo_msvc_program exe source)
  get_filename_component(obj ${source} NAME_WE)
  set(obj ${msvc_dir}/${obj}.obj)
  add_custom_command(OUTPUT ${obj}
    COMMAND ${ORVO_CLANG} --target=i686-pc-windows-msvc ${ARGN} -O1 -ffreestanding -Wall -Wextra -Werror
            -I${PROJECT_SOURCE_DIR}/interfaces -c ${CMAKE_CURRENT_LIST_DIR}/${source} -o ${obj}
    DEPENDS ${CMAKE_CURRENT_LIST_DIR}/${source} ${CMAKE_CURRENT_LIST_DIR}/HostSystem.h
            ${PROJECT_SOURCE_DIR}/interfaces/OrvoContract.hpp ${PROJECT_SOURCE_DIR}/interfaces/OrvoContract.h VERBATIM)
  add_custom_command(OUTPUT ${msvc_dir}/${exe}
    COMMAND ${ORVO_LLD_LINK} /nologo /nodefaultlib /subsystem:console /entry:HostStart /out:${msvc_dir}/${exe}
            ${obj} ${msvc_libs}
    DEPENDS ${obj} ${msvc_libs} VERBATIM)
endfunction()
orvo_msvc_program(MsvcHost.exe ConformanceHost.c -std=c99)
orvo_msvc_program(PlainFaceHost.exe PlainFaceHost.cpp -std=c++14 -fno-exceptions -fno-rtti)
add_custom_target(orvo_msvc_host ALL DEPENDS ${msvc_dir}/MsvcHost.exe ${msvc_dir}/PlainFaceHost.exe)
orvo_foreign_host(orvo_wine_msvc_host ${msvc_dir}/MsvcHost.exe conformance)
orvo_foreign_host(orvo_wine_plain_face_host ${msvc_dir}/PlainFaceHost.exe plain)

set(ORVO_FPC_DIR ${PROJECT_SOURCE_DIR}/build/fpc-win32 CACHE PATH "Free Pascal's i386-win32 compiler and RTL")
if(NOT EXISTS ${ORVO_FPC_DIR}/compiler/ppc386 OR NOT EXISTS ${ORVO_FPC_DIR}/units/comobj.ppu)
  message(FATAL_ERROR "the Pascal host needs Free Pascal's i386-win32 compiler in ${ORVO_FPC_DIR} (scripts/setup builds it)")
endif()
set(pascal_dir ${CMAKE_CURRENT_BINARY_DIR}/pascal-host)
# -Sew: a warning fails the build, as for the module.
add_custom_command(OUTPUT ${pascal_dir}/PascalHost.exe
  COMMAND ${CMAKE_COMMAND} -E make_directory ${pascal_dir}/units
  COMMAND ${ORVO_FPC_DIR}/compiler/ppc386 -Twin32 -Mdelphi -O2 -vew -Sew -Fu${ORVO_FPC_DIR}/rtl/units/i386-win32
          -Fu${ORVO_FPC_DIR}/units -Fu${PROJECT_SOURCE_DIR}/interfaces -FU${pascal_dir}/units
          -o${pascal_dir}/PascalHost.exe ${CMAKE_CURRENT_LIST_DIR}/PascalHost.dpr
  DEPENDS ${CMAKE_CURRENT_LIST_DIR}/PascalHost.dpr ${PROJECT_SOURCE_DIR}/interfaces/OrvoContract.pas VERBATIM)
add_custom_target(orvo_pascal_host ALL DEPENDS ${pascal_dir}/PascalHost.exe)
# The unit's texts are a pointer type of their own: the compiler refuses a string literal, a
# PAnsiChar and a PAnsiChar cast for one, and one for an out PAnsiChar, in that order.
add_test(NAME orvo_pascal_text_refuses_literal
         COMMAND ${ORVO_FPC_DIR}/compiler/ppc386 -Twin32 -Mdelphi -ve -Fu${ORVO_FPC_DIR}/rtl/units/i386-win32
                 -Fu${ORVO_FPC_DIR}/units -Fu${PROJECT_SOURCE_DIR}/interfaces -FU${pascal_dir}/units -s
                 ${CMAKE_CURRENT_LIST_DIR}/PascalTextLiteral.dpr)
set(refused "Got \"Constant String\", expected \"TOrvoText\".*Got \"PChar\", expected \"TOrvoText\".*")
string(APPEND refused "Got \"PChar\", expected \"TOrvoText\".*got \"TOrvoText\" expected \"PChar\".*There were 4 errors")
set_tests_properties(orvo_pascal_text_refuses_literal PROPERTIES PASS_REGULAR_EXPRESSION "${refused}")

orvo_foreign_host(orvo_wine_pascal_host ${pascal_dir}/PascalHost.exe pascal)
