; A mapper-0 program made of the idioms a tracer has to follow: inline strings
; and parameters after calls, a jump engine, return-address dispatch, jumps
; through word and split tables, data tables read by index, and fill.
.segment "HEADER"
  .byte "NES", $1A, 2, 1, $00, $00
  .res 8, 0

.segment "ZEROPAGE"
ptr:    .res 2
vec:    .res 2
state:  .res 1
tmp:    .res 1

.segment "BSS"
buffer: .res 64

PPUCTRL   = $2000
PPUSTATUS = $2002
PPUADDR   = $2006
PPUDATA   = $2007

.segment "CODE"
reset:
  sei
  cld
  ldx #$FF
  txs
  inx
  stx PPUCTRL
@wait:
  bit PPUSTATUS
  bpl @wait
  jsr clear_ram
  jsr print
  .byte "HELLO WORLD", 0
  jsr at_position
  .byte 4, 9
  jsr print
  .byte "SCORE", 0
  lda #0
  sta state
main_loop:
  lda state
  jsr jump_engine
  .addr state_title, state_play, state_pause, state_over
  jmp main_loop

clear_ram:
  lda #0
  tax
@loop:
  sta buffer, x
  inx
  cpx #64
  bne @loop
  rts

; Prints the zero-terminated string that follows the call.
print:
  pla
  sta ptr
  pla
  sta ptr+1
  ldy #1
@next:
  lda (ptr), y
  beq @done
  sta PPUDATA
  iny
  bne @next
@done:
  tya
  clc
  adc ptr
  tax
  lda ptr+1
  adc #0
  pha
  txa
  pha
  rts

; Takes two parameter bytes after the call: column and row.
at_position:
  pla
  sta ptr
  pla
  sta ptr+1
  ldy #1
  lda (ptr), y
  sta tmp
  iny
  lda (ptr), y
  asl a
  ora tmp
  sta PPUADDR
  lda ptr
  clc
  adc #2
  sta ptr
  bcc :+
  inc ptr+1
: lda ptr+1
  pha
  lda ptr
  pha
  rts

; Jumps to entry A of the address table that follows the call.
jump_engine:
  asl a
  tay
  pla
  sta ptr
  pla
  sta ptr+1
  iny
  lda (ptr), y
  sta vec
  iny
  lda (ptr), y
  sta vec+1
  jmp (vec)

state_title:
  ldx #0
@copy:
  lda title_text, x
  beq @end
  sta PPUDATA
  inx
  bne @copy
@end:
  lda #1
  sta state
  rts

state_play:
  ldx state
  lda rts_table+1, x
  pha
  lda rts_table, x
  pha
  rts

state_pause:
  ldx tmp
  lda word_table, x
  sta vec
  lda word_table+1, x
  sta vec+1
  jmp (vec)

state_over:
  ldx tmp
  lda split_lo, x
  sta vec
  lda split_hi, x
  sta vec+1
  jmp (vec)

act_walk:
  inc tmp
  rts
act_jump:
  dec tmp
  rts
act_fall:
  lda #2
  sta state
  rts

mode_a:
  lda #$10
  sta PPUDATA
  clc
  bcc mode_done
  .byte "NOT CODE"
mode_done:
  rts
mode_b:
  ldy #3
@l:
  lda palette, y
  sta PPUDATA
  dey
  bpl @l
  rts

split_a:
  lda level_data
  sta tmp
  rts
split_b:
  lda level_data+1
  sta tmp
  rts
split_c:
  lda #0
  beq :+
  .byte $FF, $FF
: rts

.segment "RODATA"
rts_table:
  .word act_walk-1, act_jump-1, act_fall-1
word_table:
  .addr mode_a, mode_b
split_lo:
  .byte <split_a, <split_b, <split_c
split_hi:
  .byte >split_a, >split_b, >split_c
title_text:
  .byte "PRESS START", 0
palette:
  .byte $0F, $16, $27, $30
level_data:
  .byte $01, $01, $02, $03, $05, $08, $0D, $15, $22, $37, $59, $90
  .res 200, $00
  .byte $A9, $20, $8D, $00, $20, $60

.segment "FIXED"
nmi:
  pha
  txa
  pha
  inc tmp
  pla
  tax
  pla
irq:
  rti

.segment "VECTORS"
  .addr nmi, reset, irq
