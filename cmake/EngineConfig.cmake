# Builds build/firebird: firebird.conf in Classic mode, the message file,
# the plugins (linked) and a real copy of intl (the engine refuses a linked
# intl folder for non built-in character sets).
set(MAVO_FB_SYSTEM_ROOT "/usr/lib/x86_64-linux-gnu/firebird/3.0" CACHE PATH "Installed Firebird root")
set(MAVO_ENGINE_DIR ${CMAKE_BINARY_DIR}/firebird)
add_custom_command(
  OUTPUT ${MAVO_ENGINE_DIR}/firebird.conf
  COMMAND ${CMAKE_COMMAND} -E make_directory ${MAVO_ENGINE_DIR}/intl
  COMMAND ${CMAKE_COMMAND} -E copy ${CMAKE_SOURCE_DIR}/engine/firebird.conf ${MAVO_ENGINE_DIR}/firebird.conf
  COMMAND ${CMAKE_COMMAND} -E copy ${MAVO_FB_SYSTEM_ROOT}/firebird.msg ${MAVO_ENGINE_DIR}/firebird.msg
  COMMAND ${CMAKE_COMMAND} -E copy ${MAVO_FB_SYSTEM_ROOT}/plugins.conf ${MAVO_ENGINE_DIR}/plugins.conf
  COMMAND ${CMAKE_COMMAND} -E copy ${MAVO_FB_SYSTEM_ROOT}/intl/libfbintl.so ${MAVO_ENGINE_DIR}/intl/libfbintl.so
  COMMAND ${CMAKE_COMMAND} -E copy ${MAVO_FB_SYSTEM_ROOT}/intl/fbintl.conf ${MAVO_ENGINE_DIR}/intl/fbintl.conf
  COMMAND ${CMAKE_COMMAND} -E create_symlink ${MAVO_FB_SYSTEM_ROOT}/plugins ${MAVO_ENGINE_DIR}/plugins
  DEPENDS ${CMAKE_SOURCE_DIR}/engine/firebird.conf
  COMMENT "Engine configuration directory")
add_custom_target(mavo_engine_conf ALL DEPENDS ${MAVO_ENGINE_DIR}/firebird.conf)
