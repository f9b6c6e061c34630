# qvx_split_debug_info(<target>): after each link, the program's debug information moves into
# <file>.debug beside it, and the program keeps only a link to that file (a ".gnu_debuglink" section that
# gdb and addr2line follow). What a user runs carries no debug information; Wine would otherwise read all
# of it into the process's private memory at every start.
find_program(QVX_OBJCOPY NAMES ${QVX_TARGET_TRIPLE}-objcopy objcopy REQUIRED)
function(qvx_split_debug_info target)
  add_custom_command(TARGET ${target} POST_BUILD
    COMMAND ${QVX_OBJCOPY} --only-keep-debug $<TARGET_FILE_NAME:${target}> $<TARGET_FILE_NAME:${target}>.debug
    COMMAND ${QVX_OBJCOPY} --strip-debug --strip-unneeded --add-gnu-debuglink=$<TARGET_FILE_NAME:${target}>.debug
            $<TARGET_FILE_NAME:${target}>
    WORKING_DIRECTORY $<TARGET_FILE_DIR:${target}>
    COMMENT "Moving the debug information of ${target} beside it"
    VERBATIM)
endfunction()
