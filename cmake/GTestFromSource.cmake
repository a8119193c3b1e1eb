# GoogleTest for a cross build: Debian ships its sources (package googletest) but no
# libraries for the target, so they are built here with the target's compiler. Provides the
# same GTest:: targets as find_package(GTest) and sets GTest_FOUND.
set(VF_GTEST_SOURCE_DIR /usr/src/googletest CACHE PATH "GoogleTest sources to build for the target")
if(EXISTS ${VF_GTEST_SOURCE_DIR}/CMakeLists.txt)
  set(INSTALL_GTEST OFF CACHE BOOL "" FORCE)
  set(BUILD_GMOCK ON CACHE BOOL "" FORCE)
  add_subdirectory(${VF_GTEST_SOURCE_DIR} ${PROJECT_BINARY_DIR}/googletest EXCLUDE_FROM_ALL SYSTEM)
  # The sources name their targets GTest::gtest, GTest::gtest_main, GTest::gmock, ...
  set(GTest_FOUND TRUE)
else()
  set(GTest_FOUND FALSE)
endif()
