# The users' guide as the packages ship it, made from LEIAME.md by Debian's pandoc with the
# filter docs/leiame.lua:
# - LEIAME.html, one self-contained page (the charts of docs/estudo embedded, the formulas as
#   MathML, docs/leiame_style.html after pandoc's own style) that any current browser opens
#   offline;
# - on Windows, LEIAME.txt for Notepad: plain text with the formulas in Unicode, tables within
#   100 columns, then UTF-8 with a byte-order mark and CR LF ends (cmake/leiame_txt.cmake).
find_program(PANDOC pandoc)
if(NOT PANDOC)
  message(FATAL_ERROR "pandoc is needed to build the guide (Debian package pandoc), "
                      "or configure with -DALETA_GUIDE=OFF")
endif()

set(guide_source ${PROJECT_SOURCE_DIR}/LEIAME.md)
set(guide_filter ${PROJECT_SOURCE_DIR}/docs/leiame.lua)
set(guide_style ${PROJECT_SOURCE_DIR}/docs/leiame_style.html)
file(GLOB guide_charts ${PROJECT_SOURCE_DIR}/docs/estudo/*.svg)
set(guide_inputs ${guide_source} ${guide_filter} ${guide_charts})
# Section anchors as GitHub makes them, so the contents links work on both.
set(pandoc_guide ${PANDOC} --from=markdown+gfm_auto_identifiers --lua-filter=${guide_filter})

set(leiame_html ${CMAKE_CURRENT_BINARY_DIR}/LEIAME.html)
add_custom_command(OUTPUT ${leiame_html}
  COMMAND ${pandoc_guide} --standalone --mathml --self-contained
          --include-in-header=${guide_style}
          --resource-path=${PROJECT_SOURCE_DIR} --metadata=lang:pt-BR
          "--metadata=pagetitle:aleta: guia do usuário" --output=${leiame_html} ${guide_source}
  DEPENDS ${guide_inputs} ${guide_style}
  COMMENT "Writing LEIAME.html")
set(guide_files ${leiame_html})

if(WIN32)
  set(leiame_plain ${CMAKE_CURRENT_BINARY_DIR}/LEIAME.plain.txt)
  set(leiame_txt ${CMAKE_CURRENT_BINARY_DIR}/LEIAME.txt)
  # 96 columns of text leave a table's rules within 100.
  add_custom_command(OUTPUT ${leiame_txt}
    COMMAND ${pandoc_guide} --to=plain --columns=96 --output=${leiame_plain} ${guide_source}
    COMMAND ${CMAKE_COMMAND} -DSOURCE=${leiame_plain} -DOUTPUT=${leiame_txt}
            -P ${PROJECT_SOURCE_DIR}/cmake/leiame_txt.cmake
    DEPENDS ${guide_inputs} ${PROJECT_SOURCE_DIR}/cmake/leiame_txt.cmake
    COMMENT "Writing LEIAME.txt for Notepad")
  list(APPEND guide_files ${leiame_txt})
else()
  list(APPEND guide_files ${guide_source})
  # LEIAME.md shows the charts from beside it, as in the source tree.
  install(FILES ${guide_charts} DESTINATION docs/estudo)
endif()

add_custom_target(guide ALL DEPENDS ${guide_files})
install(FILES ${guide_files} DESTINATION .)
