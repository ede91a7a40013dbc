# Writes the module-definition file of Lumo.dll's flat functions from the one the linker wrote
# for all of its exports: names without ordinals, the classes' mangled (_Z) names left out.
# Usage: cmake -DIN=linker.def -DOUT=lumo.def -P WriteFlatDef.cmake
file(STRINGS ${IN} lines)
set(text "LIBRARY \"Lumo.dll\"\nEXPORTS\n")
set(count 0)
foreach(line IN LISTS lines)
  if(line MATCHES "^[ \t]+([A-Za-z_][A-Za-z0-9_]*)")
    set(name ${CMAKE_MATCH_1})
    if(NOT name MATCHES "^_Z")
      string(APPEND text "    ${name}\n")
      math(EXPR count "${count} + 1")
    endif()
  endif()
endforeach()
if(count EQUAL 0)
  message(FATAL_ERROR "${IN} lists no flat function")
endif()
file(WRITE ${OUT} "${text}")
