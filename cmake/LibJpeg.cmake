# libjpeg-turbo for the Windows build, made from Debian's source package.
#
# The source is fetched at build time (scripts/fetch-libjpeg.sh) into the build
# folder and cross-compiled with the same toolchain as a static library; only
# the decoder's library target is built. The result is the imported target
# lumeko_libjpeg. LUMEKO_LIBJPEG_SOURCE is the unpacked tree, whose test
# pictures the render tests read.
include(ExternalProject)

set(LUMEKO_LIBJPEG_DIR ${CMAKE_BINARY_DIR}/third_party/libjpeg)
set(LUMEKO_LIBJPEG_SOURCE ${LUMEKO_LIBJPEG_DIR}/libjpeg-turbo CACHE INTERNAL "")
set(LUMEKO_LIBJPEG_BUILD ${LUMEKO_LIBJPEG_DIR}/build)
set(_lj_lib ${LUMEKO_LIBJPEG_BUILD}/libjpeg.a)

ExternalProject_Add(libjpeg_turbo_ext
  PREFIX ${LUMEKO_LIBJPEG_DIR}/ep
  DOWNLOAD_COMMAND bash ${LUMEKO_ROOT}/scripts/fetch-libjpeg.sh ${LUMEKO_LIBJPEG_DIR}
  SOURCE_DIR ${LUMEKO_LIBJPEG_SOURCE}
  BINARY_DIR ${LUMEKO_LIBJPEG_BUILD}
  UPDATE_COMMAND ""
  CMAKE_ARGS
    -DCMAKE_TOOLCHAIN_FILE=${CMAKE_TOOLCHAIN_FILE}
    -DCMAKE_BUILD_TYPE=Release
    -DCMAKE_INSTALL_PREFIX=${LUMEKO_LIBJPEG_DIR}/install
    -DCMAKE_CROSSCOMPILING_EMULATOR=
    -DENABLE_SHARED=OFF -DENABLE_STATIC=ON
    -DWITH_TURBOJPEG=OFF -DWITH_JAVA=OFF
    -DWITH_SIMD=ON -DREQUIRE_SIMD=OFF
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
