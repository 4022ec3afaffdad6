# libjpeg-turbo for the Windows build, made from Debian's source package.
#
# The source is fetched at build time (scripts/fetch-libjpeg.sh) into
# build/libjpeg-source, once for all build trees, and compiled in each tree as
# a static library with the same compiler as ours: the
# mingw toolchain for the DLL, or natively with our own flags (the fuzz build
# instruments it so the fuzzer sees inside the decoder). Only the library
# target is built. The result is the imported target
# lumeko_libjpeg. LUMEKO_LIBJPEG_SOURCE is the unpacked tree, whose test
# pictures the render tests read.
include(ExternalProject)

set(LUMEKO_LIBJPEG_DIR ${CMAKE_BINARY_DIR}/third_party/libjpeg)
set(LUMEKO_LIBJPEG_FETCHED ${LUMEKO_ROOT}/build/libjpeg-source)
set(LUMEKO_LIBJPEG_SOURCE ${LUMEKO_LIBJPEG_FETCHED}/libjpeg-turbo CACHE INTERNAL "")
set(LUMEKO_LIBJPEG_BUILD ${LUMEKO_LIBJPEG_DIR}/build)
if(MSVC)
  set(_lj_lib ${LUMEKO_LIBJPEG_BUILD}/jpeg-static.lib)
else()
  set(_lj_lib ${LUMEKO_LIBJPEG_BUILD}/libjpeg.a)
endif()

if(CMAKE_CROSSCOMPILING)
  set(_lj_compiler_args -DCMAKE_TOOLCHAIN_FILE=${CMAKE_TOOLCHAIN_FILE} -DWITH_SIMD=ON)
else()
  # Plain C paths only: the SIMD routines are assembly no sanitizer sees.
  set(_lj_compiler_args -DCMAKE_C_COMPILER=${CMAKE_C_COMPILER} "-DCMAKE_C_FLAGS=${CMAKE_C_FLAGS}"
      -DCMAKE_POSITION_INDEPENDENT_CODE=ON -DWITH_SIMD=OFF)
endif()

# Elsewhere than Debian (a Windows build, say) point LUMEKO_LIBJPEG_SOURCE_DIR
# at an unpacked libjpeg-turbo source tree instead.
set(LUMEKO_LIBJPEG_SOURCE_DIR "" CACHE PATH "An unpacked libjpeg-turbo source tree (default: Debian's, fetched)")
if(LUMEKO_LIBJPEG_SOURCE_DIR)
  set(LUMEKO_LIBJPEG_SOURCE ${LUMEKO_LIBJPEG_SOURCE_DIR} CACHE INTERNAL "" FORCE)
  set(_lj_download DOWNLOAD_COMMAND "")
else()
  set(_lj_download DOWNLOAD_COMMAND bash ${LUMEKO_ROOT}/scripts/fetch-libjpeg.sh ${LUMEKO_LIBJPEG_FETCHED})
endif()

ExternalProject_Add(libjpeg_turbo_ext
  PREFIX ${LUMEKO_LIBJPEG_DIR}/ep
  ${_lj_download}
  SOURCE_DIR ${LUMEKO_LIBJPEG_SOURCE}
  BINARY_DIR ${LUMEKO_LIBJPEG_BUILD}
  UPDATE_COMMAND ""
  CMAKE_ARGS
    ${_lj_compiler_args}
    -DCMAKE_BUILD_TYPE=Release
    -DCMAKE_INSTALL_PREFIX=${LUMEKO_LIBJPEG_DIR}/install
    -DCMAKE_CROSSCOMPILING_EMULATOR=
    -DENABLE_SHARED=OFF -DENABLE_STATIC=ON
    -DWITH_TURBOJPEG=OFF -DWITH_JAVA=OFF
    -DREQUIRE_SIMD=OFF
    -DCMAKE_ASM_NASM_COMPILER=nasm
  BUILD_COMMAND ${CMAKE_COMMAND} --build . --target jpeg-static
  INSTALL_COMMAND ${CMAKE_COMMAND} -E copy
    ${LUMEKO_LIBJPEG_SOURCE}/jpeglib.h ${LUMEKO_LIBJPEG_SOURCE}/jmorecfg.h
    ${LUMEKO_LIBJPEG_SOURCE}/jerror.h ${LUMEKO_LIBJPEG_BUILD}/jconfig.h
    ${LUMEKO_LIBJPEG_DIR}/include
  BUILD_BYPRODUCTS ${_lj_lib}
  LOG_DOWNLOAD ON LOG_CONFIGURE ON LOG_BUILD ON)

# The headers are copied to include/ after the build; the folder must exist at
# configure time for the imported target.
file(MAKE_DIRECTORY ${LUMEKO_LIBJPEG_BUILD} ${LUMEKO_LIBJPEG_DIR}/include)
add_library(lumeko_libjpeg STATIC IMPORTED GLOBAL)
set_target_properties(lumeko_libjpeg PROPERTIES IMPORTED_LOCATION ${_lj_lib})
target_include_directories(lumeko_libjpeg INTERFACE ${LUMEKO_LIBJPEG_DIR}/include)
add_dependencies(lumeko_libjpeg libjpeg_turbo_ext)
