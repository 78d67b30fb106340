cmake_minimum_required(VERSION 3.20)
# Headers that most files include stay light: what the host, the server, the
# AF's model and tool rules and the areas' view of the workspace declare never
# pulls in widgets, and the workspace's class never pulls in its state. A
# header that does makes every file that includes it compile the widget
# headers too, and the clean build grows with each new area.
set(light_globs
  ${ROOT}/host/*.h
  ${ROOT}/platform/server/*.h
  ${ROOT}/afdesk/core/model/*.h
  ${ROOT}/afdesk/core/tools/*.h
  ${ROOT}/afdesk/core/workspace/workspace_site.h)

# The project's headers a header reaches, itself included, and the Qt headers on the way.
function(reached header out_project out_qt)
  set(todo ${header})
  set(seen)
  set(qt)
  while(todo)
    list(POP_FRONT todo current)
    if(current IN_LIST seen OR NOT EXISTS ${ROOT}/${current})
      continue()
    endif()
    list(APPEND seen ${current})
    file(STRINGS ${ROOT}/${current} lines REGEX "^[ \t]*#[ \t]*include[ \t]*[<\"]")
    foreach(line IN LISTS lines)
      string(REGEX REPLACE "^[ \t]*#[ \t]*include[ \t]*[<\"]([^>\"]+)[>\"].*" "\\1" inc "${line}")
      if(inc MATCHES "^Qt[A-Za-z]+/")
        list(APPEND qt ${inc})
      else()
        list(APPEND todo ${inc})
      endif()
    endforeach()
  endwhile()
  set(${out_project} ${seen} PARENT_SCOPE)
  set(${out_qt} ${qt} PARENT_SCOPE)
endfunction()

set(offenders)
file(GLOB_RECURSE light ${light_globs})
foreach(f IN LISTS light)
  file(RELATIVE_PATH rel ${ROOT} ${f})
  if(rel MATCHES "(fixture|testing|test_)[^/]*\\.h$" OR rel MATCHES "/testing/")
    continue()
  endif()
  reached(${rel} project qt)
  list(FILTER qt INCLUDE REGEX "^QtWidgets/")
  if(qt)
    list(GET qt 0 first)
    list(APPEND offenders "${rel} reaches ${first}")
  endif()
endforeach()

reached(afdesk/core/workspace/lanca_autof.h project qt)
if("afdesk/core/workspace/workspace_state.h" IN_LIST project)
  list(APPEND offenders "afdesk/core/workspace/lanca_autof.h reaches the workspace's state")
endif()

if(offenders)
  list(JOIN offenders "\n  " text)
  message(FATAL_ERROR "widely included headers grew heavy:\n  ${text}")
endif()
list(LENGTH light count)
message(STATUS "${count} light headers checked")
