; A 16 KiB program whose routines take what follows their calls in other
; ways: strings ended by a character with bit 7 set, strings led by their
; length, a PPU address and bytes led by their count, a far call with the
; routine's address after it, and parameters stepped over one increment at
; a time, in zero page or on the stack. Handlers only a table in data
; reaches follow the data they read.
.segment "HEADER"
  .byte "NES", $1A, 1, 1, $00, $00
  .res 8, 0

.segment "ZEROPAGE"
ptr:    .res 2
vec:    .res 2
tmp:    .res 1
len:    .res 1

PPUDATA = $2007

.segment "CODE"
reset:
  sei
  cld
  ldx #$FF
  txs
  jsr print_hi
  .byte "TITL", 'E' | $80
  jsr print_len
  .byte 6, "PLAYER"
  jsr far
  .word load_level
  jsr wait
  .byte 3, 1
  jsr print_hi
  .byte "G", 'O' | $80
  jsr ppu_write
  .word $2042
  .byte 5, "HELLO"
  jsr set_scroll
  .byte 8, 16
main:
  ldx tmp
  lda handlers_lo, x
  sta vec
  lda handlers_hi, x
  sta vec+1
  jsr go
  jsr run_events
  jmp main
go:
  jmp (vec)

; Prints the string after the call; its last character has bit 7 set.
print_hi:
  pla
  sta ptr
  pla
  sta ptr+1
  ldy #0
: iny
  lda (ptr), y
  pha
  and #$7F
  sta PPUDATA
  pla
  bpl :-
  tya
  sec
  adc ptr
  sta ptr
  bcc :+
  inc ptr+1
: jmp (ptr)

; Prints the string after the call, led by its length.
print_len:
  pla
  sta ptr
  pla
  sta ptr+1
  ldy #1
  lda (ptr), y
  sta len
: iny
  lda (ptr), y
  sta PPUDATA
  dec len
  bne :-
  tya
  clc
  adc ptr
  tax
  lda #0
  adc ptr+1
  pha
  txa
  pha
  rts

; Writes to the PPU address after the call the bytes after that, led by
; their count.
ppu_write:
  pla
  sta ptr
  pla
  sta ptr+1
  ldy #2
  lda (ptr), y
  sta $2006
  dey
  lda (ptr), y
  sta $2006
  ldy #3
  lda (ptr), y
  sta len
: iny
  lda (ptr), y
  sta PPUDATA
  dec len
  bne :-
  tya
  sec
  adc ptr
  sta ptr
  bcc :+
  inc ptr+1
: jmp (ptr)

; Sets the scroll to the two bytes after the call, read where the return
; address lies on the stack, and steps it past them there.
set_scroll:
  tsx
  lda $0101, x
  sta ptr
  lda $0102, x
  sta ptr+1
  ldy #1
  lda (ptr), y
  sta $2005
  iny
  lda (ptr), y
  sta $2005
  inc $0101, x
  bne :+
  inc $0102, x
: inc $0101, x
  bne :+
  inc $0102, x
: rts

; Calls the routine whose address follows the call.
far:
  pla
  sta ptr
  pla
  sta ptr+1
  ldy #1
  lda (ptr), y
  sta vec
  iny
  lda (ptr), y
  sta vec+1
  lda ptr
  clc
  adc #2
  tax
  lda ptr+1
  adc #0
  pha
  txa
  pha
  jmp (vec)

; Waits for the frames and the line after the call.
wait:
  pla
  sta ptr
  pla
  sta ptr+1
  inc ptr
  bne :+
  inc ptr+1
: ldy #0
  lda (ptr), y
  sta tmp
  inc ptr
  bne :+
  inc ptr+1
: lda (ptr), y
  sta len
  lda ptr+1
  pha
  lda ptr
  pha
  rts

load_level:
  ldx #15
: lda level, x
  sta $0300, x
  dex
  bpl :-
  rts

run_events:
  ldy #0
: lda events, y
  beq :+
  sta tmp
  iny
  bne :-
: rts

events:
  .byte $04, $10, $22, $31, $00
on_start:
  lda #1
  sta len
  rts
on_stop:
  lda #0
  sta len
  rts
on_none:
  rts

nmi:
  inc tmp
irq:
  rti

.segment "RODATA"
handlers_lo:
  .byte <on_start, <on_stop, <on_none
handlers_hi:
  .byte >on_start, >on_stop, >on_none
level:
  .byte $20, $A9, $60, $00, $4C, $85, $10, $8D, $A2, $20, $91, $00, $C8, $D0, $E8, $60

.segment "VECTORS"
  .addr nmi, reset, irq
