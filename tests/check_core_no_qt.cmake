# Fails when a file of the core (model, input, footing, design, project, output) or of the print layout
# includes a Qt header.
file(GLOB_RECURSE files ${ROOT}/src/model/* ${ROOT}/src/input/* ${ROOT}/src/footing/* ${ROOT}/src/design/* ${ROOT}/src/project/* ${ROOT}/src/output/*
  ${ROOT}/src/print/*)
set(bad "")
foreach(f ${files})
  file(STRINGS ${f} lines REGEX "^[ \t]*#[ \t]*include[ \t]*[<\"]Q")
  if(lines)
    list(APPEND bad "${f}: ${lines}")
  endif()
endforeach()
if(bad)
  message(FATAL_ERROR "Qt headers in the core:\n${bad}")
endif()
