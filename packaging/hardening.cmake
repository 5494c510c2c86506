# The hardening distributions build their packages with: position-independent
# executables whose relocations are read-only and bound at start, stack
# protector and stack clash checks, control-flow protection, and fortified C
# library calls. The sanitizer and fuzz builds check more than this and leave
# it out (LMX_HARDEN OFF in their presets).

# Qt is built to reduce relocations and wants its users compiled with -fPIC,
# not -fPIE (Qt6::Core adds -fPIC to whatever links it): under -fPIE a
# program's address of a Qt function is not Qt's own, and connections that
# compare them fail. PIC code links into a PIE executable as it is, so the
# executables are compiled with -fPIC as well and linked with -pie; no
# command line holds both options, whose order would decide.
set(CMAKE_POSITION_INDEPENDENT_CODE ON)
set(CMAKE_CXX_COMPILE_OPTIONS_PIE ${CMAKE_CXX_COMPILE_OPTIONS_PIC})
include(CheckPIESupported)
check_pie_supported()

# A compiler or target without one of them builds without it.
include(CheckCXXCompilerFlag)
foreach(flag -fstack-protector-strong -fstack-clash-protection -fcf-protection)
  string(MAKE_C_IDENTIFIER "LMX_CXX_HAS${flag}" supported)
  check_cxx_compiler_flag(${flag} ${supported})
  if(${supported})
    add_compile_options(${flag})
  endif()
endforeach()

# The fortified calls need the optimiser's object sizes: without optimisation
# glibc warns and checks nothing. A compiler that defines a level of its own
# has it replaced.
set(lmx_optimised $<CONFIG:Release,RelWithDebInfo,MinSizeRel>)
add_compile_options($<${lmx_optimised}:-U_FORTIFY_SOURCE> $<${lmx_optimised}:-D_FORTIFY_SOURCE=2>)

include(CheckLinkerFlag)
check_linker_flag(CXX "LINKER:-z,relro,-z,now" LMX_LINKER_HAS_RELRO_NOW)
if(LMX_LINKER_HAS_RELRO_NOW)
  add_link_options(LINKER:-z,relro,-z,now)
endif()
