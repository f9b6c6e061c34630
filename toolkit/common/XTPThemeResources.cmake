# The toolkit's theme resources: colour tables, PNG images and cursors drawn by
# tools/themegen/make_theme.py into the build tree. The resource script that names them
# (XTPThemeResources.rc, written from XTPThemeResources.rc.in with absolute paths) joins the
# toolkit's resource scripts in QVX_TOOLKIT_COMMON_RC, so every executable that compiles those
# carries the theme; the library depends on the generator so that it has run first.
find_package(Python3 REQUIRED COMPONENTS Interpreter)
# Paths the other folders use too (cache variables: visible in every directory).
set(QVX_PYTHON ${Python3_EXECUTABLE} CACHE INTERNAL "")
set(QVX_THEME_DIR ${CMAKE_BINARY_DIR}/generated/theme CACHE INTERNAL "")
set(QVX_THEME_STAMP ${QVX_THEME_DIR}/themegen.stamp CACHE INTERNAL "")
set(QVX_THEME_RC ${CMAKE_BINARY_DIR}/generated/XTPThemeResources.rc CACHE INTERNAL "")
set(QVX_THEME_TABLE ${PROJECT_SOURCE_DIR}/tools/themegen/theme_table.txt CACHE INTERNAL "")
set(QVX_THEME_SCRIPT ${PROJECT_SOURCE_DIR}/tools/themegen/make_theme.py CACHE INTERNAL "")
configure_file(${CMAKE_CURRENT_SOURCE_DIR}/XTPThemeResources.rc.in ${QVX_THEME_RC} @ONLY)
add_custom_command(
  OUTPUT ${QVX_THEME_STAMP}
  COMMAND ${QVX_PYTHON} ${QVX_THEME_SCRIPT} ${QVX_THEME_DIR}
  COMMAND ${CMAKE_COMMAND} -E touch ${QVX_THEME_STAMP}
  DEPENDS ${QVX_THEME_SCRIPT} ${QVX_THEME_TABLE}
  COMMENT "Drawing the theme colour tables, images and cursors"
  VERBATIM)
add_custom_target(qvx_theme_resources DEPENDS ${QVX_THEME_STAMP})
set(QVX_TOOLKIT_COMMON_RC ${QVX_TOOLKIT_COMMON_RC} ${QVX_THEME_RC} CACHE INTERNAL "toolkit resource scripts")
if(TARGET qvx_toolkit_common)
  add_dependencies(qvx_toolkit_common qvx_theme_resources)
endif()

# qvx_use_theme_resources(<target>): <target> compiles QVX_TOOLKIT_COMMON_RC; its theme script is
# recompiled whenever the generator runs again.
function(qvx_use_theme_resources target)
  add_dependencies(${target} qvx_theme_resources)
  set_property(SOURCE ${QVX_THEME_RC} APPEND PROPERTY OBJECT_DEPENDS ${QVX_THEME_STAMP})
endfunction()
