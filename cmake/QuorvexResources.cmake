# Resources of a static library. An archive cannot carry resources: the linker takes from it only
# the members that define a symbol the program needs, and no code refers to a resource object. So
# the library's resource scripts are compiled once, into an object library, and their object files
# are put on the link line of every executable or DLL that links the library, directly or through
# other libraries (each object once however many paths lead to it: CMake 3.21 and later place
# $<TARGET_OBJECTS> link items before the libraries and list each once).
#
# qvx_library_resources(<library> <resource scripts...>)
#   Compiles the scripts as the object library <library>_resources (give it the include folders
#   and generators its scripts need, e.g. qvx_generate_images(... FOR <library>_resources)) and
#   attaches its objects to <library>.
function(qvx_library_resources library)
  add_library(${library}_resources OBJECT ${ARGN})
  target_link_libraries(${library} INTERFACE "$<TARGET_OBJECTS:${library}_resources>")
  # The objects exist before anything links the library.
  add_dependencies(${library} ${library}_resources)
endfunction()
