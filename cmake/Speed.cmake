# Build speed. Most of a file's compile time goes to generating the code of
# the Qt and GoogleTest templates and inline functions it uses, not to parsing
# headers (precompiled headers were measured here and made the build slower:
# loading a compiled header of 160-280 MB costs more than it saves). Compiling
# the files of a target in batches (unity build) generates that code once per
# batch instead of once per file; names in anonymous namespaces must therefore
# be unique within a target. The compiler cache is used when it is installed.

option(MAVO_UNITY "Compile each target's files in batches" ON)
if(MAVO_UNITY)
  set(CMAKE_UNITY_BUILD ON)
  set(CMAKE_UNITY_BUILD_BATCH_SIZE 8)
  # A test fixture in an anonymous namespace is the base of the test's class:
  # harmless, but in a batch the compiler no longer sees it in the main file.
  add_compile_options(-Wno-subobject-linkage)
endif()

find_program(MAVO_CCACHE ccache)
if(MAVO_CCACHE)
  set(CMAKE_CXX_COMPILER_LAUNCHER ${MAVO_CCACHE})
endif()
