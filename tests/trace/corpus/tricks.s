; Tricks of hand-written programs: a routine copied to RAM and run there,
; a word table read twice through one index stepped between the reads,
; objects that carry their handler's address among their other fields,
; levels reached only through a table of pointers, a screen and tiles only
; pointers set from immediates reach, between routines, a callback passed in
; registers, an NMI that calls through a vector the main program sets, and
; an IRQ vector that leads to a jump the program writes to RAM.
.segment "HEADER"
  .byte "NES", $1A, 2, 1, $00, $00
  .res 8, 0

.segment "ZEROPAGE"
ptr:    .res 2
vec:    .res 2
nmivec: .res 2
donevec: .res 2
tmp:    .res 1
level:  .res 1

.segment "BSS"
irq_jump: .res 3   ; jmp irq_handler, written at reset

.import __RAMCODE_LOAD__: absolute, __RAMCODE_RUN__: absolute, __RAMCODE_SIZE__: absolute

.segment "CODE"
reset:
  sei
  cld
  ldx #$FF
  txs
  ldx #0
: lda __RAMCODE_LOAD__, x
  sta __RAMCODE_RUN__, x
  inx
  cpx #<__RAMCODE_SIZE__
  bne :-
  lda #<nmi_title
  sta nmivec
  lda #>nmi_title
  sta nmivec+1
  lda #<screen
  sta ptr
  lda #>screen
  sta ptr+1
  jsr unpack
  lda #$4C
  sta irq_jump
  lda #<irq_handler
  sta irq_jump+1
  lda #>irq_handler
  sta irq_jump+2
  ldx #<tiles
  ldy #>tiles
  jsr load_tiles
  lda #<on_done
  ldx #>on_done
  jsr when_done
main:
  jsr ram_wait
  jsr run_mode
  jsr run_objects
  jsr load_level
  jmp main

; The mode's handler: the index steps from the low byte to the high one.
run_mode:
  lda tmp
  and #3
  asl a
  tax
  lda modes, x
  sta vec
  inx
  lda modes, x
  sta vec+1
  jmp (vec)
mode_a:
  inc level
  rts
mode_b:
  dec level
  rts
mode_c:
  lda level
  cmp #8
  bne :+
  jmp level_done
: rts
mode_d:
  lda #<nmi_play
  sta nmivec
  lda #>nmi_play
  sta nmivec+1
  rts

; Each object: kind, x, y, then the address of its handler.
run_objects:
  ldy #0
@next:
  lda objects, y
  beq @done
  lda objects+3, y
  sta vec
  lda objects+4, y
  sta vec+1
  sty tmp
  jsr call_vec
  lda tmp
  clc
  adc #5
  tay
  bne @next
@done:
  rts
call_vec:
  jmp (vec)
obj_coin:
  lda #1
  sta $2007
  rts
obj_door:
  ldx tmp
  lda objects+1, x
  sta $2005
  rts

load_level:
  lda level
  and #1
  asl a
  tax
  lda levels, x
  sta ptr
  lda levels+1, x
  sta ptr+1
  ldy #0
: lda (ptr), y
  sta $2007
  iny
  cpy #12
  bne :-
  rts

; Writes the runs at ptr: count, byte, ... up to a count of 0.
unpack:
  ldy #0
@run:
  lda (ptr), y
  beq @done
  tax
  iny
  lda (ptr), y
@byte:
  sta $2007
  dex
  bne @byte
  iny
  bne @run
@done:
  rts
screen:
  .byte $A2, $20, $A9, $24, $85, $60, $A0, $10, $91, $C8, $18, $30, $00
; Reached through the jump the program writes to RAM for the IRQ.
irq_handler:
  inc level
  rti

; Copies 16 bytes of tiles from X (low) and Y (high) to the PPU.
load_tiles:
  stx ptr
  sty ptr+1
  ldy #0
: lda (ptr), y
  sta $2007
  iny
  cpy #16
  bne :-
  rts
tiles:
  .byte $A9, $3C, $8D, $42, $18, $A2, $7E, $E8, $D0, $FD, $66, $3C, $60, $18, $00, $60

; Keeps the routine at A (low) and X (high) for when the level is done.
when_done:
  sta donevec
  stx donevec+1
  rts
level_done:
  jmp (donevec)
on_done:
  lda #0
  sta level
  rts
nmi:
  pha
  txa
  pha
  jsr nmi_call
  pla
  tax
  pla
  rti
nmi_call:
  jmp (nmivec)
nmi_title:
  lda #$80
  sta $2000
  rts
nmi_play:
  lda #$88
  sta $2000
  lda #0
  sta $2005
  sta $2005
  rts

.segment "RAMCODE"
; Waits for the frame with the PPU's status, from RAM.
ram_wait:
  lda $2002
  bpl ram_wait
  lda #2
  sta $4014
  rts

.segment "RODATA"
modes:
  .addr mode_a, mode_b, mode_c, mode_d
objects:
  .byte 1, 40, 60
  .addr obj_coin
  .byte 2, 90, 30
  .addr obj_door
  .byte 1, 120, 100
  .addr obj_coin
  .byte 0
levels:
  .addr level_one, level_two
level_one:
  .byte $A9, $10, $85, $20, $A2, $03, $CA, $D0, $FD, $60, $11, $22
level_two:
  .byte $A0, $00, $B1, $20, $91, $22, $C8, $C0, $08, $D0, $F7, $60

.segment "VECTORS"
  .addr nmi, reset, irq_jump
