# The trace corpus: NES programs built from the sources beside this file by
# the cc65 tools, with ld65's debug files as the truth about every byte.
find_program(MORVANE_CC65 cc65)
find_program(MORVANE_CA65 ca65)
find_program(MORVANE_LD65 ld65)
set(MORVANE_CORPUS_DIR ${CMAKE_CURRENT_BINARY_DIR}/corpus)
set(corpus_src ${CMAKE_CURRENT_SOURCE_DIR}/trace/corpus)
set(corpus_outputs)
if(MORVANE_CC65 AND MORVANE_CA65 AND MORVANE_LD65)
  file(MAKE_DIRECTORY ${MORVANE_CORPUS_DIR})
  # name, assembler source, linker configuration, assembler definitions...
  function(corpus_asm name source cfg)
    set(out ${MORVANE_CORPUS_DIR}/${name})
    add_custom_command(OUTPUT ${out}.nes ${out}.dbg
      COMMAND ${MORVANE_CA65} -g ${ARGN} -o ${out}.o ${corpus_src}/${source}
      COMMAND ${MORVANE_LD65} -C ${corpus_src}/${cfg} -o ${out}.nes -m ${out}.map
              --dbgfile ${out}.dbg ${out}.o
      DEPENDS ${corpus_src}/${source} ${corpus_src}/${cfg} VERBATIM)
    set(corpus_outputs ${corpus_outputs} ${out}.nes PARENT_SCOPE)
  endfunction()
  # name, C source, linker configuration (nes: ld65's own), C compiler options...
  function(corpus_c name source cfg)
    set(out ${MORVANE_CORPUS_DIR}/${name})
    set(layout -t nes)
    set(depends ${corpus_src}/${source})
    if(NOT cfg STREQUAL "nes")
      set(layout -C ${corpus_src}/${cfg})
      list(APPEND depends ${corpus_src}/${cfg})
    endif()
    add_custom_command(OUTPUT ${out}.nes ${out}.dbg
      COMMAND ${MORVANE_CC65} -t nes -g ${ARGN} -o ${out}.s ${corpus_src}/${source}
      COMMAND ${MORVANE_CA65} -t nes -g -o ${out}.o ${out}.s
      COMMAND ${MORVANE_LD65} ${layout} -o ${out}.nes -m ${out}.map --dbgfile ${out}.dbg
              ${out}.o nes.lib
      DEPENDS ${depends} VERBATIM)
    set(corpus_outputs ${corpus_outputs} ${out}.nes PARENT_SCOPE)
  endfunction()
  corpus_asm(idioms idioms.s nrom.cfg)
  corpus_asm(variants variants.s nrom.cfg)
  corpus_asm(mmc1 banked.s uxrom.cfg -D MAPPER=1)
  corpus_asm(uxrom banked.s uxrom.cfg -D MAPPER=2)
  corpus_asm(mmc3 banked.s uxrom.cfg -D MAPPER=4)
  corpus_asm(farcalls farcalls.s uxrom.cfg)
  corpus_asm(farcalls_mmc3 farcalls.s uxrom.cfg -D MAPPER=4)
  corpus_asm(axrom axrom.s axrom.cfg)
  corpus_asm(inline inline.s nrom16.cfg)
  corpus_asm(tricks tricks.s ramcode.cfg)
  corpus_asm(sound sound.s nrom.cfg)
  corpus_asm(textengine textengine.s nrom.cfg)
  corpus_asm(records records.s nrom.cfg)
  corpus_asm(trampoline trampoline.s uxrom.cfg)
  corpus_asm(chrram chrram.s nrom.cfg)
  corpus_c(game game.c nes -Oi)
  corpus_c(numbers numbers.c nes -Oi)
  corpus_c(menu menu.c nes)
  corpus_c(life life.c nes -Oirs)
  corpus_c(sprites sprites.c nes16.cfg -O)
  corpus_c(sprites_oirs sprites.c nes16.cfg -Oirs)
  corpus_c(shell shell.c nes -Oirs)
  corpus_c(shell_plain shell.c nes)
  corpus_c(store store.c nes16.cfg)
  corpus_c(store_o store.c nes16.cfg -O)
  corpus_c(quest quest.c nes -Oi)
  corpus_c(robot robot.c nes -O)
endif()
add_custom_target(trace_corpus DEPENDS ${corpus_outputs})
add_dependencies(test_trace trace_corpus)
target_compile_definitions(test_trace PRIVATE MORVANE_CORPUS_DIR="${MORVANE_CORPUS_DIR}")
