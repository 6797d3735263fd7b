# Writes the manual page of repieps-cli from its own --help text, so that the two never differ:
#   cmake -DPROGRAMA=<repieps-cli> -DVERSION=<x.y.z> -DSALIDA=<repieps-cli.1.gz> -P ManualCli.cmake
# The help's shape is what this reads: "Uso: ..." first, then a description paragraph, then
# sections whose heading ends in ":" and whose entries are "  term   text" with their text going
# on in deeper-indented lines.

execute_process(COMMAND ${PROGRAMA} --help OUTPUT_VARIABLE ayuda RESULT_VARIABLE resultado)
if(NOT resultado EQUAL 0 OR NOT ayuda MATCHES "^Uso: ")
  message(FATAL_ERROR "${PROGRAMA} --help no dio su ayuda (${resultado})")
endif()

# troff: a backslash is \e, a hyphen \-. A ";" would split the list of lines, so it travels
# hidden until the page is joined.
string(REPLACE "\\" "\\e" ayuda "${ayuda}")
string(REPLACE "-" "\\-" ayuda "${ayuda}")
string(REPLACE ";" "@PUNTO_Y_COMA@" ayuda "${ayuda}")
# A help line that started with a dot or an apostrophe would be read as a request.
string(REGEX REPLACE "(^|\n)([.'])" "\\1\\\\&\\2" ayuda "${ayuda}")
string(REPLACE "\n" ";" lineas "${ayuda}")

function(mayusculas texto variable)
  string(TOUPPER "${texto}" texto)
  foreach(par "á;Á" "é;É" "í;Í" "ó;Ó" "ú;Ú" "ñ;Ñ")
    list(GET par 0 min)
    list(GET par 1 may)
    string(REPLACE "${min}" "${may}" texto "${texto}")
  endforeach()
  set(${variable} "${texto}" PARENT_SCOPE)
endfunction()

# The term of an entry: its first word bold, the rest (the value it takes) in italics.
function(termino texto variable)
  if(texto MATCHES "^([^ ]+) (.+)$")
    set(${variable} "\\fB${CMAKE_MATCH_1}\\fR \\fI${CMAKE_MATCH_2}\\fR" PARENT_SCOPE)
  else()
    set(${variable} "\\fB${texto}\\fR" PARENT_SCOPE)
  endif()
endfunction()

set(pagina "")
set(estado inicio)
foreach(linea IN LISTS lineas)
  if(estado STREQUAL inicio AND linea MATCHES "^Uso: repieps\\\\-cli (.*)$")
    set(pagina "${pagina}.SH SINOPSIS\n.B repieps\\-cli\n${CMAKE_MATCH_1}\n")
    set(estado descripcion)
  elseif(linea MATCHES "^([^ ].*):$")
    mayusculas("${CMAKE_MATCH_1}" titulo)
    set(pagina "${pagina}.SH \"${titulo}\"\n")
    set(estado seccion)
  elseif(estado STREQUAL descripcion AND NOT linea STREQUAL "")
    if(NOT resumen)
      # The description's first sentence names the program.
      string(REGEX REPLACE "\\.$" "" resumen "${linea}")
      string(SUBSTRING "${resumen}" 0 1 inicial)
      string(TOLOWER "${inicial}" inicial)
      string(SUBSTRING "${resumen}" 1 -1 resto)
      set(resumen "${inicial}${resto}")
      set(pagina "${pagina}.SH DESCRIPCIÓN\n")
    endif()
    set(pagina "${pagina}${linea}\n")
  elseif(estado STREQUAL seccion AND linea MATCHES "^  ([^ ]|[^ ].*[^ ])  +([^ ].*)$")
    set(texto "${CMAKE_MATCH_2}")
    termino("${CMAKE_MATCH_1}" t)
    set(pagina "${pagina}.TP\n${t}\n${texto}\n")
  elseif(estado STREQUAL seccion AND linea MATCHES "^   +([^ ].*)$")
    set(pagina "${pagina}${CMAKE_MATCH_1}\n")
  elseif(NOT linea STREQUAL "")
    message(FATAL_ERROR "Renglón de la ayuda que el manual no sabe leer: ${linea}")
  endif()
endforeach()
if(NOT resumen)
  message(FATAL_ERROR "La ayuda no tiene descripción")
endif()

set(pagina ".TH REPIEPS\\-CLI 1 \"\" \"repieps ${VERSION}\" \"Órdenes del usuario\"
.nh
.SH NOMBRE
repieps\\-cli \\- ${resumen}
${pagina}")
string(REPLACE "@PUNTO_Y_COMA@" ";" pagina "${pagina}")

get_filename_component(carpeta "${SALIDA}" DIRECTORY)
get_filename_component(nombre "${SALIDA}" NAME_WLE)
file(WRITE "${carpeta}/${nombre}" "${pagina}")
# Debian's way: the best compression, and no name or time stamp in the file.
execute_process(COMMAND gzip -9nf "${carpeta}/${nombre}" RESULT_VARIABLE resultado)
if(NOT resultado EQUAL 0)
  message(FATAL_ERROR "No se pudo comprimir ${carpeta}/${nombre} (${resultado})")
endif()
