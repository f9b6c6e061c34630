# The toolkit's theme resources: colour tables, PNG images and cursors drawn by
# tools/themegen/make_theme.py into the build tree and compiled through XTPThemeResources.rc.
# qvx_use_theme_resources(<target>) puts them into a program or test executable.
find_package(Python3 REQUIRED COMPONENTS Interpreter)
set(QVX_THEME_DIR ${CMAKE_BINARY_DIR}/generated/theme)
set(QVX_THEME_STAMP ${QVX_THEME_DIR}/themegen.stamp)
set(QVX_THEME_TABLE ${PROJECT_SOURCE_DIR}/tools/themegen/theme_table.txt)
set(QVX_THEME_SCRIPT ${PROJECT_SOURCE_DIR}/tools/themegen/make_theme.py)
add_custom_command(
  OUTPUT ${QVX_THEME_STAMP}
  COMMAND ${Python3_EXECUTABLE} ${QVX_THEME_SCRIPT} ${QVX_THEME_DIR}
  COMMAND ${CMAKE_COMMAND} -E touch ${QVX_THEME_STAMP}
  DEPENDS ${QVX_THEME_SCRIPT} ${QVX_THEME_TABLE}
  COMMENT "Drawing the theme colour tables, images and cursors"
  VERBATIM)
add_custom_target(qvx_theme_resources DEPENDS ${QVX_THEME_STAMP})

function(qvx_use_theme_resources target)
  set(rc ${PROJECT_SOURCE_DIR}/toolkit/common/XTPThemeResources.rc)
  target_sources(${target} PRIVATE ${rc})
  add_dependencies(${target} qvx_theme_resources)
  target_include_directories(${target} PRIVATE ${QVX_THEME_DIR})
  set_property(SOURCE ${rc} TARGET_DIRECTORY ${target} APPEND PROPERTY OBJECT_DEPENDS ${QVX_THEME_STAMP})
endfunction()
