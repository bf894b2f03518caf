; An engine whose flow hides in arithmetic: a jump into a table of JMPs by
; an index added to its address after the load, a call made by pushing the
; return address and jumping through a pointer, a helper that skips the
; instruction after its call, a font table read from 20 bytes before it by
; ASCII codes, and a BRK handler that pulls what the BRK pushed.
.segment "HEADER"
  .byte "NES", $1A, 2, 1, $00, $00
  .res 8, 0

.segment "ZEROPAGE"
vec:    .res 2
ret:    .res 2
mode:   .res 1
frame:  .res 1
tmp:    .res 1
char:   .res 1
flags:  .res 1
saved:  .res 3

.segment "CODE"
reset:
  sei
  cld
  ldx #$FF
  txs
  lda #$80
  sta $2000
  cli
main:
  lda frame
@wait:
  cmp frame
  beq @wait
  jsr run_mode
  jsr call_handler
  lda flags
  jsr skip_if_zero
  jmp main
  inc tmp
  jsr put_char
  brk
  .byte 3
  jmp main

; Runs mode * 3 into the table of JMPs.
run_mode:
  lda mode
  asl a
  adc mode
  sta tmp
  lda #<mode_table
  clc
  adc tmp
  sta vec
  lda #>mode_table
  adc #0
  sta vec+1
  jmp (vec)

mode_table:
  jmp mode_idle
  jmp mode_move
  jmp mode_fight

mode_idle:
  lda $4016
  and #1
  sta mode
  rts

mode_move:
  inc $0200
  lda $0200
  cmp #$40
  bne @same
  lda #2
  sta mode
@same:
  rts

mode_fight:
  dec $0201
  bne @on
  lda #0
  sta mode
@on:
  rts

; Calls the handler the flags pick, with a return address pushed by hand.
call_handler:
  lda flags
  and #1
  asl a
  tax
  lda handlers,x
  sta vec
  lda handlers+1,x
  sta vec+1
  lda #>(back - 1)
  pha
  lda #<(back - 1)
  pha
  jmp (vec)
back:
  lda tmp
  sta $0202
  rts

handlers:
  .addr on_even, on_odd

on_even:
  lda #$10
  sta tmp
  rts

on_odd:
  lda #$20
  sta tmp
  rts

; Returns past the three-byte instruction after the call when A is zero.
skip_if_zero:
  cmp #0
  bne @back
  pla
  clc
  adc #3
  sta tmp
  pla
  adc #0
  pha
  lda tmp
  pha
@back:
  rts

; Writes the glyph of the ASCII character in char.
put_char:
  ldx char
  lda glyphs - $20,x
  sta $2007
  rts
glyphs:
  .byte $00, $4C, $A9, $20, $85, $60, $A2, $8D
  .byte $AD, $E8, $C8, $88, $CA, $18, $38, $EA

nmi:
  inc frame
  rti

; BRK: pulls the flags and the return address, keeps them, and runs the
; service the byte after the BRK names; returns past that byte.
irq:
  pla
  sta saved
  pla
  sta saved+1
  pla
  sta saved+2
  lda saved+1
  sec
  sbc #1
  sta ret
  lda saved+2
  sbc #0
  sta ret+1
  ldy #0
  lda (ret),y
  sta $0203
  lda saved+2
  pha
  lda saved+1
  pha
  lda saved
  pha
  rti

.segment "VECTORS"
  .addr nmi, reset, irq
