# Debian has no GoogleTest built for Windows, only its source: it is built
# here with the rest, and names its targets as find_package(GTest) does.
set(MURKWELL_GOOGLETEST_SOURCE /usr/src/googletest CACHE PATH "GoogleTest's source, built for Windows")
set(INSTALL_GTEST OFF)
add_subdirectory(${MURKWELL_GOOGLETEST_SOURCE} ${CMAKE_BINARY_DIR}/googletest EXCLUDE_FROM_ALL SYSTEM)

# The suites run under the emulator (Wine), which is slow to start on a
# prefix it has not set up yet: they are listed when ctest runs, not at build.
set(CMAKE_GTEST_DISCOVER_TESTS_DISCOVERY_MODE PRE_TEST)
# Windows programs see this machine's files on drive Z:.
set(MURKWELL_TEST_DRIVE "Z:")
