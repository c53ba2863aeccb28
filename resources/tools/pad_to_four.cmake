# Build step: copies IN to OUT with spaces added at the end up to a multiple of four
# bytes. The module's text files (JSON, where trailing spaces mean nothing) go in this
# way so that, every file in the module being a multiple of four bytes long, every
# picture's pixel rows start four-byte aligned in the module and can be drawn from it
# in place (see PackedImage).
#   cmake -DIN=file -DOUT=file -P pad_to_four.cmake
file(SIZE "${IN}" size)
math(EXPR padding "(4 - ${size} % 4) % 4")
get_filename_component(folder "${OUT}" DIRECTORY)
file(MAKE_DIRECTORY "${folder}")
file(COPY_FILE "${IN}" "${OUT}")
if(padding GREATER 0)
    string(REPEAT " " ${padding} spaces)
    file(APPEND "${OUT}" "${spaces}")
endif()
