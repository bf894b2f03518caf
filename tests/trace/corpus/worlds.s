; Worlds in switched banks: each bank holds a world's maps, its music and
; its tiles; the fixed bank finds them through tables of bank and address,
; and calls each world's own routines through a table of far calls.
.segment "HEADER"
  .byte "NES", $1A, 4, 0, $20, $00, 0,0,0,0,0,0,0,0

.segment "ZEROPAGE"
ptr:      .res 2
vec:      .res 2
world:    .res 1
bank:     .res 1
frame:    .res 1
count:    .res 1

.macro world_data n
  ; The world's header: its map, its song, its tiles, its palette.
  .word map, song, tiles, palette
map:
  .repeat 96, I
  .byte ((I * (n + 3) * 29) + n) & $FF
  .endrepeat
  .repeat 24, I
  .byte $20, <(init + I), >(init + I), $4C
  .endrepeat
song:
  .byte $A9, $0F, $8D, $15, $40, $60, $6C, $FE, $FF, $00
  .repeat 64, I
  .byte (I * 3 + n) & $7F, $80 | (I & 7)
  .endrepeat
  .byte $FF
palette:
  .byte $0F, $30 - n, $10, $00, $0F, $16, $26 + n, $36, $0F, $1A, $2A, $3A, $0F, $20, $4C, $60
tiles:
  .repeat 32, I
  .byte $20, $00, $80, $4C, $00, $C0, $60, $00, $A9, I, $8D, $00, $20, $6C, $FC, $FF
  .endrepeat
.endmacro

; A world's own routines: set up, and each frame.
.macro world_code n
init:
  lda #n
  sta world
  lda #0
  sta count
  rts
tick:
  inc count
  lda count
  cmp #(n + 1) * 16
  bcc :+
  lda #0
  sta count
: rts
.endmacro

.scope w0
.segment "BANK0CODE"
  world_code 0
.segment "BANK0DATA"
  world_data 0
.endscope
.scope w1
.segment "BANK1CODE"
  world_code 1
.segment "BANK1DATA"
  world_data 1
.endscope
.scope w2
.segment "BANK2CODE"
  world_code 2
.segment "BANK2DATA"
  world_data 2
.endscope

.segment "FIXEDCODE"
reset:
  sei
  cld
  ldx #$FF
  txs
  inx
  stx $2000
  stx $2001
  stx world
: bit $2002
  bpl :-
  jsr enter_world
  lda #$80
  sta $2000
main:
  lda frame
: cmp frame
  beq :-
  ldx world
  lda tick_lo,x
  sta vec
  lda tick_hi,x
  sta vec+1
  jsr far_call
  jmp main

; Switches to the world's bank, calls its set-up and loads its data.
enter_world:
  ldx world
  lda world_bank,x
  jsr select
  ldx world
  lda init_lo,x
  sta vec
  lda init_hi,x
  sta vec+1
  jsr call_vec
  ; the world's header is at the start of its data
  lda world_data_lo,x
  sta ptr
  lda world_data_hi,x
  sta ptr+1
  ldy #0
  lda (ptr),y
  pha
  iny
  lda (ptr),y
  sta ptr+1
  pla
  sta ptr
  jsr draw_map
  rts

; Draws 96 map bytes from ptr.
draw_map:
  lda #$20
  sta $2006
  lda #0
  sta $2006
  ldy #0
: lda (ptr),y
  sta $2007
  iny
  cpy #96
  bne :-
  rts

far_call:
  ldx world
  lda world_bank,x
  jsr select
call_vec:
  jmp (vec)

; Writes the bank through a table so the write meets the same value.
select:
  sta bank
  tax
  sta bank_table,x
  rts

nmi:
  inc frame
irq:
  rti

.segment "FIXEDDATA"
world_bank:    .byte 0, 1, 2
init_lo:       .byte <w0::init, <w1::init, <w2::init
init_hi:       .byte >w0::init, >w1::init, >w2::init
tick_lo:       .byte <w0::tick, <w1::tick, <w2::tick
tick_hi:       .byte >w0::tick, >w1::tick, >w2::tick
world_data_lo: .byte <w0::map - 8, <w1::map - 8, <w2::map - 8
world_data_hi: .byte >(w0::map - 8), >(w1::map - 8), >(w2::map - 8)
bank_table:    .byte 0, 1, 2, 3
; Common tiles and a second font kept here.
font:
  .repeat 64, I
  .byte $20 + I, $4C, $60, $6C, $A9, $85, $8D, $20, $00, $80 + I, $C0, $EA, $10, $F0, $D0, $30
  .endrepeat

.segment "VECTORS"
  .word nmi, reset, irq
