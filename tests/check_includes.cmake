# Fails when a file under src/ includes a header of a folder above its own, or of a
# subsystem it has no edge to.
# Layers, lowest first: platform, core, schema, the subsystems, startup, app. Between the
# subsystems only the edges listed below may exist: a screen includes what it opens and the
# services below it, never its opener (van includes neither checkout nor sale). chit sits
# below every subsystem and includes none.
# Usage: cmake -DSRC_DIR=<src> -P check_includes.cmake
cmake_minimum_required(VERSION 3.25)
set(_subsystems sale chit checkout print van customer lookup closing sync goods settings
                display)
set(_rank_platform 0)
set(_rank_core 1)
set(_rank_schema 2)
foreach(s ${_subsystems})
  set(_rank_${s} 3)
endforeach()
set(_rank_startup 4)
set(_rank_app 5)

# "from>to": the subsystem edges that may exist (besides every subsystem > chit).
# A new edge goes here only when it points down: from a screen to what it opens or uses.
set(_edges
  # the sale screen opens everything else
  sale>checkout sale>van sale>customer sale>print sale>lookup sale>closing sale>goods
  sale>settings sale>sync sale>display
  # the payment screen opens the card forms, the customer and printing
  checkout>van checkout>customer checkout>print checkout>lookup checkout>sync checkout>display
  # the card forms
  van>print van>sync van>display
  # the back-office screens
  customer>print customer>lookup customer>sync customer>display
  closing>print closing>lookup closing>sync closing>display closing>customer
  goods>print goods>lookup goods>sync goods>display goods>customer
  settings>print settings>lookup settings>sync settings>display settings>van settings>customer
  # printing opens lookups; lookups open the on-screen keyboard and read the point server
  print>lookup print>display
  lookup>display lookup>sync
)

file(GLOB_RECURSE _files RELATIVE ${SRC_DIR} ${SRC_DIR}/*.h ${SRC_DIR}/*.cpp)
set(_bad "")
foreach(f ${_files})
  string(REGEX MATCH "^[^/]+" _from "${f}")
  if(f STREQUAL _from)
    continue()  # a file directly in src/
  endif()
  if(NOT DEFINED _rank_${_from})
    string(APPEND _bad "  ${f}: folder '${_from}' has no place in the layers (add it here)\n")
    continue()
  endif()
  file(STRINGS ${SRC_DIR}/${f} _lines REGEX "^[ \t]*#[ \t]*include[ \t]*\"")
  foreach(l ${_lines})
    string(REGEX REPLACE "^[ \t]*#[ \t]*include[ \t]*\"([^\"]*)\".*$" "\\1" _inc "${l}")
    if(NOT _inc MATCHES "/")
      continue()
    endif()
    string(REGEX MATCH "^[^/]+" _to "${_inc}")
    if(_to STREQUAL _from OR NOT IS_DIRECTORY ${SRC_DIR}/${_to})
      continue()
    endif()
    if(NOT DEFINED _rank_${_to})
      string(APPEND _bad "  ${f}: includes ${_inc} of a folder with no place in the layers\n")
    elseif(_rank_${_to} GREATER _rank_${_from})
      string(APPEND _bad "  ${f}: includes ${_inc} (${_from} sits below ${_to})\n")
    elseif(_from STREQUAL "chit" AND _rank_${_to} EQUAL 3)
      string(APPEND _bad "  ${f}: includes ${_inc} (chit includes no other subsystem)\n")
    elseif(_rank_${_from} EQUAL 3 AND _rank_${_to} EQUAL 3 AND NOT _to STREQUAL "chit")
      if("${_from}>${_to}" IN_LIST _edges)
        continue()
      endif()
      string(APPEND _bad
             "  ${f}: includes ${_inc} (no edge ${_from} > ${_to}; a screen never includes its opener)\n")
    endif()
  endforeach()
endforeach()

if(_bad)
  message(FATAL_ERROR "Includes against the direction of the layers:\n${_bad}")
endif()
list(LENGTH _files _n)
message(STATUS "include direction: ${_n} files checked")
