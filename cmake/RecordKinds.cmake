# The record kinds for the end-to-end tests and other helpers outside C++: made from the one list,
# src/recording/RecordKinds.def, into <build>/generated/record_kinds.json when the build is
# configured (and again whenever the list changes). Each kind:
#   {"number": 0, "name": "Key", "word": "key", "fields": ["code", "down"], "player": "PlayedInput"}
# A row not in the list's one-line shape stops the configuration: nothing is left out silently.
# tests/unit/RecordKindsTest.cpp checks the file against the table the program is built with.
set(kindsList ${PROJECT_SOURCE_DIR}/src/recording/RecordKinds.def)
set_property(DIRECTORY ${PROJECT_SOURCE_DIR} APPEND PROPERTY CMAKE_CONFIGURE_DEPENDS ${kindsList})
file(STRINGS ${kindsList} kindRows REGEX "^RECORD_KIND")
set(kindsJson "")
foreach(row IN LISTS kindRows)
  if(NOT row MATCHES "^RECORD_KIND\\(([0-9]+), ([A-Za-z]+), \"([a-z]+)\", ([A-Za-z| ]+), ([A-Za-z]+)\\)$")
    message(FATAL_ERROR "RecordKinds.def: a row not in the shape RECORD_KIND(number, Name, \"word\", fields, player): ${row}")
  endif()
  set(number ${CMAKE_MATCH_1})
  set(name ${CMAKE_MATCH_2})
  set(word ${CMAKE_MATCH_3})
  set(player ${CMAKE_MATCH_5})
  string(REPLACE "|" ";" fieldFlags "${CMAKE_MATCH_4}")
  set(fields "")
  foreach(flag IN LISTS fieldFlags)
    string(STRIP "${flag}" flag)
    if(NOT flag MATCHES "^Field(Code|Down|X|Y)$")
      message(FATAL_ERROR "RecordKinds.def: unknown field '${flag}' in: ${row}")
    endif()
    string(TOLOWER "${CMAKE_MATCH_1}" field)
    list(APPEND fields "\"${field}\"")
  endforeach()
  list(JOIN fields ", " fields)
  if(NOT kindsJson STREQUAL "")
    string(APPEND kindsJson ",\n")
  endif()
  string(APPEND kindsJson
    "  {\"number\": ${number}, \"name\": \"${name}\", \"word\": \"${word}\", \"fields\": [${fields}], \"player\": \"${player}\"}")
endforeach()
set(TANDREL_RECORD_KINDS_JSON ${CMAKE_BINARY_DIR}/generated/record_kinds.json)
file(CONFIGURE OUTPUT ${TANDREL_RECORD_KINDS_JSON} CONTENT "[\n${kindsJson}\n]\n" @ONLY)
