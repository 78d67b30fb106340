# The areas of the AF workspace see it through WorkspaceSite: outside the
# workspace's own folder, only the deliverable's entry points and tests may
# include the workspace's class.
file(GLOB_RECURSE sources ${ROOT}/afdesk/*.cpp ${ROOT}/afdesk/*.h)
set(offenders)
foreach(f IN LISTS sources)
  file(RELATIVE_PATH rel ${ROOT} ${f})
  if(rel MATCHES "^afdesk/core/workspace/" OR rel STREQUAL "afdesk/afdesk_exports.cpp"
     OR rel MATCHES "_test\\.cpp$" OR rel MATCHES "fixture[^/]*\\.h$")
    continue()
  endif()
  file(STRINGS ${f} hits REGEX "#include \"afdesk/core/workspace/(lanca_autof|workspace_state)\\.h\"")
  if(hits)
    list(APPEND offenders ${rel})
  endif()
endforeach()
if(offenders)
  list(JOIN offenders "\n  " list)
  message(FATAL_ERROR "these files reach into the workspace instead of WorkspaceSite:\n  ${list}")
endif()
