# Copies the shipped data folders (DBSource, DBTables, ...) from SRC into the
# program folder DST, leaving out the placeholders that keep empty folders in
# the repository. Only changed files are copied.
file(GLOB folders LIST_DIRECTORIES true "${SRC}/*")
foreach(folder IN LISTS folders)
  if(IS_DIRECTORY "${folder}")
    file(COPY "${folder}" DESTINATION "${DST}" PATTERN ".gitkeep" EXCLUDE)
  endif()
endforeach()
