# The Debian package: cpack --config <build>/CPackConfig.cmake
set(DREVKALK_PACKAGE_MAINTAINER "Drevkalk developers <drevkalk@drevkalk.se>"
    CACHE STRING "The Maintainer field of the Debian package")

set(CPACK_GENERATOR DEB)
set(CPACK_PACKAGE_NAME drevkalk)
set(CPACK_PACKAGE_VENDOR "Drevkalk")
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "top speed in every gear of a motorcycle or moped")
string(JOIN "\n" CPACK_PACKAGE_DESCRIPTION
    "Drevkalk computes the top speed of a motorcycle or moped in every gear"
    "from the gearbox ratios, the primary and secondary reductions, the"
    "engine's maximum revolutions and the rear wheel's circumference."
    "Setups are kept as small .hoj files. The program is in Swedish.")
set(CPACK_STRIP_FILES ON)
# The package lands in the build directory, not wherever cpack is run; -B overrides this.
set(CPACK_PACKAGE_DIRECTORY ${CMAKE_BINARY_DIR}/package)

set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_MAINTAINER "${DREVKALK_PACKAGE_MAINTAINER}")
set(CPACK_DEBIAN_PACKAGE_SECTION utils)
set(CPACK_DEBIAN_PACKAGE_PRIORITY optional)
# The controls fall back to Liberation Sans, which has the metrics they were laid out for.
set(CPACK_DEBIAN_PACKAGE_RECOMMENDS fonts-liberation)

# dpkg-shlibdeps (dpkg-dev) works out the exact library packages, and needs file(1);
# without them the Qt 6 runtime of Debian 12 is named by hand.
find_program(DREVKALK_DPKG_SHLIBDEPS dpkg-shlibdeps)
find_program(DREVKALK_FILE file)
if(DREVKALK_DPKG_SHLIBDEPS AND DREVKALK_FILE)
    set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
else()
    set(CPACK_DEBIAN_PACKAGE_DEPENDS
        "libqt6widgets6 (>= 6.4), libqt6gui6 (>= 6.4), libqt6core6 (>= 6.4), libstdc++6 (>= 12), libc6")
endif()

# A source package leaves out the git data and every build directory.
set(CPACK_SOURCE_GENERATOR TXZ)
set(CPACK_SOURCE_IGNORE_FILES "/\\\\.git/" "/build[^/]*/")

include(CPack)
