# Pictures drawn at build time by the Python generators under tools/ (the program's pictures, the
# controls' toolbar bitmap, the theme tables and images, the image test files). One function runs
# every generator and hands its output to the targets whose resource scripts name it.
#
# qvx_generate_images(<name> SCRIPT <generator.py> DIR <output folder>
#                     {OUTPUTS <file names...> | STAMP}
#                     [DEPENDS <more inputs...>] [COMMENT <text>] [FOR <targets...>])
#   Runs "python <generator.py> <output folder>" whenever the generator or one of DEPENDS changes,
#   as the custom target <name>. OUTPUTS names the files the generator writes (relative to the
#   folder); a generator whose files are decided by its input instead (STAMP) is followed through
#   <output folder>/<name>.stamp, touched after each run. Each target of FOR waits for the
#   generator, finds the files through its include path (scripts name them by file name, "tree.bmp")
#   and compiles its resource scripts (.rc sources) again when they change.
#
# qvx_generate_images(<name> FOR <targets...>)
#   The same for targets of another folder whose own scripts name the pictures of a generator
#   defined before (call it in the folder that defines the targets: a source's dependencies are
#   kept per folder).
find_package(Python3 REQUIRED COMPONENTS Interpreter)
set(QVX_PYTHON ${Python3_EXECUTABLE})

function(qvx_generate_images name)
  cmake_parse_arguments(G "STAMP" "SCRIPT;DIR;COMMENT" "OUTPUTS;DEPENDS;FOR" ${ARGN})
  if(G_UNPARSED_ARGUMENTS)
    message(FATAL_ERROR "qvx_generate_images(${name}): unknown arguments ${G_UNPARSED_ARGUMENTS}")
  endif()
  if(G_SCRIPT)
    if(NOT G_DIR OR (NOT G_OUTPUTS AND NOT G_STAMP) OR (G_OUTPUTS AND G_STAMP))
      message(FATAL_ERROR "qvx_generate_images(${name}): give SCRIPT, DIR and either OUTPUTS or STAMP")
    endif()
    if(NOT G_COMMENT)
      get_filename_component(script_name ${G_SCRIPT} NAME)
      set(G_COMMENT "Drawing pictures with ${script_name}")
    endif()
    if(G_STAMP)
      set(files ${G_DIR}/${name}.stamp)
      set(touch COMMAND ${CMAKE_COMMAND} -E touch ${files})
    else()
      list(TRANSFORM G_OUTPUTS PREPEND ${G_DIR}/ OUTPUT_VARIABLE files)
      set(touch)
    endif()
    add_custom_command(
      OUTPUT ${files}
      COMMAND ${QVX_PYTHON} ${G_SCRIPT} ${G_DIR}
      ${touch}
      DEPENDS ${G_SCRIPT} ${G_DEPENDS}
      COMMENT "${G_COMMENT}"
      VERBATIM)
    add_custom_target(${name} DEPENDS ${files})
    set_target_properties(${name} PROPERTIES QVX_IMAGE_DIR ${G_DIR} QVX_IMAGE_FILES "${files}")
  elseif(G_DIR OR G_OUTPUTS OR G_STAMP OR G_DEPENDS OR G_COMMENT)
    message(FATAL_ERROR "qvx_generate_images(${name}): DIR, OUTPUTS, STAMP, DEPENDS and COMMENT go with SCRIPT")
  elseif(NOT TARGET ${name})
    message(FATAL_ERROR "qvx_generate_images(${name}): no such generator")
  endif()

  get_target_property(dir ${name} QVX_IMAGE_DIR)
  get_target_property(files ${name} QVX_IMAGE_FILES)
  foreach(target ${G_FOR})
    add_dependencies(${target} ${name})
    target_include_directories(${target} PRIVATE ${dir})
    get_target_property(sources ${target} SOURCES)
    list(FILTER sources INCLUDE REGEX "\\.rc$")
    foreach(rc ${sources})
      set_property(SOURCE ${rc} APPEND PROPERTY OBJECT_DEPENDS ${files})
    endforeach()
  endforeach()
endfunction()
