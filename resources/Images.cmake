# The program's pictures are drawn by tools/imagegen/make_images.py into the
# build tree; resource scripts name them by file name (tree.bmp, ...), found
# through the include path given here.
find_package(Python3 REQUIRED COMPONENTS Interpreter)
set(QVX_IMAGE_DIR ${CMAKE_BINARY_DIR}/generated/images)
set(QVX_IMAGES
    ${QVX_IMAGE_DIR}/tree.bmp
    ${QVX_IMAGE_DIR}/toolbar_normal.bmp
    ${QVX_IMAGE_DIR}/toolbar_disabled.bmp
    ${QVX_IMAGE_DIR}/toolbar_hot.bmp
    ${QVX_IMAGE_DIR}/banner.bmp
    ${QVX_IMAGE_DIR}/test_row.bmp
    ${QVX_IMAGE_DIR}/quorvex.ico)
add_custom_command(
  OUTPUT ${QVX_IMAGES}
  COMMAND ${Python3_EXECUTABLE} ${PROJECT_SOURCE_DIR}/tools/imagegen/make_images.py ${QVX_IMAGE_DIR}
  DEPENDS ${PROJECT_SOURCE_DIR}/tools/imagegen/make_images.py
  COMMENT "Drawing the program's pictures"
  VERBATIM)
add_custom_target(qvx_images DEPENDS ${QVX_IMAGES})

# qvx_use_images(<target> <rc files...>): the resource scripts of <target> may name the pictures.
function(qvx_use_images target)
  add_dependencies(${target} qvx_images)
  target_include_directories(${target} PRIVATE ${QVX_IMAGE_DIR})
  foreach(rc ${ARGN})
    set_property(SOURCE ${rc} APPEND PROPERTY OBJECT_DEPENDS ${QVX_IMAGES})
  endforeach()
endfunction()
